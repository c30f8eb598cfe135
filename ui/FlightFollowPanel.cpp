// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FlightFollowPanel.h"

#include "ui/PlanPane.h"
#include "ui/SimulatorConnectDlg.h"
#include "ui/SimulatorSettings.h"
#include "ui/TextConvert.h"

#include "coverage/Geodesy.h"
#include "flying/FollowText.h"

#include <wx/sizer.h>

#include <cmath>

namespace {

const int ID_CONNECT = wxWindow::NewControlId();
const int ID_TUNE = wxWindow::NewControlId();
const int ID_LEG = wxWindow::NewControlId();

// What identifies a plan for following: another route or kind of route
// makes a new follower, the same one keeps the active leg.
std::string planKey(const flightplan::FlightPlan& plan)
{
    std::string key = plan.route + (plan.routeKind == flightplan::RouteKind::Best ? "|best|" : "|listed|");
    for (const flightplan::Leg& leg : plan.legs)
        key += std::to_string(leg.distanceNm) + ",";
    return key;
}

}  // namespace

FlightFollowPanel::FlightFollowPanel(wxWindow* parent, PlanPane& pane) : wxPanel(parent, wxID_ANY), m_pane(pane)
{
    m_btnConnect = new wxButton(this, ID_CONNECT, "Connect...");
    m_btnConnect->SetToolTip("Follows the flight in FlightGear or X-Plane and tunes its radios");
    m_txtStatus = new wxStaticText(this, wxID_ANY, "No simulator connected", wxDefaultPosition, wxDefaultSize,
                                   wxST_ELLIPSIZE_END);
    m_txtLeg = new wxStaticText(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize, wxST_ELLIPSIZE_END);
    m_txtNeedle = new wxStaticText(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize, wxST_ELLIPSIZE_END);
    // Created in the order Tab visits them, as they stand in the row.
    auto* legLabel = new wxStaticText(this, wxID_ANY, "&Leg:");
    m_chLeg = new wxChoice(this, ID_LEG);
    m_chLeg->SetToolTip("The leg flown; pick one to fly it");
    m_btnTune = new wxButton(this, ID_TUNE, "&Tune NAV1", wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
    m_btnTune->SetToolTip("Sets NAV1 to the strip's beacon and the leg's course as OBS in the simulator");
    m_chkAutoTune = new wxCheckBox(this, wxID_ANY, "A&uto-tune");
    m_chkFollowMap = new wxCheckBox(this, wxID_ANY, "&Follow aircraft");
    m_chkFollowMap->SetValue(true);

    const int gap = FromDIP(4);
    auto* top = new wxBoxSizer(wxHORIZONTAL);
    top->Add(m_btnConnect, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap * 2);
    top->Add(m_txtStatus, 1, wxALIGN_CENTER_VERTICAL);
    auto* controls = new wxBoxSizer(wxHORIZONTAL);
    controls->Add(legLabel, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    controls->Add(m_chLeg, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap * 2);
    controls->Add(m_btnTune, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap * 2);
    controls->Add(m_chkAutoTune, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap * 2);
    controls->Add(m_chkFollowMap, 0, wxALIGN_CENTER_VERTICAL);
    // The strip and its controls only while a simulator is chosen: without
    // one the panel is a line, and the map keeps its room.
    m_flightRows = new wxBoxSizer(wxVERTICAL);
    m_flightRows->Add(m_txtLeg, 0, wxEXPAND | wxTOP, gap);
    m_flightRows->Add(m_txtNeedle, 0, wxEXPAND | wxTOP, gap);
    m_flightRows->Add(controls, 0, wxEXPAND | wxTOP, gap);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(top, 0, wxEXPAND);
    sizer->Add(m_flightRows, 0, wxEXPAND);
    SetSizer(sizer);
    sizer->Hide(m_flightRows, true);

    m_askAddress = [this](const simlink::LinkAddress& address) -> std::optional<simlink::LinkAddress> {
        SimulatorConnectDlg dialog(this, address);
        if (dialog.ShowModal() != wxID_OK)
            return std::nullopt;
        return dialog.Address();
    };
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnConnectButton(); }, ID_CONNECT);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { TuneNav1(); }, ID_TUNE);
    m_chLeg->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
        if (SyncPlan() && m_chLeg->GetSelection() != wxNOT_FOUND) {
            m_follower->pickLeg(static_cast<std::size_t>(m_chLeg->GetSelection()));
            ShowFrame();
        }
    });
    m_chkAutoTune->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
        if (m_follower)
            m_follower->setAutoTune(m_chkAutoTune->GetValue());
    });
    m_chkFollowMap->Bind(wxEVT_CHECKBOX,
                         [this](wxCommandEvent&) { m_pane.SetMapFollowsAircraft(m_chkFollowMap->GetValue()); });
    // Buttons follow from the state in one place.
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) {
        event.SetText(m_link ? "Disconnect" : "Connect...");
    }, ID_CONNECT);
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) {
        event.Enable(m_link && m_follower && m_follower->tuneCommand().has_value());
    }, ID_TUNE);
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) {
        // A plan shown anew (or none) while nothing arrives still updates the legs.
        SyncPlan();
        event.Enable(m_pane.Plan().has_value());
    }, ID_LEG);
}

FlightFollowPanel::~FlightFollowPanel()
{
    // The thread ends before the window does: nothing is posted to a window gone.
    m_link.reset();
}

void FlightFollowPanel::OnConnectButton()
{
    if (m_link) {
        Disconnect();
        return;
    }
    if (const std::optional<simlink::LinkAddress> address = m_askAddress(LoadSimulatorAddress()))
        Connect(*address);
}

void FlightFollowPanel::Connect(const simlink::LinkAddress& address)
{
    Disconnect();
    SaveSimulatorAddress(address);
    const unsigned generation = ++m_generation;
    m_txtStatus->SetLabel(ToWx("Connecting to " + simlink::describe(address) + "…"));
    ShowFlightRows(true);
    m_link = simlink::openLink(
        address, {[this, generation](const simlink::AircraftSample& sample) {
                      CallAfter([this, generation, sample] {
                          if (generation == m_generation)
                              OnSample(sample);
                      });
                  },
                  [this, generation](const simlink::LinkStatus& status) {
                      CallAfter([this, generation, status] {
                          if (generation == m_generation)
                              OnStatus(status);
                      });
                  }});
}

void FlightFollowPanel::Disconnect()
{
    if (!m_link)
        return;
    ++m_generation;
    m_link.reset();
    m_txtStatus->SetLabel("No simulator connected");
    m_pane.ShowFlight(std::nullopt, std::nullopt);
    m_track.clear();
    ShowFlightRows(false);
}

void FlightFollowPanel::ShowFlightRows(bool show)
{
    if (GetSizer()->IsShown(m_flightRows) == show)
        return;
    GetSizer()->Show(m_flightRows, show, true);
    m_pane.Layout();
}

void FlightFollowPanel::TuneNav1()
{
    if (!m_link || !m_follower)
        return;
    if (const std::optional<simlink::TuneCommand> command = m_follower->tuneCommand())
        m_link->tune(*command);
}

void FlightFollowPanel::OnStatus(const simlink::LinkStatus& status)
{
    m_txtStatus->SetLabel(ToWx(status.message));
    m_txtStatus->SetToolTip(ToWx(status.message));
    m_txtStatus->SetForegroundColour(status.state == simlink::LinkState::Lost ? wxColour(170, 20, 20)
                                                                              : GetForegroundColour());
}

bool FlightFollowPanel::SyncPlan()
{
    const std::optional<flightplan::FlightPlan>& plan = m_pane.Plan();
    if (!plan || plan->legs.empty()) {
        if (m_follower) {
            m_follower.reset();
            m_planKey.clear();
            m_chLeg->Clear();
            m_txtLeg->SetLabel("No flight plan to follow");
            m_txtNeedle->SetLabel(wxString());
        }
        return false;
    }
    const std::string key = planKey(*plan);
    if (m_follower && key == m_planKey)
        return true;
    m_follower.emplace(*plan);
    m_follower->setAutoTune(m_chkAutoTune->GetValue());
    m_planKey = key;
    m_chLeg->Clear();
    for (std::size_t i = 0; i < plan->legs.size(); ++i)
        m_chLeg->Append(ToWx(std::to_string(i + 1) + "  " + plan->waypoints[plan->legs[i].from].ident + " → " +
                             plan->waypoints[plan->legs[i].to].ident));
    return true;
}

void FlightFollowPanel::AddTrackPoint(double lat, double lon)
{
    if (!m_track.empty() &&
        coverage::geodesicNm(m_track.back().lat, m_track.back().lon, lat, lon) < TRACK_SPACING_NM)
        return;
    m_track.push_back({lat, lon});
    // An hour's flight and more: the oldest half thinned to every other point.
    if (m_track.size() > TRACK_POINTS) {
        std::deque<map::AircraftMark::TrackPoint> thinned;
        for (std::size_t i = 0; i < m_track.size(); ++i)
            if (i >= m_track.size() / 2 || i % 2 == 0)
                thinned.push_back(m_track[i]);
        m_track.swap(thinned);
    }
}

void FlightFollowPanel::OnSample(const simlink::AircraftSample& sample)
{
    ++m_samplesShown;
    AddTrackPoint(sample.latitude, sample.longitude);
    if (!SyncPlan()) {
        map::AircraftMark mark{sample.latitude, sample.longitude, std::nullopt, {m_track.begin(), m_track.end()}};
        m_pane.ShowFlight(std::nullopt, mark);
        return;
    }
    m_follower->update(sample);
    if (m_link) {
        if (const std::optional<simlink::TuneCommand> command = m_follower->takeAutoTune())
            m_link->tune(*command);
    }
    ShowFrame();
}

void FlightFollowPanel::ShowFrame()
{
    if (!m_follower || !m_follower->frame())
        return;
    const flying::FollowFrame& frame = *m_follower->frame();
    const flightplan::FlightPlan& plan = m_follower->plan();
    const flying::StripLines lines = flying::followStripLines(plan, frame);
    m_txtLeg->SetLabel(ToWx(lines.leg));
    m_txtNeedle->SetLabel(ToWx(lines.needle));
    if (frame.state.leg && m_chLeg->GetSelection() != static_cast<int>(*frame.state.leg))
        m_chLeg->SetSelection(static_cast<int>(*frame.state.leg));

    map::AircraftMark mark;
    mark.lat = frame.sample.latitude;
    mark.lon = frame.sample.longitude;
    if (frame.sample.headingMagneticDeg) {
        // True from magnetic with the declination the active leg's courses differ by.
        double declination = 0.0;
        if (frame.state.leg) {
            const flightplan::Leg& leg = plan.legs[*frame.state.leg];
            if (leg.courseTrue && leg.courseMagnetic)
                declination = *leg.courseTrue - *leg.courseMagnetic;
        }
        mark.headingTrue = *frame.sample.headingMagneticDeg + declination;
    }
    mark.track.assign(m_track.begin(), m_track.end());
    m_pane.ShowFlight(frame.state.leg, mark);
}
