// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowSettings.h"

#include "ui/TextConvert.h"

#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/log.h>

#include <cstdlib>
#include <memory>

namespace {

std::unique_ptr<wxFileConfig> OpenSettings(const std::string& path)
{
    // A damaged line is skipped rather than shown to the user.
    wxLogNull quiet;
    return std::make_unique<wxFileConfig>("meridane", wxEmptyString, ToWx(path), wxEmptyString,
                                          wxCONFIG_USE_LOCAL_FILE);
}

}  // namespace

std::string WindowSettingsPath()
{
    std::string folder;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/')
        folder = xdg;
    else if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        folder = std::string(home) + "/.config";
    else
        return {};
    return folder + "/meridane/meridane.conf";
}

WindowSettings LoadWindowSettings()
{
    WindowSettings settings;
    const std::string path = WindowSettingsPath();
    if (path.empty() || !wxFileName::FileExists(ToWx(path)))
        return settings;
    auto config = OpenSettings(path);
    auto text = [&config](const char* key) { return FromWx(config->Read(key, wxString())); };
    settings.airspeed = text("/Aircraft/TrueAirspeed");
    settings.fuelBurn = text("/Aircraft/FuelBurn");
    settings.paper = text("/Plan/Paper");
    settings.ranges = text("/Plan/Ranges");
    settings.bestRoute = config->ReadBool("/Plan/BestRoute", false);
    settings.width = static_cast<int>(config->ReadLong("/Window/Width", 0));
    settings.height = static_cast<int>(config->ReadLong("/Window/Height", 0));
    settings.splitter = static_cast<int>(config->ReadLong("/Window/Splitter", -1));
    return settings;
}

bool SaveWindowSettings(const WindowSettings& settings)
{
    const std::string path = WindowSettingsPath();
    if (path.empty())
        return false;
    wxLogNull quiet;
    const wxFileName file(ToWx(path));
    if (!file.DirExists() && !wxFileName::Mkdir(file.GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL))
        return false;
    auto config = OpenSettings(path);
    config->Write("/Aircraft/TrueAirspeed", ToWx(settings.airspeed));
    config->Write("/Aircraft/FuelBurn", ToWx(settings.fuelBurn));
    config->Write("/Plan/Paper", ToWx(settings.paper));
    config->Write("/Plan/Ranges", ToWx(settings.ranges));
    config->Write("/Plan/BestRoute", settings.bestRoute);
    config->Write("/Window/Width", static_cast<long>(settings.width));
    config->Write("/Window/Height", static_cast<long>(settings.height));
    config->Write("/Window/Splitter", static_cast<long>(settings.splitter));
    return config->Flush();
}
