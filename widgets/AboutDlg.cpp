// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/AboutDlg.h"

#include "widgets/DialogBuilder.h"
#include "widgets/Resource.h"

#include <wx/app.h>

CAboutDlg::CAboutDlg(wxWindow* parent)
{
    if (!parent && wxTheApp)
        parent = wxTheApp->GetTopWindow();
    CreateDialogFromTemplate(*this, parent, IDD_ABOUTBOX);
    // OK, Enter, Escape and the close box all end it.
    SetEscapeId(wxID_OK);
}
