// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flightplan/FlightPlan.h"
#include "flightplan/formats/FormatWriters.h"
#include "planning/BuiltPlan.h"

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
// Flight Plan..." for the simulators' files. Panels that choose how the plan
// is made stand between the map and the legs (HostPanel). It holds the plan
// it shows; the buttons follow from whether there is one.
class MapWindow;
class wxFileDialog;
class RouteChoicePanel;
class PlanInputsPanel;


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

    // Shows a panel of choices between the map and the legs, in the order
    // hosted; the pane owns it from then on (it must be the pane's child).
    void HostPanel(wxWindow* panel);

    // Adds the window's own items under the map's in its context menu.
    void ExtendMapMenu(std::function<void(wxMenu&)> extend);

    // The width at which every leg column reads whole without scrolling.
    int WantedWidth() const;

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
    RouteChoicePanel* m_routeChoice = nullptr;  // between map and legs
    // True airspeed, wind and fuel burn, between the map and the legs; the
    // owner of the route recomputes the plan when they change.
    PlanInputsPanel* m_inputs = nullptr;

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
    void SetColumns(const std::vector<flightplan::LegColumn>& columns);
    void SetSummary(const std::string& text);
    void WrapSummary();
    void SizeLegColumns();
    std::string AskExportFile();
    std::string AskMapFile();

    wxBoxSizer* m_sizer = nullptr;
    wxBoxSizer* m_hosted = nullptr;
    wxString m_summary;  // as set, before wrapping
    std::optional<flightplan::FlightPlan> m_plan;
};
