// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: choosing airports, the route, the report and the button
// states, with the selection dialog played by the test as a user would.

#include "ui/AirportDlg.h"
#include "data/ConnectionString.h"
#include "data/Database.h"
#include "widgets/Resource.h"
#include "ui/MapWindow.h"
#include "data/NavDataEdition.h"
#include "ui/PlanInputsPanel.h"
#include "ui/PlanPane.h"
#include "ui/RouteChoicePanel.h"
#include "ui/SashHandle.h"
#include "ui/WindowSettings.h"
#include "kneeboard/Paper.h"
#include "map/Projection.h"
#include "map/ViewFit.h"
#include "ui/RouteDlg.h"
#include "route/RouteSearch.h"
#include "route/RowSink.h"
#include "ui/TextConvert.h"
#include "tests/ui/UiDriver.h"
#include "tests/ui/UiFixture.h"
#include "tests/navdb/NavdbTestSupport.h"
#include "tests/update/UpdateTestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
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
    Open(ROUTE_FACTS);
    MapWindow& map = *dlg->m_planPane->m_map;
    const wxSize size = map.GetClientSize();
    EXPECT_TRUE(map.Scene().route.empty());
    EXPECT_DOUBLE_EQ(map.View().nmPerPixel, map::worldView(size.x, size.y).nmPerPixel);
    SelectDeparting(KENNEDY);
    ASSERT_EQ(map.Scene().route.size(), 1u);
    SelectDestination(LOGAN);
    CalculateRoute();
    Strings idents;
    for (const auto& point : map.Scene().route)
        idents.push_back(point.ident);
    EXPECT_EQ(idents, (Strings{"K10", "N101", "N102", "N103", "K20"}));
    EXPECT_TRUE(map.Scene().otherBeacons.empty()) << "an NDB is no VOR";

    // The pane's texts below the map may take another line once a plan
    // stands there.
    const wxSize shown = map.GetClientSize();
    auto pixelOf = [&](double lat, double lon) {
        const auto p = map::Projection(map.View(), shown.x, shown.y).toPixels(lat, lon);
        return wxPoint(static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y)));
    };
    Strings facts;
    map.m_showFacts = [&](const map::MapPoint& point) { facts.push_back(point.ident); };
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
    const map::MapView whole = map::fitView(map.Scene(), now.x, now.y);
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
    EXPECT_EQ(items, (Strings{"Show whole route", "About Meridane...", "Update Navigation Data..."}));
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
    const std::string arrow = "\u2192";
    EXPECT_EQ(legs[1][4].size(), 6 + arrow.size()) << legs[1][4];
    EXPECT_EQ(legs[1][4].find(arrow), 3u) << legs[1][4];
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
    Open();
    ExecuteSqlScript("VORS.MDB", ROUTE_FACTS);
    SelectDeparting(KENNEDY);
    SelectDestination(LOGAN);
    CalculateRoute();
    PlanPane& pane = *dlg->m_planPane;
    PlanInputsPanel& inputs = PlanPaneControls::Inputs(pane);
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
    EXPECT_EQ(menuTexts, (Strings{"&About Meridane...", "&Update Navigation Data..."}));
    EXPECT_EQ(shown, 1);
}

TEST_F(AboutBox, NamesTheNavigationDataBelowTheVersion)
{
    Open("CREATE TABLE data_sources (File TEXT, Origin TEXT, DataDate TEXT, Version TEXT, Rows INTEGER,"
         " Imported TEXT);"
         "INSERT INTO data_sources VALUES ('airports.csv','x','2026-08-22',NULL,3,'t'),"
         "('nav.dat','y','2026-01-01','2013.10',1,'t');");
    // The window read the record as it started.
    EXPECT_EQ(dlg->NavDataLineShown(), "Navigation data: OurAirports of 2026-08-22, ILS from X-Plane 2013.10");
    WhenIdle([this] {
        for (wxWindow* w : wxTopLevelWindows) {
            auto* about = dynamic_cast<wxDialog*>(w);
            if (!about || about == dlg.get() || !about->IsModal())
                continue;
            bool named = false;
            for (wxWindow* child : about->GetChildren())
                if (auto* text = dynamic_cast<wxStaticText*>(child)) {
                    // Wrapped to the box's width.
                    std::string label = FromWx(text->GetLabel());
                    std::replace(label.begin(), label.end(), '\n', ' ');
                    named |= label == "Navigation data: OurAirports of 2026-08-22, ILS from X-Plane 2013.10";
                }
            EXPECT_TRUE(named);
            ++shown;
            Click(*wxStaticCast(about->FindWindow(wxID_OK), wxButton));
        }
    });
    Click(Button(IDC_ABOUT));
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
    Open(ROUTE_FACTS);
    SelectDeparting(KENNEDY);
    SelectDestination(LOGAN);
    CalculateRoute();
    PlanPane& pane = *dlg->m_planPane;
    RouteChoicePanel& choice = PlanPaneControls::RouteChoice(pane);
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
    // The map marks the stretches the plan found uncovered, leg by leg.
    std::size_t uncoveredLegs = 0;
    for (const flightplan::Leg& leg : pane.Plan()->legs)
        uncoveredLegs += leg.uncoveredNm > 0.0 ? 1 : 0;
    EXPECT_EQ(pane.m_map->Scene().uncovered.size(), uncoveredLegs);
    EXPECT_EQ(dlg->m_lstRoute->GetItemCount(), 3) << "the window's own list stays the listed route";

    // Simulator ranges from a database without them: the pane says so
    // rather than planning on none; once they are there, it plans on them.
    choice.m_cboRanges->SetSelection(1);
    choose(*choice.m_cboRanges, wxEVT_CHOICE);
    EXPECT_FALSE(pane.Plan());
    ExecuteSqlScript("VORS.MDB", "INSERT INTO nav_coverage VALUES (101,'L',40),(102,'L',40),(103,'L',40),"
                                 "(104,'L',40);");
    choose(*choice.m_cboRanges, wxEVT_CHOICE);
    ASSERT_TRUE(pane.Plan());
    EXPECT_EQ(pane.Plan()->rangeModel, coverage::RangeModel::Simulator);
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

namespace {

// The cells of the leg list under these compact headings.
Strings ColumnCells(const wxListCtrl& list, const std::string& heading)
{
    const Strings headings = Headings(list);
    const auto at = std::find(headings.begin(), headings.end(), heading);
    Strings cells;
    if (at == headings.end())
        return cells;
    for (const auto& row : Rows(list))
        cells.push_back(row[static_cast<std::size_t>(at - headings.begin())]);
    return cells;
}

bool AllBlank(const Strings& cells)
{
    return !cells.empty() && std::all_of(cells.begin(), cells.end(), [](const std::string& c) { return c.empty(); });
}

bool NoneBlank(const Strings& cells)
{
    return !cells.empty() && std::none_of(cells.begin(), cells.end(), [](const std::string& c) { return c.empty(); });
}

}  // namespace

// A typing slip in one field keeps the route, its summaries and Export; the
// field is named, and only the figures that depend on it go blank.
TEST_F(RouteWindow, AFieldThatCannotBeReadKeepsThePlanAndBlanksWhatDependsOnIt)
{
    Open(ROUTE_FACTS);
    SelectDeparting(KENNEDY);
    SelectDestination(LOGAN);
    CalculateRoute();
    PlanPane& pane = *dlg->m_planPane;
    PlanInputsPanel& inputs = PlanPaneControls::Inputs(pane);
    RouteChoicePanel& choice = PlanPaneControls::RouteChoice(pane);
    inputs.m_txtWind->SetValue("270/30");
    inputs.m_txtAirspeed->SetValue("120");
    inputs.m_txtFuelBurn->SetValue("9");
    ASSERT_TRUE(pane.Plan());
    const std::string route = FromWx(pane.m_edtRoute->GetValue());
    const std::string listed = FromWx(choice.m_txtListed->GetLabel());
    const std::string best = FromWx(choice.m_txtBest->GetLabel());
    const Strings distances = ColumnCells(*pane.m_lstLegs, "nm");
    ASSERT_TRUE(NoneBlank(ColumnCells(*pane.m_lstLegs, "GS")));

    const struct {
        wxTextCtrl* field;
        const char* typed;
        const char* named;
        Strings blank, kept;
    } slips[] = {
        {inputs.m_txtAirspeed, "abc", "TAS", {"MH", "GS", "Time", "Fuel"}, {"From", "MC", "nm", "Total"}},
        {inputs.m_txtAirspeed, "12o", "TAS", {"MH", "GS", "Time", "Fuel"}, {"From", "MC", "nm", "Total"}},
        {inputs.m_txtWind, "400/10", "Wind", {"MH", "GS", "Time", "Fuel"}, {"From", "MC", "nm", "Total"}},
        {inputs.m_txtWind, "270/", "Wind", {"MH", "GS", "Time", "Fuel"}, {"From", "MC", "nm", "Total"}},
        {inputs.m_txtFuelBurn, "-3", "Fuel", {"Fuel"}, {"MH", "GS", "Time", "nm"}},
    };
    for (const auto& slip : slips) {
        SCOPED_TRACE(std::string(slip.named) + " " + slip.typed);
        const wxString before = slip.field->GetValue();
        slip.field->SetValue(slip.typed);
        ASSERT_TRUE(pane.Plan());
        EXPECT_EQ(pane.Plan()->trueAirspeedKt, 120.0);
        EXPECT_EQ(FromWx(pane.m_edtRoute->GetValue()), route);
        EXPECT_EQ(FromWx(choice.m_txtListed->GetLabel()), listed);
        EXPECT_EQ(FromWx(choice.m_txtBest->GetLabel()), best);
        EXPECT_TRUE(pane.m_btnExport->IsEnabled());
        EXPECT_EQ(FromWx(inputs.m_txtProblem->GetLabel()).rfind(slip.named, 0), 0u)
            << FromWx(inputs.m_txtProblem->GetLabel());
        for (const std::string& heading : slip.blank)
            EXPECT_TRUE(AllBlank(ColumnCells(*pane.m_lstLegs, heading))) << heading;
        for (const std::string& heading : slip.kept)
            EXPECT_TRUE(NoneBlank(ColumnCells(*pane.m_lstLegs, heading))) << heading;
        EXPECT_EQ(ColumnCells(*pane.m_lstLegs, "nm"), distances);
        // Read again, the figures come back.
        slip.field->SetValue(before);
        EXPECT_TRUE(NoneBlank(ColumnCells(*pane.m_lstLegs, "GS")));
        EXPECT_TRUE(NoneBlank(ColumnCells(*pane.m_lstLegs, "Fuel")));
        EXPECT_EQ(FromWx(inputs.m_txtProblem->GetLabel()), "");
    }
    // A new airspeed after a slip counts.
    inputs.m_txtAirspeed->SetValue("abc");
    inputs.m_txtAirspeed->SetValue("140");
    EXPECT_EQ(pane.Plan()->trueAirspeedKt, 140.0);

    // The wind field shows the strongest wind it takes whole.
    inputs.m_txtWind->SetValue("270/200");
    EXPECT_GE(inputs.m_txtWind->GetClientSize().x, inputs.m_txtWind->GetTextExtent("270/200").x);
    EXPECT_TRUE(errors.empty()) << errors.front();
}

// The question before replacing a file is about the file Export writes.
TEST_F(RouteWindow, ExportAsksBeforeReplacingTheFileItWrites)
{
    Open(ROUTE_FACTS);
    SelectDeparting(KENNEDY);
    SelectDestination(LOGAN);
    CalculateRoute();
    PlanPane& pane = *dlg->m_planPane;
    std::vector<std::string> asked;
    bool replace = false;
    pane.m_confirmReplace = [&](const std::string& path) {
        asked.push_back(path);
        return replace;
    };
    auto contents = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    std::ofstream("K10-K20.pdf") << "an older navlog";
    pane.m_chooseExportFile = [] { return std::string("K10-K20.pdf"); };
    Click(*pane.m_btnExport);
    EXPECT_EQ(asked, Strings{"K10-K20.pdf"});
    EXPECT_EQ(contents("K10-K20.pdf"), "an older navlog");
    replace = true;
    Click(*pane.m_btnExport);
    EXPECT_EQ(contents("K10-K20.pdf").rfind("%PDF-", 0), 0u);
    // A new file is written without a question.
    asked.clear();
    pane.m_chooseExportFile = [] { return std::string("K10-K20.fms"); };
    Click(*pane.m_btnExport);
    EXPECT_TRUE(asked.empty());
    EXPECT_FALSE(contents("K10-K20.fms").empty());
    EXPECT_TRUE(errors.empty()) << errors.front();
}

namespace {

// The main window opened within a work area of a given screen, as a desktop
// with a panel along its top leaves it.
class WindowFit : public RouteWindow {
protected:
    void OpenWithin(const wxRect& area)
    {
        Build(RouteRows());
        dlg = std::make_unique<CRouteDlg>();
        ExecuteSqlScript(NAVDB_FILE_NAME, ROUTE_FACTS);
        dlg->m_runAirportDialog = [this](CAirportDlg& d) { return PlayUser(d); };
        dlg->m_workArea = [area] { return area; };
        dlg->Show();
        Settle(200);
    }
    void Reopen(const wxRect& area)
    {
        dlg.reset();
        Settle(100);
        dlg = std::make_unique<CRouteDlg>();
        dlg->m_runAirportDialog = [this](CAirportDlg& d) { return PlayUser(d); };
        dlg->m_workArea = [area] { return area; };
        dlg->Show();
        Settle(200);
    }

    // Every control shown lies inside the client area and is at least as
    // large as its text needs.
    void ExpectEveryControlWhole()
    {
        const wxRect client(wxPoint(0, 0), dlg->GetClientSize());
        std::function<void(wxWindow&)> visit = [&](wxWindow& parent) {
            for (wxWindow* child : parent.GetChildren()) {
                if (!child->IsShown() || child->IsTopLevel())
                    continue;
                const wxRect rect(dlg->ScreenToClient(child->GetScreenPosition()), child->GetSize());
                const std::string name = FromWx(child->GetClassInfo()->GetClassName()) + " \"" +
                                         FromWx(child->GetLabel()) + "\" in " +
                                         FromWx(parent.GetClassInfo()->GetClassName()) + " at " +
                                         std::to_string(rect.x) + "," + std::to_string(rect.y);
                EXPECT_TRUE(client.Contains(rect)) << name << " at " << rect.x << "," << rect.y << " " << rect.width
                                                   << "x" << rect.height << " beyond " << client.width << "x"
                                                   << client.height;
                if (dynamic_cast<wxButton*>(child) || dynamic_cast<wxTextCtrl*>(child) ||
                    dynamic_cast<wxChoice*>(child) || dynamic_cast<wxCheckBox*>(child) ||
                    dynamic_cast<wxRadioButton*>(child)) {
                    const wxSize needed = child->GetMinSize().IsFullySpecified() ? child->GetMinSize()
                                                                                  : child->GetBestSize();
                    EXPECT_GE(rect.height, needed.y - 2) << name;
                    // A field may scroll its text; a button or a choice shows its whole label.
                    const bool field = dynamic_cast<wxTextCtrl*>(child) != nullptr;
                    EXPECT_GE(rect.width, (field ? std::min(needed.x, 40) : needed.x) - 2) << name;
                }
                visit(*child);
            }
        };
        visit(*dlg);
    }
    // The leg list's columns side by side, and the room the list has.
    static std::pair<int, int> LegWidths(PlanPane& pane)
    {
        int columns = 0;
        for (int width : ColumnWidths(*pane.m_lstLegs))
            columns += width;
        return {columns, pane.m_lstLegs->GetClientSize().x};
    }
};

const wxRect LAPTOP{0, 27, 1280, 800 - 27};  // 1280x800 with a top panel
const wxRect SMALL{0, 0, 1024, 768};
const wxRect LARGE{0, 0, 1280, 1024};

}  // namespace

TEST_F(WindowFit, TheWindowOpensWithinTheWorkAreaWithEveryControlWhole)
{
    bool first = true;
    for (const wxRect& area : {LAPTOP, SMALL, LARGE}) {
        SCOPED_TRACE(std::to_string(area.width) + "x" + std::to_string(area.height));
        // Each opens as on a first start.
        dlg.reset();
        std::filesystem::remove_all(m_dir->path() + "/config");
        if (first)
            OpenWithin(area);
        else
            Reopen(area);
        first = false;
        const wxRect frame = dlg->GetRect();
        EXPECT_TRUE(area.Contains(frame)) << frame.x << "," << frame.y << " " << frame.width << "x" << frame.height;
        ExpectEveryControlWhole();
        // With a route, a wind and a burn: more columns, still whole.
        SelectDeparting(KENNEDY);
        SelectDestination(LOGAN);
        CalculateRoute();
        PlanPane& pane = *dlg->m_planPane;
        PlanPaneControls::Inputs(pane).m_txtWind->SetValue("270/30");
        PlanPaneControls::Inputs(pane).m_txtFuelBurn->SetValue("9.5");
        Settle(100);
        ASSERT_TRUE(pane.Plan());
        ExpectEveryControlWhole();
        if (area.width >= 1280) {
            // Every leg column reads whole without scrolling sideways.
            const auto [columns, room] = LegWidths(pane);
            EXPECT_LE(columns, room) << "the legs need " << columns << " px and have " << room << "; client "
                                     << dlg->GetClientSize().x << ", pane " << pane.GetSize().x << ", list at "
                                     << dlg->m_lstRoute->GetRect().GetRight() << "\n" << [&] {
                                            std::string t;
                                            const auto h = Headings(*pane.m_lstLegs);
                                            const auto w = ColumnWidths(*pane.m_lstLegs);
                                            for (std::size_t i = 0; i < h.size(); ++i)
                                                t += h[i] + "=" + std::to_string(w[i]) + " ";
                                            for (const auto& row : Rows(*pane.m_lstLegs))
                                                for (const auto& cell : row)
                                                    t += "[" + cell + "]";
                                            return t;
                                        }();
        }
    }
    EXPECT_TRUE(errors.empty()) << errors.front();
}

TEST_F(WindowFit, TheSmallestWindowCutsNoButton)
{
    OpenWithin(LARGE);
    dlg->SetClientSize(wxSize(10, 10));
    Settle(100);
    EXPECT_EQ(dlg->GetClientSize(), dlg->GetMinClientSize());
    ExpectEveryControlWhole();
}

TEST_F(WindowFit, TheSplitterMovesThePaneAndTheWindowRemembersItAndTheAircraft)
{
    OpenWithin(LARGE);
    PlanPane& pane = *dlg->m_planPane;
    const int before = pane.GetPosition().x;
    const int listBefore = dlg->m_lstRoute->GetSize().x;
    // Dragged by the mouse as far as each side lets it.
    auto drag = [this](int by) {
        wxUIActionSimulator input;
        const wxPoint grip = dlg->m_sash->GetScreenRect().GetPosition() + wxPoint(dlg->m_sash->GetSize().x / 2, 100);
        input.MouseMove(grip);
        Settle(100);
        input.MouseDown();
        Settle(50);
        for (int step = 1; step <= 6; ++step) {
            input.MouseMove(grip + wxPoint(by * step / 6, 0));
            Settle(30);
        }
        input.MouseUp();
        Settle(150);
    };
    drag(400);
    const int right = pane.GetPosition().x;
    EXPECT_GT(right, before + 100);
    EXPECT_GT(dlg->m_lstRoute->GetSize().x, listBefore + 100);
    EXPECT_EQ(pane.GetSize().x, std::max({250, pane.LeastWidth(), pane.m_buttons->CalcMin().x}))
        << "the pane keeps its least width";
    EXPECT_EQ(dlg->m_sash->GetPosition().x + dlg->m_sash->GetSize().x, right);
    drag(-900);
    const int left = pane.GetPosition().x;
    EXPECT_LT(left, before - 50);
    EXPECT_GE(dlg->m_lstRoute->GetSize().x, listBefore - (before - left));
    EXPECT_GE(dlg->m_lstRoute->GetSize().x, 300) << "the airports keep their template's width";
    drag(120);
    const int moved = pane.GetPosition().x;
    EXPECT_NEAR(moved, left + 120, 2);

    // The aircraft and the choices, typed once.
    PlanPaneControls::Inputs(pane).m_txtAirspeed->SetValue("135");
    PlanPaneControls::Inputs(pane).m_txtFuelBurn->SetValue("10.5");
    PlanPaneControls::Inputs(pane).m_txtWind->SetValue("270/20");
    PlanPaneControls::Inputs(pane).SetPaper(kneeboard::Paper::HalfLetter);
    PlanPaneControls::RouteChoice(pane).ChooseBest(true);
    PlanPaneControls::RouteChoice(pane).SetRanges(coverage::RangeModel::Simulator);
    dlg->SetClientSize(dlg->GetClientSize() - wxSize(60, 40));
    Settle(100);
    const wxSize size = dlg->GetClientSize();
    const int kept = pane.GetPosition().x;  // the pane keeps its least width

    Reopen(LARGE);
    PlanPane& again = *dlg->m_planPane;
    EXPECT_EQ(dlg->GetClientSize(), size);
    EXPECT_EQ(again.GetPosition().x, kept);
    EXPECT_EQ(Text(*PlanPaneControls::Inputs(again).m_txtAirspeed), "135");
    EXPECT_EQ(Text(*PlanPaneControls::Inputs(again).m_txtFuelBurn), "10.5");
    EXPECT_EQ(Text(*PlanPaneControls::Inputs(again).m_txtWind), "") << "the wind is the day's, not the aircraft's";
    EXPECT_EQ(PlanPaneControls::Inputs(again).Paper(), kneeboard::Paper::HalfLetter);
    EXPECT_TRUE(PlanPaneControls::RouteChoice(again).BestChosen());
    EXPECT_EQ(PlanPaneControls::RouteChoice(again).Ranges(), coverage::RangeModel::Simulator);

    // Where the tests keep it, never in the user's own configuration.
    const std::string path = WindowSettingsPath();
    EXPECT_EQ(path, m_dir->path() + "/config/meridane/meridane.conf");
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_NE(text.str().find("TrueAirspeed=135"), std::string::npos) << text.str();

    // A window larger than the screen it opens on next shrinks into it.
    Reopen(SMALL);
    EXPECT_TRUE(SMALL.Contains(dlg->GetRect()));
    EXPECT_TRUE(errors.empty()) << errors.front();
}

TEST_F(WindowFit, ADamagedConfigurationGivesTheDefaults)
{
    const std::string folder = m_dir->path() + "/config/meridane";
    std::filesystem::create_directories(folder);
    std::ofstream(folder + "/meridane.conf") << "[Aircraft\nTrueAirspeed\n\xff\xfe=1\n[Window]\nWidth=-5\nHeight=abc\n";
    OpenWithin(LARGE);
    EXPECT_EQ(Text(*PlanPaneControls::Inputs(*dlg->m_planPane).m_txtAirspeed), "");
    EXPECT_TRUE(LARGE.Contains(dlg->GetRect()));
    EXPECT_GE(dlg->GetClientSize().x, dlg->GetMinClientSize().x);
    EXPECT_TRUE(errors.empty()) << errors.front();
}
namespace {

// "Update Navigation Data..." from the window menu, with the update itself
// played by the test: the window goes on with the database the update left.
class NavDataUpdate : public RouteWindow {
protected:
    void PickUpdate()
    {
        wxCommandEvent pick(wxEVT_MENU, IDM_UPDATE_NAVDATA);
        pick.SetEventObject(dlg.get());
        dlg->HandleWindowEvent(pick);
    }
    Strings told;
};

const std::string SOURCES_TABLE =
    "CREATE TABLE data_sources (File TEXT, Origin TEXT, DataDate TEXT, Version TEXT, Rows INTEGER, Imported TEXT);";

TEST_F(NavDataUpdate, TheWindowGoesOnWithTheNewDatabaseWithoutARestart)
{
    Open();
    dlg->m_tellUser = [this](const std::string& text) { told.push_back(text); };
    SelectDeparting(KENNEDY);
    SelectDestination(LOGAN);
    CalculateRoute();
    ASSERT_GT(dlg->m_lstRoute->GetItemCount(), 0);

    std::string output;
    dlg->m_runNavDataUpdate = [&](const update::UpdateOptions& options) {
        output = options.output;
        EXPECT_FALSE(options.referenceRows.empty());
        EXPECT_FALSE(options.cacheDir.empty());
        // As the update does it: a new file renamed over the old one.
        std::filesystem::copy_file(NAVDB_FILE_NAME, "next.MDB");
        ExecuteSqlScript("next.MDB", SOURCES_TABLE +
                                         "INSERT INTO data_sources VALUES ('airports.csv','u','2026-09-30',NULL,3,'t');"
                                         "UPDATE airports SET Name='Kennedy International' WHERE ID=10;");
        std::filesystem::rename("next.MDB", NAVDB_FILE_NAME);
        return NavDataUpdateOutcome{true, ""};
    };
    PickUpdate();
    EXPECT_EQ(output, std::filesystem::absolute(NAVDB_FILE_NAME).string());
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("Navigation data: OurAirports of 2026-09-30, no ILS frequencies"), std::string::npos)
        << told[0];
    EXPECT_EQ(dlg->NavDataLineShown(), "Navigation data: OurAirports of 2026-09-30, no ILS frequencies");
    // The airports are chosen afresh, from the new data.
    EXPECT_EQ(Panels(), Strings(10, ""));
    EXPECT_EQ(dlg->m_lstRoute->GetItemCount(), 0);
    EXPECT_EQ(dlg->m_lstDepartureRunways->GetItemCount(), 0);
    ExpectButtons(false, false);
    SelectDeparting({"New York", "New York", "Kennedy International"});
    EXPECT_EQ(Panels()[0], "Kennedy International");
    SelectDestination(LOGAN);
    CalculateRoute();
    EXPECT_GT(dlg->m_lstRoute->GetItemCount(), 0);
    EXPECT_TRUE(errors.empty());
}

TEST_F(NavDataUpdate, AFailedUpdateSaysWhyAndChangesNothing)
{
    Open();
    dlg->m_tellUser = [this](const std::string& text) { told.push_back(text); };
    SelectDeparting(KENNEDY);
    const Strings panels = Panels();
    dlg->m_runNavDataUpdate = [](const update::UpdateOptions&) {
        return NavDataUpdateOutcome{false, "airports.csv: the server answered 404 Not Found for http://x/airports.csv"};
    };
    PickUpdate();
    EXPECT_EQ(errors, (Strings{"The navigation data was not updated: airports.csv: the server answered 404 Not Found "
                               "for http://x/airports.csv"}));
    EXPECT_TRUE(told.empty());
    EXPECT_EQ(Panels(), panels);
    ExpectButtons(false, false);
    SelectDestination(LOGAN);
    ExpectButtons(true, false);
}

// The update itself under its progress dialog, against a stand-in for the
// data site on loopback.
TEST_F(NavDataUpdate, ThroughTheProgressDialogAndItsCancel)
{
    Open();
    const std::string here = std::filesystem::current_path().string();
    std::filesystem::copy(std::string(MERIDANE_TEST_DATA_DIR) + "/navdb/fixtures/world", here + "/site");
    update::test::LoopbackServer server(here + "/site", here + "/requests");
    update::UpdateOptions options = WindowUpdateOptions(here + "/" + NAVDB_FILE_NAME);
    options.cacheDir = here + "/cache";
    options.xplaneNav = here + "/site/nav.dat";
    options.force = true;  // the fixture is far smaller than the snapshot
    const std::string before = navdb::test::readFile(NAVDB_FILE_NAME);

    // Cancel while airports.csv, sent slowly, is arriving.
    options.sourceUrl = server.url("slow-airports.csv");
    bool cancelPressed = false;
    const NavDataUpdateOutcome cancelled =
        RunNavDataUpdateWithProgress(dlg.get(), options, [&](wxWindow& progress) {
            EXPECT_EQ(progress.GetLabel(), "Update Navigation Data");
            const Strings requests = server.requests();
            if (!cancelPressed && !requests.empty() && requests.back() == "/slow-airports.csv/airports.csv 200") {
                cancelPressed = true;
                Click(*wxStaticCast(progress.FindWindow(wxID_CANCEL), wxButton));
            }
        });
    EXPECT_TRUE(cancelPressed);
    EXPECT_FALSE(cancelled.replaced);
    EXPECT_NE(cancelled.message.find("cancelled"), std::string::npos) << cancelled.message;
    EXPECT_EQ(navdb::test::readFile(NAVDB_FILE_NAME), before);
    EXPECT_EQ(DirectoryEntries(here + "/cache"), Strings{});

    options.sourceUrl = server.url("ok");
    const NavDataUpdateOutcome done = RunNavDataUpdateWithProgress(dlg.get(), options);
    EXPECT_TRUE(done.replaced) << done.message;
    EXPECT_NE(navdb::test::readFile(NAVDB_FILE_NAME), before);
}

TEST_F(NavDataUpdate, OldDataGetsANoteInThePlanPane)
{
    Open(SOURCES_TABLE + "INSERT INTO data_sources VALUES ('airports.csv','x','2001-01-01',NULL,3,'t');");
    std::string summary = FromWx(dlg->m_planPane->m_txtSummary->GetLabel());
    std::replace(summary.begin(), summary.end(), '\n', ' ');
    EXPECT_NE(summary.find("The navigation data is from 2001-01-01"), std::string::npos) << summary;
    EXPECT_NE(summary.find("\"Update Navigation Data...\" in the window menu"), std::string::npos) << summary;
}

TEST_F(NavDataUpdate, RecentDataGetsNoNote)
{
    Open(SOURCES_TABLE + "INSERT INTO data_sources VALUES ('airports.csv','x','" + TodayUtc() + "',NULL,3,'t');");
    EXPECT_EQ(FromWx(dlg->m_planPane->m_txtSummary->GetLabel()).find("navigation data is from"), std::string::npos);
}

}  // namespace
