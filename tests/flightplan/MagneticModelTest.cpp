// SPDX-License-Identifier: GPL-3.0-or-later
#include "flightplan/MagneticModel.h"
#include "flightplan/PlanError.h"

#include "tests/support/FixtureDb.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using flightplan::MagneticModel;
using flightplan::PlanError;

// The check values published with the coefficients: sea level, 2025.0.
TEST(MagneticModel, DeclinationMatchesThePublishedCheckValues)
{
    const MagneticModel model = MagneticModel::load(MERIDANE_WMM_TEST_FILE);
    const struct {
        const char* place;
        double latitude, longitude, declination;
    } checks[] = {
        {"New York JFK", 40.64, -73.78, -12.62},
        {"London Heathrow", 51.47, -0.45, 0.80},
        {"Sydney", -33.95, 151.18, 12.81},
        {"Reykjavik", 64.13, -21.94, -11.58},
    };
    for (const auto& check : checks)
        EXPECT_NEAR(model.declination(check.latitude, check.longitude, 2025.0), check.declination, 0.05) << check.place;
}

namespace {

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    return text.replace(text.find(from), from.size(), to);
}

}  // namespace

TEST(MagneticModel, AMissingOrDamagedFileIsAnErrorNamingIt)
{
    ScratchDirectory dir;
    std::ifstream in(MERIDANE_WMM_TEST_FILE);
    std::ostringstream whole;
    whole << in.rdbuf();
    const std::string text = whole.str();
    const std::size_t tenthLine = [&] {
        std::size_t at = 0;
        for (int i = 0; i < 10; ++i)
            at = text.find('\n', at) + 1;
        return at;
    }();
    const struct {
        const char* file;
        std::string contents;
        const char* cause;
    } cases[] = {
        {"absent.COF", "", "cannot be opened: No such file or directory"},
        {"cut.COF", text.substr(0, tenthLine), "ends before its closing line"},
        {"word.COF", text.substr(0, tenthLine) + "  4  4  12.1  x  1.0  2.0\n", "line 11 has \"x\" where a number"},
        {"order.COF", text.substr(0, tenthLine) + "  3  5  1 2 3 4\n", "line 11 gives a degree and order outside"},
        {"gap.COF", text.substr(0, tenthLine) + "999999999\n", "degree 4 order 0 are missing"},
        {"epoch.COF", replaced(text, "2025.0 ", "1e300 "), "line 1 gives the epoch \"1e300\""},
        {"early.COF", replaced(text, "2025.0 ", "1899.9 "), "line 1 gives the epoch \"1899.9\""},
        {"huge.COF", replaced(text, "-29351.8", "-1e300"), "line 2 has \"-1e300\", beyond the 100000 nT"},
        {"drift.COF", replaced(text, "-21.5", "3e200"), "line 3 has \"3e200\", beyond the 1000 nT a year"},
    };
    for (const auto& c : cases) {
        if (!c.contents.empty())
            std::ofstream(c.file) << c.contents;
        try {
            MagneticModel::load(c.file);
            ADD_FAILURE() << c.file << " was accepted";
        } catch (const PlanError& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find(std::string("file ") + c.file), std::string::npos) << message;
            EXPECT_NE(message.find(c.cause), std::string::npos) << message;
        }
    }
}
