// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/SortedComboBox.h"

#include <optional>
#include <string>

class CDatabase;

// Operations on the sorted drop-down lists of the airport dialog. Each item
// keeps the exact bytes it was added with, so that the text put back into a
// query is the one the database returned.

// Adds an item; the box sorts it in.
void AddString(SortedComboBox& box, const std::string& text);

// Adds an item that stands for the text in one place only; it shows as
// "text (qualifier)", and the selected text is still the bare text.
void AddQualifiedString(SortedComboBox& box, const std::string& text, const std::string& qualifier);

// Removes the unqualified item with exactly this text; false if there is none.
bool DeleteString(SortedComboBox& box, const std::string& text);

// Selects the unqualified item with exactly this text, as the program does
// (no selection event); false if there is none.
bool SelectString(SortedComboBox& box, const std::string& text);

// The qualifier of the selected item, if it has one.
std::optional<std::string> GetSelectedQualifier(const SortedComboBox& box);

// The text of the selected item; "" when nothing is selected.
std::string GetSelectedText(const SortedComboBox& box);

// Runs the query and adds the named column of every row, in the order
// returned, then selects the first item in the box's order. Selecting by
// program raises no selection event.
void FillFromQuery(SortedComboBox& box, CDatabase* pDatabase, const std::string& sql, const std::string& column);
