// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ListViewRows.h"

#include "ui/TextConvert.h"

int ListViewRows::GetItemCount() const
{
    return m_list.GetItemCount();
}

int ListViewRows::InsertItem(int index, const std::string& text)
{
    return static_cast<int>(m_list.InsertItem(index, ToWx(text)));
}

void ListViewRows::SetItemText(int row, int column, const std::string& text)
{
    m_list.SetItem(row, column, ToWx(text));
}

std::string ListViewRows::GetItemText(int row, int column) const
{
    return FromWx(m_list.GetItemText(row, column));
}

void ListViewRows::DeleteAllItems()
{
    m_list.DeleteAllItems();
}
