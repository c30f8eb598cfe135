// SPDX-License-Identifier: GPL-3.0-or-later
// The limits of the figures a pilot gives, which the terminal's options and
// the window's fields both read by: each end taken, a hair beyond refused.

#include "planning/PlanChoices.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

using planning::FigureLimit;

TEST(PlanChoices, EveryLimitAtJustInsideAndJustOutside)
{
    const struct {
        const char* what;
        const FigureLimit& limit;
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"airspeed", planning::kTrueAirspeedLimit, "1", 1.0},
        {"airspeed", planning::kTrueAirspeedLimit, "1.0001", 1.0001},
        {"airspeed", planning::kTrueAirspeedLimit, "0.9999", std::nullopt},
        {"airspeed", planning::kTrueAirspeedLimit, "2000", 2000.0},
        {"airspeed", planning::kTrueAirspeedLimit, "1999.9", 1999.9},
        {"airspeed", planning::kTrueAirspeedLimit, "2000.0001", std::nullopt},
        {"cruise", planning::kCruiseLimit, "0", 0.0},
        {"cruise", planning::kCruiseLimit, "-0", 0.0},
        {"cruise", planning::kCruiseLimit, "1", 1.0},
        {"cruise", planning::kCruiseLimit, "-1", std::nullopt},
        {"cruise", planning::kCruiseLimit, "60000", 60000.0},
        {"cruise", planning::kCruiseLimit, "59999", 59999.0},
        {"cruise", planning::kCruiseLimit, "60001", std::nullopt},
        {"cruise", planning::kCruiseLimit, "8500.5", std::nullopt},
        {"cruise", planning::kCruiseLimit, "+8500", 8500.0},
        {"fuel burn", planning::kFuelBurnLimit, "0", 0.0},
        {"fuel burn", planning::kFuelBurnLimit, "0.1", 0.1},
        {"fuel burn", planning::kFuelBurnLimit, "-0.1", std::nullopt},
        {"fuel burn", planning::kFuelBurnLimit, "1000000", 1e6},
        {"fuel burn", planning::kFuelBurnLimit, "999999.9", 999999.9},
        {"fuel burn", planning::kFuelBurnLimit, "1000000.1", std::nullopt},
        {"fuel burn", planning::kFuelBurnLimit, " 8,5", std::nullopt},
        {"fuel burn", planning::kFuelBurnLimit, "nan", std::nullopt},
        {"fuel burn", planning::kFuelBurnLimit, "", std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<double> read = planning::parseFigure(c.text, c.limit);
        EXPECT_EQ(read, c.value) << c.what << " '" << c.text << "'";
        if (read && *read == 0.0) {
            EXPECT_FALSE(std::signbit(*read)) << c.what << " '" << c.text << "'";
        }
    }
    EXPECT_EQ(planning::limitText(planning::kTrueAirspeedLimit), "from 1 to 2000");
    EXPECT_EQ(planning::limitText(planning::kCruiseLimit), "from 0 to 60000");
    EXPECT_EQ(planning::limitText(planning::kFuelBurnLimit), "from 0 to 1000000");
}

TEST(PlanChoices, TheCalculationTakesEveryChoiceAndTheRouteAskedFor)
{
    planning::PlanChoices choices;
    const flightplan::PlanOptions defaults = choices.planOptions(flightplan::RouteKind::Listed);
    EXPECT_EQ(defaults.trueAirspeedKt, flightplan::DEFAULT_TRUE_AIRSPEED_KT);
    EXPECT_FALSE(defaults.cruiseFt || defaults.wind || defaults.fuelBurnPerHour);

    choices.routeKind = flightplan::RouteKind::Best;
    choices.ranges = coverage::RangeModel::Simulator;
    choices.cruiseFt = 9500;
    choices.trueAirspeedKt = 95;
    choices.wind = flightplan::Wind{250, 18};
    choices.fuelBurnPerHour = 7.5;
    const flightplan::PlanOptions listed = choices.planOptions(flightplan::RouteKind::Listed);
    EXPECT_EQ(listed.routeKind, flightplan::RouteKind::Listed);
    EXPECT_EQ(listed.ranges, coverage::RangeModel::Simulator);
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
