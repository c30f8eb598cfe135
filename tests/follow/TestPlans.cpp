// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/follow/TestPlans.h"
#include "tests/support/TestWaypoints.h"

#include "flightplan/MagneticModel.h"
#include "flightplan/PlanCalculation.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>

#include <optional>

using flightplan::Waypoint;
using flightplan::WaypointKind;

namespace testplans {

namespace {

Waypoint airport(const char* ident, double latitude, double longitude)
{
    Waypoint w = testsupport::waypoint(ident, WaypointKind::Airport, latitude, longitude);
    w.elevationFt = 20.0;
    return w;
}

Waypoint vor(const char* ident, double latitude, double longitude, const char* frequency,
             std::optional<double> declination)
{
    Waypoint w = testsupport::waypoint(ident, WaypointKind::Vor, latitude, longitude, frequency);
    w.declination = declination;
    w.serviceClass = 'H';
    w.elevationFt = 100.0;
    return w;
}

flightplan::FlightPlan plan(std::vector<Waypoint> waypoints)
{
    flightplan::PlanOptions options;
    options.date = flightplan::CivilDate{2026, 6, 1};
    options.trueAirspeedKt = 120.0;
    return flightplan::computePlan(std::move(waypoints), options, testsupport::testMagneticModel());
}

}  // namespace

flightplan::FlightPlan newEngland()
{
    return plan({airport("KJFK", 40.639801, -73.7789), vor("CCC", 40.929, -72.799, "117.2", -13.0),
                 vor("MAD", 41.3136, -72.6932, "110.4", -14.0), vor("PUT", 41.956, -71.8447, "117.4", -14.0),
                 vor("BOS", 42.3574, -70.9897, "112.7", -16.0), airport("KBOS", 42.3643, -71.005203)});
}

flightplan::FlightPlan newSouthWales()
{
    // The second beacon's declination left to the magnetic model.
    return plan({airport("YSSY", -33.9461, 151.177), vor("SY", -33.9486, 151.1853, "112.1", 12.0),
                 vor("BWE", -34.5050, 150.1500, "115.9", std::nullopt),
                 vor("CB", -35.3200, 149.2000, "116.7", 12.5), airport("YSCB", -35.3069, 149.195)});
}

flightplan::FlightPlan acrossTheDateLine()
{
    return plan({airport("NFFN", -17.7554, 177.443), vor("NN", -17.75, 177.45, "112.5", 12.0),
                 vor("EAS", -16.60, 179.70, "113.1", 12.5), vor("WES", -15.20, -178.50, "114.3", 13.0),
                 airport("NLWW", -13.2383, -176.199)});
}

flightplan::FlightPlan bayArea()
{
    return plan({airport("KSFO", 37.618806, -122.375417), vor("OSI", 37.3925, -122.28130556, "113.9", 17.0),
                 vor("SJC", 37.37472222, -121.94466667, "114.1", 16.0), airport("KSJC", 37.3626, -121.929)});
}

follow::GeoPoint offLeg(const flightplan::FlightPlan& plan, std::size_t leg, double alongNm, double rightNm)
{
    const Waypoint& a = plan.waypoints[plan.legs[leg].from];
    const Waypoint& b = plan.waypoints[plan.legs[leg].to];
    const GeographicLib::Geodesic& g = GeographicLib::Geodesic::WGS84();
    const GeographicLib::GeodesicLine line = g.InverseLine(a.latitude, a.longitude, b.latitude, b.longitude);
    double lat = 0, lon = 0, azimuth = 0;
    line.Position(alongNm * 1852.0, lat, lon, azimuth);
    follow::GeoPoint p{lat, lon};
    if (rightNm != 0.0)
        g.Direct(lat, lon, azimuth + 90.0, rightNm * 1852.0, p.latitude, p.longitude);
    return p;
}

}  // namespace testplans
