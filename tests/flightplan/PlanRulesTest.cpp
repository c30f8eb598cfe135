#include "flightplan/CivilDate.h"
#include "flightplan/MagneticModel.h"
#include "flightplan/NumberText.h"
#include "flightplan/PlanCalculation.h"
#include "flightplan/formats/FormatWriters.h"

#include <gtest/gtest.h>

#include <optional>

using namespace flightplan;

namespace {

const MagneticModel& wmm()
{
    static const MagneticModel model = MagneticModel::load(MERIDANE_WMM_TEST_FILE);
    return model;
}

Waypoint airport(const char* ident, double latitude, double longitude, std::optional<double> elevationFt)
{
    Waypoint p;
    p.ident = ident;
    p.name = ident;
    p.latitude = latitude;
    p.longitude = longitude;
    p.elevationFt = elevationFt;
    return p;
}

}  // namespace

// The semicircular rule reads the magnetic course, so the legs chosen here
// have true and magnetic courses either side of 180 (New York's declination
// is about 13 W, Sydney's about 13 E); the floor is the highest elevation
// of the route, wherever it lies.
TEST(PlanRules, CruiseFollowsTheMagneticCourseAndTheHighestPoint)
{
    const struct {
        const char* what;
        Waypoint from, to;
        int cruiseFt;
    } cases[] = {
        // true about 175, magnetic about 188: even thousands
        {"south out of New York", airport("KJFK", 40.64, -73.78, 0), airport("SEA", 39.0, -73.6, 0), 2500},
        // true about 186, magnetic about 173: odd thousands
        {"south out of Sydney", airport("YSSY", -33.95, 151.18, 0), airport("SEA", -36.0, 150.9, 0), 1500},
        // the high end first: 5,000 ft + 1,500 ft clearance, northbound
        {"north off a high field", airport("HIGH", 40.0, -73.78, 5000), airport("LOW", 41.0, -73.78, 100), 7500},
        {"north onto a high field", airport("LOW", 40.0, -73.78, 100), airport("HIGH", 41.0, -73.78, 5000), 7500},
        // magnetic about 355 (5 E): even; 900 ft floor
        {"below sea level", airport("DEAD", 31.5, 35.5, -1400), airport("LOW", 32.5, 35.5, -600), 2500},
    };
    PlanOptions options;
    options.date = CivilDate{2025, 6, 1};
    for (const auto& c : cases)
        EXPECT_EQ(computePlan({c.from, c.to}, options, wmm()).cruiseFt, c.cruiseFt) << c.what;
}

TEST(PlanRules, CalendarDaysFollowTheGregorianLeapYears)
{
    const struct {
        CivilDate date;
        bool valid;
    } cases[] = {
        {{2000, 2, 29}, true},  {{2100, 2, 29}, false}, {{1900, 2, 29}, false}, {{2024, 2, 29}, true},
        {{2025, 2, 29}, false}, {{2025, 2, 28}, true},  {{2025, 4, 31}, false}, {{2025, 12, 31}, true},
        {{2025, 13, 1}, false}, {{2025, 0, 1}, false},  {{2025, 1, 0}, false},  {{9999, 12, 31}, true},
        {{10000, 1, 1}, false}, {{0, 1, 1}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isValidDate(c.date), c.valid) << c.date.year << "-" << c.date.month << "-" << c.date.day;
}

// From the published AIRAC calendar: 1913 took effect 2019-12-05, 2001
// 2020-01-02, 2014 (2020's fourteenth) 2020-12-31, 2101 2021-01-28, 2313
// 2023-12-28, 2401 2024-01-25, 2413 2024-12-26, 2501 2025-01-23, 2601
// 2026-01-22.
TEST(PlanRules, AiracCycleAcrossYearsAndBeforeTheReference)
{
    const struct {
        CivilDate date;
        const char* cycle;
    } cases[] = {
        {{2019, 12, 31}, "1913"}, {{2020, 1, 1}, "1913"},   {{2020, 1, 2}, "2001"},  {{2020, 12, 30}, "2013"},
        {{2020, 12, 31}, "2014"}, {{2021, 1, 27}, "2014"},  {{2021, 1, 28}, "2101"}, {{2024, 1, 10}, "2313"},
        {{2024, 1, 24}, "2313"},  {{2024, 1, 25}, "2401"},  {{2024, 2, 21}, "2401"}, {{2024, 2, 22}, "2402"},
        {{2025, 1, 10}, "2413"},  {{2025, 1, 22}, "2413"},  {{2025, 1, 23}, "2501"}, {{2025, 6, 11}, "2505"},
        {{2025, 6, 12}, "2506"}, {{2026, 1, 21}, "2513"}, {{2026, 1, 22}, "2601"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(airacCycle(c.date), c.cycle) << c.date.year << "-" << c.date.month << "-" << c.date.day;
}

TEST(PlanRules, DecimalsFillTheWholeTextWhateverTheLocale)
{
    const struct {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"12.5", 12.5},   {" 120 ", 120.0}, {"+7", 7.0},          {"-3.25", -3.25},     {"0", 0.0},
        {"12abc", {}},    {"120kt", {}},    {"1,5", {}},          {"", {}},             {"  ", {}},
        {"+", {}},        {"+-1", {}},      {"inf", {}},          {"nan", {}},          {"1 2", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseDecimal(c.text), c.value) << '"' << c.text << '"';
}
