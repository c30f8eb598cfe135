// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flightplan/FlightPlan.h"
#include "flightplan/formats/PlanTexts.h"
#include "map/MapScene.h"
#include "planning/BuiltPlan.h"
#include "planning/PlanChoices.h"
#include "ui/PlanInputsPanel.h"

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

// The pane beside the main window's own controls that shows the flight plan
// of the route: the map, the legs with the frequency to tune, magnetic
// course and radials in columns narrow enough to read whole beside the
// template, the totals, the ICAO route on one line to copy, and "Export
// Flight Plan..." for the simulators' files. Between the map and the legs
// the pilot chooses how the plan is made; the pane's owner reads the
// choices (ReadChoices) when told they changed (m_choicesChanged) and
// hands back the plan. It holds the plan it shows; the buttons follow from
// whether there is one.
class MapWindow;
class wxFileDialog;
class RouteChoicePanel;
class PlanInputsPanel;

// What the window remembers of the pane between runs: the figures as typed
// and the choices of route, ranges and paper.
struct RememberedChoices {
    std::string airspeed;
    std::string fuelBurn;
    std::optional<kneeboard::Paper> paper;
    std::optional<coverage::RangeModel> ranges;
    bool bestRoute = false;
};

class PlanPane : public wxPanel {
public:
    explicit PlanPane(wxWindow* parent);

    // The plan in the leg list and summary, its scene on the map; what the
    // map lacks is said below the plan.
    void ShowPlan(planning::BuiltPlan built);
    // The map alone (no plan yet); what it lacks is said in the summary.
    void ShowMap(planning::SceneResult map);
    // Blanks the figures of the plan shown in these leg columns (by their
    // compact headings) and the totals that add them up, saying why: they
    // wait on a field that cannot be read. The route, its summaries and
    // Export stay.
    void BlankFigures(const std::vector<std::string>& columns, const std::string& why);
    // No plan, and why (empty for none to give).
    void Clear(const std::string& why = std::string());
    const std::optional<flightplan::FlightPlan>& Plan() const { return m_plan; }

    // What the pilot chose: the route and its ranges, the rings, the
    // figures and the paper. nullopt when a field cannot be read; what is
    // wrong is then in `problem` and shown under the fields (and cleared
    // there once all can be read).
    // A field that cannot be read keeps the figure it last held: the
    // choices are then made with that, `problem` says what is wrong and
    // `blanked` gets the leg columns that depend on the field.
    std::optional<planning::PlanChoices> ReadChoices(std::string& problem,
                                                     std::vector<std::string>* blanked = nullptr);
    // The aircraft's choices as the pilot left them, kept for the next start.
    RememberedChoices Remembered() const;
    // Puts remembered choices back in the fields, as if typed.
    void Restore(const RememberedChoices& choices);
    // The summaries beside the listed and the best route ("" for none).
    void SetRouteSummaries(const std::string& listed, const std::string& best);
    // Called after the user changed any choice.
    std::function<void()> m_choicesChanged;

    // While a flight is followed: the leg flown marked on the map and in the
    // leg table, and the aircraft with its track on the map; nullopt clears
    // them. The map follows the aircraft unless told not to.
    void ShowFlight(std::optional<std::size_t> activeLeg, std::optional<map::AircraftMark> aircraft);
    void SetMapFollowsAircraft(bool on);

    // Adds the window's own items under the map's in its context menu.
    void ExtendMapMenu(std::function<void(wxMenu&)> extend);

    // The width at which every leg column reads whole without scrolling.
    int WantedWidth() const;
    // The least width at which its rows of choices and buttons stand whole
    // (the legs and the route scroll, and the summary wraps).
    int LeastWidth() const;

    // The route as an ICAO flight plan's item 15 wants it: the beacons with
    // DCT between and before them, without the airports ("DCT MAD DCT PUT DCT BOS").
    std::string RouteForFlightPlan() const;
    // Copies RouteForFlightPlan to the clipboard.
    void OnCopyRoute();

    // Writes the plan to a file the user names; errors go to ReportError.
    void OnExport();
    // Writes the map as shown on the map file of the planner (SVG or PNG,
    // 1200 by 900, fitted to the route) to a file the user names.
    void OnSaveMap();

    MapWindow* m_map = nullptr;  // above the leg table

    wxListCtrl* m_lstLegs = nullptr;
    wxStaticText* m_txtSummary = nullptr;
    wxTextCtrl* m_edtRoute = nullptr;  // read-only, one line, selectable
    wxButton* m_btnCopyRoute = nullptr;
    wxButton* m_btnExport = nullptr;
    wxButton* m_btnSaveMap = nullptr;
    wxBoxSizer* m_buttons = nullptr;

    // Which navigation data the window plans with, for the kneeboard's header;
    // set by the window's owner of the database.
    std::string m_navDataLine;

    // Asks where to export; "" when the user cancels. A save dialog with one
    // filter per format unless replaced (tests answer for the user).
    std::function<std::string()> m_chooseExportFile;
    // Called with the export's save dialog just before it shows; tests
    // reach the native dialog through it.
    std::function<void(wxFileDialog&)> m_exportDialogOpening;
    // Asks whether to replace the file at path, which exists; a question
    // box unless replaced (tests answer for the user).
    std::function<bool(const std::string&)> m_confirmReplace;
    // Puts text on the clipboard; replaced by tests.
    std::function<void(const std::string&)> m_copyText;
    // Asks where to save the map; "" when the user cancels.
    std::function<std::string()> m_chooseMapFile;
    // The name Save Map proposes: the route's, as a PNG ("KJFK-KLAX.png").
    std::string ProposedMapFileName() const;

private:
    // Tests act on the choices' controls as the user does.
    friend class PlanPaneControls;

    RouteChoicePanel* m_routeChoice = nullptr;  // between map and legs
    // True airspeed, wind, fuel burn and paper, below the route choice.
    PlanInputsPanel* m_inputs = nullptr;
    // The texts of the fields as last read whole, for a field being retyped.
    PlanInputTexts m_readTexts;

    void SetColumns(const std::vector<flightplan::LegColumn>& columns);
    void SetSummary(const std::string& text);
    void WrapSummary();
    void SizeLegColumns();
    std::string AskExportFile();
    std::string AskMapFile();

    wxBoxSizer* m_sizer = nullptr;
    wxString m_summary;  // as set, before wrapping
    std::optional<flightplan::FlightPlan> m_plan;
    std::optional<std::size_t> m_flightLeg;  // the leg table's marked row
};
