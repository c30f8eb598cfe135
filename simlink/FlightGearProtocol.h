// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "simlink/SimSample.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace simlink {

// FlightGear's property server, spoken as its telnet-style text protocol:
// "data" first (raw values, one line per get), then per update one batch of
// gets. A batch is framed by a marker property, set before it and read at
// its start and its end, so that a reply is never taken for another one
// however the lines arrive (in pieces, with stray lines between): a batch
// counts only with exactly its replies between the two markers.
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
// last: the lines between its markers. Lines longer than any reply are
// dropped, as are replies of older batches and a batch with stray lines.
class ReplyReader {
public:
    static constexpr std::size_t LONGEST_LINE = 1024;

    void expect(unsigned sequence)
    {
        m_expected = markerValue(sequence);
        m_inBatch = false;
        m_lines.clear();
    }
    // Returns the batch's replies once its marker has arrived.
    std::optional<std::vector<std::string>> feed(const char* data, std::size_t size);

private:
    std::string m_partial;
    bool m_overlong = false;
    bool m_inBatch = false;
    std::vector<std::string> m_lines;
    std::string m_expected;
};

}  // namespace flightgear

}  // namespace simlink
