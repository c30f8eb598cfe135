// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "route/RowSink.h"

#include <wx/listctrl.h>

// A report-mode list view seen as a list of rows of texts, so that the
// route search and the runway listing fill the window's lists directly.
class ListViewRows : public RowSink {
public:
    explicit ListViewRows(wxListCtrl& list) : m_list(list) {}

    int GetItemCount() const override;
    int InsertItem(int index, const std::string& text) override;
    void SetItemText(int row, int column, const std::string& text) override;
    std::string GetItemText(int row, int column) const override;
    void DeleteAllItems() override;

private:
    wxListCtrl& m_list;
};
