// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "coverage/Station.h"

#include <cstdint>
#include <vector>

class CDatabase;

namespace stations {

// Reads the VOR-family stations, or the NDBs, with what the coverage of a leg needs: the
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

    // Every NDB (NDB and NDB-DME) with a position and a class, in ID order.
    std::vector<coverage::Station> readAllNdbs();

    // The stations of these navs IDs, in the order given; an ID that is no
    // such station is left out.
    std::vector<coverage::Station> readByIds(const std::vector<std::int64_t>& ids);

    // Both throw CDBException with a text that names the cause, telling
    // the user to import again when the database lacks the station classes.

private:
    std::vector<coverage::Station> read(const std::string& where, std::vector<std::string> parameters,
                                        coverage::StationKind kind = coverage::StationKind::Vor);

    CDatabase* m_database;
};

}  // namespace stations
