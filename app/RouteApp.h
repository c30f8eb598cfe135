// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <wx/app.h>

// The application: runs the main window until it closes and ends the
// program with its exit status. Errors that leave an event handler are
// caught where the toolkit dispatches the event and shown to the user; the
// window in which they happened stays open.
class CRouteApp : public wxApp {
public:
    bool OnInit() override;
    // 0 after the main window has closed; 1 when the navigation database
    // cannot be opened.
    int OnRun() override;

    // Runs the main window modally; the program's exit status.
    int RunMainWindow();

    void CallEventHandler(wxEvtHandler* handler, wxEventFunctor& functor, wxEvent& event) const override;
    bool OnExceptionInMainLoop() override;
};

// The exit status when the database cannot be opened at start-up.
inline constexpr int EXIT_NO_DATABASE = 1;
