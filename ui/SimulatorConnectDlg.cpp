// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SimulatorConnectDlg.h"

#include "ui/TextConvert.h"

#include <wx/button.h>
#include <wx/sizer.h>

SimulatorConnectDlg::SimulatorConnectDlg(wxWindow* parent, const simlink::LinkAddress& address)
    : wxDialog(parent, wxID_ANY, "Connect to a Simulator")
{
    m_chKind = new wxChoice(this, wxID_ANY);
    m_chKind->Append("FlightGear");
    m_chKind->Append("X-Plane");
    m_chKind->SetSelection(address.kind == simlink::SimulatorKind::XPlane ? 1 : 0);
    m_txtHost = new wxTextCtrl(this, wxID_ANY, ToWx(address.host));
    m_spinPort = new wxSpinCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxSP_ARROW_KEYS, 1,
                                65535, address.port);
    m_txtHint = new wxStaticText(this, wxID_ANY, wxString());

    const int gap = FromDIP(6);
    auto* grid = new wxFlexGridSizer(2, gap, gap);
    grid->AddGrowableCol(1);
    grid->Add(new wxStaticText(this, wxID_ANY, "&Simulator:"), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(m_chKind, 1, wxEXPAND);
    grid->Add(new wxStaticText(this, wxID_ANY, "&Host:"), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(m_txtHost, 1, wxEXPAND);
    grid->Add(new wxStaticText(this, wxID_ANY, "&Port:"), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(m_spinPort, 0);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(grid, 0, wxEXPAND | wxALL, gap * 2);
    sizer->Add(m_txtHint, 0, wxEXPAND | wxLEFT | wxRIGHT, gap * 2);
    sizer->Add(CreateSeparatedButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, gap * 2);
    SetSizerAndFit(sizer);

    m_chKind->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { OnKind(); });
    m_txtHost->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { m_txtHint->SetLabel(ToWx(SimulatorStartHint(Address()))); });
    m_spinPort->Bind(wxEVT_SPINCTRL,
                     [this](wxSpinEvent&) { m_txtHint->SetLabel(ToWx(SimulatorStartHint(Address()))); });
    m_txtHint->SetLabel(ToWx(SimulatorStartHint(Address())));
    m_txtHint->Wrap(FromDIP(420));
    Fit();
}

void SimulatorConnectDlg::OnKind()
{
    const bool xplane = m_chKind->GetSelection() == 1;
    const int port = m_spinPort->GetValue();
    if (xplane && port == simlink::FLIGHTGEAR_DEFAULT_PORT)
        m_spinPort->SetValue(simlink::XPLANE_DEFAULT_PORT);
    else if (!xplane && port == simlink::XPLANE_DEFAULT_PORT)
        m_spinPort->SetValue(simlink::FLIGHTGEAR_DEFAULT_PORT);
    m_txtHint->SetLabel(ToWx(SimulatorStartHint(Address())));
    m_txtHint->Wrap(FromDIP(420));
    Fit();
}

simlink::LinkAddress SimulatorConnectDlg::Address() const
{
    simlink::LinkAddress address;
    address.kind = m_chKind->GetSelection() == 1 ? simlink::SimulatorKind::XPlane : simlink::SimulatorKind::FlightGear;
    const std::string host = FromWx(m_txtHost->GetValue().Strip(wxString::both));
    address.host = host.empty() ? "localhost" : host;
    address.port = m_spinPort->GetValue();
    return address;
}

std::string SimulatorStartHint(const simlink::LinkAddress& address)
{
    if (address.kind == simlink::SimulatorKind::XPlane)
        return "X-Plane answers on UDP port " + std::to_string(address.port) +
               " when it receives there (Settings, Network).";
    return "Start FlightGear with --telnet=socket,bi,10," + address.host + "," + std::to_string(address.port) + ",tcp";
}
