// SPDX-License-Identifier: GPL-3.0-or-later
#include "flightplan/WindTriangle.h"

#include "base/NumberText.h"
#include "base/Units.h"

#include <cmath>
#include <cstdio>

namespace flightplan {

namespace {

using base::PI;

double radians(double degrees)
{
    return degrees * PI / 180.0;
}

}  // namespace

std::optional<WindCorrection> correctForWind(double courseTrue, double trueAirspeedKt, const Wind& wind)
{
    if (!(trueAirspeedKt > 0.0))
        return std::nullopt;
    const double angle = radians(wind.fromTrueDeg - courseTrue);
    const double cross = wind.speedKt * std::sin(angle);  // from the right is positive
    // A cross component equal to the airspeed leaves the aircraft crabbing
    // at 90 degrees, getting nowhere along the course: impossible too.
    if (std::fabs(cross) >= trueAirspeedKt)
        return std::nullopt;
    const double correction = std::asin(cross / trueAirspeedKt);
    const double groundSpeed = trueAirspeedKt * std::cos(correction) - wind.speedKt * std::cos(angle);
    if (!(groundSpeed >= MIN_GROUND_SPEED_KT) || !std::isfinite(groundSpeed))
        return std::nullopt;
    return WindCorrection{correction * 180.0 / PI, groundSpeed};
}

std::optional<Wind> parseWind(std::string_view text)
{
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos || text.find('/', slash + 1) != std::string_view::npos)
        return std::nullopt;
    const std::optional<double> direction = base::parseDecimal(text.substr(0, slash));
    const std::optional<double> speed = base::parseDecimal(text.substr(slash + 1));
    if (!direction || !speed || *direction < 0.0 || *direction > 360.0 || *speed < 0.0 || *speed > MAX_WIND_SPEED_KT)
        return std::nullopt;
    return Wind{*direction, *speed == 0.0 ? 0.0 : *speed};  // no "-0" knots
}

std::string windText(const Wind& wind)
{
    long direction = std::lround(wind.fromTrueDeg);
    if (direction == 0)
        direction = 360;
    char text[48];
    std::snprintf(text, sizeof text, "%03ld/%s", direction, base::formatFixed(wind.speedKt, 0).c_str());
    return text;
}

}  // namespace flightplan
