// SPDX-License-Identifier: GPL-3.0-or-later
#include "RouteApp.h"

wxIMPLEMENT_APP(CRouteApp);
