// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map/MapScene.h"

namespace maptest {

// Routes as the planner would hand them over, with positions rounded as the
// database keeps them.
map::MapScene newYorkToLosAngeles();
map::MapScene londonToParis();
map::MapScene fijiToSamoa();

}  // namespace maptest
