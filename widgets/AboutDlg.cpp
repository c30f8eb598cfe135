// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/AboutDlg.h"

#include "widgets/DialogBuilder.h"
#include "widgets/Resource.h"

#include <wx/app.h>
#include <wx/stattext.h>

CAboutDlg::CAboutDlg(wxWindow* parent, const std::string& navData)
{
    if (!parent && wxTheApp)
        parent = wxTheApp->GetTopWindow();
    CreateDialogFromTemplate(*this, parent, IDD_ABOUTBOX);
    // OK, Enter, Escape and the close box all end it.
    SetEscapeId(wxID_OK);
    if (!navData.empty()) {
        // Below the version text, in the picture's height: the template's
        // controls stay where they are.
        auto* line = new wxStaticText(this, wxID_ANY, wxString::FromUTF8(navData), ConvertDialogToPixels(wxPoint(75, 58)),
                                      ConvertDialogToPixels(wxSize(167, 24)), wxST_NO_AUTORESIZE);
        line->Wrap(ConvertDialogToPixels(wxSize(167, 0)).x);
    }
}
