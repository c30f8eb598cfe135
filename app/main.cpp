// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RouteApp.h"

wxIMPLEMENT_APP(CRouteApp);
