// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// The dialog templates of the program, kept as data: every control with its
// identifier, kind, text and rectangle in dialog units, in template order,
// which is also the tab order.

enum class ControlKind {
    DropDownList,   // sorted drop-down list with a vertical scroll bar
    AutoCheckBox,   // check box that toggles its own mark
    ReadOnlyEdit,   // read-only, horizontally scrolling edit with a border
    ReportList,     // report-mode list view, unsorted, headers that do not sort
    GroupBox,
    Label,          // left-aligned static text
    PushButton,
    DefPushButton,  // the button that Enter presses
    Picture,        // a bitmap resource with a sunken edge and border
    Text,           // left-aligned static text of several lines, ampersands as typed
};

struct ControlTemplate {
    int id;            // IDC_STATIC for controls the program does not address
    ControlKind kind;
    std::string text;  // caption; for a Picture, unused
    int x, y, cx, cy;  // dialog units
    bool disabled = false;
    int resource = 0;  // for a Picture: the bitmap resource
};

struct DialogTemplate {
    int id;
    std::string caption;
    int cx, cy;  // client area in dialog units
    std::vector<ControlTemplate> controls;
};

// The template with this resource id; throws std::out_of_range for an
// unknown one.
const DialogTemplate& FindDialogTemplate(int id);

// A string of the string table, or "" when there is none with this id.
std::string LoadResourceString(int id);
