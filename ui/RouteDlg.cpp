// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/RouteDlg.h"

#include "widgets/AboutDlg.h"
#include "ui/AirportDlg.h"
#include "route/AirportInfo.h"
#include "widgets/AppArt.h"
#include "data/ConnectionString.h"
#include "report/CourseReport.h"
#include "data/Database.h"
#include "widgets/DialogBuilder.h"
#include "widgets/DialogTemplates.h"
#include "report/EditorHandOver.h"
#include "ui/ErrorReport.h"
#include "ui/ListViewRows.h"
#include "data/NavDataEdition.h"
#include "ui/PlanPane.h"
#include "widgets/Resource.h"
#include "route/RouteSearch.h"
#include "route/RowSink.h"
#include "widgets/TemplateLayout.h"
#include "ui/TextConvert.h"
#include "ui/WindowLayouts.h"
#include "flightplan/PlanError.h"
#include "planning/PlanBuilder.h"
#include "ui/SashHandle.h"
#include "ui/WindowSettings.h"
#include "coverage/StationRange.h"
#include "flightplan/formats/PlanTexts.h"
#include "kneeboard/Paper.h"

#include <wx/display.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>

namespace {

template <typename T>
T* Control(wxWindow& dialog, int id)
{
    return wxStaticCast(dialog.FindWindow(ToolkitId(id)), T);
}

// The plan pane: its smallest width (a 1024 by 768 screen holds the window
// then; wider where its buttons need more) and the gap around it, where the
// splitter is. By default it is as wide as its legs want.
const int PLAN_PANE_MIN_WIDTH = 250;
const int PLAN_PANE_GAP = 8;
// A beacon name as long as the longest the world's data holds.
const wxString LONG_BEACON_NAME = "Martha's Vineyard VORTAC";

const std::vector<TemplateColumn> RUNWAY_COLUMN_TEMPLATE = {
    {"Runway #", 70}, {"Length", 70}, {"Type", 70}, {"ILS Frequency", 82}};

// Samples: the widest texts a route row holds in practice, so that the
// positions and distances stay readable; the name gives way first.
const std::vector<TemplateColumn> ROUTE_COLUMN_TEMPLATE = {
    {"Name", 70},
    {"Frequency", 70, "888.88"},
    {"Latitude", 70, "N88* 88.88'"},
    {"Longtitude", 70, "W188* 88.88'"},
    {"Elevation", 70, "88888"},
    {"Dist. from Dept.", 70, "8888.88"},
    {"Dist. from Dest.", 70, "8888.88"}};

}  // namespace

CRouteDlg::CRouteDlg(wxWindow* parent)
{
    m_hIcon = LoadAppIcons();

    // The connection comes before the window, so that a database that cannot
    // be opened leaves nothing on screen.
    auto database = std::make_unique<CDatabase>();
    database->Open(nullptr, false, true, NAVDB_CONNECT_STRING, true);
    m_pDatabase = database.release();
    m_planBuilder = std::make_unique<planning::PlanBuilder>(*m_pDatabase);

    CreateDialogFromTemplate(*this, parent, IDD_ROUTE_DIALOG, true);
    m_layout = std::make_unique<TemplateLayout>(*this, IDD_ROUTE_DIALOG, MainWindowAnchor);
    DoDataExchange();
    // After the template's controls, so that the tab order visits it last.
    m_planPane = new PlanPane(this);
    m_planPane->m_choicesChanged = [this] { ShowChosenPlan(); };
    m_sash = new SashHandle(this);
    m_sash->m_moved = [this](int middle) {
        m_splitX = middle + PLAN_PANE_GAP / 2;
        LayOut();
    };
    m_workArea = [this] {
        const int display = wxDisplay::GetFromWindow(this);
        return wxDisplay(display == wxNOT_FOUND ? 0u : static_cast<unsigned>(display)).GetClientArea();
    };
    ApplySettings();

    m_runAirportDialog = [](CAirportDlg& dlg) { return dlg.ShowModal(); };
    m_runNavDataUpdate = [this](const update::UpdateOptions& options) {
        return RunNavDataUpdateWithProgress(this, options);
    };
    m_tellUser = [this](const std::string& text) {
        wxMessageBox(ToWx(text), "Update Navigation Data", wxOK | wxICON_INFORMATION, this);
    };
    m_showWindowMenu = [this](wxMenu& menu) { PopupMenu(&menu); };

    Bind(wxEVT_INIT_DIALOG, &CRouteDlg::OnInitDialog, this);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnSelectDeparting(); }, IDC_SELECT_DEPARTING);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnSelectDestination(); }, IDC_SELECT_DESTINATION);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCalculateRoute(); }, IDC_CALCULATE_ROUTE);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnAbout(); }, IDC_ABOUT);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnWriteFile(); }, IDC_WRITE_FILE);
    Bind(wxEVT_MENU, [this](wxCommandEvent& event) { OnSysCommand(event.GetId()); }, IDM_ABOUTBOX);
    Bind(wxEVT_MENU, [this](wxCommandEvent& event) { OnSysCommand(event.GetId()); }, IDM_UPDATE_NAVDATA);
    Bind(wxEVT_CONTEXT_MENU, &CRouteDlg::OnContextMenu, this);
    Bind(wxEVT_CHAR_HOOK, &CRouteDlg::OnCharHook, this);
    Bind(wxEVT_CLOSE_WINDOW, &CRouteDlg::OnClose, this);
    Bind(wxEVT_SIZE, [this](wxSizeEvent&) { LayOut(); });
}

CRouteDlg::~CRouteDlg()
{
    SaveSettings();
    m_planBuilder.reset();
    if (m_pDatabase && m_pDatabase->IsOpen())
        m_pDatabase->Close();
    delete m_pDatabase;
}

void CRouteDlg::DoDataExchange()
{
    m_btnWriteFile = Control<wxButton>(*this, IDC_WRITE_FILE);
    m_lstRoute = Control<wxListCtrl>(*this, IDC_ROUTE);
    m_lstDestinationRunways = Control<wxListCtrl>(*this, IDC_DESTINATION_RUNWAYS);
    m_lstDepartureRunways = Control<wxListCtrl>(*this, IDC_DEPARTURE_RUNWAYS);
    m_btnCalculateRoute = Control<wxButton>(*this, IDC_CALCULATE_ROUTE);
    m_edtDepartureATIS = Control<wxTextCtrl>(*this, IDC_DEPARTURE_ATIS);
    m_edtDepartureElevation = Control<wxTextCtrl>(*this, IDC_DEPARTURE_ELEVATION);
    m_edtDepartureLatitude = Control<wxTextCtrl>(*this, IDC_DEPARTURE_LATITUDE);
    m_edtDepartureLongitude = Control<wxTextCtrl>(*this, IDC_DEPARTURE_LONGITUDE);
    m_edtDepartureName = Control<wxTextCtrl>(*this, IDC_DEPARTURE_NAME);
    m_edtDestinationATIS = Control<wxTextCtrl>(*this, IDC_DESTINATION_ATIS);
    m_edtDestinationElevation = Control<wxTextCtrl>(*this, IDC_DESTINATION_ELEVATION);
    m_edtDestinationLatitude = Control<wxTextCtrl>(*this, IDC_DESTINATION_LATITUDE);
    m_edtDestinationLongitude = Control<wxTextCtrl>(*this, IDC_DESTINATION_LONGITUDE);
    m_edtDestinationName = Control<wxTextCtrl>(*this, IDC_DESTINATION_NAME);
}

bool CRouteDlg::TransferDataToWindow()
{
    // The window shows the members and never reads the edits back.
    m_edtDepartureATIS->ChangeValue(ToWx(m_strDepartureATIS));
    m_edtDepartureElevation->ChangeValue(ToWx(m_strDepartureElevation));
    m_edtDepartureLatitude->ChangeValue(ToWx(m_strDepartureLatitude));
    m_edtDepartureLongitude->ChangeValue(ToWx(m_strDepartureLongitude));
    m_edtDepartureName->ChangeValue(ToWx(m_strDepartureName));
    m_edtDestinationATIS->ChangeValue(ToWx(m_strDestinationATIS));
    m_edtDestinationElevation->ChangeValue(ToWx(m_strDestinationElevation));
    m_edtDestinationLatitude->ChangeValue(ToWx(m_strDestinationLatitude));
    m_edtDestinationLongitude->ChangeValue(ToWx(m_strDestinationLongitude));
    m_edtDestinationName->ChangeValue(ToWx(m_strDestinationName));
    return true;
}

void CRouteDlg::OnInitDialog(wxInitDialogEvent&)
{
    TransferDataToWindow();

    const std::string about = LoadResourceString(IDS_ABOUTBOX);
    if (!about.empty() && m_menuSystem.GetMenuItemCount() == 0) {
        m_menuSystem.Append(IDM_ABOUTBOX, ToWx(about));
        m_menuSystem.Append(IDM_UPDATE_NAVDATA, "&Update Navigation Data...");
    }
    // The map's own menu keeps the window's items under its own; a choice
    // reaches this window's handlers as any command from the map does.
    m_planPane->ExtendMapMenu([this](wxMenu& menu) {
        for (const wxMenuItem* item : m_menuSystem.GetMenuItems())
            menu.Append(item->GetId(), item->GetItemLabel());
    });

    SetIcons(m_hIcon);

    const std::vector<int> runwayWidths = TemplateColumnWidths(*m_lstDepartureRunways, RUNWAY_COLUMN_TEMPLATE);
    for (int column = 0; column < RUNWAY_COLUMNS; ++column) {
        const TemplateColumn& c = RUNWAY_COLUMN_TEMPLATE[column];
        m_lstDepartureRunways->InsertColumn(column, c.heading, wxLIST_FORMAT_LEFT, runwayWidths[column]);
        m_lstDestinationRunways->InsertColumn(column, c.heading, wxLIST_FORMAT_LEFT, runwayWidths[column]);
    }
    const std::vector<int> routeWidths = TemplateColumnWidths(*m_lstRoute, ROUTE_COLUMN_TEMPLATE);
    for (int column = 0; column < ROUTE_COLUMNS; ++column) {
        const TemplateColumn& c = ROUTE_COLUMN_TEMPLATE[column];
        m_lstRoute->InsertColumn(column, c.heading, wxLIST_FORMAT_LEFT, routeWidths[column]);
    }
    // The template is the smallest the window gets; by default it shows six
    // route rows and whole beacon names, and the plan beside them.
    SetMinClientSize(SmallestClientSize());
    const WindowSettings saved = LoadWindowSettings();
    wxSize client = DefaultClientSize();
    if (saved.width > 0 && saved.height > 0)
        client = wxSize(saved.width, saved.height);
    m_splitX = m_savedSplitX;
    FitIntoWorkArea(client);
    LayOut();
    FocusFirstTabStop(*this);
    ShowNavDataState();
}

void CRouteDlg::ShowNavDataState()
{
    const NavDataEdition edition = ReadNavDataEdition(m_pDatabase);
    m_navDataLine = NavDataLine(edition);
    m_planPane->m_navDataLine = m_navDataLine;
    const std::string stale = StaleNavDataNote(edition, TodayUtc());
    if (!stale.empty())
        m_planPane->Clear(stale);
}

void CRouteDlg::OnUpdateNavData()
{
    // The file the connection reads: VORS.MDB in the working directory.
    std::error_code error;
    const std::string database = std::filesystem::absolute("VORS.MDB", error).string();
    const NavDataUpdateOutcome outcome = m_runNavDataUpdate(WindowUpdateOptions(database));
    if (!outcome.replaced) {
        ReportError("The navigation data was not updated: " + outcome.message);
        return;
    }
    ReopenDatabase();
    m_tellUser("The navigation data is up to date.\n" + m_navDataLine +
               "\n\nChoose the departure and destination airports again.");
}

void CRouteDlg::ReopenDatabase()
{
    // The connection and everything read through it stay on the file they
    // opened, which the update has replaced by rename.
    m_planBuilder.reset();
    m_pDatabase->Close();
    m_pDatabase->Open(nullptr, false, true, NAVDB_CONNECT_STRING, true);
    m_planBuilder = std::make_unique<planning::PlanBuilder>(*m_pDatabase);

    for (std::string* text : {&m_strDepartureID, &m_strDepartureATIS, &m_strDepartureElevation,
                              &m_strDepartureLatitude, &m_strDepartureLongitude, &m_strDepartureName,
                              &m_strDestinationID, &m_strDestinationATIS, &m_strDestinationElevation,
                              &m_strDestinationLatitude, &m_strDestinationLongitude, &m_strDestinationName})
        text->clear();
    m_lstDepartureRunways->DeleteAllItems();
    m_lstDestinationRunways->DeleteAllItems();
    m_lstRoute->DeleteAllItems();
    m_listedBeaconIDs.clear();
    m_routeCalculated = false;
    m_btnWriteFile->Disable();
    m_btnCalculateRoute->Disable();
    m_planPane->Clear();
    TransferDataToWindow();
    ShowNavDataState();
}

wxSize CRouteDlg::DefaultClientSize()
{
    // A beacon name of 24 letters whole, beside the other columns as wide as
    // they are.
    int others = 0;
    for (int column = 1; column < m_lstRoute->GetColumnCount(); ++column)
        others += m_lstRoute->GetColumnWidth(column);
    const int name = m_lstRoute->GetTextExtent(LONG_BEACON_NAME).x + FromDIP(16);
    const int routeWidth = others + name + FromDIP(24);  // borders and a scroll bar
    const int extraWidth = std::max(0, routeWidth - m_lstRoute->GetSize().x);
    m_listsWantedWidth = extraWidth;

    // Six rows below the heading; the route list takes half the extra height.
    const int row = m_lstRoute->GetCharHeight() + FromDIP(10);
    const int routeHeight = 7 * row + FromDIP(12);
    const int extraHeight = 2 * std::max(0, routeHeight - m_lstRoute->GetSize().y);

    const wxSize base = m_layout->TemplateSize();
    return wxSize(base.x + extraWidth + PaneWantedWidth() + 2 * PLAN_PANE_GAP, base.y + extraHeight);
}

wxSize CRouteDlg::SmallestClientSize()
{
    // The template at its own size beside the narrowest pane, as tall as
    // the taller of the two needs: the pane's buttons whole below its map
    // and legs at their least.
    const wxSize base = m_layout->TemplateSize();
    const wxSize pane = m_planPane->GetSizer()->CalcMin();
    // No narrower than its rows of choices and buttons need either (the
    // legs and the route scroll, and the summary wraps).
    m_paneMinWidth = std::max(PLAN_PANE_MIN_WIDTH, m_planPane->LeastWidth());
    return wxSize(base.x + m_paneMinWidth + 2 * PLAN_PANE_GAP, std::max(base.y, pane.y + 2 * PLAN_PANE_GAP));
}

void CRouteDlg::FitIntoWorkArea(wxSize client)
{
    const wxRect area = m_workArea();
    // The frame's share as the toolkit knows it, and room for one it
    // cannot tell before the window is shown.
    wxSize frame = GetSize() - GetClientSize();
    frame.IncTo(wxSize(0, 0));
    if (frame == wxSize(0, 0) && !IsShown())
        frame = wxSize(FromDIP(2), FromDIP(30));
    client.DecTo(area.GetSize() - frame);
    client.IncTo(GetMinClientSize());
    SetClientSize(client);
    const wxSize outer = client + frame;
    const wxRect now = GetRect();
    if (!area.Contains(wxRect(now.GetPosition(), outer))) {
        // Centred in the work area, and its top left inside it whatever
        // the size.
        const int x = area.x + std::max(0, (area.width - outer.x) / 2);
        const int y = area.y + std::max(0, (area.height - outer.y) / 2);
        Move(x, y);
    }
}

void CRouteDlg::ApplySettings()
{
    const WindowSettings saved = LoadWindowSettings();
    // As typed then, read as any typing is when a plan is made.
    RememberedChoices choices;
    choices.airspeed = saved.airspeed;
    choices.fuelBurn = saved.fuelBurn;
    choices.paper = kneeboard::parsePaper(saved.paper);
    choices.ranges = coverage::parseRangeModel(saved.ranges);
    choices.bestRoute = saved.bestRoute;
    m_planPane->Restore(choices);
    m_savedSplitX = saved.splitter;
}

void CRouteDlg::SaveSettings() const
{
    if (!m_planPane)
        return;
    WindowSettings settings;
    const RememberedChoices choices = m_planPane->Remembered();
    settings.airspeed = choices.airspeed;
    settings.fuelBurn = choices.fuelBurn;
    settings.paper = kneeboard::paperName(choices.paper.value_or(kneeboard::Paper::A5));
    settings.ranges = coverage::rangeModelName(choices.ranges.value_or(coverage::RangeModel::Standard));
    settings.bestRoute = choices.bestRoute;
    const wxSize client = GetClientSize();
    if (client.x > 0 && client.y > 0) {
        settings.width = client.x;
        settings.height = client.y;
    }
    settings.splitter = m_splitX;
    SaveWindowSettings(settings);
}

void CRouteDlg::LayOut()
{
    if (!m_layout || !m_planPane || !m_sash)
        return;
    const wxSize client = GetClientSize();
    const wxSize base = m_layout->TemplateSize();
    // Width beyond the smallest window goes first to the plan until every
    // leg column reads whole, then to the lists until beacon names show
    // whole, then two fifths to them and the rest to the plan; the height to
    // both.
    const int extraWidth = std::max(0, client.x - base.x - m_paneMinWidth - 2 * PLAN_PANE_GAP);
    const int forLegs = std::min(extraWidth, PaneWantedWidth() - m_paneMinWidth);
    const int rest = extraWidth - forLegs;
    const int first = std::min(rest, m_listsWantedWidth);
    int listsWidth = first + (rest - first) * 2 / 5;
    // Where the user moved the splitter, within what keeps both whole.
    if (m_splitX >= 0)
        listsWidth = std::clamp(m_splitX - PLAN_PANE_GAP - base.x, 0, extraWidth);
    m_layout->Apply(wxPoint(0, 0), wxSize(listsWidth, std::max(0, client.y - base.y)));
    const int paneX = base.x + listsWidth + PLAN_PANE_GAP;
    m_planPane->SetSize(paneX, PLAN_PANE_GAP, std::max(0, client.x - paneX - PLAN_PANE_GAP),
                        std::max(0, client.y - 2 * PLAN_PANE_GAP));
    m_sash->SetSize(paneX - PLAN_PANE_GAP, PLAN_PANE_GAP, PLAN_PANE_GAP, std::max(0, client.y - 2 * PLAN_PANE_GAP));
    FitRouteNameColumn();
}

int CRouteDlg::PaneWantedWidth() const
{
    return std::max(m_paneMinWidth, m_planPane->WantedWidth());
}

void CRouteDlg::FitRouteNameColumn()
{
    // The name column takes what the list has beyond the other columns.
    if (m_lstRoute->GetColumnCount() != ROUTE_COLUMNS)
        return;
    int others = 0;
    for (int column = 1; column < ROUTE_COLUMNS; ++column)
        others += m_lstRoute->GetColumnWidth(column);
    const int templateName = TemplatePixels(*this, ROUTE_COLUMN_TEMPLATE[0].pixels);
    const int room = m_lstRoute->GetClientSize().x - others - FromDIP(4);
    m_lstRoute->SetColumnWidth(0, std::max(templateName, room));
}

bool CRouteDlg::SelectAirport(std::string& id, std::string& atis, std::string& elevation, std::string& latitude,
                              std::string& longitude, std::string& name, wxListCtrl& runways)
{
    CAirportDlg dlg;
    dlg.m_pDatabase = m_pDatabase;
    if (m_runAirportDialog(dlg) != wxID_OK)
        return false;

    m_btnWriteFile->Disable();
    m_planPane->Clear();  // the route it belonged to goes too
    m_routeCalculated = false;
    id = dlg.m_strID;
    atis = dlg.m_strATIS;
    elevation = dlg.m_strElevation;
    latitude = dlg.m_strLatitude;
    longitude = dlg.m_strLongitude;
    name = dlg.m_strName;
    TransferDataToWindow();
    ShowAirportsOnMap();

    FillRunwayList(id, runways);
    m_btnCalculateRoute->Enable(!m_strDepartureID.empty() && !m_strDestinationID.empty());
    return true;
}

void CRouteDlg::OnSelectDeparting()
{
    SelectAirport(m_strDepartureID, m_strDepartureATIS, m_strDepartureElevation, m_strDepartureLatitude,
                  m_strDepartureLongitude, m_strDepartureName, *m_lstDepartureRunways);
}

void CRouteDlg::OnSelectDestination()
{
    SelectAirport(m_strDestinationID, m_strDestinationATIS, m_strDestinationElevation, m_strDestinationLatitude,
                  m_strDestinationLongitude, m_strDestinationName, *m_lstDestinationRunways);
}

void CRouteDlg::FillRunwayList(const std::string& airportID, wxListCtrl& runways)
{
    runways.DeleteAllItems();
    m_lstRoute->DeleteAllItems();
    ListViewRows rows(runways);
    ::ListRunways(m_pDatabase, airportID, rows);
}

void CRouteDlg::OnCalculateRoute()
{
    m_lstRoute->DeleteAllItems();
    m_planPane->Clear();
    wxBusyCursor wait;
    ListViewRows route(*m_lstRoute);
    RouteSearch search(m_pDatabase, m_strDepartureID, m_strDestinationID, route);
    search.Run();
    m_btnWriteFile->Enable();
    m_btnCalculateRoute->Disable();
    ShowFlightPlan(search.ChosenBeaconIDs());
}

void CRouteDlg::ShowFlightPlan(const std::vector<std::string>& beaconIDs)
{
    m_listedBeaconIDs = beaconIDs;
    m_routeCalculated = true;
    ShowChosenPlan();
}

void CRouteDlg::ShowChosenPlan()
{
    // The plans stand beside the route: when one cannot be made (a database
    // from an older importer, a missing model file), the route stays and
    // the pane says why.
    // A field that cannot be read keeps the figure it last held; what
    // depends on it is blanked until it reads again.
    std::string problem;
    std::vector<std::string> blanked;
    const std::optional<planning::PlanChoices> choices = m_planPane->ReadChoices(problem, &blanked);
    if (!m_routeCalculated || !choices)
        return;
    wxBusyCursor wait;
    planning::PlanPair plans =
        m_planBuilder->buildPlans(m_strDepartureID, &m_listedBeaconIDs, m_strDestinationID, *choices, true);
    const auto summary = [&plans](flightplan::RouteKind kind) {
        const std::optional<flightplan::FlightPlan>& plan = kind == flightplan::RouteKind::Best ? plans.best : plans.listed;
        return plan ? flightplan::routeSummaryText(*plan) : plans.why(kind);
    };
    const std::string listedSummary = summary(flightplan::RouteKind::Listed);
    const std::string bestSummary = summary(flightplan::RouteKind::Best);
    std::optional<flightplan::FlightPlan>& shown =
        choices->routeKind == flightplan::RouteKind::Best ? plans.best : plans.listed;
    if (!shown) {
        m_planPane->Clear("No flight plan: " + plans.why(choices->routeKind));
    } else {
        planning::SceneResult map = m_planBuilder->planScene(*shown);
        map.scene.showRanges = choices->rings;
        m_planPane->ShowPlan({std::move(*shown), std::move(map)});
        if (!blanked.empty())
            m_planPane->BlankFigures(blanked, problem);
    }
    m_planPane->SetRouteSummaries(listedSummary, bestSummary);
}

void CRouteDlg::ShowAirportsOnMap()
{
    m_planPane->ShowMap(m_planBuilder->airportsScene({m_strDepartureID, m_strDestinationID}));
}

void CRouteDlg::OnAbout()
{
    CAboutDlg dlg(nullptr, m_navDataLine);
    dlg.ShowModal();
}

void CRouteDlg::OnSysCommand(int command)
{
    if ((command & 0xFFF0) == IDM_ABOUTBOX)
        OnAbout();
    else if (command == IDM_UPDATE_NAVDATA)
        OnUpdateNavData();
}

void CRouteDlg::OnWriteFile()
{
    WriteCourseReport();
}

void CRouteDlg::WriteCourseReport()
{
    CoursePlan plan;
    plan.departure = {m_strDepartureName, m_strDepartureLatitude, m_strDepartureLongitude, m_strDepartureATIS,
                      m_strDepartureElevation};
    plan.destination = {m_strDestinationName, m_strDestinationLatitude, m_strDestinationLongitude,
                        m_strDestinationATIS, m_strDestinationElevation};
    plan.departureRunways = ReadRows(ListViewRows(*m_lstDepartureRunways), RUNWAY_COLUMNS);
    plan.destinationRunways = ReadRows(ListViewRows(*m_lstDestinationRunways), RUNWAY_COLUMNS);
    plan.route = ReadRows(ListViewRows(*m_lstRoute), ROUTE_COLUMNS);

    ::WriteCourseReport(plan);
    // The hand-over ends the program without the window's teardown.
    SaveSettings();
    // When the editor cannot be started the window simply stays as it was,
    // so that pressing Write File again writes the file afresh.
    StartEditorAndExit();
}

void CRouteDlg::OnContextMenu(wxContextMenuEvent&)
{
    if (m_menuSystem.GetMenuItemCount() > 0)
        m_showWindowMenu(m_menuSystem);
}

void CRouteDlg::OnCharHook(wxKeyEvent& event)
{
    if (event.GetKeyCode() == WXK_ESCAPE)
        Close();
    else
        event.Skip();
}

void CRouteDlg::OnClose(wxCloseEvent&)
{
    if (IsModal()) {
        EndModal(wxID_CANCEL);
    } else {
        SetReturnCode(wxID_CANCEL);
        Hide();
    }
}
