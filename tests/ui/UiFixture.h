// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Fixture databases and test bases for the window tests.

#include "tests/support/FixtureDb.h"

#include "ui/ErrorReport.h"

#include <string>
#include <vector>

// An airports row; texts are escaped here.
std::string Airport(int id, const std::string& name, const std::string& region, const std::string& country,
                    const std::string& state, const std::string& city, const std::string& elevation = "100",
                    const std::string& frequency = "-1.0", int latMajor = 40, double latMinor = 10.5,
                    int longMajor = 73, double longMinor = 20.25);
std::string Runway(int airportID, const std::string& number, const std::string& length, const std::string& type,
                   const std::string& ils);

// Regions, countries, airports and runways that exercise every branch of
// the selection cascade (see UiFixture.cpp for the rows).
std::string CascadeRows();
// Two airports with VOR beacons between them for a route of three hops.
std::string RouteRows();

// A test with a scratch navigation database whose errors, which the program
// would show in a message box, are collected in `errors` instead.
class WindowTest : public NavDbTest {
protected:
    void SetUp() override;
    void TearDown() override;

    std::vector<std::string> errors;

private:
    ErrorReporter m_previous;
};
