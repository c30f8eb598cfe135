// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flying/FlightFollower.h"
#include "map/MapScene.h"
#include "simlink/SimLink.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class PlanPane;

// Flies the plan pane's plan (the listed or the best route, whichever it
// shows) in a simulator: "Connect..." asks for FlightGear or X-Plane, host
// and port (remembered between runs); a status says what is connected and
// what is wrong; while samples arrive the pane's map shows the aircraft and
// its track and the leg table marks the active leg, and the strip shows
// the station to tune, radial, TO/FROM, CDI, distance and time to go.
// "Tune NAV1" sets the strip's frequency and course in the simulator;
// "Auto-tune" does so at every new leg and changeover point. The link runs
// on its own thread and reaches the window only through CallAfter.
class FlightFollowPanel : public wxPanel {
public:
    FlightFollowPanel(wxWindow* parent, PlanPane& pane);
    ~FlightFollowPanel() override;

    // Connects (after closing any link there is) and remembers the address.
    void Connect(const simlink::LinkAddress& address);
    void Disconnect();
    bool IsConnecting() const { return m_link != nullptr; }
    void TuneNav1();

    // Asks for the address to connect to; the dialog unless replaced
    // (tests answer for the user). nullopt when the user cancels.
    std::function<std::optional<simlink::LinkAddress>(const simlink::LinkAddress&)> m_askAddress;

    wxButton* m_btnConnect = nullptr;
    wxStaticText* m_txtStatus = nullptr;
    wxStaticText* m_txtLeg = nullptr;
    wxStaticText* m_txtNeedle = nullptr;
    wxCheckBox* m_chkFollowMap = nullptr;
    wxCheckBox* m_chkAutoTune = nullptr;
    wxButton* m_btnTune = nullptr;
    wxChoice* m_chLeg = nullptr;

    const std::optional<flying::FlightFollower>& Follower() const { return m_follower; }
    // The samples taken so far, for tests and the benchmark.
    unsigned long SamplesShown() const { return m_samplesShown; }

    // Takes a sample as the link's thread posts it; public for the benchmark.
    void OnSample(const simlink::AircraftSample& sample);

    // The track keeps a point every TRACK_SPACING_NM, at most TRACK_POINTS.
    static constexpr double TRACK_SPACING_NM = 0.25;
    static constexpr std::size_t TRACK_POINTS = 4000;

private:
    void OnConnectButton();
    void OnStatus(const simlink::LinkStatus& status);
    // A new follower when the pane shows another plan; false without one.
    bool SyncPlan();
    void ShowFrame();
    void AddTrackPoint(double lat, double lon);
    void ShowFlightRows(bool show);

    PlanPane& m_pane;
    wxSizer* m_flightRows = nullptr;  // the strip and the controls under it
    std::unique_ptr<simlink::SimLink> m_link;
    unsigned m_generation = 0;  // of the link; posts of an older one are dropped
    std::optional<flying::FlightFollower> m_follower;
    std::string m_planKey;
    std::deque<map::AircraftMark::TrackPoint> m_track;
    unsigned long m_samplesShown = 0;
};
