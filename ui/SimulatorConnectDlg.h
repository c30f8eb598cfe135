// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "simlink/SimLink.h"

#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

// Asks which simulator to connect to: its kind, host and port. Changing the
// kind moves a default port to the other kind's default, and the hint says
// how to start that simulator so that it answers.
class SimulatorConnectDlg : public wxDialog {
public:
    SimulatorConnectDlg(wxWindow* parent, const simlink::LinkAddress& address);

    // The address as typed; the host stripped, "localhost" when empty.
    simlink::LinkAddress Address() const;

    wxChoice* m_chKind = nullptr;
    wxTextCtrl* m_txtHost = nullptr;
    wxSpinCtrl* m_spinPort = nullptr;
    wxStaticText* m_txtHint = nullptr;

private:
    void OnKind();
};

// How to start a simulator so that it answers on the address.
std::string SimulatorStartHint(const simlink::LinkAddress& address);
