// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/NumberText.h"
#include "flightplan/CivilDate.h"
#include "flightplan/formats/PlanTexts.h"

#include <gtest/gtest.h>

#include <optional>

using namespace flightplan;

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
        EXPECT_EQ(base::parseDecimal(c.text), c.value) << '"' << c.text << '"';
}
