// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <wx/dialog.h>

#include <vector>

// Creates the dialog window from a dialog template (DialogTemplates.h) and
// every control of it, in template order, so that the tab order follows the
// template. Rectangles in dialog units are converted with the dialog's own
// font. A resizable dialog gets a frame the user can drag (TemplateLayout.h
// then places the controls). Returns false when the window cannot be created.
bool CreateDialogFromTemplate(wxDialog& dialog, wxWindow* parent, int templateId, bool resizable = false);

// Gives the keyboard focus to the first control in tab order that is
// enabled and takes the focus, as a dialog does when it opens.
void FocusFirstTabStop(wxWindow& dialog);

// The toolkit's identifier for a control of a template (IDOK and IDCANCEL
// map to the toolkit's standard buttons).
int ToolkitId(int templateId);

// A width in pixels that the templates' font was measured for (list
// columns), in pixels of the dialog's own font: larger when that font is
// wider, never smaller.
int TemplatePixels(const wxWindow& dialog, int pixels);

// A report list column as a template dialog defines it: its heading and
// its width in pixels of the templates' font; and, where the column's texts
// have a known widest form, a sample of it.
struct TemplateColumn {
    wxString heading;
    int pixels;
    wxString sample = wxString();
};

// The widths of a list's columns on this desktop: each TemplatePixels wide,
// but every heading and sample readable in full, the room for that taken
// from columns with room to spare, so that together they fill what they
// filled before.
std::vector<int> TemplateColumnWidths(const wxWindow& list, const std::vector<TemplateColumn>& columns);

// The average character width, in pixels, of the font the templates were
// drawn with (8-point MS Sans Serif).
inline constexpr int TEMPLATE_FONT_AVERAGE_CHAR = 6;
