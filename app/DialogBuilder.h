#pragma once

#include <wx/dialog.h>

// Creates the dialog window from a dialog template (DialogTemplates.h) and
// every control of it, in template order, so that the tab order follows the
// template. Rectangles in dialog units are converted with the dialog's own
// font. Returns false when the window cannot be created.
bool CreateDialogFromTemplate(wxDialog& dialog, wxWindow* parent, int templateId);

// The toolkit's identifier for a control of a template (IDOK and IDCANCEL
// map to the toolkit's standard buttons).
int ToolkitId(int templateId);

// A width in pixels that the templates' font was measured for (list
// columns), in pixels of the dialog's own font: larger when that font is
// wider, never smaller.
int TemplatePixels(const wxWindow& dialog, int pixels);

// Inserts a left-aligned column into a report list of a template dialog,
// `pixels` wide as TemplatePixels gives it, and wide enough for its heading.
class wxListCtrl;
void InsertTemplateColumn(wxListCtrl& list, int column, const wxString& heading, int pixels);

// The average character width, in pixels, of the font the templates were
// drawn with (8-point MS Sans Serif).
inline constexpr int TEMPLATE_FONT_AVERAGE_CHAR = 6;
