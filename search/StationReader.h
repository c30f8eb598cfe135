// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "coverage/Station.h"

#include <cstdint>
#include <vector>

class CDatabase;

namespace search {

// Reads the VOR-family stations with what the coverage of a leg needs: the
// precise position, elevation, frequency, declination, service class and
// simulator range. One query each; values reach the database only as bound
// parameters.
class StationReader {
public:
    // The connection is borrowed and must outlive the reader.
    explicit StationReader(CDatabase* database);

    // Every VOR-family station with a position, in ID order. A row whose
    // position is damaged is left out: it costs the search one beacon, not
    // the route.
    std::vector<coverage::Station> readAll();

    // The same stations with only what the best-route search needs: ID,
    // position, elevation, class and simulator range (no ident, name,
    // frequency or declination). Read the stations a route takes in full
    // with readByIds.
    std::vector<coverage::Station> readSearchFacts();

    // Every NDB (NDB and NDB-DME) with a position and a class, in ID
    // order, with what the search needs as readSearchFacts gives it; its
    // class in ndbClass, its kind Ndb.
    std::vector<coverage::Station> readNdbSearchFacts();

    // The stations of these navs IDs, VORs and NDBs, in the order given; an
    // ID that is no such station is left out.
    std::vector<coverage::Station> readByIds(const std::vector<std::int64_t>& ids);

    // Whether the database gives any station a simulator's range: false when
    // nav_coverage is missing or empty, or was imported without nav.dat.
    bool hasSimulatorRanges();

    // Both read functions throw CDBException with a text that names the cause, telling
    // the user to import again when the database lacks the station classes.

private:
    std::vector<coverage::Station> read(const char* select, const std::string& where,
                                        std::vector<std::string> parameters,
                                        coverage::StationKind kind = coverage::StationKind::Vor);

    CDatabase* m_database;
};

}  // namespace search
