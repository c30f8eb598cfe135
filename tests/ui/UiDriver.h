// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Drives the program's real dialogs the way a user does: choices in the
// drop-down lists, clicks on buttons and check boxes, each followed by the
// event the toolkit sends for it; and reads back what the controls show.

#include "ui/PlanInputsPanel.h"
#include "ui/PlanPane.h"
#include "ui/RouteChoicePanel.h"
#include "widgets/SortedComboBox.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/listctrl.h>
#include <wx/textctrl.h>

#include <functional>
#include <string>
#include <vector>

// The plan pane's choice panels, which the pane keeps to itself: tests act
// on their controls as the user does.
class PlanPaneControls {
public:
    static RouteChoicePanel& RouteChoice(PlanPane& pane) { return *pane.m_routeChoice; }
    static PlanInputsPanel& Inputs(PlanPane& pane) { return *pane.m_inputs; }
};

// Selects the item with this text, as the user would in the drop-down list;
// the box must be enabled and hold the item.
void Choose(SortedComboBox& box, const std::string& text);
// Selects the item at this index.
void ChooseIndex(SortedComboBox& box, int index);
// Clicks a push button; it must be enabled.
void Click(wxButton& button);
// Clicks a check box, toggling its mark; it must be enabled.
void Click(wxCheckBox& box);

// The items of a box in its own order, and the selected one ("" for none).
std::vector<std::string> Items(const SortedComboBox& box);
std::string Selected(const SortedComboBox& box);
std::string Text(const wxTextCtrl& edit);
// The text the box shows in its closed field, which is what the user reads.
std::string Shown(const SortedComboBox& box);
// Every row of a list view, all columns.
std::vector<std::vector<std::string>> Rows(const wxListCtrl& list);
std::vector<std::string> Headings(const wxListCtrl& list);
std::vector<int> ColumnWidths(const wxListCtrl& list);

// Processes pending toolkit events for a while, so that windows appear.
void Settle(int milliseconds = 50);

// Runs `action` from the event loop as soon as it is idle; for acting on a
// modal dialog while its own loop runs.
void WhenIdle(std::function<void()> action);
