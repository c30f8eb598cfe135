// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace map {

// One place drawn on the map, in degrees (north and east positive).
struct MapPoint {
    enum class Kind { Airport, Vor, Ndb };

    std::string ident;
    std::string name;
    // As the pilot reads it, e.g. "114.50", "ADF 338"; empty for airports.
    std::string frequency;
    double lat = 0.0;
    double lon = 0.0;
    Kind kind = Kind::Vor;
    // A route beacon's reception range at the plan's cruise; nullopt for
    // airports (received nowhere) and where the plan does not say.
    std::optional<double> rangeNm;
};

// The stretch of a leg that no beacon reaches, in nautical miles from the
// leg's start, as the plan's coverage found it; the leg runs from
// route[leg] to route[leg + 1].
struct UncoveredStretch {
    std::size_t leg = 0;
    double fromNm = 0.0;
    double toNm = 0.0;
};

// The aircraft a simulator flies, for the map: where it is, where it points
// and where it has been (oldest first).
struct AircraftMark {
    double lat = 0.0;
    double lon = 0.0;
    std::optional<double> headingTrue;
    struct TrackPoint {
        double lat = 0.0;
        double lon = 0.0;
    };
    std::vector<TrackPoint> track;
};

// What the map shows: the route in flying order (departure, beacons,
// destination) and, faintly, the other beacons the search chose among.
// Points with coordinates that are not finite are left out of the drawing.
struct MapScene {
    std::vector<MapPoint> route;
    std::vector<MapPoint> otherBeacons;
    // Marked over the route's legs.
    std::vector<UncoveredStretch> uncovered;
    bool showRanges = false;  // the route beacons' ranges as rings
    // While a flight is followed: the leg flown (from route[i] to
    // route[i + 1]) drawn bold, and the aircraft with its track.
    std::optional<std::size_t> activeLeg;
    std::optional<AircraftMark> aircraft;
};

// Which part of the earth fills the picture: the point at its centre and the
// scale there. The window pans by moving the centre and zooms by changing the
// scale; fitView and worldView give the starting views.
struct MapView {
    double centerLat = 0.0;
    double centerLon = 0.0;
    double nmPerPixel = 1.0;
};

}  // namespace map
