// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// What the main window remembers of the pilot between runs: the aircraft's
// figures and the choices made for the plan, and the window's size and the
// place of its splitter. Kept in the user's configuration,
// ${XDG_CONFIG_HOME:-~/.config}/meridane/meridane.conf; a missing or
// damaged file gives the defaults, and nothing here ever fails the window.
struct WindowSettings {
    std::string airspeed;  // the TAS field as typed; "" for the default
    std::string fuelBurn;  // the Fuel/h field as typed
    std::string paper;     // kneeboard::paperName; "" for the default
    std::string ranges;    // coverage::rangeModelName; "" for the default
    bool bestRoute = false;
    int width = 0, height = 0;  // the client area; 0 when never saved
    int splitter = -1;          // the plan pane's left edge; -1 when never moved
};

// The configuration file's path; "" where neither XDG_CONFIG_HOME (when
// absolute, as the XDG rules say) nor HOME names a folder.
std::string WindowSettingsPath();
WindowSettings LoadWindowSettings();
// Writes the file (and its folder) whole; false when it cannot.
bool SaveWindowSettings(const WindowSettings& settings);
