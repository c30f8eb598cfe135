// SPDX-License-Identifier: GPL-3.0-or-later
#include "simlink/FlightGearProtocol.h"

#include "simlink/SampleValues.h"

#include <cmath>
#include <cstdio>

namespace simlink::flightgear {

namespace {

enum Field {
    LATITUDE,
    LONGITUDE,
    ALTITUDE,
    HEADING,
    GROUND_SPEED,
    NAV_FREQUENCY,
    NAV_SELECTED,
    NAV_ACTUAL,
    NAV_DEFLECTION,
    NAV_TO,
    NAV_FROM,
    NAV_IN_RANGE,
    NAV_ID,
    FIELD_COUNT
};

std::string number(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

}  // namespace

const std::vector<std::string>& sampleProperties()
{
    static const std::vector<std::string> properties = {
        "/position/latitude-deg",
        "/position/longitude-deg",
        "/position/altitude-ft",
        "/orientation/heading-magnetic-deg",
        "/velocities/groundspeed-kt",
        "/instrumentation/nav[0]/frequencies/selected-mhz",
        "/instrumentation/nav[0]/radials/selected-deg",
        "/instrumentation/nav[0]/radials/actual-deg",
        "/instrumentation/nav[0]/heading-needle-deflection",
        "/instrumentation/nav[0]/to-flag",
        "/instrumentation/nav[0]/from-flag",
        "/instrumentation/nav[0]/in-range",
        "/instrumentation/nav[0]/nav-id",
    };
    return properties;
}

std::string greeting() { return "data\r\n"; }

std::string markerValue(unsigned sequence) { return "u" + std::to_string(sequence); }

std::string batchRequest(unsigned sequence)
{
    std::string request = std::string("set ") + MARKER_PROPERTY + " " + markerValue(sequence) + "\r\n";
    request += std::string("get ") + MARKER_PROPERTY + "\r\n";
    for (const std::string& property : sampleProperties())
        request += "get " + property + "\r\n";
    request += std::string("get ") + MARKER_PROPERTY + "\r\n";
    return request;
}

std::string tuneRequest(const TuneCommand& command)
{
    if (!std::isfinite(command.frequency))
        return {};
    std::string request;
    if (command.radio == Radio::Adf1) {
        request += "set /instrumentation/adf[0]/frequencies/selected-khz " + number(command.frequency, 1) + "\r\n";
        return request;
    }
    request += "set /instrumentation/nav[0]/frequencies/selected-mhz " + number(command.frequency, 2) + "\r\n";
    if (command.courseDeg) {
        if (const std::optional<double> course = angleOf(*command.courseDeg))
            request += "set /instrumentation/nav[0]/radials/selected-deg " + number(*course, 1) + "\r\n";
    }
    return request;
}

std::string quitRequest() { return "run exit\r\n"; }

std::optional<AircraftSample> sampleFromReplies(const std::vector<std::string>& replies)
{
    if (replies.size() != FIELD_COUNT)
        return std::nullopt;
    const std::optional<double> latitude = numberIn(replies[LATITUDE], -90.0, 90.0);
    const std::optional<double> longitude = numberIn(replies[LONGITUDE], -180.0, 180.0);
    if (!latitude || !longitude)
        return std::nullopt;
    AircraftSample sample;
    sample.latitude = *latitude;
    sample.longitude = *longitude;
    sample.altitudeFt = numberIn(replies[ALTITUDE], -2000.0, 200000.0);
    sample.headingMagneticDeg = angleText(replies[HEADING]);
    sample.groundSpeedKt = numberIn(replies[GROUND_SPEED], -5000.0, 5000.0);
    if (sample.groundSpeedKt)
        sample.groundSpeedKt = std::fabs(*sample.groundSpeedKt);
    Nav1Reading& nav = sample.nav1;
    nav.frequencyMhz = numberIn(replies[NAV_FREQUENCY], 108.0, 118.0);
    nav.selectedDeg = angleText(replies[NAV_SELECTED]);
    // FlightGear leaves this one unnormalised: -17 on the 343 radial.
    nav.radialDeg = angleText(replies[NAV_ACTUAL]);
    nav.deflectionDeg = numberIn(replies[NAV_DEFLECTION], -10.0, 10.0);
    nav.toFlag = flagText(replies[NAV_TO]);
    nav.fromFlag = flagText(replies[NAV_FROM]);
    nav.inRange = flagText(replies[NAV_IN_RANGE]);
    nav.navId = identText(replies[NAV_ID]);
    return sample;
}

std::optional<std::vector<std::string>> ReplyReader::feed(const char* data, std::size_t size)
{
    std::optional<std::vector<std::string>> found;
    for (std::size_t i = 0; i < size; ++i) {
        const char c = data[i];
        if (c != '\n') {
            if (m_partial.size() < LONGEST_LINE)
                m_partial += c;
            else
                m_overlong = true;
            continue;
        }
        if (!m_partial.empty() && m_partial.back() == '\r')
            m_partial.pop_back();
        std::string line;
        line.swap(m_partial);
        if (m_overlong) {
            m_overlong = false;
            continue;
        }
        if (!m_expected.empty() && line == m_expected) {
            if (m_inBatch && m_lines.size() == sampleProperties().size())
                found = m_lines;
            m_inBatch = !m_inBatch;
            m_lines.clear();
            continue;
        }
        if (!m_inBatch)
            continue;
        m_lines.push_back(std::move(line));
        // Stray lines within the batch: it no longer says which reply is which.
        if (m_lines.size() > sampleProperties().size()) {
            m_inBatch = false;
            m_lines.clear();
        }
    }
    return found;
}

}  // namespace simlink::flightgear
