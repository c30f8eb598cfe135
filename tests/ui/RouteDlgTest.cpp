// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: choosing airports, the route, the report and the button
// states, with the selection dialog played by the test as a user would.

#include "AirportDlg.h"
#include "ConnectionString.h"
#include "Database.h"
#include "widgets/Resource.h"
#include "MapWindow.h"
#include "PlanInputsPanel.h"
#include "PlanPane.h"
#include "RouteChoicePanel.h"
#include "map/Projection.h"
#include "map/ViewFit.h"
#include "RouteDlg.h"
#include "RouteSearch.h"
#include "RowSink.h"
#include "TextConvert.h"
#include "UiDriver.h"
#include "UiFixture.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <wx/app.h>
#include <wx/stattext.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>

namespace {

using Strings = std::vector<std::string>;
using Table = std::vector<std::vector<std::string>>;

// What the user does in one run of the selection dialog.
struct Pick {
    std::string state, city, airport;
    bool cancel = false;
};

const Pick KENNEDY{"New York", "New York", "Kennedy"};
const Pick SHORT_FIELD{"New York", "New York", "Short Field"};
const Pick LOGAN{"Massachusetts", "Boston", "Logan"};

class RouteWindow : public WindowTest {
protected:
    // `sql` runs once the window's connection is open, as it refuses a
    // database that lacks a table.
    void Open(const std::string& sql = "")
    {
        Build(RouteRows());
        dlg = std::make_unique<CRouteDlg>();
        ExecuteSqlScript(NAVDB_FILE_NAME, sql);
        dlg->m_runAirportDialog = [this](CAirportDlg& d) { return PlayUser(d); };
        dlg->Show();
    }
    void TearDown() override
    {
        dlg.reset();
        WindowTest::TearDown();
    }

    int PlayUser(CAirportDlg& d)
    {
        ++dialogRuns;
        d.Show();
        Choose(*d.m_cboRegion, "North America");
        Choose(*d.m_cboState, next.state);
        if (d.m_cboCity->IsEnabled() && Selected(*d.m_cboCity) != next.city)
            Choose(*d.m_cboCity, next.city);
        if (Selected(*d.m_cboAirport) != next.airport)
            Choose(*d.m_cboAirport, next.airport);
        if (next.cancel) {
            d.Close();
        } else {
            EXPECT_TRUE(d.m_btnSelectAirport->IsEnabled());
            Click(*d.m_btnSelectAirport);
        }
        EXPECT_FALSE(d.IsShown());
        return d.GetReturnCode();
    }
    void SelectDeparting(const Pick& pick)
    {
        next = pick;
        Click(Button(IDC_SELECT_DEPARTING));
    }
    void SelectDestination(const Pick& pick)
    {
        next = pick;
        Click(Button(IDC_SELECT_DESTINATION));
    }
    void CalculateRoute() { Click(*dlg->m_btnCalculateRoute); }

    wxButton& Button(int id) { return *wxStaticCast(dlg->FindWindow(id), wxButton); }
    std::string Edit(int id) { return Text(*wxStaticCast(dlg->FindWindow(id), wxTextCtrl)); }
    // The ten texts as the edits show them, departure first.
    Strings Panels()
    {
        Strings texts;
        for (int id : {IDC_DEPARTURE_NAME, IDC_DEPARTURE_LATITUDE, IDC_DEPARTURE_LONGITUDE, IDC_DEPARTURE_ELEVATION,
                       IDC_DEPARTURE_ATIS, IDC_DESTINATION_NAME, IDC_DESTINATION_LATITUDE, IDC_DESTINATION_LONGITUDE,
                       IDC_DESTINATION_ELEVATION, IDC_DESTINATION_ATIS})
            texts.push_back(Edit(id));
        return texts;
    }
    // The route as the search itself finds it on the same database.
    Table SearchedRoute(const std::string& from, const std::string& to)
    {
        RowList route(ROUTE_COLUMNS);
        RouteSearch(db(), from, to, route).Run();
        return route.Rows();
    }
    void ExpectButtons(bool calculate, bool write)
    {
        EXPECT_EQ(dlg->m_btnCalculateRoute->IsEnabled(), calculate);
        EXPECT_EQ(dlg->m_btnWriteFile->IsEnabled(), write);
        EXPECT_TRUE(Button(IDC_SELECT_DEPARTING).IsEnabled());
        EXPECT_TRUE(Button(IDC_SELECT_DESTINATION).IsEnabled());
        EXPECT_TRUE(Button(IDC_ABOUT).IsEnabled());
    }

    std::unique_ptr<CRouteDlg> dlg;
    Pick next;
    int dialogRuns = 0;
};

const Table KENNEDY_RUNWAYS = {{"04L", "12079", "Asphalt", "110.9"}, {"13R", "14511", "Concrete", "NA"}};
const Table LOGAN_RUNWAYS = {{"09", "7000", "Asphalt", "NA"}};

TEST_F(RouteWindow, StartsEmptyWithCalculateAndWriteDisabled)
{
    Open();
    EXPECT_EQ(dlg->GetTitle(), "Meridane");
    EXPECT_EQ(Panels(), Strings(10, ""));
    ExpectButtons(false, false);
    EXPECT_EQ(Headings(*dlg->m_lstDepartureRunways), (Strings{"Runway #", "Length", "Type", "ILS Frequency"}));
    EXPECT_EQ(Headings(*dlg->m_lstDestinationRunways), (Strings{"Runway #", "Length", "Type", "ILS Frequency"}));
    EXPECT_EQ(Headings(*dlg->m_lstRoute), (Strings{"Name", "Frequency", "Latitude", "Longtitude", "Elevation",
                                                   "Dist. from Dept.", "Dist. from Dest."}));
    EXPECT_EQ(dlg->m_lstRoute->GetItemCount(), 0);
    EXPECT_EQ(dlg->m_strDepartureID, "");
    EXPECT_EQ(dlg->m_strDestinationID, "");
    EXPECT_TRUE(errors.empty());
}

// The precise positions of the route fixture's airports and beacons.
const std::string ROUTE_FACTS = "INSERT INTO airport_facts VALUES (10,40.5,-74.5,'JFK','US'),(20,42.5,-71.5,NULL,'US');"
                                "INSERT INTO nav_facts VALUES (101,41.2,-73.6,'US',-13),(102,41.8,-72.8,'US',NULL),"
                                "(103,42.3,-72.1,'US',-14),(104,41.5,-73.2,'US',NULL);";

TEST_F(RouteWindow, TheMapShowsTheWorldThenTheRouteZoomsAndTellsABeacon)
{
    MERIDANE_REQUIRE_NAVDATA();
    Open(ROUTE_FACTS);
    MapWindow& map = *dlg->m_planPane->m_map;
    const wxSize size = map.GetClientSize();
    EXPECT_TRUE(map.Scene().route.empty());
    EXPECT_DOUBLE_EQ(map.View().nmPerPixel, routemap::worldView(size.x, size.y).nmPerPixel);
    SelectDeparting(KENNEDY);
    ASSERT_EQ(map.Scene().route.size(), 1u);
    SelectDestination(LOGAN);
    CalculateRoute();
    Strings idents;
    for (const auto& point : map.Scene().route)
        idents.push_back(point.ident);
    EXPECT_EQ(idents, (Strings{"K10", "N101", "N102", "N103", "K20"}));
    EXPECT_TRUE(map.Scene().otherVors.empty()) << "an NDB is no VOR";

    // The pane's texts below the map may take another line once a plan
    // stands there.
    const wxSize shown = map.GetClientSize();
    auto pixelOf = [&](double lat, double lon) {
        const auto p = routemap::Projection(map.View(), shown.x, shown.y).toPixels(lat, lon);
        return wxPoint(static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y)));
    };
    Strings facts;
    map.m_showFacts = [&](const routemap::MapPoint& point) { facts.push_back(point.ident); };
    const wxPoint bravo = pixelOf(41.8, -72.8);
    wxMouseEvent click(wxEVT_LEFT_DCLICK);
    click.SetPosition(bravo + wxPoint(3, -2));
    map.HandleWindowEvent(click);
    EXPECT_EQ(facts, (Strings{"N102"}));

    // The wheel zooms about the pointer; dragging pans.
    const double scale = map.View().nmPerPixel;
    wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
    wheel.SetPosition(bravo);
    wheel.m_wheelRotation = 120;
    map.HandleWindowEvent(wheel);
    EXPECT_NEAR(map.View().nmPerPixel, scale / 1.25, 1e-9);
    EXPECT_NEAR(pixelOf(41.8, -72.8).x, bravo.x, 1);
    EXPECT_NEAR(pixelOf(41.8, -72.8).y, bravo.y, 1);
    map.Pan(wxPoint(40, 0));
    EXPECT_NEAR(pixelOf(41.8, -72.8).x, bravo.x - 40, 1);

    // Back to the whole route from the map's own menu, which keeps the
    // window's About under it, and with Home.
    const wxSize now = map.GetClientSize();
    const routemap::MapView whole = routemap::fitView(map.Scene(), now.x, now.y);
    Strings items;
    map.m_showMenu = [&](wxMenu& menu) {
        for (wxMenuItem* item : menu.GetMenuItems())
            if (!item->IsSeparator())
                items.push_back(FromWx(item->GetItemLabelText()) + (item->IsEnabled() ? "" : " (disabled)"));
        wxCommandEvent pick(wxEVT_MENU, MapWindow::ID_SHOW_WHOLE_ROUTE);
        map.HandleWindowEvent(pick);
    };
    wxContextMenuEvent rightClick(wxEVT_CONTEXT_MENU, map.GetId(), map.ClientToScreen(bravo));
    rightClick.SetEventObject(&map);
    map.HandleWindowEvent(rightClick);
    EXPECT_EQ(items, (Strings{"Show whole route", "About Meridane..."}));
    EXPECT_FALSE(map.Moved());
    EXPECT_DOUBLE_EQ(map.View().nmPerPixel, whole.nmPerPixel);
    map.HandleWindowEvent(wheel);
    ASSERT_TRUE(map.Moved());
    wxKeyEvent home(wxEVT_KEY_DOWN);
    home.m_keyCode = WXK_HOME;
    map.HandleWindowEvent(home);
    EXPECT_FALSE(map.Moved());
    EXPECT_DOUBLE_EQ(map.View().centerLat, whole.centerLat);
    // Save Map proposes the route's name.
    EXPECT_EQ(dlg->m_planPane->ProposedMapFileName(), "K10-K20.png");
}

TEST_F(RouteWindow, TheFlightPlanStandsBesideTheRouteAndExports)
{
    MERIDANE_REQUIRE_NAVDATA();
    // Without the precise positions the route still stands; the pane says why
    // there is no plan.
    Open();
    SelectDeparting(KENNEDY);
    SelectDestination(LOGAN);
    CalculateRoute();
    ASSERT_EQ(dlg->m_lstRoute->GetItemCount(), 3);
    PlanPane& pane = *dlg->m_planPane;
    EXPECT_EQ(pane.m_lstLegs->GetItemCount(), 0);
    auto summary = [&pane] {
        std::string text = FromWx(pane.m_txtSummary->GetLabel());
        std::replace(text.begin(), text.end(), '\n', ' ');  // wrapped to the pane's width
        return text;
    };
    EXPECT_NE(summary().find("No flight plan: "), std::string::npos);

    ExecuteSqlScript("VORS.MDB", ROUTE_FACTS);
    SelectDestination(LOGAN);
    EXPECT_FALSE(pane.m_btnExport->IsEnabled());
    CalculateRoute();
    const Table legs = Rows(*pane.m_lstLegs);
    ASSERT_EQ(legs.size(), 4u);
    EXPECT_EQ((Strings{legs[0][0], legs[0][1], legs[1][1], legs[3][1]}), (Strings{"K10", "N101", "N102", "K20"}));
    // Both radials of a leg between beacons in one column: out of N101, into N102.
    EXPECT_NE(legs[1][4].find("R-"), std::string::npos);
    EXPECT_NE(legs[1][4].find("\u2192 R-"), std::string::npos) << legs[1][4];
    EXPECT_EQ(FromWx(pane.m_edtRoute->GetValue()), "K10 DCT N101 DCT N102 DCT N103 K20");
    EXPECT_TRUE(pane.m_edtRoute->IsEnabled());
    EXPECT_FALSE(pane.m_edtRoute->IsEditable());
    EXPECT_NE(summary().find("Total "), std::string::npos);
    EXPECT_TRUE(pane.m_btnExport->IsEnabled());
    // Copy gives the route as a flight plan's route field takes it.
    std::string copied;
    pane.m_copyText = [&copied](const std::string& text) { copied = text; };
    Click(*pane.m_btnCopyRoute);
    EXPECT_EQ(copied, "DCT N101 DCT N102 DCT N103");

    pane.m_chooseExportFile = [] { return std::string("plan.fms"); };
    Click(*pane.m_btnExport);
    std::ifstream fms("plan.fms");
    std::string first;
    std::getline(fms, first);
    EXPECT_EQ(first.substr(0, 1), "I");
    pane.m_chooseExportFile = [] { return std::string("/nonexistent/plan.gpx"); };
    Click(*pane.m_btnExport);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("/nonexistent/plan.gpx"), std::string::npos) << errors[0];

    // A new airport takes the route and its plan away.
    SelectDeparting(KENNEDY);
    EXPECT_EQ(pane.m_lstLegs->GetItemCount(), 0);
    EXPECT_FALSE(pane.m_btnExport->IsEnabled());
}

// Typed as a pilot would: each change of airspeed, wind or fuel burn
// recomputes the legs, the totals and what Export writes.
TEST_F(RouteWindow, AirspeedWindAndFuelBurnRecomputeThePlanAtOnce)
{
    MERIDANE_REQUIRE_NAVDATA();
    Open();
    ExecuteSqlScript("VORS.MDB", ROUTE_FACTS);
    SelectDeparting(KENNEDY);
    SelectDestination(LOGAN);
    CalculateRoute();
    PlanPane& pane = *dlg->m_planPane;
    PlanInputsPanel& inputs = *pane.m_inputs;
    auto ReadFile = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    // As the pane shows it, however the width wraps it.
    auto summary = [&pane] {
        std::string text = FromWx(pane.m_txtSummary->GetLabel());
        std::replace(text.begin(), text.end(), '\n', ' ');
        return text;
    };
    ASSERT_EQ(Rows(*pane.m_lstLegs).size(), 4u);
    const Strings stillAir = Headings(*pane.m_lstLegs);
    const std::string stillTotals = summary();
    EXPECT_EQ(std::count(stillAir.begin(), stillAir.end(), "GS"), 0);

    dlg->Show();
    Settle();
    inputs.m_txtWind->SetFocus();
    Settle();
    {
        wxUIActionSimulator input;
        input.Text("270/30");
    }
    Settle(200);
    EXPECT_EQ(Text(*inputs.m_txtWind), "270/30");
    Strings headings = Headings(*pane.m_lstLegs);
    EXPECT_NE(std::find(headings.begin(), headings.end(), "MH"), headings.end());
    EXPECT_NE(std::find(headings.begin(), headings.end(), "GS"), headings.end());
    EXPECT_NE(summary(), stillTotals);
    ASSERT_TRUE(pane.Plan());
    EXPECT_EQ(pane.Plan()->wind->fromTrueDeg, 270.0);

    inputs.m_txtAirspeed->SetValue("140");
    inputs.m_txtFuelBurn->SetValue("9.5");
    headings = Headings(*pane.m_lstLegs);
    EXPECT_NE(std::find(headings.begin(), headings.end(), "Fuel"), headings.end());
    EXPECT_EQ(pane.Plan()->trueAirspeedKt, 140.0);
    pane.m_chooseExportFile = [] { return std::string("plan.json"); };
    Click(*pane.m_btnExport);
    EXPECT_NE(ReadFile("plan.json").find("\"fuel_with_reserve\""), std::string::npos);
    pane.m_chooseExportFile = [] { return std::string("navlog.pdf"); };
    Click(*pane.m_btnExport);
    EXPECT_EQ(ReadFile("navlog.pdf").rfind("%PDF-", 0), 0u);

    // A wind the aircraft cannot fly against takes the plan away, saying
    // which leg; a wind that cannot be read says which field.
    inputs.m_txtWind->SetValue("090/300");
    EXPECT_FALSE(pane.Plan());
    EXPECT_NE(summary().find("from K10 to N101"), std::string::npos)
        << summary();
    EXPECT_FALSE(pane.m_btnExport->IsEnabled());
    inputs.m_txtWind->SetValue("east");
    EXPECT_NE(FromWx(inputs.m_txtProblem->GetLabel()).find("Wind"), std::string::npos);
    EXPECT_FALSE(pane.Plan());

    // Empty fields are still air at the default speed again.
    for (wxTextCtrl* field : {inputs.m_txtWind, inputs.m_txtAirspeed, inputs.m_txtFuelBurn})
        field->SetValue("");
    EXPECT_EQ(Headings(*pane.m_lstLegs), stillAir);
    EXPECT_EQ(summary(), stillTotals);
    EXPECT_EQ(FromWx(inputs.m_txtProblem->GetLabel()), "");
}

TEST_F(RouteWindow, EnterPressesCalculateRoute)
{
    Open();
    EXPECT_EQ(dlg->GetDefaultItem(), dlg->m_btnCalculateRoute);
}

TEST_F(RouteWindow, TheWindowCarriesTheApplicationIcon)
{
    Open();
    const wxIconBundle& icons = dlg->GetIcons();
    EXPECT_TRUE(icons.GetIcon(wxSize(16, 16), wxIconBundle::FALLBACK_NONE).IsOk());
    EXPECT_TRUE(icons.GetIcon(wxSize(32, 32), wxIconBundle::FALLBACK_NONE).IsOk());
}

TEST_F(RouteWindow, ChoosingOnlyTheDepartureLeavesCalculateDisabled)
{
    Open();
    SelectDeparting(KENNEDY);
    EXPECT_EQ(Panels(), (Strings{"Kennedy", "N40* 50.0'", "W74* 50.0'", "13 ft.", "128.725", "", "", "", "", ""}));
    EXPECT_EQ(dlg->m_strDepartureID, "10");
    EXPECT_EQ(Rows(*dlg->m_lstDepartureRunways), KENNEDY_RUNWAYS);
    EXPECT_EQ(dlg->m_lstDestinationRunways->GetItemCount(), 0);
    ExpectButtons(false, false);
}

TEST_F(RouteWindow, ChoosingOnlyTheDestinationLeavesCalculateDisabled)
{
    Open();
    SelectDestination(LOGAN);
    EXPECT_EQ(Panels(), (Strings{"", "", "", "", "", "Logan", "N42* 50.0'", "W71* 50.0'", "20 ft.", "NA"}));
    EXPECT_EQ(dlg->m_strDestinationID, "20");
    EXPECT_EQ(Rows(*dlg->m_lstDestinationRunways), LOGAN_RUNWAYS);
    EXPECT_EQ(dlg->m_lstDepartureRunways->GetItemCount(), 0);
    ExpectButtons(false, false);
}

TEST_F(RouteWindow, ChoosingBothAirportsEnablesCalculateRoute)
{
    Open();
    SelectDeparting(KENNEDY);
    SelectDestination(LOGAN);
    EXPECT_EQ(Panels(), (Strings{"Kennedy", "N40* 50.0'", "W74* 50.0'", "13 ft.", "128.725", "Logan", "N42* 50.0'",
                                 "W71* 50.0'", "20 ft.", "NA"}));
    EXPECT_EQ(Rows(*dlg->m_lstDepartureRunways), KENNEDY_RUNWAYS);
    EXPECT_EQ(Rows(*dlg->m_lstDestinationRunways), LOGAN_RUNWAYS);
    EXPECT_EQ(dlg->m_lstRoute->GetItemCount(), 0);
    ExpectButtons(true, false);
}

TEST_F(RouteWindow, CalculateRouteListsTheBeaconsAndSwitchesTheButtons)
{
    Open();
    SelectDeparting(KENNEDY);
    SelectDestination(LOGAN);
    CalculateRoute();
    Table route = Rows(*dlg->m_lstRoute);
    EXPECT_EQ(route, SearchedRoute("10", "20"));
    ASSERT_EQ(route.size(), 3u);
    EXPECT_EQ(route[0][0], "Alpha VOR");
    EXPECT_EQ(route[1][0], "Bravo VOR");
    EXPECT_EQ(route[1][1], "NA");
    EXPECT_EQ(route[2][0], "Charlie VOR");
    ExpectButtons(false, true);
    EXPECT_TRUE(errors.empty());
}

TEST_F(RouteWindow, ANewDestinationAfterARouteEmptiesTheRouteList)
{
    Open();
    SelectDeparting(KENNEDY);
    SelectDestination(LOGAN);
    CalculateRoute();
    ASSERT_GT(dlg->m_lstRoute->GetItemCount(), 0);

    SelectDestination(SHORT_FIELD);
    EXPECT_EQ(dlg->m_lstRoute->GetItemCount(), 0);
    ExpectButtons(true, false);
    // The departure panel and its runways stay.
    EXPECT_EQ(Edit(IDC_DEPARTURE_NAME), "Kennedy");
    EXPECT_EQ(Rows(*dlg->m_lstDepartureRunways), KENNEDY_RUNWAYS);
    EXPECT_EQ(Edit(IDC_DESTINATION_NAME), "Short Field");
    EXPECT_EQ(dlg->m_lstDestinationRunways->GetItemCount(), 0) << "an airport without runways: headings only";
    EXPECT_EQ(dlg->m_lstDestinationRunways->GetColumnCount(), 4);
}

TEST_F(RouteWindow, ANewDepartureAfterARouteEmptiesTheRouteListToo)
{
    Open();
    SelectDeparting(KENNEDY);
    SelectDestination(LOGAN);
    CalculateRoute();
    // The same airport again is a new selection.
    SelectDeparting(KENNEDY);
    EXPECT_EQ(dlg->m_lstRoute->GetItemCount(), 0);
    ExpectButtons(true, false);
    EXPECT_EQ(Rows(*dlg->m_lstDestinationRunways), LOGAN_RUNWAYS);
    CalculateRoute();
    EXPECT_EQ(Rows(*dlg->m_lstRoute), SearchedRoute("10", "20"));
}

TEST_F(RouteWindow, CancellingTheSelectionChangesNothing)
{
    Open();
    SelectDeparting(KENNEDY);
    SelectDestination(LOGAN);
    CalculateRoute();
    const Strings panels = Panels();
    const Table route = Rows(*dlg->m_lstRoute);

    Pick cancelled = SHORT_FIELD;
    cancelled.cancel = true;
    SelectDestination(cancelled);
    SelectDeparting(cancelled);
    EXPECT_EQ(dialogRuns, 4);
    EXPECT_EQ(Panels(), panels);
    EXPECT_EQ(Rows(*dlg->m_lstRoute), route);
    EXPECT_EQ(Rows(*dlg->m_lstDepartureRunways), KENNEDY_RUNWAYS);
    EXPECT_EQ(Rows(*dlg->m_lstDestinationRunways), LOGAN_RUNWAYS);
    EXPECT_EQ(dlg->m_strDestinationID, "20");
    ExpectButtons(false, true);
}

TEST_F(RouteWindow, CancellingAtTheStartChangesNothing)
{
    Open();
    Pick cancelled = KENNEDY;
    cancelled.cancel = true;
    SelectDeparting(cancelled);
    EXPECT_EQ(Panels(), Strings(10, ""));
    EXPECT_EQ(dlg->m_strDepartureID, "");
    EXPECT_EQ(dlg->m_lstDepartureRunways->GetItemCount(), 0);
    ExpectButtons(false, false);
}

TEST_F(RouteWindow, TheSameAirportMayBeBothEnds)
{
    Open();
    SelectDeparting(LOGAN);
    SelectDestination(LOGAN);
    ExpectButtons(true, false);
    CalculateRoute();
    EXPECT_EQ(dlg->m_lstRoute->GetItemCount(), 0);
    ExpectButtons(false, true);
}

TEST_F(RouteWindow, AFailedRunwayListingKeepsTheCopiedTexts)
{
    Open("DROP TABLE runways;");
    SelectDestination(LOGAN);
    errors.clear();  // the selection dialog's own listing failed too
    SelectDeparting(KENNEDY);
    EXPECT_GE(errors.size(), 1u);
    EXPECT_TRUE(dlg->IsShown());
    EXPECT_EQ(Edit(IDC_DEPARTURE_NAME), "Kennedy");
    EXPECT_EQ(dlg->m_strDepartureID, "10");
    // The handler stopped before it looked at the IDs.
    EXPECT_FALSE(dlg->m_btnCalculateRoute->IsEnabled());
    EXPECT_FALSE(dlg->m_btnWriteFile->IsEnabled());
}

TEST_F(RouteWindow, AFailedRouteSearchIsShownAndTheWindowStays)
{
    Open("DROP TABLE navs;");
    SelectDeparting(KENNEDY);
    SelectDestination(LOGAN);
    ASSERT_TRUE(errors.empty());
    CalculateRoute();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("navs"), std::string::npos) << errors[0];
    EXPECT_TRUE(dlg->IsShown());
    EXPECT_EQ(dlg->m_lstRoute->GetItemCount(), 0);
    ExpectButtons(true, false);
}

// Write File. The editor hand-over ends the program, so the click happens in
// a child process; a stand-in xdg-open, first on PATH, records its call.

class WriteFile : public RouteWindow {
protected:
    void SetUp() override
    {
        RouteWindow::SetUp();
        // A death test's child runs this test again from the start: it must
        // find the parent's record, not make its own.
        setenv("MERIDANE_TEST_EDITOR_LOG", (m_dir->path() + "/editor.log").c_str(), 0);
        log = std::getenv("MERIDANE_TEST_EDITOR_LOG");
        const std::string bin = m_dir->path() + "/bin";
        std::filesystem::create_directory(bin);
        std::ofstream script(bin + "/xdg-open");
        script << "#!/bin/sh\n"
                  "cp \"$1\" \"$MERIDANE_TEST_EDITOR_LOG.report\"\n"
                  "echo \"$(pwd) $#:$1\" > \"$MERIDANE_TEST_EDITOR_LOG.tmp\"\n"
                  "mv \"$MERIDANE_TEST_EDITOR_LOG.tmp\" \"$MERIDANE_TEST_EDITOR_LOG\"\n";
        script.close();
        chmod((bin + "/xdg-open").c_str(), 0755);
        const char* path = std::getenv("PATH");
        setenv("PATH", (bin + ":" + (path ? path : "/usr/bin:/bin")).c_str(), 1);
    }
    // Waits for the stand-in editor, which runs on after the program ended.
    std::string EditorCall()
    {
        for (int i = 0; i < 200 && !std::filesystem::exists(log); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        std::ifstream in(log);
        std::string line;
        std::getline(in, line);
        return line;
    }
    void ReadyToWrite()
    {
        Open();
        SelectDeparting(KENNEDY);
        SelectDestination(LOGAN);
        CalculateRoute();
        ASSERT_TRUE(dlg->m_btnWriteFile->IsEnabled());
    }

    std::string log;
};

TEST_F(WriteFile, WritesTheReportAndHandsOverToTheEditorEndingTheProgram)
{
    ReadyToWrite();
    const std::string workDir = std::filesystem::current_path().string();
    EXPECT_EXIT(Click(*dlg->m_btnWriteFile), ::testing::ExitedWithCode(0), "");

    std::string call = EditorCall();
    ASSERT_FALSE(call.empty()) << "the editor was not started";
    EXPECT_NE(call.find(" 1:course.txt"), std::string::npos) << call;

    std::ifstream in(log + ".report", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const std::string report = text.str();
    EXPECT_EQ(report.substr(0, 82), std::string(80, '*') + "\r\n");
    // The plan as the window shows it: airports, runways (with "NA"), route.
    EXPECT_NE(report.find("Kennedy"), std::string::npos);
    EXPECT_NE(report.find("Logan"), std::string::npos);
    EXPECT_NE(report.find("13 ft."), std::string::npos);
    EXPECT_NE(report.find("13R  14511  Concrete  NA"), std::string::npos) << report;
    EXPECT_NE(report.find("Alpha VOR"), std::string::npos);
    EXPECT_NE(report.find("Charlie VOR"), std::string::npos);
    EXPECT_EQ(report.find("-1.0"), std::string::npos);
}

TEST_F(WriteFile, AReportThatCannotBeWrittenIsShownAndTheWindowStays)
{
    ReadyToWrite();
    std::filesystem::create_directory("course.txt");
    Click(*dlg->m_btnWriteFile);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("course.txt"), std::string::npos) << errors[0];
    EXPECT_TRUE(dlg->IsShown());
    ExpectButtons(false, true);
    EXPECT_GT(dlg->m_lstRoute->GetItemCount(), 0);
    EXPECT_FALSE(std::filesystem::exists(log)) << "no editor after a failed report";
}

TEST_F(WriteFile, WithoutAnEditorTheWindowStaysAsItWas)
{
    ReadyToWrite();
    setenv("PATH", "/nonexistent", 1);
    Click(*dlg->m_btnWriteFile);
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(dlg->IsShown());
    ExpectButtons(false, true);
    EXPECT_TRUE(std::filesystem::exists("course.txt"));
}

// The About box, from the button and from the window menu.

class AboutBox : public RouteWindow {
protected:
    // Checks the About box once it is open, then presses its OK button.
    void ExpectAboutBoxThenOk()
    {
        WhenIdle([this] {
            wxDialog* about = nullptr;
            for (wxWindow* w : wxTopLevelWindows) {
                auto* d = dynamic_cast<wxDialog*>(w);
                if (d && d != dlg.get() && d->IsModal())
                    about = d;
            }
            ASSERT_NE(about, nullptr) << "no About box open";
            ++shown;
            EXPECT_EQ(about->GetTitle(), "About Meridane");
            bool versionShown = false;
            for (wxWindow* child : about->GetChildren())
                if (auto* text = dynamic_cast<wxStaticText*>(child))
                    versionShown |= text->GetLabel() == "Meridane Ver 1.0";
            EXPECT_TRUE(versionShown);
            Click(*wxStaticCast(about->FindWindow(wxID_OK), wxButton));
        });
    }
    int shown = 0;
};

TEST_F(AboutBox, OpensFromTheAboutButton)
{
    Open();
    SelectDeparting(KENNEDY);
    const Strings panels = Panels();
    for (int i = 0; i < 2; ++i) {
        ExpectAboutBoxThenOk();
        Click(Button(IDC_ABOUT));
    }
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(Panels(), panels);
    ExpectButtons(false, false);
}

TEST_F(AboutBox, OpensFromTheWindowMenuOnARightClick)
{
    Open();
    std::vector<std::string> menuTexts;
    dlg->m_showWindowMenu = [&](wxMenu& menu) {
        for (wxMenuItem* item : menu.GetMenuItems())
            menuTexts.push_back(item->GetItemLabel().utf8_string());
        // The user picks the entry: the menu sends its command to the window.
        wxCommandEvent pick(wxEVT_MENU, IDM_ABOUTBOX);
        pick.SetEventObject(&menu);
        dlg->HandleWindowEvent(pick);
    };
    ExpectAboutBoxThenOk();
    wxContextMenuEvent rightClick(wxEVT_CONTEXT_MENU, dlg->GetId(), wxPoint(100, 100));
    rightClick.SetEventObject(dlg.get());
    dlg->HandleWindowEvent(rightClick);
    EXPECT_EQ(menuTexts, (Strings{"&About Meridane..."}));
    EXPECT_EQ(shown, 1);
}

}  // namespace

namespace {

// Keys from the keyboard itself, through the display server.
class Keyboard : public RouteWindow {
protected:
    void Press(int key)
    {
        wxUIActionSimulator input;
        input.MouseMove(dlg->GetScreenPosition() + wxPoint(dlg->GetSize().x / 2, 10));
        Settle(100);
        input.Char(key);
        Settle(300);
    }
};

TEST_F(Keyboard, EnterPressesCalculateRoute)
{
    Open();
    SelectDeparting(KENNEDY);
    SelectDestination(LOGAN);
    dlg->Raise();
    dlg->m_lstRoute->SetFocus();
    Settle(300);
    Press(WXK_RETURN);
    EXPECT_EQ(dlg->m_lstRoute->GetItemCount(), 3);
    ExpectButtons(false, true);

    // Calculate Route is disabled now: Enter does nothing.
    dlg->m_lstRoute->SetFocus();
    Settle(100);
    Press(WXK_RETURN);
    EXPECT_EQ(dlg->m_lstRoute->GetItemCount(), 3);
    EXPECT_TRUE(dlg->IsShown());
}

TEST_F(Keyboard, TheWindowOpensOnItsFirstEnabledTabStop)
{
    Open();
    Settle(200);
    // Calculate Route leads the tab order but starts disabled.
    EXPECT_EQ(wxWindow::FindFocus(), dlg->FindWindow(IDC_DEPARTURE_LATITUDE));
}

TEST_F(Keyboard, EscapeClosesTheWindow)
{
    Open();
    SelectDeparting(KENNEDY);
    dlg->Raise();
    dlg->m_lstRoute->SetFocus();
    Settle(300);
    Press(WXK_ESCAPE);
    EXPECT_FALSE(dlg->IsShown());
    EXPECT_EQ(dlg->GetReturnCode(), wxID_CANCEL);
}

}  // namespace

// The pane switches between the listed and the best covered route, and
// between the range models, at once: legs, map and what Export writes follow;
// the route list of the window keeps the listed route.
TEST_F(RouteWindow, ThePaneChoosesTheListedOrTheBestCoveredRoute)
{
    MERIDANE_REQUIRE_NAVDATA();
    Open(ROUTE_FACTS);
    SelectDeparting(KENNEDY);
    SelectDestination(LOGAN);
    CalculateRoute();
    PlanPane& pane = *dlg->m_planPane;
    RouteChoicePanel& choice = *pane.m_routeChoice;
    ASSERT_TRUE(pane.Plan());
    EXPECT_EQ(pane.Plan()->routeKind, flightplan::RouteKind::Listed);
    const std::string listedSummary = FromWx(choice.m_txtListed->GetLabel());
    EXPECT_NE(listedSummary.find(" nm \u00b7 4 legs \u00b7 "), std::string::npos) << listedSummary;
    EXPECT_NE(FromWx(choice.m_txtBest->GetLabel()).find(" legs \u00b7 "), std::string::npos);

    auto choose = [](wxWindow& control, wxEventType type) {
        wxCommandEvent event(type, control.GetId());
        event.SetEventObject(&control);
        event.SetInt(1);
        control.ProcessWindowEvent(event);
    };
    choice.m_rdoBest->SetValue(true);
    choose(*choice.m_rdoBest, wxEVT_RADIOBUTTON);
    ASSERT_TRUE(pane.Plan());
    EXPECT_EQ(pane.Plan()->routeKind, flightplan::RouteKind::Best);
    EXPECT_EQ(static_cast<std::size_t>(pane.m_lstLegs->GetItemCount()), pane.Plan()->legs.size());
    EXPECT_EQ(pane.m_map->Scene().route.size(), pane.Plan()->waypoints.size());
    EXPECT_TRUE(pane.m_map->Scene().markUncovered);
    EXPECT_EQ(dlg->m_lstRoute->GetItemCount(), 3) << "the window's own list stays the listed route";

    choice.m_cboRanges->SetSelection(1);
    choose(*choice.m_cboRanges, wxEVT_CHOICE);
    EXPECT_EQ(pane.Plan()->ranges, coverage::RangeModel::Simulator);
    EXPECT_EQ(pane.Plan()->navaids, coverage::Navaids::Vor);
    choice.m_cboNavaids->SetSelection(1);
    choose(*choice.m_cboNavaids, wxEVT_CHOICE);
    EXPECT_EQ(pane.Plan()->navaids, coverage::Navaids::VorNdb);
    EXPECT_EQ(pane.Plan()->routeKind, flightplan::RouteKind::Best);
    choice.m_chkRings->SetValue(true);
    choose(*choice.m_chkRings, wxEVT_CHECKBOX);
    EXPECT_TRUE(pane.m_map->Scene().showRanges);

    // One airport at both ends has no best route, and the pane says so.
    SelectDestination(KENNEDY);
    CalculateRoute();
    EXPECT_FALSE(pane.Plan());
    EXPECT_NE(FromWx(choice.m_txtBest->GetLabel()).find("two different airports"), std::string::npos);
}
