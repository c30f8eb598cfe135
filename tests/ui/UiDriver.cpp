// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/ui/UiDriver.h"

#include "ui/TextConvert.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

void ChooseIndex(SortedComboBox& box, int index)
{
    ASSERT_TRUE(box.IsEnabled()) << "choice in a disabled box " << box.GetId();
    ASSERT_GE(index, 0);
    ASSERT_LT(index, static_cast<int>(box.GetCount()));
    box.SetSelection(index);
    wxCommandEvent event(wxEVT_COMBOBOX, box.GetId());
    event.SetEventObject(&box);
    event.SetInt(index);
    event.SetString(box.GetString(index));
    box.HandleWindowEvent(event);
}

void Choose(SortedComboBox& box, const std::string& text)
{
    int index = box.FindString(ToWx(text), true);
    ASSERT_NE(index, wxNOT_FOUND) << "no item \"" << text << "\" in box " << box.GetId();
    ChooseIndex(box, index);
}

void Click(wxButton& button)
{
    ASSERT_TRUE(button.IsEnabled()) << "click on disabled button \"" << button.GetLabel() << "\"";
    wxCommandEvent event(wxEVT_BUTTON, button.GetId());
    event.SetEventObject(&button);
    button.HandleWindowEvent(event);
}

void Click(wxCheckBox& box)
{
    ASSERT_TRUE(box.IsEnabled()) << "click on disabled check box";
    box.SetValue(!box.GetValue());
    wxCommandEvent event(wxEVT_CHECKBOX, box.GetId());
    event.SetEventObject(&box);
    event.SetInt(box.GetValue() ? 1 : 0);
    box.HandleWindowEvent(event);
}

std::vector<std::string> Items(const SortedComboBox& box)
{
    std::vector<std::string> items;
    for (unsigned i = 0; i < box.GetCount(); ++i)
        items.push_back(FromWx(box.GetString(i)));
    return items;
}

std::string Selected(const SortedComboBox& box)
{
    int i = box.GetSelection();
    return i == wxNOT_FOUND ? std::string() : FromWx(box.GetString(i));
}

std::string Text(const wxTextCtrl& edit)
{
    return FromWx(edit.GetValue());
}

std::string Shown(const SortedComboBox& box)
{
    return FromWx(box.GetValue());
}

std::vector<std::vector<std::string>> Rows(const wxListCtrl& list)
{
    std::vector<std::vector<std::string>> rows;
    for (int r = 0; r < list.GetItemCount(); ++r) {
        std::vector<std::string> row;
        for (int c = 0; c < list.GetColumnCount(); ++c)
            row.push_back(FromWx(list.GetItemText(r, c)));
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::string> Headings(const wxListCtrl& list)
{
    std::vector<std::string> headings;
    for (int c = 0; c < list.GetColumnCount(); ++c) {
        wxListItem item;
        item.SetMask(wxLIST_MASK_TEXT);
        list.GetColumn(c, item);
        headings.push_back(FromWx(item.GetText()));
    }
    return headings;
}

std::vector<int> ColumnWidths(const wxListCtrl& list)
{
    std::vector<int> widths;
    for (int c = 0; c < list.GetColumnCount(); ++c)
        widths.push_back(list.GetColumnWidth(c));
    return widths;
}

void Settle(int milliseconds)
{
    wxStopWatch watch;
    do {
        wxYield();
        wxMilliSleep(5);
    } while (watch.Time() < milliseconds);
}

void WhenIdle(std::function<void()> action)
{
    wxTheApp->CallAfter(std::move(action));
}
