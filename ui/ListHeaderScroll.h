// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <wx/listctrl.h>

// Keeps a report list's column headings over their columns when the rows
// scroll sideways. The toolkit's list repaints its heading strip before it
// moves the rows, so a wheel turn left each heading one step behind its
// column, and the offset stayed; here the strip is painted again once the
// rows have moved.
void KeepHeadingsOverColumns(wxListCtrl& list);
