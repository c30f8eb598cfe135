// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "simlink/SimSample.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace simlink::xplane {

// X-Plane's UDP interface: an RREF request subscribes to one dataref at a
// rate (0 ends it) under an index of ours; X-Plane answers with "RREF",
// one more byte, and pairs of (int32 index, float32 value); a DREF request
// sets a dataref. All numbers little-endian.
inline constexpr std::size_t RREF_REQUEST_SIZE = 413;  // "RREF\0", 2 x int32, 400-byte path
inline constexpr std::size_t DREF_REQUEST_SIZE = 509;  // "DREF\0", float32, 500-byte path
inline constexpr int UPDATES_PER_SECOND = 5;

// The datarefs a sample is made of; their index is their place here.
const std::vector<std::string>& sampleDatarefs();

std::string subscribeRequest(int index, int perSecond);  // perSecond 0 unsubscribes
std::string setRequest(const std::string& dataref, float value);
// The DREF requests of a tune command (frequency in 10 kHz units, OBS).
std::vector<std::string> tuneRequests(const TuneCommand& command);

struct IndexedValue {
    int index = 0;
    float value = 0.0f;
};
// The pairs of an RREF answer; nullopt for anything else.
std::optional<std::vector<IndexedValue>> parseAnswer(const char* data, std::size_t size);

// The latest value of each subscribed dataref, and the sample they make.
class DatarefValues {
public:
    DatarefValues();
    // Takes the pairs whose index is one of ours; false when none was.
    bool take(const std::vector<IndexedValue>& values);
    std::optional<AircraftSample> sample() const;

private:
    std::vector<std::optional<float>> m_values;
};

}  // namespace simlink::xplane
