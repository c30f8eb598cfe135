// SPDX-License-Identifier: GPL-3.0-or-later
// The drop-down lists of the airport dialog: their own order, selection by
// program, and the exact bytes of each item.

#include "ui/DropDownList.h"
#include "widgets/SortedComboBox.h"
#include "tests/ui/UiDriver.h"

#include <gtest/gtest.h>
#include <wx/dialog.h>

namespace {

using Strings = std::vector<std::string>;

class DropDownBox : public ::testing::Test {
protected:
    DropDownBox() : dialog(nullptr, wxID_ANY, "test"), box(new SortedComboBox(&dialog, 1000, wxPoint(0, 0), wxSize(200, -1))) {}
    wxDialog dialog;
    SortedComboBox* box;
};

TEST_F(DropDownBox, KeepsItsItemsInAlphabeticalOrderWhateverTheOrderAdded)
{
    for (const char* text : {"delta", "Charlie", "bravo", "", "Alpha", "alpha", "ALPHA"})
        AddString(*box, text);
    EXPECT_EQ(Items(*box), (Strings{"", "ALPHA", "Alpha", "alpha", "bravo", "Charlie", "delta"}));
}

TEST_F(DropDownBox, SelectionByTheProgramRaisesNoEvent)
{
    int events = 0;
    dialog.Bind(wxEVT_COMBOBOX, [&](wxCommandEvent&) { ++events; });
    AddString(*box, "one");
    AddString(*box, "two");
    box->SetSelection(1);
    box->Clear();
    EXPECT_EQ(events, 0);
    AddString(*box, "three");
    Choose(*box, "three");
    EXPECT_EQ(events, 1);
}

TEST_F(DropDownBox, GivesBackTheExactBytesOfTheSelectedItem)
{
    EXPECT_EQ(GetSelectedText(*box), "");
    AddString(*box, "S\xc3\xa3o Paulo");
    AddString(*box, "Caf\xe9");  // not UTF-8: shown as Latin-1, queried as stored
    box->SetSelection(box->FindString(wxString::FromUTF8("S\xc3\xa3o Paulo")));
    EXPECT_EQ(GetSelectedText(*box), "S\xc3\xa3o Paulo");
    box->SetSelection(box->FindString(wxString("Caf\xe9", wxConvISO8859_1)));
    EXPECT_EQ(GetSelectedText(*box), "Caf\xe9");
}

}  // namespace
