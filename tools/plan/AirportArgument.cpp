// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/plan/AirportArgument.h"

#include "route/AirportLookup.h"
#include "search/AirportSearch.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

namespace {

using search::AirportMatch;

// As many matches as a terminal shows at a glance.
constexpr std::size_t SHOWN_MATCHES = 5;

std::string MatchLine(const AirportMatch& m)
{
    char codes[32];
    std::snprintf(codes, sizeof codes, "  %-8s%-5s", m.ident.c_str(), m.iata.c_str());
    std::string line = codes + m.name;
    for (const std::string* part : {&m.city, &m.country})
        if (!part->empty())
            line += ", " + *part;
    return line + "\n";
}

}  // namespace

std::string ResolveAirportArgument(CDatabase& database, const std::string& text, const std::string& databaseName,
                                   std::ostream& err)
{
    const std::string id = FindAirportID(&database, text);
    if (!id.empty())
        return id;
    const std::string noAirport = "meridane-plan: no airport " + text + " in " + databaseName;
    search::AirportSearch search(&database);
    if (!text.empty() && text[0] == '#') {
        err << noAirport << "\n";
        return {};
    }
    if (!search.available()) {
        err << noAirport << " (rebuild it with meridane-navdb to name airports by IATA code)\n";
        return {};
    }

    const std::vector<AirportMatch> matches = search.find(text, 2 * SHOWN_MATCHES);
    const auto codes = std::count_if(matches.begin(), matches.end(),
                                     [](const AirportMatch& m) { return m.kind == AirportMatch::Kind::Code; });
    if (codes == 1)
        return matches.front().id;
    if (matches.empty()) {
        err << noAirport << "\n";
        return {};
    }
    err << "meridane-plan: " << text
        << (codes > 1 ? " is the code of more than one airport" : " is no airport's ident or IATA code")
        << "; best matches:\n";
    for (std::size_t i = 0; i < std::min(matches.size(), SHOWN_MATCHES); ++i)
        err << MatchLine(matches[i]);
    return {};
}
