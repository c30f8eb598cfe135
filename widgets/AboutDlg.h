// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <wx/dialog.h>

#include <string>

// The About box: the About picture, the program's name and version, OK.
// Constructed anew for each showing and run modally; nothing is read back.
class CAboutDlg : public wxDialog {
public:
    // No parent: the toolkit makes the application's main window its owner
    // while it runs modally.
    // navData, when given, names the navigation data in use ("Navigation
    // data: OurAirports of ..."), in a line of its own below the version.
    explicit CAboutDlg(wxWindow* parent = nullptr, const std::string& navData = std::string());
};
