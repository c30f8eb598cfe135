// SPDX-License-Identifier: GPL-3.0-or-later
// The airport dialog's find field: a chosen match leaves the dialog exactly
// as picking the same airport by hand does.

#include "ui/AirportDlg.h"
#include "ui/AirportFindPane.h"
#include "data/ConnectionString.h"
#include "data/Database.h"
#include "widgets/Resource.h"
#include "tests/support/SearchFixture.h"
#include "ui/TextConvert.h"
#include "tests/ui/UiDriver.h"
#include "tests/ui/UiFixture.h"

#include <gtest/gtest.h>
#include <wx/uiaction.h>

#include <functional>
#include <memory>

namespace {

using Pick = std::function<void(CAirportDlg&)>;

class AirportDialogFind : public WindowTest {
protected:
    // The cascade fixture with IATA codes and a second La Guardia in New
    // York, indexed for the search before the connection opens.
    void SetUp() override
    {
        WindowTest::SetUp();
        Build(CascadeRows() +
              Airport(15, "La Guardia", "North America", "United States", "New York", "New York", "99") +
              "INSERT INTO airport_facts VALUES (10,40.6,-73.8,'JFK','US'),(61,-1.3,36.9,'NBO','KE');");
        IndexAirportsForSearch(NAVDB_FILE_NAME);
        m_db->Close();
        ASSERT_TRUE(m_db->Open(nullptr, false, true, NAVDB_CONNECT_STRING, true));
    }

    std::unique_ptr<CAirportDlg> Dialog()
    {
        auto dlg = std::make_unique<CAirportDlg>();
        dlg->m_pDatabase = db();
        dlg->Show();
        return dlg;
    }

    // Types the text and chooses the match of the airport with this ID.
    static void Find(CAirportDlg& d, const std::string& text, const std::string& id)
    {
        d.m_findPane->m_edtFind->SetValue(wxString::FromUTF8(text));
        const auto& matches = d.m_findPane->Matches();
        long row = 0;
        while (row < static_cast<long>(matches.size()) && matches[row].id != id)
            ++row;
        ASSERT_LT(row, static_cast<long>(matches.size())) << "no match " << id << " for " << text;
        d.m_findPane->m_lstMatches->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
        d.m_findPane->ChooseSelected();
    }

    // Everything the dialog shows and hands back.
    static std::string State(CAirportDlg& d)
    {
        std::string text;
        for (SortedComboBox* box : {d.m_cboRegion, d.m_cboCountry, d.m_cboState, d.m_cboCity, d.m_cboAirport}) {
            text += box->IsEnabled() ? "enabled [" : "disabled [";
            for (const std::string& item : Items(*box))
                text += item + "|";
            text += "] " + Selected(*box) + "\n";
        }
        text += std::string("All Cities ") + (d.m_chkAllCities->IsEnabled() ? "enabled " : "disabled ") +
                (d.m_chkAllCities->IsChecked() ? "checked\n" : "clear\n");
        for (int id : {IDC_LATITUDE, IDC_LONGITUDE, IDC_ELEVATION, IDC_ATIS})
            text += Text(*wxStaticCast(d.FindWindow(id), wxTextCtrl)) + "; ";
        for (const auto& row : Rows(*d.m_lstRunways))
            for (const std::string& cell : row)
                text += cell + ",";
        text += "\nSelect Airport " + std::string(d.m_btnSelectAirport->IsEnabled() ? "enabled" : "disabled");
        return text + "\n" + d.m_strID + " " + d.m_strName + " " + d.m_strLatitude + " " + d.m_strATIS;
    }
};

TEST_F(AirportDialogFind, AChosenMatchLeavesTheDialogAsPickingItByHand)
{
    struct Case {
        std::string typed, id;
        Pick before, byHand;
    };
    // Chooses down the cascade (region, country, state, city, airport);
    // "" leaves a box as the boxes above left it.
    const auto along = [](std::vector<std::string> path) -> Pick {
        return [path](CAirportDlg& d) {
            SortedComboBox* const boxes[] = {d.m_cboRegion, d.m_cboCountry, d.m_cboState, d.m_cboCity,
                                             d.m_cboAirport};
            for (std::size_t i = 0; i < path.size(); ++i) {
                if (!path[i].empty())
                    Choose(*boxes[i], path[i]);
            }
        };
    };
    const Pick nothing = [](CAirportDlg&) {};
    const Pick allCitiesOfNewYork = [&](CAirportDlg& d) {
        along({"North America", "United States", "New York"})(d);
        Click(*d.m_chkAllCities);
    };
    const std::vector<Case> cases = {
        // An IATA code; each box chosen, the city's first airport.
        {"jfk", "10", nothing, along({"North America", "United States", "New York", "New York"})},
        // A region whose one country and one city go on by themselves.
        {"KENYATTA", "61", nothing, along({"Africa"})},
        {"wilson", "60", nothing, along({"Africa", "", "", "", "Wilson"})},
        {"st johns", "51", nothing, along({"Europe", "O'Land"})},
        {"coeur d'alene", "30", nothing, along({"North America", "United States", "Idaho"})},
        // A name two cities share, while the All Cities mark is set: the
        // one of the match's city.
        {"municipal", "13", allCitiesOfNewYork,
         along({"North America", "United States", "New York", "New York", "Municipal"})},
        {"municipal", "14", allCitiesOfNewYork,
         along({"North America", "United States", "New York", "Albany", "Municipal"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed + " → " + c.id);
        auto byHand = Dialog();
        c.before(*byHand);
        c.byHand(*byHand);
        ASSERT_EQ(byHand->m_strID, c.id);
        auto found = Dialog();
        c.before(*found);
        Find(*found, c.typed, c.id);
        EXPECT_EQ(State(*found), State(*byHand));
        EXPECT_EQ(FromWx(found->m_findPane->m_txtNote->GetLabel()), "");
    }
    EXPECT_TRUE(errors.empty()) << errors.front();
}

TEST_F(AirportDialogFind, AnAirportTheListsCannotTellApartIsNamedInTheNote)
{
    // Two La Guardias in New York: the lists show the first.
    auto dlg = Dialog();
    Find(*dlg, "la guardia", "15");
    EXPECT_EQ(dlg->m_strID, "11");
    EXPECT_TRUE(dlg->m_btnSelectAirport->IsEnabled());
    EXPECT_NE(FromWx(dlg->m_findPane->m_txtNote->GetLabel()).find("La Guardia"), std::string::npos);
    // Text no airport holds says so rather than leaving a blank list.
    dlg->m_findPane->m_edtFind->SetValue("zzzz");
    EXPECT_EQ(dlg->m_findPane->m_lstMatches->GetItemCount(), 0);
    EXPECT_EQ(FromWx(dlg->m_findPane->m_txtNote->GetLabel()), "No airport matches \"zzzz\".");
}

TEST_F(AirportDialogFind, TheHighlightedMatchIsTheSelection)
{
    // Typing highlights the best match, and the lists show it at once:
    // Select Airport takes it without another key.
    auto dlg = Dialog();
    dlg->m_findPane->m_edtFind->SetValue("kennedy");
    ASSERT_EQ(dlg->m_findPane->m_lstMatches->GetItemCount(), 1);
    EXPECT_EQ(Selected(*dlg->m_cboAirport), "John F Kennedy Intl");
    EXPECT_TRUE(dlg->m_btnSelectAirport->IsEnabled());
    EXPECT_EQ(dlg->m_strID, "10");
    // Another highlighted row, as a click or the arrow keys leave it, is
    // the selection in its turn.
    dlg->m_findPane->m_edtFind->SetValue("municipal");
    ASSERT_GE(dlg->m_findPane->m_lstMatches->GetItemCount(), 2);
    const std::string first = dlg->m_strID;
    dlg->m_findPane->m_lstMatches->SetItemState(1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    EXPECT_EQ(dlg->m_strID, dlg->m_findPane->Matches()[1].id);
    EXPECT_NE(dlg->m_strID, first);
    EXPECT_TRUE(dlg->m_btnSelectAirport->IsEnabled());
    EXPECT_TRUE(errors.empty()) << errors.front();
}

class AirportDialogFindRun : public AirportDialogFind {};

TEST_F(AirportDialogFindRun, TypeThenEnterSelectsTheAirport)
{
    CAirportDlg dialog;
    dialog.m_pDatabase = db();
    WhenIdle([&dialog] {
        wxUIActionSimulator input;
        input.MouseMove(dialog.GetScreenPosition() + wxPoint(dialog.GetSize().x / 2, 10));
        Settle(200);
        input.Text("kennedy");
        Settle(300);
        EXPECT_EQ(dialog.m_findPane->m_lstMatches->GetItemCount(), 1);
        EXPECT_EQ(Selected(*dialog.m_cboAirport), "John F Kennedy Intl");
        EXPECT_TRUE(dialog.m_btnSelectAirport->IsEnabled());
        EXPECT_EQ(wxWindow::FindFocus(), dialog.m_findPane->m_edtFind);
        input.Char(WXK_RETURN);  // selects the airport highlighted
        Settle(300);
        if (dialog.IsShown())
            dialog.Close();
    });
    EXPECT_EQ(dialog.ShowModal(), wxID_OK);
    EXPECT_EQ(dialog.m_strID, "10");
    EXPECT_EQ(dialog.m_strATIS, "128.725");
}

TEST_F(AirportDialogFindRun, ADoubleClickOnAMatchSelectsIt)
{
    CAirportDlg dialog;
    dialog.m_pDatabase = db();
    std::string wanted;
    WhenIdle([&dialog, &wanted] {
        wxUIActionSimulator input;
        input.MouseMove(dialog.GetScreenPosition() + wxPoint(dialog.GetSize().x / 2, 10));
        Settle(200);
        input.Text("municipal");
        Settle(300);
        wxListCtrl& list = *dialog.m_findPane->m_lstMatches;
        ASSERT_GE(list.GetItemCount(), 2);
        wanted = dialog.m_findPane->Matches()[1].id;
        wxRect row;
        list.GetItemRect(1, row);
        input.MouseMove(list.ClientToScreen(row.GetPosition() + wxPoint(20, row.height / 2)));
        Settle(100);
        input.MouseDblClick();
        Settle(300);
        if (dialog.IsShown())
            dialog.Close();
    });
    EXPECT_EQ(dialog.ShowModal(), wxID_OK);
    EXPECT_EQ(dialog.m_strID, wanted);
}

}  // namespace
