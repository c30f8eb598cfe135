// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/map/SampleScenes.h"

namespace maptest {

using map::MapPoint;
using map::MapScene;

namespace {

MapPoint airport(const char* ident, const char* name, double lat, double lon)
{
    return {ident, name, "", lat, lon, MapPoint::Kind::Airport, std::nullopt};
}

MapPoint vor(const char* ident, const char* frequency, double lat, double lon)
{
    return {ident, ident, frequency, lat, lon, MapPoint::Kind::Vor, std::nullopt};
}

}  // namespace

MapScene newYorkToLosAngeles()
{
    MapScene scene;
    scene.route = {airport("KJFK", "JOHN F KENNEDY INTL", 40.64, -73.78), vor("PSB", "115.50", 40.92, -77.99),
                   vor("FWA", "117.80", 40.98, -85.19), vor("IRK", "114.30", 40.14, -92.59),
                   vor("HYS", "117.10", 38.85, -99.28), vor("TBE", "113.90", 37.27, -103.60),
                   vor("DRK", "116.20", 34.70, -112.48), airport("KLAX", "LOS ANGELES INTL", 33.94, -118.41)};
    // A grid of beacons standing in for the ones the search passed over.
    for (int i = 0; i < 18; ++i) {
        for (int j = 0; j < 9; ++j) {
            const std::string ident = "V" + std::to_string(i * 9 + j);
            scene.otherBeacons.push_back(vor(ident.c_str(), "110.00", 30.5 + j * 2.1, -121.0 + i * 2.8));
        }
    }
    return scene;
}

MapScene londonToParis()
{
    MapScene scene;
    scene.route = {airport("EGLL", "LONDON HEATHROW", 51.47, -0.46), vor("DET", "117.30", 51.30, 0.60),
                   vor("ABB", "116.60", 50.14, 1.85), airport("LFPG", "CHARLES DE GAULLE", 49.01, 2.55)};
    scene.otherBeacons = {vor("BIG", "115.10", 51.33, 0.03), vor("LAM", "115.60", 51.65, 0.15),
                       vor("BNN", "113.75", 51.73, -0.55), vor("OCK", "115.30", 51.31, -0.45),
                       vor("CTL", "117.60", 49.17, 2.02), vor("PON", "116.40", 49.10, 2.04)};
    return scene;
}

MapScene fijiToSamoa()
{
    MapScene scene;
    scene.route = {airport("NFFN", "NADI INTL", -17.755, 177.443), airport("NSFA", "FALEOLO INTL", -13.83, -171.998)};
    return scene;
}

}  // namespace maptest
