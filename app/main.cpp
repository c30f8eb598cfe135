#include "RouteApp.h"

wxIMPLEMENT_APP(CRouteApp);
