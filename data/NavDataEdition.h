// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

class CDatabase;

// Which navigation data a database holds, as its import recorded it (table
// data_sources, written by meridane-navdb).
struct NavDataEdition {
    std::string ourairportsDate;  // the newest date of the OurAirports files, YYYY-MM-DD; "" unknown
    std::string ilsCycle;         // the X-Plane data cycle of the ILS frequencies ("2013.10"); "" none
};

// A database imported before the import kept this record gives an empty
// edition; so does one whose record cannot be read.
NavDataEdition ReadNavDataEdition(CDatabase* database);

// "Navigation data: OurAirports of 2026-08-22, ILS from X-Plane 2013.10", for
// the About box, meridane-plan --version and the kneeboard.
std::string NavDataLine(const NavDataEdition& edition);

// Whole days from the data's date to today (both YYYY-MM-DD); nullopt when
// either is no date.
std::optional<int> NavDataAgeDays(const NavDataEdition& edition, const std::string& today);

// Data older than this many days gets a note in the window.
constexpr int NAV_DATA_STALE_DAYS = 60;

// The note for data that old, or "" when it is younger or of unknown age.
std::string StaleNavDataNote(const NavDataEdition& edition, const std::string& today);

// Today's date in UTC, YYYY-MM-DD.
std::string TodayUtc();
