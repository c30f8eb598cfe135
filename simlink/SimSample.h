// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace simlink {

// What the simulator's first NAV receiver shows. Each figure is nullopt
// when the simulator did not give it or gave something that is no such
// figure (not a number, out of its range).
struct Nav1Reading {
    std::optional<double> frequencyMhz;
    std::optional<double> selectedDeg;  // the OBS, [0, 360)
    std::optional<double> radialDeg;    // the radial the aircraft is on, [0, 360)
    std::optional<double> deflectionDeg;  // the needle, positive: course to the right
    std::optional<bool> toFlag;
    std::optional<bool> fromFlag;
    std::optional<bool> inRange;
    std::string navId;  // the station received; "" when none
};

// One update from the simulator. Position is always a place on the Earth;
// an update without one is never handed on.
struct AircraftSample {
    double latitude = 0.0;   // degrees, north positive
    double longitude = 0.0;  // degrees, east positive, [-180, 180]
    std::optional<double> altitudeFt;
    std::optional<double> headingMagneticDeg;
    std::optional<double> groundSpeedKt;
    Nav1Reading nav1;
};

// How the link stands, for the pilot: `message` says it in words
// ("Connected to FlightGear on localhost:5401", "No FlightGear answers on
// ... — start it with ...").
enum class LinkState { Connecting, Connected, Lost };
struct LinkStatus {
    LinkState state = LinkState::Connecting;
    std::string message;
};

// The radio a tune command sets. An NDB leg sets the ADF: its frequency in
// kHz and no course.
enum class Radio { Nav1, Adf1 };

struct TuneCommand {
    Radio radio = Radio::Nav1;
    double frequency = 0.0;           // MHz for NAV1, kHz for the ADF
    std::optional<double> courseDeg;  // the OBS, magnetic
};

}  // namespace simlink
