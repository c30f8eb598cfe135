// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <wx/odcombo.h>

// A drop-down list that keeps its items in alphabetical order (letter case
// ignored, then by case), wherever they are added, and sends a selection
// event only for a choice the user makes. The toolkit's native combo box
// spends a fraction of a millisecond on every item, far too long for the
// thousands of airports of one state; this one lists them in a virtual list.
class SortedComboBox : public wxOwnerDrawnComboBox {
public:
    SortedComboBox(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size);

    // The order of the box: <0, 0 or >0 as a sorts before, with or after b.
    static int Compare(const wxString& a, const wxString& b);

protected:
    // An emptied box shows nothing; the toolkit's box keeps its old text.
    void DoClear() override;
    int DoInsertItems(const wxArrayStringsAdapter& items, unsigned int pos, void** clientData,
                      wxClientDataType type) override;

private:
    unsigned int SortedPosition(const wxString& item) const;
};
