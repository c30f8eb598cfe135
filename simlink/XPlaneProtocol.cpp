// SPDX-License-Identifier: GPL-3.0-or-later
#include "simlink/XPlaneProtocol.h"

#include "base/Units.h"
#include "simlink/SampleValues.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace simlink::xplane {

namespace {

enum Dataref {
    LATITUDE,
    LONGITUDE,
    ELEVATION_M,
    HEADING_MAG,
    GROUND_SPEED_MS,
    NAV1_FREQUENCY,
    NAV1_OBS,
    NAV1_BEARING_MAG,
    NAV1_FLAG,
    DATAREF_COUNT
};

constexpr double FEET_PER_METRE = 1.0 / 0.3048;
constexpr double KNOTS_PER_MS = 3600.0 / base::METRES_PER_NM;

void putInt32(std::string& out, std::int32_t value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, 4);
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((bits >> (8 * i)) & 0xff);
}

void putFloat(std::string& out, float value)
{
    std::int32_t bits;
    std::memcpy(&bits, &value, 4);
    putInt32(out, bits);
}

std::uint32_t getUint32(const char* p)
{
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= static_cast<std::uint32_t>(static_cast<unsigned char>(p[i])) << (8 * i);
    return bits;
}

// A path in a fixed field: NUL-terminated, the rest of the field filled.
void putPath(std::string& out, const std::string& path, std::size_t field, char fill)
{
    const std::size_t length = std::min(path.size(), field - 1);
    out.append(path, 0, length);
    out += '\0';
    out.append(field - length - 1, fill);
}

std::optional<double> valueOf(const std::optional<float>& value)
{
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return static_cast<double>(*value);
}

}  // namespace

const std::vector<std::string>& sampleDatarefs()
{
    static const std::vector<std::string> datarefs = {
        "sim/flightmodel/position/latitude",
        "sim/flightmodel/position/longitude",
        "sim/flightmodel/position/elevation",
        "sim/flightmodel/position/mag_psi",
        "sim/flightmodel/position/groundspeed",
        "sim/cockpit2/radios/actuators/nav1_frequency_hz",
        "sim/cockpit2/radios/actuators/nav1_obs_deg_mag_pilot",
        "sim/cockpit2/radios/indicators/nav1_bearing_deg_mag",
        "sim/cockpit2/radios/indicators/nav1_flag_from_to_pilot",
    };
    return datarefs;
}

std::string subscribeRequest(int index, int perSecond)
{
    std::string request("RREF", 4);
    request += '\0';
    putInt32(request, perSecond);
    putInt32(request, index);
    putPath(request, sampleDatarefs().at(static_cast<std::size_t>(index)), 400, '\0');
    return request;
}

std::string setRequest(const std::string& dataref, float value)
{
    std::string request("DREF", 4);
    request += '\0';
    putFloat(request, value);
    // X-Plane's own description pads the path with spaces after its NUL.
    putPath(request, dataref, 500, ' ');
    return request;
}

std::vector<std::string> tuneRequests(const TuneCommand& command)
{
    std::vector<std::string> requests;
    if (!std::isfinite(command.frequency))
        return requests;
    if (command.radio == Radio::Adf1) {
        requests.push_back(setRequest("sim/cockpit2/radios/actuators/adf1_frequency_hz",
                                      static_cast<float>(std::round(command.frequency))));
        return requests;
    }
    // In 10 kHz units: 11580 is 115.80 MHz.
    requests.push_back(setRequest("sim/cockpit2/radios/actuators/nav1_frequency_hz",
                                  static_cast<float>(std::round(command.frequency * 100.0))));
    if (command.courseDeg) {
        if (const std::optional<double> course = angleOf(*command.courseDeg))
            requests.push_back(
                setRequest("sim/cockpit2/radios/actuators/nav1_obs_deg_mag_pilot", static_cast<float>(*course)));
    }
    return requests;
}

std::optional<std::vector<IndexedValue>> parseAnswer(const char* data, std::size_t size)
{
    if (size < 5 || std::memcmp(data, "RREF", 4) != 0)
        return std::nullopt;
    std::vector<IndexedValue> values;
    for (std::size_t at = 5; at + 8 <= size; at += 8) {
        IndexedValue v;
        const std::uint32_t index = getUint32(data + at);
        std::memcpy(&v.index, &index, 4);
        const std::uint32_t bits = getUint32(data + at + 4);
        std::memcpy(&v.value, &bits, 4);
        values.push_back(v);
    }
    return values;
}

DatarefValues::DatarefValues() : m_values(DATAREF_COUNT) {}

bool DatarefValues::take(const std::vector<IndexedValue>& values)
{
    bool any = false;
    for (const IndexedValue& v : values) {
        if (v.index >= 0 && v.index < DATAREF_COUNT) {
            m_values[static_cast<std::size_t>(v.index)] = v.value;
            any = true;
        }
    }
    return any;
}

std::optional<AircraftSample> DatarefValues::sample() const
{
    const std::optional<double> latitude = valueOf(m_values[LATITUDE]);
    const std::optional<double> longitude = valueOf(m_values[LONGITUDE]);
    if (!latitude || !longitude || std::fabs(*latitude) > 90.0 || std::fabs(*longitude) > 180.0)
        return std::nullopt;
    AircraftSample sample;
    sample.latitude = *latitude;
    sample.longitude = *longitude;
    if (const auto metres = valueOf(m_values[ELEVATION_M]); metres && std::fabs(*metres) < 60000.0)
        sample.altitudeFt = *metres * FEET_PER_METRE;
    if (const auto heading = valueOf(m_values[HEADING_MAG]))
        sample.headingMagneticDeg = angleOf(*heading);
    if (const auto speed = valueOf(m_values[GROUND_SPEED_MS]); speed && std::fabs(*speed) < 3000.0)
        sample.groundSpeedKt = std::fabs(*speed) * KNOTS_PER_MS;
    Nav1Reading& nav = sample.nav1;
    if (const auto units = valueOf(m_values[NAV1_FREQUENCY]); units && *units >= 10800.0 && *units <= 11800.0)
        nav.frequencyMhz = *units / 100.0;
    if (const auto obs = valueOf(m_values[NAV1_OBS]))
        nav.selectedDeg = angleOf(*obs);
    // The bearing to the station, from the aircraft: the radial is its reciprocal.
    if (const auto bearing = valueOf(m_values[NAV1_BEARING_MAG]))
        nav.radialDeg = angleOf(*bearing + 180.0);
    if (const auto flag = valueOf(m_values[NAV1_FLAG])) {
        // 0: no signal, 1: TO, 2: FROM.
        const int f = static_cast<int>(std::lround(std::fmin(std::fmax(*flag, -1.0), 3.0)));
        nav.toFlag = f == 1;
        nav.fromFlag = f == 2;
        nav.inRange = f == 1 || f == 2;
        if (!nav.inRange.value())
            nav.radialDeg.reset();
    }
    return sample;
}

}  // namespace simlink::xplane
