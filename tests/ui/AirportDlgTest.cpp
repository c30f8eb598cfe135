// SPDX-License-Identifier: GPL-3.0-or-later
// The airport selection dialog, driven through its cascade as a user does.

#include "ui/AirportDlg.h"
#include "ui/AirportFindPane.h"
#include "data/ConnectionString.h"
#include "data/Database.h"
#include "widgets/Resource.h"
#include "tests/ui/UiDriver.h"
#include "tests/ui/UiFixture.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/uiaction.h>

#include <memory>

namespace {

using Strings = std::vector<std::string>;
using Table = std::vector<std::vector<std::string>>;

class AirportDialog : public WindowTest {
protected:
    // Opens the dialog on the cascade fixture plus `sql`, run once the
    // connection is open, as it refuses a database that lacks a table.
    void Open(const std::string& sql = "")
    {
        Build(CascadeRows());
        ExecuteSqlScript(NAVDB_FILE_NAME, sql);
        dlg = std::make_unique<CAirportDlg>();
        dlg->m_pDatabase = db();
        dlg->Show();
        statements = db()->GetStatementCount();
    }
    void TearDown() override
    {
        dlg.reset();
        WindowTest::TearDown();
    }
    // Statements run since the last call.
    std::uint64_t Queries()
    {
        std::uint64_t now = db()->GetStatementCount();
        std::uint64_t n = now - statements;
        statements = now;
        return n;
    }
    void ExpectEmptyAndDisabled(SortedComboBox& box)
    {
        EXPECT_FALSE(box.IsEnabled());
        EXPECT_EQ(box.GetCount(), 0u);
        EXPECT_EQ(Shown(box), "");
    }
    void ExpectNoDetails()
    {
        EXPECT_EQ(Text(*Edit(IDC_LATITUDE)), "");
        EXPECT_EQ(Text(*Edit(IDC_LONGITUDE)), "");
        EXPECT_EQ(Text(*Edit(IDC_ELEVATION)), "");
        EXPECT_EQ(Text(*Edit(IDC_ATIS)), "");
        EXPECT_EQ(dlg->m_lstRunways->GetItemCount(), 0);
        EXPECT_FALSE(dlg->m_btnSelectAirport->IsEnabled());
    }
    wxTextCtrl* Edit(int id) { return wxStaticCast(dlg->FindWindow(id), wxTextCtrl); }
    void ToNewYorkState()
    {
        Choose(*dlg->m_cboRegion, "North America");
        Choose(*dlg->m_cboCountry, "United States");
        Choose(*dlg->m_cboState, "New York");
    }

    std::unique_ptr<CAirportDlg> dlg;
    std::uint64_t statements = 0;
};

const Table KENNEDY_RUNWAYS = {
    {"04L", "12079", "Asphalt", "110.9"},
    {"13R", "14511", "Concrete", "NA"},
    // Only the ILS column knows "NA"; a missing length reads empty.
    {"-1.0", "", "-1.0", "109.5"},
};

TEST_F(AirportDialog, OpeningShowsTheFirstRegionAndFillsNothingElse)
{
    Open();
    EXPECT_TRUE(dlg->m_cboRegion->IsEnabled());
    EXPECT_EQ(Items(*dlg->m_cboRegion), (Strings{"Africa", "Antarctica", "Europe", "North America", "Oceania"}));
    EXPECT_EQ(Selected(*dlg->m_cboRegion), "Africa");
    ExpectEmptyAndDisabled(*dlg->m_cboCountry);
    ExpectEmptyAndDisabled(*dlg->m_cboState);
    ExpectEmptyAndDisabled(*dlg->m_cboCity);
    ExpectEmptyAndDisabled(*dlg->m_cboAirport);
    EXPECT_FALSE(dlg->m_chkAllCities->IsEnabled());
    EXPECT_FALSE(dlg->m_chkAllCities->IsChecked());
    ExpectNoDetails();
    EXPECT_EQ(Headings(*dlg->m_lstRunways), (Strings{"Runway #", "Length", "Type", "ILS Frequency"}));
    EXPECT_EQ(dlg->m_strID, "");
    EXPECT_EQ(dlg->m_strName, "");
    EXPECT_TRUE(errors.empty());
}

TEST_F(AirportDialog, OpeningRunsOneQuery)
{
    Build(CascadeRows());
    std::uint64_t before = db()->GetStatementCount();
    CAirportDlg dialog;
    dialog.m_pDatabase = db();
    dialog.Show();
    EXPECT_EQ(db()->GetStatementCount() - before, 1u);
}

TEST_F(AirportDialog, ChoosingARegionFillsItsCountriesSortedAndStops)
{
    Open();
    Choose(*dlg->m_cboRegion, "North America");
    EXPECT_TRUE(dlg->m_cboCountry->IsEnabled());
    EXPECT_EQ(Items(*dlg->m_cboCountry), (Strings{"Canada", "Mexico", "United States"}));
    EXPECT_EQ(Selected(*dlg->m_cboCountry), "Canada");
    ExpectEmptyAndDisabled(*dlg->m_cboState);
    ExpectEmptyAndDisabled(*dlg->m_cboCity);
    ExpectEmptyAndDisabled(*dlg->m_cboAirport);
    EXPECT_FALSE(dlg->m_chkAllCities->IsEnabled());
    ExpectNoDetails();
    EXPECT_EQ(Queries(), 1u);
}

TEST_F(AirportDialog, TheUnitedStatesFillsTheStateBox)
{
    Open();
    Choose(*dlg->m_cboRegion, "North America");
    Queries();
    Choose(*dlg->m_cboCountry, "United States");
    EXPECT_TRUE(dlg->m_cboState->IsEnabled());
    EXPECT_EQ(Items(*dlg->m_cboState), (Strings{"Hawai'i", "Idaho", "Massachusetts", "New York"}));
    EXPECT_EQ(Selected(*dlg->m_cboState), "Hawai'i");
    ExpectEmptyAndDisabled(*dlg->m_cboCity);
    ExpectEmptyAndDisabled(*dlg->m_cboAirport);
    EXPECT_FALSE(dlg->m_chkAllCities->IsEnabled());
    ExpectNoDetails();
    EXPECT_EQ(Queries(), 1u);
}

TEST_F(AirportDialog, AStateFillsItsCitiesAndEnablesAllCities)
{
    Open();
    Choose(*dlg->m_cboRegion, "North America");
    Choose(*dlg->m_cboCountry, "United States");
    Queries();
    Choose(*dlg->m_cboState, "New York");
    EXPECT_TRUE(dlg->m_cboCity->IsEnabled());
    EXPECT_EQ(Items(*dlg->m_cboCity), (Strings{"Albany", "New York"}));
    EXPECT_EQ(Selected(*dlg->m_cboCity), "Albany");
    EXPECT_TRUE(dlg->m_chkAllCities->IsEnabled());
    ExpectEmptyAndDisabled(*dlg->m_cboAirport);
    ExpectNoDetails();
    EXPECT_EQ(Queries(), 1u);
}

TEST_F(AirportDialog, ChoosingACityShowsItsFirstAirportAtOnce)
{
    Open();
    ToNewYorkState();
    Queries();
    Choose(*dlg->m_cboCity, "New York");
    EXPECT_TRUE(dlg->m_cboAirport->IsEnabled());
    EXPECT_EQ(Items(*dlg->m_cboAirport), (Strings{"John F Kennedy Intl", "La Guardia", "Municipal"}));
    EXPECT_EQ(Selected(*dlg->m_cboAirport), "John F Kennedy Intl");
    EXPECT_EQ(Text(*Edit(IDC_LATITUDE)), "N40* 63.94'");
    EXPECT_EQ(Text(*Edit(IDC_LONGITUDE)), "W73* 77.89'");
    EXPECT_EQ(Text(*Edit(IDC_ELEVATION)), "13 ft.");
    EXPECT_EQ(Text(*Edit(IDC_ATIS)), "128.725");
    EXPECT_EQ(Rows(*dlg->m_lstRunways), KENNEDY_RUNWAYS);
    EXPECT_TRUE(dlg->m_btnSelectAirport->IsEnabled());
    EXPECT_EQ(dlg->m_strID, "10");
    EXPECT_EQ(dlg->m_strName, "John F Kennedy Intl");
    EXPECT_EQ(dlg->m_strLatitude, "N40* 63.94'");
    EXPECT_EQ(dlg->m_strATIS, "128.725");
    // Airport names, the airport's row, its runways.
    EXPECT_EQ(Queries(), 3u);
    EXPECT_TRUE(errors.empty());
}

TEST_F(AirportDialog, ChoosingAnotherAirportReplacesTheDetails)
{
    Open();
    ToNewYorkState();
    Choose(*dlg->m_cboCity, "New York");
    Queries();
    Choose(*dlg->m_cboAirport, "La Guardia");
    EXPECT_EQ(Text(*Edit(IDC_ATIS)), "NA");
    EXPECT_EQ(Text(*Edit(IDC_ELEVATION)), "21 ft.");
    // No runways: an empty list, and the airport can still be selected.
    EXPECT_EQ(dlg->m_lstRunways->GetItemCount(), 0);
    EXPECT_TRUE(dlg->m_btnSelectAirport->IsEnabled());
    EXPECT_EQ(dlg->m_strID, "11");
    EXPECT_EQ(dlg->m_strName, "La Guardia");
    EXPECT_EQ(Queries(), 2u);
}

TEST_F(AirportDialog, AnotherCountryShowsGoToCitySelectionAndFillsCities)
{
    Open();
    Choose(*dlg->m_cboRegion, "North America");
    Queries();
    Choose(*dlg->m_cboCountry, "Canada");
    EXPECT_FALSE(dlg->m_cboState->IsEnabled());
    EXPECT_EQ(Items(*dlg->m_cboState), (Strings{"Go to City selection..."}));
    EXPECT_EQ(Selected(*dlg->m_cboState), "Go to City selection...");
    EXPECT_TRUE(dlg->m_cboCity->IsEnabled());
    EXPECT_EQ(Items(*dlg->m_cboCity), (Strings{"Montreal", "Toronto"}));
    EXPECT_EQ(Selected(*dlg->m_cboCity), "Montreal");
    EXPECT_FALSE(dlg->m_chkAllCities->IsEnabled());
    ExpectEmptyAndDisabled(*dlg->m_cboAirport);
    ExpectNoDetails();
    EXPECT_EQ(Queries(), 1u);

    // The stand-in item never reaches a query: Toronto's airports are found
    // although their rows name a province.
    Choose(*dlg->m_cboCity, "Toronto");
    EXPECT_EQ(Items(*dlg->m_cboAirport), (Strings{"Billy Bishop", "Pearson Intl"}));
    EXPECT_EQ(dlg->m_strID, "41");
    EXPECT_EQ(Text(*Edit(IDC_ATIS)), "133.6");
    EXPECT_TRUE(dlg->m_btnSelectAirport->IsEnabled());
}

TEST_F(AirportDialog, OnlyTheExactTextUnitedStatesHasStates)
{
    Open();
    Choose(*dlg->m_cboRegion, "Europe");
    EXPECT_EQ(Items(*dlg->m_cboCountry), (Strings{"O'Land", "Testland", "united states"}));
    Choose(*dlg->m_cboCountry, "united states");
    EXPECT_FALSE(dlg->m_cboState->IsEnabled());
    EXPECT_EQ(Selected(*dlg->m_cboState), "Go to City selection...");
    // One city: on to its airport by itself.
    EXPECT_EQ(Items(*dlg->m_cboCity), (Strings{"Lowtown"}));
    EXPECT_EQ(Selected(*dlg->m_cboAirport), "Lowtown Strip");
    EXPECT_EQ(dlg->m_strID, "52");
    EXPECT_EQ(Text(*Edit(IDC_ATIS)), "NA");
}

TEST_F(AirportDialog, ARegionWithOneCountryAndCityChainsToTheFirstAirport)
{
    Open();
    Queries();
    Choose(*dlg->m_cboRegion, "Africa");
    EXPECT_EQ(Items(*dlg->m_cboCountry), (Strings{"Kenya"}));
    EXPECT_EQ(Selected(*dlg->m_cboCountry), "Kenya");
    EXPECT_FALSE(dlg->m_cboState->IsEnabled());
    EXPECT_EQ(Selected(*dlg->m_cboState), "Go to City selection...");
    EXPECT_TRUE(dlg->m_cboCity->IsEnabled());
    EXPECT_EQ(Selected(*dlg->m_cboCity), "Nairobi");
    EXPECT_FALSE(dlg->m_chkAllCities->IsEnabled());
    EXPECT_TRUE(dlg->m_cboAirport->IsEnabled());
    EXPECT_EQ(Items(*dlg->m_cboAirport), (Strings{"Jomo Kenyatta Intl", "Wilson"}));
    EXPECT_EQ(Selected(*dlg->m_cboAirport), "Jomo Kenyatta Intl");
    EXPECT_EQ(dlg->m_strID, "61");
    EXPECT_EQ(Text(*Edit(IDC_ELEVATION)), "5330 ft.");
    EXPECT_EQ(Rows(*dlg->m_lstRunways), (Table{{"06", "13507", "Asphalt", "110.3"}}));
    EXPECT_TRUE(dlg->m_btnSelectAirport->IsEnabled());
    // Countries, cities, airport names, the airport, its runways.
    EXPECT_EQ(Queries(), 5u);
}

TEST_F(AirportDialog, AStateWithOneCityChainsToItsAirport)
{
    Open();
    Choose(*dlg->m_cboRegion, "North America");
    Choose(*dlg->m_cboCountry, "United States");
    Choose(*dlg->m_cboState, "Massachusetts");
    EXPECT_EQ(Items(*dlg->m_cboCity), (Strings{"Boston"}));
    EXPECT_EQ(Selected(*dlg->m_cboAirport), "Logan Intl");
    EXPECT_EQ(Rows(*dlg->m_lstRunways), (Table{{"09", "7000", "Asphalt", "NA"}}));
    EXPECT_TRUE(dlg->m_btnSelectAirport->IsEnabled());
}

TEST_F(AirportDialog, ApostrophesInCountryCityAndAirportNamesFindTheirRows)
{
    Open();
    Choose(*dlg->m_cboRegion, "Europe");
    Choose(*dlg->m_cboCountry, "O'Land");
    EXPECT_EQ(Items(*dlg->m_cboCity), (Strings{"St. John's"}));
    EXPECT_EQ(Items(*dlg->m_cboAirport), (Strings{"St. John's Field"}));
    EXPECT_EQ(dlg->m_strID, "51");
    EXPECT_EQ(dlg->m_strName, "St. John's Field");
    EXPECT_EQ(Text(*Edit(IDC_ATIS)), "122.8");
    EXPECT_TRUE(errors.empty()) << errors.front();
}

TEST_F(AirportDialog, ApostrophesInStateAndCityNamesFindTheirRows)
{
    Open();
    Choose(*dlg->m_cboRegion, "North America");
    Choose(*dlg->m_cboCountry, "United States");
    Choose(*dlg->m_cboState, "Hawai'i");
    EXPECT_EQ(Selected(*dlg->m_cboAirport), "Hilo Intl");
    EXPECT_EQ(dlg->m_strID, "31");
    Choose(*dlg->m_cboState, "Idaho");
    EXPECT_EQ(Items(*dlg->m_cboCity), (Strings{"Coeur d'Alene"}));
    EXPECT_EQ(Selected(*dlg->m_cboAirport), "Coeur d'Alene Rgnl");
    EXPECT_EQ(dlg->m_strID, "30");
    // All Cities with the apostrophe state, too.
    Click(*dlg->m_chkAllCities);
    EXPECT_EQ(Items(*dlg->m_cboAirport), (Strings{"Coeur d'Alene Rgnl"}));
    EXPECT_EQ(dlg->m_strID, "30");
    EXPECT_TRUE(errors.empty()) << errors.front();
}

TEST_F(AirportDialog, AllCitiesListsEveryAirportOfTheStateAndDisablesCity)
{
    Open();
    ToNewYorkState();
    Choose(*dlg->m_cboCity, "Albany");
    Queries();
    Click(*dlg->m_chkAllCities);
    EXPECT_TRUE(dlg->m_chkAllCities->IsChecked());
    EXPECT_FALSE(dlg->m_cboCity->IsEnabled());
    EXPECT_EQ(Selected(*dlg->m_cboCity), "Albany");
    EXPECT_TRUE(dlg->m_cboAirport->IsEnabled());
    // A name two cities share is listed once for each.
    EXPECT_EQ(Items(*dlg->m_cboAirport), (Strings{"Albany Intl", "John F Kennedy Intl", "La Guardia",
                                                  "Municipal (Albany)", "Municipal (New York)"}));
    EXPECT_EQ(Selected(*dlg->m_cboAirport), "Albany Intl");
    EXPECT_EQ(dlg->m_strID, "12");
    EXPECT_TRUE(dlg->m_btnSelectAirport->IsEnabled());
    EXPECT_EQ(Queries(), 4u);

    Click(*dlg->m_chkAllCities);
    EXPECT_FALSE(dlg->m_chkAllCities->IsChecked());
    EXPECT_TRUE(dlg->m_cboCity->IsEnabled());
    EXPECT_EQ(Items(*dlg->m_cboAirport), (Strings{"Albany Intl", "Municipal"}));
    EXPECT_EQ(dlg->m_strID, "12");
}

TEST_F(AirportDialog, TheAirportShownIsTheOnePickedInEveryMode)
{
    // Testland gains a second "Alpha Field", in another city, listed first.
    Open(Airport(49, "Alpha Field", "Europe", "Testland", "", "Beta", "999"));
    ToNewYorkState();
    Click(*dlg->m_chkAllCities);
    Choose(*dlg->m_cboAirport, "Municipal (New York)");
    EXPECT_EQ(dlg->m_strID, "13");
    EXPECT_EQ(Text(*Edit(IDC_ELEVATION)), "10 ft.");
    Choose(*dlg->m_cboAirport, "Municipal (Albany)");
    EXPECT_EQ(dlg->m_strID, "14");
    EXPECT_EQ(Text(*Edit(IDC_ELEVATION)), "20 ft.");

    // The mark stays set while a city is chosen by hand: its airports are
    // the ones shown.
    Choose(*dlg->m_cboState, "New York");
    Choose(*dlg->m_cboCity, "Albany");
    Choose(*dlg->m_cboAirport, "Municipal");
    EXPECT_EQ(dlg->m_strID, "14");
    EXPECT_EQ(Text(*Edit(IDC_ELEVATION)), "20 ft.");

    // And while it is disabled, in a country without states.
    Choose(*dlg->m_cboRegion, "Europe");
    Choose(*dlg->m_cboCountry, "Testland");
    Choose(*dlg->m_cboCity, "Alpha");
    ASSERT_TRUE(dlg->m_chkAllCities->IsChecked());
    EXPECT_EQ(dlg->m_strID, "50");
    EXPECT_EQ(Text(*Edit(IDC_ELEVATION)), "50 ft.");
}

TEST_F(AirportDialog, AnEmptiedListShowsNothing)
{
    Open();
    ToNewYorkState();
    Choose(*dlg->m_cboCity, "New York");
    ASSERT_EQ(Shown(*dlg->m_cboAirport), "John F Kennedy Intl");
    Choose(*dlg->m_cboRegion, "Europe");
    EXPECT_EQ(Shown(*dlg->m_cboCountry), "O'Land");
    for (SortedComboBox* box : {dlg->m_cboState, dlg->m_cboCity, dlg->m_cboAirport})
        EXPECT_EQ(Shown(*box), "");

    // A fill that finds nothing shows nothing either.
    Choose(*dlg->m_cboRegion, "North America");
    Choose(*dlg->m_cboCountry, "Canada");
    ASSERT_EQ(Shown(*dlg->m_cboCity), "Montreal");
    Choose(*dlg->m_cboCountry, "Mexico");
    EXPECT_EQ(Shown(*dlg->m_cboCity), "");
    EXPECT_EQ(Shown(*dlg->m_cboState), "Go to City selection...");
}

TEST_F(AirportDialog, TheCheckMarkSurvivesDisablingAndOtherSelections)
{
    Open();
    ToNewYorkState();
    Click(*dlg->m_chkAllCities);
    ASSERT_TRUE(dlg->m_chkAllCities->IsChecked());

    // Another state: City is enabled and filled although the mark is set,
    // and the one city goes on to its airport.
    Choose(*dlg->m_cboState, "Massachusetts");
    EXPECT_TRUE(dlg->m_chkAllCities->IsChecked());
    EXPECT_TRUE(dlg->m_chkAllCities->IsEnabled());
    EXPECT_TRUE(dlg->m_cboCity->IsEnabled());
    EXPECT_EQ(Items(*dlg->m_cboAirport), (Strings{"Logan Intl"}));
    EXPECT_EQ(dlg->m_strID, "20");

    // Choosing a city lists only its airports, mark or not.
    Choose(*dlg->m_cboState, "New York");
    Choose(*dlg->m_cboCity, "New York");
    EXPECT_EQ(Items(*dlg->m_cboAirport), (Strings{"John F Kennedy Intl", "La Guardia", "Municipal"}));
    EXPECT_TRUE(dlg->m_chkAllCities->IsChecked());

    Choose(*dlg->m_cboCountry, "Canada");
    EXPECT_FALSE(dlg->m_chkAllCities->IsEnabled());
    EXPECT_TRUE(dlg->m_chkAllCities->IsChecked());
    Choose(*dlg->m_cboRegion, "Europe");
    EXPECT_TRUE(dlg->m_chkAllCities->IsChecked());
}

TEST_F(AirportDialog, AnotherRegionResetsEverythingBelowIt)
{
    Open();
    ToNewYorkState();
    Choose(*dlg->m_cboCity, "New York");
    ASSERT_TRUE(dlg->m_btnSelectAirport->IsEnabled());
    Choose(*dlg->m_cboRegion, "Antarctica");
    // A region without countries: Country enabled and empty.
    EXPECT_TRUE(dlg->m_cboCountry->IsEnabled());
    EXPECT_EQ(dlg->m_cboCountry->GetCount(), 0u);
    EXPECT_EQ(dlg->m_cboCountry->GetSelection(), wxNOT_FOUND);
    ExpectEmptyAndDisabled(*dlg->m_cboState);
    ExpectEmptyAndDisabled(*dlg->m_cboCity);
    ExpectEmptyAndDisabled(*dlg->m_cboAirport);
    EXPECT_FALSE(dlg->m_chkAllCities->IsEnabled());
    ExpectNoDetails();
    EXPECT_EQ(dlg->m_strID, "10") << "the last airport's ID is kept";
    EXPECT_EQ(dlg->m_strName, "John F Kennedy Intl");
}

TEST_F(AirportDialog, CountriesWithoutAirportsLeaveTheNextBoxEnabledAndEmpty)
{
    Open();
    Choose(*dlg->m_cboRegion, "North America");
    Choose(*dlg->m_cboCountry, "Mexico");
    EXPECT_TRUE(dlg->m_cboCity->IsEnabled());
    EXPECT_EQ(dlg->m_cboCity->GetCount(), 0u);
    EXPECT_EQ(dlg->m_cboCity->GetSelection(), wxNOT_FOUND);
    ExpectEmptyAndDisabled(*dlg->m_cboAirport);
    ExpectNoDetails();

    // One country, no airports: on to an empty City box, no further.
    Choose(*dlg->m_cboRegion, "Oceania");
    EXPECT_EQ(Selected(*dlg->m_cboCountry), "Nauru");
    EXPECT_TRUE(dlg->m_cboCity->IsEnabled());
    EXPECT_EQ(dlg->m_cboCity->GetCount(), 0u);
    ExpectEmptyAndDisabled(*dlg->m_cboAirport);
    EXPECT_TRUE(errors.empty());
}

TEST_F(AirportDialog, AnEmptyRegionsTableLeavesRegionEnabledAndEmpty)
{
    Open("DELETE FROM Regions;");
    EXPECT_TRUE(dlg->m_cboRegion->IsEnabled());
    EXPECT_EQ(dlg->m_cboRegion->GetCount(), 0u);
    EXPECT_EQ(dlg->m_cboRegion->GetSelection(), wxNOT_FOUND);
    ExpectEmptyAndDisabled(*dlg->m_cboCountry);
    EXPECT_TRUE(errors.empty());
}

TEST_F(AirportDialog, SelectionsByTheDialogItselfRaiseNoEvents)
{
    Open();
    int events = 0;
    dlg->Bind(wxEVT_COMBOBOX, [&](wxCommandEvent& e) {
        ++events;
        e.Skip();
    });
    // One choice by the user; the dialog then selects a country, a city and
    // an airport by itself.
    Choose(*dlg->m_cboRegion, "Africa");
    EXPECT_EQ(events, 1);
    EXPECT_EQ(Selected(*dlg->m_cboAirport), "Jomo Kenyatta Intl");
    Choose(*dlg->m_cboRegion, "North America");
    EXPECT_EQ(events, 2);
}

// Errors: the handler stops, the user is told, the dialog stays usable.

TEST_F(AirportDialog, AFailingQueryIsShownAndTheDialogStaysOpen)
{
    Open("DROP TABLE countries;");
    Choose(*dlg->m_cboRegion, "Europe");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("countries"), std::string::npos) << errors[0];
    EXPECT_TRUE(dlg->IsShown());
    // As the reset and the enabling before the failing fill left it.
    EXPECT_TRUE(dlg->m_cboCountry->IsEnabled());
    EXPECT_EQ(dlg->m_cboCountry->GetCount(), 0u);
    ExpectNoDetails();
    // And the user can go on.
    Choose(*dlg->m_cboRegion, "Africa");
    EXPECT_EQ(errors.size(), 2u);
    EXPECT_TRUE(dlg->m_cboRegion->IsEnabled());
}

TEST_F(AirportDialog, AFailingRegionsQueryAtOpeningInsertsNoRunwayColumns)
{
    Open("DROP TABLE Regions;");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(dlg->IsShown());
    EXPECT_TRUE(dlg->m_cboRegion->IsEnabled());
    EXPECT_EQ(dlg->m_cboRegion->GetCount(), 0u);
    EXPECT_EQ(dlg->m_lstRunways->GetColumnCount(), 0);
}

TEST_F(AirportDialog, AFailingRunwayQueryLeavesTheDetailsShown)
{
    Open("DROP TABLE runways;");
    ToNewYorkState();
    ASSERT_TRUE(errors.empty());
    Choose(*dlg->m_cboCity, "New York");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(Text(*Edit(IDC_ATIS)), "128.725");
    EXPECT_EQ(dlg->m_strID, "10");
    EXPECT_TRUE(dlg->m_btnSelectAirport->IsEnabled());
    EXPECT_EQ(dlg->m_lstRunways->GetItemCount(), 0);
}

// Ending the dialog, in a real modal run.

class AirportDialogRun : public WindowTest {
protected:
    // Runs the dialog modally; `user` acts while it is open.
    int Run(CAirportDlg& dialog, std::function<void(CAirportDlg&)> user)
    {
        dialog.m_pDatabase = db();
        WhenIdle([&dialog, user] { user(dialog); });
        return dialog.ShowModal();
    }
};

void PickKennedy(CAirportDlg& d)
{
    Choose(*d.m_cboRegion, "North America");
    Choose(*d.m_cboCountry, "United States");
    Choose(*d.m_cboState, "New York");
    Choose(*d.m_cboCity, "New York");
}

void PressEscape(wxWindow& window)
{
    wxKeyEvent key(wxEVT_CHAR_HOOK);
    key.m_keyCode = WXK_ESCAPE;
    key.SetEventObject(&window);
    window.HandleWindowEvent(key);
}

// A real key press on the dialog, as the keyboard delivers it.
void PressKey(wxWindow& window, int key)
{
    wxUIActionSimulator input;
    input.MouseMove(window.GetScreenPosition() + wxPoint(window.GetSize().x / 2, 10));
    Settle(100);
    input.Char(key);
    Settle(300);
}

TEST_F(AirportDialogRun, TheKeyboardWorksFromTheStartAndEnterSelects)
{
    Build(CascadeRows());
    CAirportDlg dialog;
    int result = Run(dialog, [](CAirportDlg& d) {
        Settle(200);
        // The find field, first from the top, has the focus; the lists
        // answer the keyboard as ever.
        EXPECT_EQ(wxWindow::FindFocus(), d.m_findPane->m_edtFind);
        d.m_cboRegion->SetFocus();
        Settle(50);
        PressKey(d, WXK_DOWN);
        EXPECT_EQ(Selected(*d.m_cboRegion), "Antarctica");
        PressKey(d, WXK_RETURN);  // nothing to select yet
        EXPECT_TRUE(d.IsShown());
        PickKennedy(d);
        PressKey(d, WXK_RETURN);
        if (d.IsShown())
            d.Close();  // Enter did not end it
    });
    EXPECT_EQ(result, wxID_OK);
    EXPECT_EQ(dialog.m_strID, "10");
}

TEST_F(AirportDialogRun, SelectAirportEndsWithOkAndHandsBackTheAirport)
{
    Build(CascadeRows());
    CAirportDlg dialog;
    int result = Run(dialog, [](CAirportDlg& d) {
        EXPECT_TRUE(d.IsModal());
        EXPECT_EQ(Selected(*d.m_cboRegion), "Africa");
        PickKennedy(d);
        Click(*d.m_btnSelectAirport);
    });
    EXPECT_EQ(result, wxID_OK);
    const std::vector<std::string> chosen{dialog.m_strID,        dialog.m_strName,      dialog.m_strLatitude,
                                          dialog.m_strLongitude, dialog.m_strElevation, dialog.m_strATIS};
    EXPECT_EQ(chosen, (std::vector<std::string>{"10", "John F Kennedy Intl", "N40* 63.94'", "W73* 77.89'", "13 ft.",
                                                "128.725"}));
    EXPECT_TRUE(errors.empty());
}

TEST_F(AirportDialogRun, EscapeEndsWithCancel)
{
    Build(CascadeRows());
    CAirportDlg dialog;
    int result = Run(dialog, [](CAirportDlg& d) {
        PickKennedy(d);
        PressEscape(d);
    });
    EXPECT_EQ(result, wxID_CANCEL);
}

TEST_F(AirportDialogRun, TheCloseBoxEndsWithCancel)
{
    Build(CascadeRows());
    CAirportDlg dialog;
    int result = Run(dialog, [](CAirportDlg& d) {
        PickKennedy(d);
        d.Close();
    });
    EXPECT_EQ(result, wxID_CANCEL);
}

}  // namespace

// Typing into a list completes the name (its airport's details show and
// Select Airport is enabled); F4 opens the list. Escape then closes the
// list and nothing else. Only a second Escape closes the dialog, and it
// hands nothing back.
TEST_F(AirportDialogRun, EscapeOnATypedOpenListClosesOnlyTheList)
{
    Build(CascadeRows());
    CAirportDlg dialog;
    bool openAfterFirstEscape = false, listOpenAfterFirstEscape = true, listOpened = false;
    std::string cityAfterTyping;
    int result = Run(dialog, [&](CAirportDlg& d) {
        Settle(200);
        Choose(*d.m_cboRegion, "North America");
        Choose(*d.m_cboCountry, "Canada");  // Montreal and Toronto; Montreal shown
        d.m_cboCity->SetFocus();
        Settle(50);
        PressKey(d, 'T');
        PressKey(d, 'o');
        cityAfterTyping = Shown(*d.m_cboCity);
        PressKey(d, WXK_F4);
        listOpened = d.m_cboCity->IsPopupShown();
        PressKey(d, WXK_ESCAPE);
        openAfterFirstEscape = d.IsShown();
        listOpenAfterFirstEscape = d.m_cboCity->IsPopupShown();
        if (d.IsShown())
            PressKey(d, WXK_ESCAPE);
        if (d.IsShown())
            d.Close();
    });
    EXPECT_EQ(cityAfterTyping, "Toronto");
    EXPECT_TRUE(listOpened);
    EXPECT_TRUE(openAfterFirstEscape);
    EXPECT_FALSE(listOpenAfterFirstEscape);
    EXPECT_EQ(result, wxID_CANCEL);
}
