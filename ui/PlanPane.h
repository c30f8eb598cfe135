#pragma once

#include "flightplan/FlightPlan.h"

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <functional>
#include <optional>
#include <string>

// The pane beside the main window's own controls that shows the flight plan
// of the route: the legs with the frequency to tune, magnetic course and
// radials, the totals and the ICAO route, and "Export Flight Plan..." for
// the simulators' files. It holds the plan it shows; the buttons follow
// from whether there is one.
class PlanPane : public wxPanel {
public:
    explicit PlanPane(wxWindow* parent);

    void ShowPlan(flightplan::FlightPlan plan);
    // No plan, and why (empty for none to give).
    void Clear(const std::string& why = std::string());
    const std::optional<flightplan::FlightPlan>& Plan() const { return m_plan; }

    // Puts a view of the plan (the map) above the leg table.
    void SetMapView(wxWindow* view);

    // Writes the plan to a file the user names; errors go to ReportError.
    void OnExport();

    wxListCtrl* m_lstLegs = nullptr;
    wxStaticText* m_txtSummary = nullptr;
    wxButton* m_btnExport = nullptr;
    wxBoxSizer* m_buttons = nullptr;

    // Asks where to export; "" when the user cancels. A save dialog with one
    // filter per format unless replaced (tests answer for the user).
    std::function<std::string()> m_chooseExportFile;

private:
    std::string AskExportFile();

    wxBoxSizer* m_sizer = nullptr;
    std::optional<flightplan::FlightPlan> m_plan;
};
