// SPDX-License-Identifier: GPL-3.0-or-later
// The plan pane's flight following against a stand-in FlightGear: connect,
// the strip, the map and the leg table, tuning, a dropped link, the
// remembered address, and a plan that changes under way.
#include "tests/support/FixtureDb.h"
#include "ui/FlightFollowPanel.h"
#include "ui/MapWindow.h"
#include "ui/PlanPane.h"
#include "ui/SimulatorSettings.h"
#include "tests/simlink/StandInFlightGear.h"
#include "ui/TextConvert.h"
#include "tests/ui/UiDriver.h"
#include "tests/follow/TestPlans.h"

#include <gtest/gtest.h>
#include <wx/frame.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

map::MapScene sceneOf(const flightplan::FlightPlan& plan)
{
    map::MapScene scene;
    for (const flightplan::Waypoint& w : plan.waypoints) {
        map::MapPoint p;
        p.ident = w.ident;
        p.lat = w.latitude;
        p.lon = w.longitude;
        p.kind = w.kind == flightplan::WaypointKind::Airport ? map::MapPoint::Kind::Airport
                                                             : map::MapPoint::Kind::Vor;
        scene.route.push_back(p);
    }
    return scene;
}

std::string fixed(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.9f", value);
    return text;
}

// Waits for the window to show what `done` looks for, pumping its events.
bool SettleUntil(const std::function<bool()>& done, int milliseconds)
{
    wxStopWatch watch;
    while (watch.Time() < milliseconds) {
        Settle(20);
        if (done())
            return true;
    }
    return done();
}

class FlightFollow : public ::testing::Test {
protected:
    void SetUp() override
    {
        config = std::filesystem::temp_directory_path() / ("meridane-follow-" + std::to_string(getpid()));
        std::filesystem::remove_all(config);
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        frame = new wxFrame(nullptr, wxID_ANY, "follow", wxPoint(50, 50), wxSize(520, 900));
        pane = new PlanPane(frame);
        panel = nullptr;
        // The pane's own panel, below its choices.
        for (wxWindow* child : pane->GetChildren())
            if (auto* found = dynamic_cast<FlightFollowPanel*>(child))
                panel = found;
        frame->Show();
        Settle(100);
    }
    void TearDown() override
    {
        frame->Destroy();
        Settle(50);
        unsetenv("XDG_CONFIG_HOME");
        std::filesystem::remove_all(config);
    }

    std::filesystem::path config;
    wxFrame* frame = nullptr;
    PlanPane* pane = nullptr;
    FlightFollowPanel* panel = nullptr;
};

}  // namespace

TEST_F(FlightFollow, StripMapAndLegTableFollowTheAircraftAndTuneNavOne)
{
    const flightplan::FlightPlan plan = testplans::newEngland();
    pane->ShowPlan(planning::BuiltPlan{plan, {sceneOf(plan), ""}});
    standin::StandInFlightGear fg;
    fg.setProperty("/velocities/groundspeed-kt", "120");
    fg.setProperty("/orientation/heading-magnetic-deg", "20");
    const follow::GeoPoint onLegTwo = testplans::offLeg(plan, 1, 5.0, 0.5);
    fg.setProperty("/position/latitude-deg", fixed(onLegTwo.latitude));
    fg.setProperty("/position/longitude-deg", fixed(onLegTwo.longitude));

    const simlink::LinkAddress address{simlink::SimulatorKind::FlightGear, "127.0.0.1", fg.port()};
    std::optional<simlink::LinkAddress> offered;
    panel->m_askAddress = [&](const simlink::LinkAddress& last) {
        offered = last;
        return std::optional<simlink::LinkAddress>(address);
    };
    panel->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_EQ(FromWx(panel->m_btnConnect->GetLabel()), "Connect...");
    // Without a simulator the panel is its one line.
    EXPECT_FALSE(panel->m_txtLeg->IsShown());
    EXPECT_FALSE(panel->m_btnTune->IsShown());
    Click(*panel->m_btnConnect);
    EXPECT_TRUE(panel->m_txtLeg->IsShown());
    EXPECT_TRUE(panel->m_chkAutoTune->IsShown());
    // Nothing remembered yet: FlightGear on this machine is offered.
    ASSERT_TRUE(offered);
    EXPECT_EQ(offered->host, "localhost");
    EXPECT_EQ(offered->port, 5401);

    ASSERT_TRUE(SettleUntil([&] { return panel->SamplesShown() > 0; }, 5000));
    EXPECT_EQ(FromWx(panel->m_txtStatus->GetLabel()), "Connected to FlightGear on 127.0.0.1:" + std::to_string(fg.port()));
    EXPECT_EQ(FromWx(panel->m_txtLeg->GetLabel()).rfind("Leg 2 of 5: CCC \u2192 MAD \u00b7 tune CCC 117.2, OBS ", 0),
              0u)
        << FromWx(panel->m_txtLeg->GetLabel());
    EXPECT_NE(FromWx(panel->m_txtNeedle->GetLabel()).find("FROM"), std::string::npos);
    EXPECT_NE(FromWx(panel->m_txtNeedle->GetLabel()).find("XTK 0.5 nm R"), std::string::npos);
    EXPECT_EQ(panel->m_chLeg->GetSelection(), 1);

    // The map marks the leg and shows the aircraft, centred on it.
    // (The map is reached through the pane, as the window shows it.)
    const map::MapScene& scene = pane->m_map->Scene();
    ASSERT_TRUE(scene.activeLeg);
    EXPECT_EQ(*scene.activeLeg, 1u);
    ASSERT_TRUE(scene.aircraft);
    EXPECT_NEAR(scene.aircraft->lat, onLegTwo.latitude, 1e-8);
    EXPECT_NEAR(pane->m_map->View().centerLat, onLegTwo.latitude, 1e-8);
    EXPECT_NE(pane->m_lstLegs->GetItemBackgroundColour(1), pane->m_lstLegs->GetItemBackgroundColour(0));

    // Tune NAV1: CCC's frequency and the leg's outbound radial.
    panel->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    Click(*panel->m_btnTune);
    ASSERT_TRUE(SettleUntil([&] { return !fg.property("/instrumentation/nav[0]/frequencies/selected-mhz").empty(); },
                            3000));
    EXPECT_EQ(fg.property("/instrumentation/nav[0]/frequencies/selected-mhz"), "117.20");
    char course[16];
    std::snprintf(course, sizeof course, "%.1f", *plan.legs[1].radialFrom);
    EXPECT_EQ(fg.property("/instrumentation/nav[0]/radials/selected-deg"), course);

    // Auto-tune at the changeover point: MAD from there on.
    Click(*panel->m_chkAutoTune);
    const follow::GeoPoint pastChangeover = testplans::offLeg(plan, 1, *plan.legs[1].changeoverNm + 1.0, 0.0);
    fg.setProperty("/position/latitude-deg", fixed(pastChangeover.latitude));
    fg.setProperty("/position/longitude-deg", fixed(pastChangeover.longitude));
    EXPECT_TRUE(SettleUntil(
        [&] { return fg.property("/instrumentation/nav[0]/frequencies/selected-mhz") == "110.40"; }, 3000));

    // The map can be left where the pilot puts it.
    Click(*panel->m_chkFollowMap);
    pane->m_map->Pan(wxPoint(100, 0));
    const double pannedLon = pane->m_map->View().centerLon;
    const unsigned long before = panel->SamplesShown();
    ASSERT_TRUE(SettleUntil([&] { return panel->SamplesShown() > before + 1; }, 3000));
    EXPECT_DOUBLE_EQ(pane->m_map->View().centerLon, pannedLon);

    // The address is remembered for the next run.
    const simlink::LinkAddress remembered = LoadSimulatorAddress();
    EXPECT_EQ(remembered.host, "127.0.0.1");
    EXPECT_EQ(remembered.port, fg.port());
    EXPECT_TRUE(std::filesystem::exists(config / "meridane" / "simulator.conf"));

    // FlightGear goes away: the status says so within 3 seconds.
    fg.drop();
    wxStopWatch watch;
    ASSERT_TRUE(SettleUntil(
        [&] { return FromWx(panel->m_txtStatus->GetLabel()).find("FlightGear on 127.0.0.1") != std::string::npos &&
                     FromWx(panel->m_txtStatus->GetLabel()).rfind("Connected", 0) != 0; },
        4000));
    EXPECT_LT(watch.Time(), 3200);

    // Another plan (the best route, say) under way: the legs are offered anew.
    flightplan::FlightPlan best = testplans::newEngland();
    best.routeKind = flightplan::RouteKind::Best;
    best.waypoints.erase(best.waypoints.begin() + 1);  // without CCC
    best.legs.erase(best.legs.begin());
    best.legs[0].from = 0;
    for (std::size_t i = 1; i < best.legs.size(); ++i) {
        best.legs[i].from = i;
        best.legs[i].to = i + 1;
    }
    best.legs[0].to = 1;
    pane->ShowPlan(planning::BuiltPlan{best, {sceneOf(best), ""}});
    panel->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_EQ(panel->m_chLeg->GetCount(), best.legs.size());

    Click(*panel->m_btnConnect);  // now Disconnect
    panel->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_EQ(FromWx(panel->m_btnConnect->GetLabel()), "Connect...");
    EXPECT_FALSE(pane->m_map->Scene().aircraft);
    EXPECT_FALSE(panel->m_txtNeedle->IsShown());
}

TEST_F(FlightFollow, ADamagedSettingsFileReadsAsTheDefault)
{
    std::filesystem::create_directories(config / "meridane");
    FILE* f = std::fopen((config / "meridane" / "simulator.conf").c_str(), "w");
    std::fputs("[Simulator]\nKind=msfs\nHost=\nPort=99999999\n\x01\xff garbage\n", f);
    std::fclose(f);
    const simlink::LinkAddress address = LoadSimulatorAddress();
    EXPECT_EQ(address.kind, simlink::SimulatorKind::FlightGear);
    EXPECT_EQ(address.host, "localhost");
    EXPECT_EQ(address.port, 5401);
}
