// SPDX-License-Identifier: GPL-3.0-or-later
#include "flying/FollowText.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace flying {

namespace {

std::string fixed(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// Rounded for the pilot's eye; JSON keeps what a script needs.
nlohmann::json rounded(const std::optional<double>& value, int decimals)
{
    if (!value || !std::isfinite(*value))
        return nullptr;
    const double scale = std::pow(10.0, decimals);
    return std::round(*value * scale) / scale;
}

// A radial as a pilot says it: 005, 163, 360 for north.
std::string radialText(double radial)
{
    int whole = static_cast<int>(std::lround(radial));
    if (whole == 0)
        whole = 360;
    char text[8];
    std::snprintf(text, sizeof text, "%03d", whole);
    return text;
}

}  // namespace

std::string followTextLine(const flightplan::FlightPlan& plan, const FollowFrame& frame)
{
    if (!frame.state.leg || plan.legs.empty())
        return "no leg: the plan has none";
    const flightplan::Leg& leg = plan.legs[*frame.state.leg];
    const follow::NavStrip& strip = frame.strip;
    std::string line = "leg " + std::to_string(*frame.state.leg) + " " + plan.waypoints[leg.from].ident + "-" +
                       plan.waypoints[leg.to].ident;
    if (strip.station) {
        line += "  " + strip.station->ident + " " + strip.station->frequency.value_or("---");
        if (strip.vor.radial)
            line += "  radial " + radialText(*strip.vor.radial) + " " + follow::toFromText(strip.vor.toFrom);
        else
            line += "  over the station";
        if (strip.vor.cdiDots)
            line += "  CDI " + std::string(*strip.vor.cdiDots >= 0 ? "+" : "") + fixed(*strip.vor.cdiDots, 1);
    } else {
        line += "  no beacon";
    }
    const double xtk = strip.progress.crossTrackNm;
    line += "  XTK " + fixed(std::fabs(xtk), 1) + (std::fabs(xtk) < 0.05 ? "" : xtk > 0 ? " R" : " L");
    line += "  to go " + fixed(std::max(strip.progress.toGoNm, 0.0), 1) + " nm";
    line += strip.eteMinutes ? " " + fixed(*strip.eteMinutes, 1) + " min" : " -- min";
    if (frame.state.arrived)
        line += "  arrived";
    return line;
}

std::string cdiGauge(double dots)
{
    const double clamped = std::isfinite(dots) ? std::clamp(dots, -5.0, 5.0) : 0.0;
    const int at = static_cast<int>(std::lround(clamped)) + 5;
    std::string gauge;
    for (int i = 0; i <= 10; ++i)
        gauge += i == at ? "◆" : i == 5 ? "|" : "·";
    return gauge;
}

StripLines followStripLines(const flightplan::FlightPlan& plan, const FollowFrame& frame)
{
    StripLines lines;
    if (!frame.state.leg || *frame.state.leg >= plan.legs.size())
        return {"No leg to fly: the plan has none", ""};
    const std::size_t index = *frame.state.leg;
    const flightplan::Leg& leg = plan.legs[index];
    const follow::NavStrip& strip = frame.strip;
    lines.leg = "Leg " + std::to_string(index + 1) + " of " + std::to_string(plan.legs.size()) + ": " +
                plan.waypoints[leg.from].ident + " → " + plan.waypoints[leg.to].ident;
    if (strip.station)
        lines.leg += " · tune " + strip.station->ident + " " + strip.station->frequency.value_or("(no frequency)") +
                     ", OBS " + radialText(strip.station->courseDeg);
    else
        lines.leg += " · no beacon to tune";
    if (frame.state.arrived)
        lines.leg += " · arrived";

    if (strip.station) {
        if (strip.vor.radial)
            lines.needle = "Radial " + radialText(*strip.vor.radial) + " " + follow::toFromText(strip.vor.toFrom);
        else
            lines.needle = "Over " + strip.station->ident;
        if (strip.vor.cdiDots)
            lines.needle += " · CDI " + cdiGauge(*strip.vor.cdiDots) + " " +
                            (*strip.vor.cdiDots < 0 ? "−" : "+") + fixed(std::fabs(*strip.vor.cdiDots), 1);
        lines.needle += " · ";
    }
    const double xtk = strip.progress.crossTrackNm;
    lines.needle += "XTK " + fixed(std::fabs(xtk), 1) + " nm" + (std::fabs(xtk) < 0.05 ? "" : xtk > 0 ? " R" : " L");
    lines.needle += " · " + fixed(std::max(strip.progress.toGoNm, 0.0), 1) + " nm";
    if (strip.eteMinutes)
        lines.needle += ", " + fixed(*strip.eteMinutes, 1) + " min";
    lines.needle += " to " + plan.waypoints[leg.to].ident;
    return lines;
}

std::string followJsonLine(const flightplan::FlightPlan& plan, const FollowFrame& frame, const std::string& link)
{
    const simlink::AircraftSample& s = frame.sample;
    const follow::NavStrip& strip = frame.strip;
    nlohmann::ordered_json o;
    o["lat"] = rounded(s.latitude, 6);
    o["lon"] = rounded(s.longitude, 6);
    o["alt_ft"] = rounded(s.altitudeFt, 0);
    o["gs_kt"] = rounded(s.groundSpeedKt, 1);
    o["hdg_mag"] = rounded(s.headingMagneticDeg, 1);
    const bool onLeg = frame.state.leg && *frame.state.leg < plan.legs.size();
    o["leg"] = onLeg ? nlohmann::json(*frame.state.leg) : nlohmann::json(nullptr);
    o["from"] = onLeg ? nlohmann::json(plan.waypoints[plan.legs[*frame.state.leg].from].ident) : nullptr;
    o["to"] = onLeg ? nlohmann::json(plan.waypoints[plan.legs[*frame.state.leg].to].ident) : nullptr;
    o["station"] = strip.station ? nlohmann::json(strip.station->ident) : nullptr;
    o["frequency"] = strip.station && strip.station->frequency ? nlohmann::json(*strip.station->frequency) : nullptr;
    o["course"] = strip.station ? rounded(strip.station->courseDeg, 1) : nullptr;
    o["radial"] = rounded(strip.vor.radial, 1);
    o["to_from"] = strip.station ? nlohmann::json(follow::toFromText(strip.vor.toFrom)) : nullptr;
    o["cdi_dots"] = rounded(strip.vor.cdiDots, 2);
    o["xtk_nm"] = onLeg ? rounded(strip.progress.crossTrackNm, 2) : nullptr;
    o["along_nm"] = onLeg ? rounded(strip.progress.alongNm, 2) : nullptr;
    o["to_go_nm"] = onLeg ? rounded(std::max(strip.progress.toGoNm, 0.0), 2) : nullptr;
    o["ete_min"] = rounded(strip.eteMinutes, 1);
    o["arrived"] = frame.state.arrived;
    nlohmann::ordered_json nav;
    nav["frequency"] = rounded(s.nav1.frequencyMhz, 2);
    nav["radial"] = rounded(s.nav1.radialDeg, 1);
    nav["to_from"] = s.nav1.toFlag.value_or(false) ? "TO" : s.nav1.fromFlag.value_or(false) ? "FROM" : "OFF";
    nav["in_range"] = s.nav1.inRange ? nlohmann::json(*s.nav1.inRange) : nullptr;
    o["nav1"] = nav;
    o["link"] = link;
    return o.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace flying
