// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AirportFindPane.h"

#include "ui/TextConvert.h"

#include <wx/sizer.h>

#include <algorithm>
#include <array>

namespace {

constexpr std::array<const char*, 5> MATCH_COLUMNS{{"Ident", "IATA", "Name", "City", "Country"}};

}  // namespace

AirportFindPane::AirportFindPane(wxWindow* parent) : wxPanel(parent, wxID_ANY)
{
    // Created in the order Tab visits them.
    auto* label = new wxStaticText(this, wxID_ANY, "Find:");
    m_edtFind = new wxTextCtrl(this, wxID_ANY);
    m_edtFind->SetHint("ICAO or IATA code, or part of an airport's name or city");
    m_lstMatches = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                  wxLC_REPORT | wxLC_SINGLE_SEL | wxBORDER_SUNKEN);
    for (std::size_t c = 0; c < MATCH_COLUMNS.size(); ++c)
        m_lstMatches->InsertColumn(static_cast<long>(c), MATCH_COLUMNS[c]);
    m_txtNote = new wxStaticText(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                                 wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);

    // The template's margin, in its dialog units.
    const int margin = parent->ConvertDialogToPixels(wxSize(7, 0)).x;
    m_lstMatches->SetMinSize(wxSize(-1, parent->ConvertDialogToPixels(wxSize(0, 60)).y));
    m_txtNote->SetMinSize(wxSize(-1, m_txtNote->GetCharHeight()));

    auto* findRow = new wxBoxSizer(wxHORIZONTAL);
    findRow->Add(label, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, margin);
    findRow->Add(m_edtFind, 1, wxEXPAND);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(findRow, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, margin);
    sizer->Add(m_lstMatches, 1, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, margin);
    sizer->Add(m_txtNote, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, margin);
    SetSizerAndFit(sizer);

    m_edtFind->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { OnFindText(); });
    m_lstMatches->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent& event) {
        Select(event.GetIndex());
        AcceptSelected();
    });
    m_lstMatches->Bind(wxEVT_LIST_ITEM_SELECTED, [this](wxListEvent& event) { OnHighlight(event.GetIndex()); });
    m_lstMatches->Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(!m_matches.empty()); });
    m_edtFind->Bind(wxEVT_KEY_DOWN, &AirportFindPane::OnFindKey, this);
    Bind(wxEVT_SIZE, [this](wxSizeEvent&) {
        Layout();
        SizeColumns();
    });
}

void AirportFindPane::SetDatabase(CDatabase* database)
{
    m_pDatabase = database;
    m_search.reset();
}

void AirportFindPane::ShowNote(const std::string& text)
{
    // An airport's name may hold "&", which is no mnemonic here.
    m_txtNote->SetLabelText(ToWx(text));
    if (text.empty())
        m_txtNote->UnsetToolTip();
    else
        m_txtNote->SetToolTip(ToWx(text));
}

void AirportFindPane::OnFindText()
{
    m_matches.clear();
    m_highlighted = -1;
    m_lstMatches->DeleteAllItems();
    ShowNote("");
    const std::string text = FromWx(m_edtFind->GetValue());
    if (text.find_first_not_of(" \t") == std::string::npos || !m_pDatabase)
        return;
    if (!m_search)
        m_search.emplace(m_pDatabase);
    if (!m_search->available()) {
        ShowNote("This navigation database cannot be searched; rebuild it with meridane-navdb.");
        return;
    }
    m_matches = m_search->find(text);
    if (m_matches.empty()) {
        ShowNote("No airport matches \"" + text + "\".");
        return;
    }
    m_lstMatches->Freeze();
    for (std::size_t i = 0; i < m_matches.size(); ++i) {
        const search::AirportMatch& m = m_matches[i];
        const long row = m_lstMatches->InsertItem(static_cast<long>(i), ToWx(m.ident));
        m_lstMatches->SetItem(row, 1, ToWx(m.iata));
        m_lstMatches->SetItem(row, 2, ToWx(m.name));
        m_lstMatches->SetItem(row, 3, ToWx(m.city));
        m_lstMatches->SetItem(row, 4, ToWx(m.country));
    }
    m_lstMatches->Thaw();
    Select(0);
}

void AirportFindPane::Select(long row)
{
    if (row < 0 || row >= m_lstMatches->GetItemCount())
        return;
    m_lstMatches->SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                               wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    m_lstMatches->EnsureVisible(row);
    // Whether or not the list told of the change itself.
    OnHighlight(row);
}

void AirportFindPane::OnHighlight(long row)
{
    if (row == m_highlighted || row < 0 || static_cast<std::size_t>(row) >= m_matches.size())
        return;
    m_highlighted = row;
    ChooseSelected();
}

void AirportFindPane::AcceptSelected()
{
    ChooseSelected();
    if (m_onAccept)
        m_onAccept();
}

void AirportFindPane::ChooseSelected()
{
    if (m_matches.empty())
        return;
    const long selected = m_lstMatches->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    const std::size_t index = selected < 0 ? 0 : static_cast<std::size_t>(selected);
    if (index < m_matches.size() && m_onChoose) {
        // The handler may search again; choose from a copy.
        const search::AirportMatch match = m_matches[index];
        m_onChoose(match);
    }
}

void AirportFindPane::OnFindKey(wxKeyEvent& event)
{
    const int key = event.GetKeyCode();
    if ((key == WXK_DOWN || key == WXK_UP) && !m_matches.empty()) {
        // The field keeps the focus while the arrows walk the list.
        const long selected = m_lstMatches->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
        Select(std::clamp(selected + (key == WXK_DOWN ? 1L : -1L), 0L, m_lstMatches->GetItemCount() - 1L));
    } else {
        event.Skip();
    }
}

void AirportFindPane::SizeColumns()
{
    // The codes as wide as they are written (idents up to 7 characters);
    // the rest of the list's width, less a scroll bar's room, to the name,
    // city and country.
    const int padding = 14;
    auto fit = [this, padding](const char* sample, const char* heading) {
        return std::max(m_lstMatches->GetTextExtent(sample).x, m_lstMatches->GetTextExtent(heading).x) + padding;
    };
    const int ident = fit("US-0000", "Ident"), iata = fit("WWW", "IATA");
    const int rest = std::max(0, m_lstMatches->GetClientSize().x - 20 - ident - iata);
    const int name = rest * 45 / 100, city = rest * 28 / 100;
    const std::array<int, 5> widths{{ident, iata, name, city, rest - name - city}};
    for (std::size_t c = 0; c < widths.size(); ++c)
        m_lstMatches->SetColumnWidth(static_cast<int>(c), widths[c]);
}
