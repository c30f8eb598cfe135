// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SimulatorSettings.h"

#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/log.h>

#include <cstdlib>
#include <memory>

namespace {

std::unique_ptr<wxFileConfig> openConfig()
{
    const wxString path = wxString::FromUTF8(SimulatorSettingsPath());
    return std::make_unique<wxFileConfig>(wxEmptyString, wxEmptyString, path, wxEmptyString,
                                          wxCONFIG_USE_LOCAL_FILE);
}

}  // namespace

std::string SimulatorSettingsPath()
{
    std::string dir;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/')
        dir = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        dir = std::string(home) + "/.config";
    else
        dir = ".";
    return dir + "/meridane/simulator.conf";
}

simlink::LinkAddress LoadSimulatorAddress()
{
    // A damaged line is skipped without a word: the default stands in.
    const wxLogNull quiet;
    simlink::LinkAddress address;
    const std::unique_ptr<wxFileConfig> config = openConfig();
    const wxString kind = config->Read("/Simulator/Kind", "flightgear");
    address.kind = kind == "xplane" ? simlink::SimulatorKind::XPlane : simlink::SimulatorKind::FlightGear;
    const wxString host = config->Read("/Simulator/Host", "localhost").Strip(wxString::both);
    address.host = host.empty() || host.length() > 253 ? std::string("localhost") : std::string(host.utf8_str());
    const long defaultPort = address.kind == simlink::SimulatorKind::XPlane ? simlink::XPLANE_DEFAULT_PORT
                                                                             : simlink::FLIGHTGEAR_DEFAULT_PORT;
    long port = config->ReadLong("/Simulator/Port", defaultPort);
    address.port = port >= 1 && port <= 65535 ? static_cast<int>(port) : static_cast<int>(defaultPort);
    return address;
}

bool SaveSimulatorAddress(const simlink::LinkAddress& address)
{
    // The connection goes on whether or not the address could be kept.
    const wxLogNull quiet;
    const wxFileName file(wxString::FromUTF8(SimulatorSettingsPath()));
    if (!file.Mkdir(wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL) && !file.DirExists())
        return false;
    const std::unique_ptr<wxFileConfig> config = openConfig();
    config->Write("/Simulator/Kind", address.kind == simlink::SimulatorKind::XPlane ? "xplane" : "flightgear");
    config->Write("/Simulator/Host", wxString::FromUTF8(address.host));
    config->Write("/Simulator/Port", static_cast<long>(address.port));
    return config->Flush();
}
