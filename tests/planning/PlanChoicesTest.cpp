// SPDX-License-Identifier: GPL-3.0-or-later
// The limits of the figures a pilot gives, which the terminal's options and
// the window's fields both read by: each end taken, a hair beyond refused.

#include "planning/PlanChoices.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

using planning::FigureLimit;

TEST(PlanChoices, EveryLimitAtJustInsideAndJustOutside)
{
    // Texts read as the numbers they write, and texts refused.
    const struct {
        const char* what;
        const FigureLimit& limit;
        std::vector<const char*> taken;
        std::vector<const char*> refused;
    } cases[] = {
        {"airspeed", planning::TRUE_AIRSPEED_LIMIT, {"1", "1.0001", "2000", "1999.9"}, {"0.9999", "2000.0001", "-1"}},
        {"cruise",
         planning::CRUISE_LIMIT,
         {"0", "1", "60000", "59999", "+8500"},
         {"-1", "60001", "8500.5", "1e5"}},
        {"fuel burn",
         planning::FUEL_BURN_LIMIT,
         {"0", "0.1", "1000000", "999999.9"},
         {"-0.1", "1000000.1", " 8,5", "nan", "inf", ""}},
    };
    for (const auto& c : cases) {
        for (const char* text : c.taken)
            EXPECT_EQ(planning::parseFigure(text, c.limit), std::stod(text)) << c.what << " '" << text << "'";
        for (const char* text : c.refused)
            EXPECT_EQ(planning::parseFigure(text, c.limit), std::nullopt) << c.what << " '" << text << "'";
    }
    // Zero never keeps a minus into the figures.
    for (const FigureLimit& limit : {planning::CRUISE_LIMIT, planning::FUEL_BURN_LIMIT}) {
        const std::optional<double> zero = planning::parseFigure("-0", limit);
        ASSERT_TRUE(zero);
        EXPECT_FALSE(std::signbit(*zero));
    }
    EXPECT_EQ(planning::limitText(planning::TRUE_AIRSPEED_LIMIT), "from 1 to 2000");
    EXPECT_EQ(planning::limitText(planning::CRUISE_LIMIT), "from 0 to 60000");
    EXPECT_EQ(planning::limitText(planning::FUEL_BURN_LIMIT), "from 0 to 1000000");
}

TEST(PlanChoices, TheCalculationTakesEveryChoiceAndTheRouteAskedFor)
{
    planning::PlanChoices choices;
    const flightplan::PlanOptions defaults = choices.planOptions(flightplan::RouteKind::Listed);
    EXPECT_EQ(defaults.trueAirspeedKt, flightplan::DEFAULT_TRUE_AIRSPEED_KT);
    EXPECT_FALSE(defaults.cruiseFt || defaults.wind || defaults.fuelBurnPerHour);

    choices.routeKind = flightplan::RouteKind::Best;
    choices.rangeModel = coverage::RangeModel::Simulator;
    choices.cruiseFt = 9500;
    choices.trueAirspeedKt = 95;
    choices.wind = flightplan::Wind{250, 18};
    choices.fuelBurnPerHour = 7.5;
    const flightplan::PlanOptions listed = choices.planOptions(flightplan::RouteKind::Listed);
    EXPECT_EQ(listed.routeKind, flightplan::RouteKind::Listed);
    EXPECT_EQ(listed.rangeModel, coverage::RangeModel::Simulator);
    EXPECT_EQ(listed.cruiseFt, 9500);
    EXPECT_EQ(listed.trueAirspeedKt, 95.0);
    ASSERT_TRUE(listed.wind);
    EXPECT_EQ(listed.wind->fromTrueDeg, 250.0);
    EXPECT_EQ(listed.fuelBurnPerHour, 7.5);
    EXPECT_EQ(choices.planOptions(flightplan::RouteKind::Best).routeKind, flightplan::RouteKind::Best);

    EXPECT_EQ(planning::parseRouteKind("listed"), flightplan::RouteKind::Listed);
    EXPECT_EQ(planning::parseRouteKind("best"), flightplan::RouteKind::Best);
    EXPECT_EQ(planning::parseRouteKind("Best"), std::nullopt);
}
