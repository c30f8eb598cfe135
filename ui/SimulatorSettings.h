// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "simlink/SimLink.h"

#include <string>

// The simulator the pilot connected to last, remembered between runs in
// meridane/simulator.conf under the user's configuration directory
// ($XDG_CONFIG_HOME, else ~/.config). Reading never fails: what is missing
// or damaged reads as FlightGear on localhost at its default port.
simlink::LinkAddress LoadSimulatorAddress();
// False when the file cannot be written (the connection goes on).
bool SaveSimulatorAddress(const simlink::LinkAddress& address);
std::string SimulatorSettingsPath();
