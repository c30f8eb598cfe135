// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "search/AirportSearch.h"

#include <wx/listctrl.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class CDatabase;

// The find field above the airport dialog's lists: each keystroke searches
// the airports by code, name or city and lists what it finds, best first,
// the first one highlighted. The highlighted match is the one chosen (the
// dialog reaches it through its own lists at once); the arrow keys in the
// field walk the list, and a double-click or Enter (which the dialog hands
// over) accepts it.
class AirportFindPane : public wxPanel {
public:
    explicit AirportFindPane(wxWindow* parent);

    // The connection the search runs on; not owned. Nothing is asked of it
    // before the user types.
    void SetDatabase(CDatabase* database);

    // Called with the match highlighted, whenever another is.
    std::function<void(const search::AirportMatch&)> m_onChoose;
    // Called when the user accepts the match chosen (double-click).
    std::function<void()> m_onAccept;

    // A line under the list for what the user should know about the search
    // or the last choice; "" for none.
    void ShowNote(const std::string& text);

    // Chooses the match selected in the list, else the first one.
    void ChooseSelected();
    // Chooses it and accepts it.
    void AcceptSelected();

    const std::vector<search::AirportMatch>& Matches() const { return m_matches; }

    wxTextCtrl* m_edtFind = nullptr;
    wxListCtrl* m_lstMatches = nullptr;
    wxStaticText* m_txtNote = nullptr;

private:
    void OnFindText();
    void OnFindKey(wxKeyEvent& event);
    void SizeColumns();
    void Select(long row);
    void OnHighlight(long row);

    CDatabase* m_pDatabase = nullptr;
    std::optional<search::AirportSearch> m_search;
    std::vector<search::AirportMatch> m_matches;
    long m_highlighted = -1;  // the row last chosen by its highlight
};
