// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// Cells of a runway row (Runway #, Length, Type, ILS Frequency) and of a
// route row (Name, Frequency, Latitude, Longitude, Elevation, the distances
// from the departure and to the destination).
inline constexpr int RUNWAY_COLUMNS = 4;
inline constexpr int ROUTE_COLUMNS = 7;

// A list of rows of text cells, as a report-mode list view holds them: the
// route list and the runway lists. The window's lists implement it, and so
// does RowList for everything that runs without a window.
class RowSink {
public:
    virtual ~RowSink() = default;
    virtual int GetItemCount() const = 0;
    // Inserts a row at index with its first cell; returns the row's index.
    virtual int InsertItem(int index, const std::string& text) = 0;
    virtual void SetItemText(int row, int column, const std::string& text) = 0;
    virtual std::string GetItemText(int row, int column) const = 0;
    virtual void DeleteAllItems() = 0;
};

// A plain in-memory row list.
class RowList : public RowSink {
public:
    explicit RowList(int columns) : m_columns(columns) {}

    int GetItemCount() const override { return static_cast<int>(m_rows.size()); }
    int InsertItem(int index, const std::string& text) override;
    void SetItemText(int row, int column, const std::string& text) override;
    std::string GetItemText(int row, int column) const override;
    void DeleteAllItems() override { m_rows.clear(); }

    const std::vector<std::vector<std::string>>& Rows() const { return m_rows; }

private:
    int m_columns;
    std::vector<std::vector<std::string>> m_rows;
};

// Every row of a list, each as its first `columns` cell texts.
std::vector<std::vector<std::string>> ReadRows(const RowSink& list, int columns);
