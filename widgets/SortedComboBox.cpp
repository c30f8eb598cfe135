// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/SortedComboBox.h"

SortedComboBox::SortedComboBox(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
    : wxOwnerDrawnComboBox(parent, id, wxString(), pos, size, 0, nullptr, wxCB_READONLY)
{
}

int SortedComboBox::Compare(const wxString& a, const wxString& b)
{
    int order = a.CmpNoCase(b);
    return order != 0 ? order : a.Cmp(b);
}

unsigned int SortedComboBox::SortedPosition(const wxString& item) const
{
    // After any equal items, so that equal texts keep the order they came in.
    unsigned int low = 0, high = GetCount();
    while (low < high) {
        unsigned int mid = low + (high - low) / 2;
        if (Compare(GetString(mid), item) <= 0)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

int SortedComboBox::DoInsertItems(const wxArrayStringsAdapter& items, unsigned int, void** clientData,
                                  wxClientDataType type)
{
    int last = wxNOT_FOUND;
    for (unsigned int i = 0; i < items.GetCount(); ++i) {
        void* data[1] = {clientData ? clientData[i] : nullptr};
        last = wxOwnerDrawnComboBox::DoInsertItems(wxArrayStringsAdapter(items[i]), SortedPosition(items[i]),
                                                   clientData ? data : nullptr, type);
    }
    return last;
}

void SortedComboBox::DoClear()
{
    wxOwnerDrawnComboBox::DoClear();
    SetText(wxString());
}
