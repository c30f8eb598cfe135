// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "simlink/SimSample.h"

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace simlink {

// FlightGear's property server, spoken as its telnet-style text protocol:
// "data" first (raw values, one line per get), then per update one batch of
// gets. A batch is framed by a marker property set before it and read
// after it, so that a reply can never be taken for another one however the
// lines arrive (in pieces, with stray lines between).
namespace flightgear {

// The properties an update reads, in the order of the batch.
const std::vector<std::string>& sampleProperties();
// The property that frames each batch.
inline constexpr const char* MARKER_PROPERTY = "/sim/meridane/update";

std::string greeting();  // "data\r\n"
std::string batchRequest(unsigned sequence);
std::string markerValue(unsigned sequence);  // "u17"
// The set commands of a tune command.
std::string tuneRequest(const TuneCommand& command);
// FlightGear's own quit, which ends it cleanly.
std::string quitRequest();

// The sample of one batch's replies (in sampleProperties() order); nullopt
// when the position is missing or no place on the Earth.
std::optional<AircraftSample> sampleFromReplies(const std::vector<std::string>& replies);

// Cuts what arrives into lines and finds the replies of the batch sent
// last: the lines before its marker. Lines longer than any reply are
// dropped, as are replies of older batches.
class ReplyReader {
public:
    static constexpr std::size_t LONGEST_LINE = 1024;

    void expect(unsigned sequence) { m_expected = markerValue(sequence); }
    // Returns the batch's replies once its marker has arrived.
    std::optional<std::vector<std::string>> feed(const char* data, std::size_t size);

private:
    std::string m_partial;
    bool m_overlong = false;
    std::deque<std::string> m_lines;
    std::string m_expected;
};

}  // namespace flightgear

}  // namespace simlink
