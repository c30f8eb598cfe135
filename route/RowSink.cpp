// SPDX-License-Identifier: GPL-3.0-or-later
#include "route/RowSink.h"

#include <stdexcept>

int RowList::InsertItem(int index, const std::string& text)
{
    if (index < 0 || index > GetItemCount())
        index = GetItemCount();
    std::vector<std::string> row(static_cast<std::size_t>(m_columns));
    row[0] = text;
    m_rows.insert(m_rows.begin() + index, std::move(row));
    return index;
}

void RowList::SetItemText(int row, int column, const std::string& text)
{
    m_rows.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column)) = text;
}

std::string RowList::GetItemText(int row, int column) const
{
    return m_rows.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
}

std::vector<std::vector<std::string>> ReadRows(const RowSink& list, int columns)
{
    std::vector<std::vector<std::string>> rows;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        std::vector<std::string> cells;
        for (int column = 0; column < columns; ++column)
            cells.push_back(list.GetItemText(row, column));
        rows.push_back(std::move(cells));
    }
    return rows;
}
