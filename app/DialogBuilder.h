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
