// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/NavDataUpdateRun.h"
#include "planning/PlanBuilder.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/iconbndl.h>
#include <wx/listctrl.h>
#include <wx/menu.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CAirportDlg;
class CDatabase;
class PlanPane;
class SashHandle;
class TemplateLayout;

// "Meridane", the program's one window: the departure and destination
// airports with their runways, the navigation radios on the route, and the
// buttons that choose the airports, calculate the route, write the course
// report and show the About box. It owns the database connection for its
// whole life.
class CRouteDlg : public wxDialog {
public:
    // Opens the database connection first; a connection that cannot be made
    // throws CDBException before any window exists.
    explicit CRouteDlg(wxWindow* parent = nullptr);
    ~CRouteDlg() override;

    wxButton* m_btnWriteFile = nullptr;
    wxListCtrl* m_lstRoute = nullptr;
    wxListCtrl* m_lstDestinationRunways = nullptr;
    wxListCtrl* m_lstDepartureRunways = nullptr;
    wxButton* m_btnCalculateRoute = nullptr;
    std::string m_strDepartureATIS;
    std::string m_strDepartureElevation;
    std::string m_strDepartureLatitude;
    std::string m_strDepartureLongitude;
    std::string m_strDepartureName;
    std::string m_strDestinationATIS;
    std::string m_strDestinationElevation;
    std::string m_strDestinationLatitude;
    std::string m_strDestinationLongitude;
    std::string m_strDestinationName;
    wxIconBundle m_hIcon;
    CDatabase* m_pDatabase = nullptr;  // owned
    std::string m_strDestinationID;
    std::string m_strDepartureID;

    // How the airport selection dialog is run; ShowModal unless replaced
    // (tests drive the dialog without a modal loop).
    std::function<int(CAirportDlg&)> m_runAirportDialog;
    // How the window menu is shown on a right click; a pop-up menu unless
    // replaced.
    std::function<void(wxMenu&)> m_showWindowMenu;

    // The part of the screen the window may take (the work area of the
    // display it opens on, without panels and docks); replaced by tests.
    std::function<wxRect()> m_workArea;
    // How an update of the navigation data runs: under a progress dialog
    // unless replaced (tests answer for the network).
    std::function<NavDataUpdateOutcome(const update::UpdateOptions&)> m_runNavDataUpdate;
    // Tells the user how an update went; a message box unless replaced.
    std::function<void(const std::string&)> m_tellUser;

    // Stands in for the window manager's system menu, which a program cannot
    // extend here: "&About Meridane..." and, beside it, "&Update Navigation
    // Data..." on a right click.
    wxMenu m_menuSystem;

    void FillRunwayList(const std::string& airportID, wxListCtrl& runways);
    // Gathers the plan from the window, writes course.txt and hands over to
    // the editor, which ends the program.
    void WriteCourseReport();

    void OnSelectDeparting();
    void OnSelectDestination();
    void OnCalculateRoute();
    void OnAbout();
    void OnWriteFile();
    void OnSysCommand(int command);
    // Brings the navigation data up to date and goes on with the new
    // database: the airports are chosen afresh, since its IDs are its own.
    void OnUpdateNavData();

    // Which navigation data the window plans with (NavDataEdition.h).
    const std::string& NavDataLineShown() const { return m_navDataLine; }

    bool TransferDataToWindow() override;

    // Beside the controls above: the flight plan of the route shown.
    PlanPane* m_planPane = nullptr;
    // Between them, the bar that moves the plan pane's left edge.
    SashHandle* m_sash = nullptr;
    // Where the user put the plan pane's left edge; -1 while the width is
    // shared by the window's own rule.
    int m_splitX = -1;

    // Remembers the aircraft, the choices for the plan and the window's
    // size in the user's configuration (WindowSettings.h).
    void SaveSettings() const;

private:
    void DoDataExchange();
    void OnInitDialog(wxInitDialogEvent& event);
    void OnContextMenu(wxContextMenuEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnClose(wxCloseEvent& event);
    // Runs the selection dialog; false when no airport was chosen.
    bool SelectAirport(std::string& id, std::string& atis, std::string& elevation, std::string& latitude,
                       std::string& longitude, std::string& name, wxListCtrl& runways);

    wxTextCtrl* m_edtDepartureATIS = nullptr;
    wxTextCtrl* m_edtDepartureElevation = nullptr;
    wxTextCtrl* m_edtDepartureLatitude = nullptr;
    wxTextCtrl* m_edtDepartureLongitude = nullptr;
    wxTextCtrl* m_edtDepartureName = nullptr;
    wxTextCtrl* m_edtDestinationATIS = nullptr;
    wxTextCtrl* m_edtDestinationElevation = nullptr;
    wxTextCtrl* m_edtDestinationLatitude = nullptr;
    wxTextCtrl* m_edtDestinationLongitude = nullptr;
    wxTextCtrl* m_edtDestinationName = nullptr;

    // The flight plan of a route just calculated, or why there is none.
    void ShowFlightPlan(const std::vector<std::string>& beaconIDs);
    // The plans of the listed and the best covered route with the ranges
    // chosen in the pane, and the chosen one shown; again on every change
    // of the choice.
    void ShowChosenPlan();
    // The map shows the airports chosen so far among the VORs.
    void ShowAirportsOnMap();
    void LayOut();
    void FitRouteNameColumn();
    wxSize DefaultClientSize();
    // The smallest client size at which every control is whole.
    wxSize SmallestClientSize();
    // Sizes and places the window within the work area, frame included.
    void FitIntoWorkArea(wxSize client);
    void ApplySettings();
    int m_savedSplitX = -1;
    int m_paneMinWidth = 250;  // the pane's least width, set with the window's smallest size

    // Opens the database file anew (after an update replaced it) and starts
    // over with no airport chosen.
    void ReopenDatabase();
    // Reads which data the database holds; notes data older than 60 days.
    void ShowNavDataState();
    std::string m_navDataLine;

    std::unique_ptr<TemplateLayout> m_layout;
    int m_listsWantedWidth = 0;  // what the route list needs for whole names
    std::unique_ptr<planning::PlanBuilder> m_planBuilder;  // keeps the model and the VORs between plans
    std::vector<std::string> m_listedBeaconIDs;  // of the route last calculated
    bool m_routeCalculated = false;
    // The pilot's figures as last read from each field: a field that cannot
    // be read keeps its figure here.
    int PaneWantedWidth() const;
};
