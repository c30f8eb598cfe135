// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PlanPane.h"

#include "ui/ErrorReport.h"
#include "ui/ExportFileName.h"
#include "ui/FlightFollowPanel.h"
#include "ui/ListHeaderScroll.h"
#include "ui/MapWindow.h"
#include "ui/PlanInputsPanel.h"
#include "ui/RouteChoicePanel.h"
#include "ui/TextConvert.h"
#include "base/NumberText.h"
#include "base/WholeFile.h"
#include "flightplan/PlanError.h"
#include "flightplan/formats/PlanTexts.h"
#include "flightplan/formats/Formats.h"
#include "planning/PlanExport.h"
#include "map/MapError.h"
#include "map/MapFile.h"
#include "map/MapSize.h"

#include <glib-object.h>
#include <wx/clipbrd.h>
#include <wx/msgdlg.h>
#include <wx/filedlg.h>
#include <wx/settings.h>
#include <wx/filename.h>

#include <algorithm>
#include <map>

namespace {

const int ID_EXPORT_PLAN = wxWindow::NewControlId();
const int ID_SAVE_MAP = wxWindow::NewControlId();
const int ID_COPY_ROUTE = wxWindow::NewControlId();

}  // namespace

PlanPane::PlanPane(wxWindow* parent) : wxPanel(parent, wxID_ANY)
{
    // Created in the order Tab visits them.
    m_map = new MapWindow(this);
    m_routeChoice = new RouteChoicePanel(this);
    m_inputs = new PlanInputsPanel(this);
    m_lstLegs = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                               wxLC_REPORT | wxLC_SINGLE_SEL | wxBORDER_SUNKEN);
    // A few rows at the least: the window's smallest height is the pane's.
    m_lstLegs->SetMinSize(wxSize(-1, FromDIP(96)));
    SetColumns(flightplan::legTableColumns(flightplan::FlightPlan()));
    KeepHeadingsOverColumns(*m_lstLegs);
    m_txtSummary = new wxStaticText(this, wxID_ANY, wxString());
    auto* routeLabel = new wxStaticText(this, wxID_ANY, "Route:");
    m_edtRoute = new wxTextCtrl(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize, wxTE_READONLY);
    m_btnCopyRoute = new wxButton(this, ID_COPY_ROUTE, "Copy", wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
    m_btnCopyRoute->SetToolTip("Copies the route as a flight plan's route field wants it, without the airports");
    // As wide as their labels: side by side they fit the narrowest pane.
    m_btnSaveMap = new wxButton(this, ID_SAVE_MAP, "Save Map...", wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
    m_btnExport =
        new wxButton(this, ID_EXPORT_PLAN, "Export Flight Plan...", wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);

    const int gap = FromDIP(4);
    auto* routeRow = new wxBoxSizer(wxHORIZONTAL);
    routeRow->Add(routeLabel, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    routeRow->Add(m_edtRoute, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    routeRow->Add(m_btnCopyRoute, 0, wxALIGN_CENTER_VERTICAL);
    m_buttons = new wxBoxSizer(wxHORIZONTAL);
    m_buttons->Add(m_btnSaveMap, 0, wxRIGHT, FromDIP(6));
    m_buttons->Add(m_btnExport, 0);
    m_sizer = new wxBoxSizer(wxVERTICAL);
    m_sizer->Add(m_map, 3, wxEXPAND | wxBOTTOM, gap);
    m_sizer->Add(m_routeChoice, 0, wxEXPAND | wxBOTTOM, gap);
    m_sizer->Add(m_inputs, 0, wxEXPAND | wxBOTTOM, gap);
    m_sizer->Add(m_lstLegs, 2, wxEXPAND);
    m_sizer->Add(m_txtSummary, 0, wxEXPAND | wxTOP, gap);
    m_sizer->Add(routeRow, 0, wxEXPAND | wxTOP, gap);
    m_sizer->Add(m_buttons, 0, wxALIGN_RIGHT | wxTOP, gap);
    SetSizer(m_sizer);
    // Following the flight in a simulator, below the plan's own choices; Tab
    // visits it where it stands, before the legs.
    auto* follow = new FlightFollowPanel(this, *this);
    m_sizer->Insert(3, follow, 0, wxEXPAND | wxBOTTOM, gap);
    follow->MoveBeforeInTabOrder(m_lstLegs);

    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        WrapSummary();
        event.Skip();
    });
    m_chooseExportFile = [this] { return AskExportFile(); };
    m_chooseMapFile = [this] { return AskMapFile(); };
    m_confirmReplace = [this](const std::string& path) {
        return wxMessageBox(wxFileName(ToWx(path)).GetFullName() + " already exists.\nDo you want to replace it?",
                            "Export Flight Plan", wxYES_NO | wxNO_DEFAULT | wxICON_WARNING, this) == wxYES;
    };
    m_copyText = [](const std::string& text) {
        wxClipboardLocker clipboard;
        if (!!clipboard)
            wxTheClipboard->SetData(new wxTextDataObject(ToWx(text)));
    };
    const auto changed = [this] {
        if (m_choicesChanged)
            m_choicesChanged();
    };
    m_routeChoice->m_changed = changed;
    m_inputs->m_changed = changed;
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnExport(); }, ID_EXPORT_PLAN);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnSaveMap(); }, ID_SAVE_MAP);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCopyRoute(); }, ID_COPY_ROUTE);
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(!m_map->Scene().route.empty()); },
         ID_SAVE_MAP);
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(m_plan.has_value()); }, ID_EXPORT_PLAN);
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(m_plan.has_value()); }, ID_COPY_ROUTE);
    Clear();
}

void PlanPane::ExtendMapMenu(std::function<void(wxMenu&)> extend)
{
    m_map->ExtendMenu(std::move(extend));
}

std::optional<planning::PlanChoices> PlanPane::ReadChoices(std::string& problem, std::vector<std::string>* blanked)
{
    planning::PlanChoices choices;
    choices.routeKind = m_routeChoice->BestChosen() ? flightplan::RouteKind::Best : flightplan::RouteKind::Listed;
    choices.rangeModel = m_routeChoice->Ranges();
    choices.navaids = m_routeChoice->Navaids();
    choices.rings = m_routeChoice->ShowRings();
    choices.paper = m_inputs->Paper();
    // Each field alone: one that reads replaces what was last read of it;
    // one that does not keeps it, and blanks the columns that depend on it.
    const PlanInputTexts typed = m_inputs->Texts();
    const auto take = [&](std::string PlanInputTexts::*field, std::initializer_list<const char*> dependents) {
        PlanInputTexts alone;
        alone.*field = typed.*field;
        planning::PlanChoices scratch;
        std::string why;
        if (ApplyPlanInputs(alone, scratch, why)) {
            m_readTexts.*field = typed.*field;
            return;
        }
        if (problem.empty())
            problem = why;
        if (blanked)
            blanked->insert(blanked->end(), dependents.begin(), dependents.end());
    };
    take(&PlanInputTexts::airspeed, {"MH", "GS", "Time", "Fuel"});
    take(&PlanInputTexts::wind, {"MH", "GS", "Time", "Fuel"});
    take(&PlanInputTexts::fuelBurn, {"Fuel"});
    std::string unused;
    const bool read = ApplyPlanInputs(m_readTexts, choices, unused);
    m_inputs->ShowProblem(problem);
    if (!read)
        return std::nullopt;
    return choices;
}

RememberedChoices PlanPane::Remembered() const
{
    const PlanInputTexts texts = m_inputs->Texts();
    RememberedChoices choices;
    choices.airspeed = texts.airspeed;
    choices.fuelBurn = texts.fuelBurn;
    choices.paper = m_inputs->Paper();
    choices.ranges = m_routeChoice->Ranges();
    choices.bestRoute = m_routeChoice->BestChosen();
    return choices;
}

void PlanPane::Restore(const RememberedChoices& choices)
{
    m_inputs->m_txtAirspeed->ChangeValue(wxString::FromUTF8(choices.airspeed));
    m_inputs->m_txtFuelBurn->ChangeValue(wxString::FromUTF8(choices.fuelBurn));
    if (choices.paper)
        m_inputs->SetPaper(*choices.paper);
    if (choices.ranges)
        m_routeChoice->SetRanges(*choices.ranges);
    m_routeChoice->ChooseBest(choices.bestRoute);
}

void PlanPane::SetRouteSummaries(const std::string& listed, const std::string& best)
{
    m_routeChoice->SetSummaries(listed, best);
}

void PlanPane::ShowFlight(std::optional<std::size_t> activeLeg, std::optional<map::AircraftMark> aircraft)
{
    if (!m_plan || (activeLeg && *activeLeg >= m_plan->legs.size()))
        activeLeg.reset();
    if (activeLeg != m_flightLeg) {
        const wxColour plain = m_lstLegs->GetBackgroundColour();
        if (m_flightLeg && static_cast<long>(*m_flightLeg) < m_lstLegs->GetItemCount())
            m_lstLegs->SetItemBackgroundColour(static_cast<long>(*m_flightLeg), plain);
        if (activeLeg && static_cast<long>(*activeLeg) < m_lstLegs->GetItemCount()) {
            m_lstLegs->SetItemBackgroundColour(static_cast<long>(*activeLeg), wxColour(255, 226, 150));
            m_lstLegs->EnsureVisible(static_cast<long>(*activeLeg));
        }
        m_flightLeg = activeLeg;
    }
    m_map->SetFlight(activeLeg, std::move(aircraft));
}

void PlanPane::SetMapFollowsAircraft(bool on) { m_map->SetFollowAircraft(on); }

void PlanPane::ShowPlan(planning::BuiltPlan built)
{
    m_flightLeg.reset();
    m_map->SetScene(std::move(built.scene.scene));
    m_plan = std::move(built.plan);
    m_lstLegs->DeleteAllItems();
    SetColumns(flightplan::legTableColumns(*m_plan));
    long row = 0;
    for (const std::vector<std::string>& cells : flightplan::compactLegRows(*m_plan)) {
        m_lstLegs->InsertItem(row, ToWx(cells[0]));
        for (std::size_t c = 1; c < cells.size(); ++c)
            m_lstLegs->SetItem(row, static_cast<int>(c), ToWx(cells[c]));
        ++row;
    }
    const int wanted = WantedWidth();
    SizeLegColumns();
    // Longer idents widen the columns: the window gives the pane room anew.
    if (WantedWidth() != wanted && GetParent())
        GetParent()->SendSizeEvent();
    // The route stands on its own line below, where Copy takes the form a
    // filed flight plan's route field (item 15) wants.
    const std::string gap = flightplan::coverageGapText(*m_plan);
    SetSummary(flightplan::legTableTotals(*m_plan) + ", cruise " + flightplan::cruiseText(*m_plan) +
               (gap.empty() ? "" : "\n" + gap) + (built.scene.note.empty() ? "" : "\n" + built.scene.note));
    m_edtRoute->ChangeValue(ToWx(m_plan->route));
    m_edtRoute->Enable();
    UpdateWindowUI(wxUPDATE_UI_RECURSE);
    Layout();
}

void PlanPane::BlankFigures(const std::vector<std::string>& columns, const std::string& why)
{
    if (!m_plan)
        return;
    for (int c = 0; c < m_lstLegs->GetColumnCount(); ++c) {
        wxListItem heading;
        heading.SetMask(wxLIST_MASK_TEXT);
        m_lstLegs->GetColumn(c, heading);
        if (std::find(columns.begin(), columns.end(), FromWx(heading.GetText())) == columns.end())
            continue;
        for (long row = 0; row < m_lstLegs->GetItemCount(); ++row)
            m_lstLegs->SetItem(row, c, wxString());
    }
    // The distance and coverage stand; times and fuel wait for the field.
    const std::string gap = flightplan::coverageGapText(*m_plan);
    SetSummary("Total " + base::formatFixed(m_plan->totalNm, 1) + " nm, " + flightplan::coverageTotalText(*m_plan) +
               ", cruise " + flightplan::cruiseText(*m_plan) + (gap.empty() ? "" : "\n" + gap) + "\n" + why);
}

void PlanPane::ShowMap(planning::SceneResult map)
{
    m_map->SetScene(std::move(map.scene));
    if (!m_plan)
        SetSummary(map.note);
    UpdateWindowUI(wxUPDATE_UI_RECURSE);
    Layout();
}

void PlanPane::SetColumns(const std::vector<flightplan::LegColumn>& columns)
{
    // A wind or a fuel burn adds columns; the others keep their places.
    bool same = m_lstLegs->GetColumnCount() == static_cast<int>(columns.size());
    for (std::size_t c = 0; same && c < columns.size(); ++c) {
        wxListItem item;
        item.SetMask(wxLIST_MASK_TEXT);
        m_lstLegs->GetColumn(static_cast<int>(c), item);
        same = item.GetText() == ToWx(columns[c].compact);
    }
    if (same)
        return;
    m_lstLegs->DeleteAllColumns();
    for (std::size_t c = 0; c < columns.size(); ++c)
        m_lstLegs->InsertColumn(static_cast<long>(c), ToWx(columns[c].compact),
                                columns[c].figure ? wxLIST_FORMAT_RIGHT : wxLIST_FORMAT_LEFT);
}

void PlanPane::Clear(const std::string& why)
{
    m_plan.reset();
    m_flightLeg.reset();
    m_routeChoice->SetSummaries("", "");
    m_lstLegs->DeleteAllItems();
    SizeLegColumns();
    SetSummary(why);
    m_edtRoute->ChangeValue(wxString());
    // Nothing to select: Tab passes it by.
    m_edtRoute->Disable();
    UpdateWindowUI(wxUPDATE_UI_RECURSE);
    Layout();
}

void PlanPane::SizeLegColumns()
{
    // Each column as wide as its widest cell or heading, and never narrower
    // than the widest figure it usually holds, so that a new plan does not
    // make the columns jump.
    static const std::map<wxString, std::string> samples = {
        {"From", "KJFK"}, {"To", "KJFK"},   {"Tune", "117.40"}, {"MC", "360"},     {"MH", "360"},
        {"Radials", "360\u2192360"}, {"nm", "999.9"},    {"GS", "999"},     {"Time", "9:59"},
        {"Fuel", "999.9"},                {"Total", "9999.9"}};
    // What the list keeps round a cell's text before it cuts it.
    const int padding = FromDIP(8);
    for (int c = 0; c < m_lstLegs->GetColumnCount(); ++c) {
        wxListItem heading;
        heading.SetMask(wxLIST_MASK_TEXT);
        m_lstLegs->GetColumn(c, heading);
        int width = m_lstLegs->GetTextExtent(heading.GetText()).x;
        if (const auto sample = samples.find(heading.GetText()); sample != samples.end())
            width = std::max(width, m_lstLegs->GetTextExtent(ToWx(sample->second)).x);
        for (long row = 0; row < m_lstLegs->GetItemCount(); ++row)
            width = std::max(width, m_lstLegs->GetTextExtent(m_lstLegs->GetItemText(row, c)).x);
        m_lstLegs->SetColumnWidth(c, width + padding);
    }
}

int PlanPane::WantedWidth() const
{
    int columns = 0;
    for (int c = 0; c < m_lstLegs->GetColumnCount(); ++c)
        columns += m_lstLegs->GetColumnWidth(c);
    // Borders and a vertical scroll bar.
    const int frame = m_lstLegs->GetSize().x - m_lstLegs->GetClientSize().x;
    return columns + std::max(frame, FromDIP(4)) + wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, m_lstLegs) + FromDIP(4);
}

int PlanPane::LeastWidth() const
{
    return std::max({m_routeChoice->GetBestSize().x, m_inputs->GetBestSize().x, m_buttons->CalcMin().x});
}

std::string PlanPane::RouteForFlightPlan() const
{
    return m_plan ? m_plan->routeItem15 : std::string();
}

void PlanPane::OnCopyRoute()
{
    if (m_plan)
        m_copyText(RouteForFlightPlan());
}

void PlanPane::SetSummary(const std::string& text)
{
    m_summary = ToWx(text);
    WrapSummary();
}

void PlanPane::WrapSummary()
{
    // A long route breaks between its words rather than running out of sight.
    m_txtSummary->SetLabel(m_summary);
    m_txtSummary->Wrap(std::max(FromDIP(100), GetClientSize().x));
}

void PlanPane::OnExport()
{
    if (!m_plan)
        return;
    const std::string path = m_chooseExportFile();
    if (path.empty())
        return;
    // Asked here, about the file that will be written, rather than by the
    // dialog about the name as it was typed.
    if (wxFileName::Exists(ToWx(path)) && !m_confirmReplace(path))
        return;
    try {
        planning::exportPlanFile(*m_plan, path, [this] {
            // Without the outlines the kneeboard's map still shows the route.
            return kneeboard::KneeboardInputs{m_inputs->Paper(), m_map->Outlines(), m_map->Scene(), m_navDataLine};
        });
    } catch (const flightplan::PlanError& e) {
        ReportError(e.what());
    }
}

void PlanPane::OnSaveMap()
{
    const std::string path = m_chooseMapFile();
    if (path.empty())
        return;
    std::string why;
    const map::Outlines* outlines = m_map->Outlines(&why);
    try {
        if (!outlines)
            throw map::MapError(base::cannotWriteText("map file", path, why));
        map::writeMapFile(path, *outlines, m_map->Scene(), map::MAP_FILE_WIDTH, map::MAP_FILE_HEIGHT);
    } catch (const map::MapError& e) {
        ReportError(e.what());
    }
}

std::string PlanPane::ProposedMapFileName() const
{
    const auto& route = m_map->Scene().route;
    if (m_plan)
        return m_plan->departure().ident + "-" + m_plan->destination().ident + ".png";
    if (!route.empty())
        return route.front().ident + "-" + route.back().ident + ".png";
    return "route-map.png";
}

std::string PlanPane::AskMapFile()
{
    wxFileDialog dialog(this, "Save Map", wxString(), ToWx(ProposedMapFileName()),
                        "SVG picture (*.svg)|*.svg|PNG image (*.png)|*.png", wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    dialog.SetFilterIndex(1);
    if (dialog.ShowModal() != wxID_OK)
        return {};
    wxFileName name(dialog.GetPath());
    const wxString extension = name.GetExt().Lower();
    if (extension != "svg" && extension != "png")
        name.SetFullName(name.GetFullName() + (dialog.GetFilterIndex() == 1 ? ".png" : ".svg"));
    return FromWx(name.GetFullPath());
}

std::string PlanPane::AskExportFile()
{
    const auto& formats = flightplan::planFormats();
    wxString filters;
    for (const auto& format : formats) {
        if (!filters.empty())
            filters += "|";
        filters += wxString::FromUTF8(format.displayName) + " (*" + format.extension + ")|*" + format.extension;
    }
    // Suggested with the first filter's extension; the name follows the
    // filter the user picks (NameForFilter), and ExportFileName decides in
    // the end. OnExport asks before replacing a file.
    const std::string stem = m_plan->departure().ident + "-" + m_plan->destination().ident;
    wxFileDialog dialog(this, "Export Flight Plan", wxString(), ToWx(stem + formats.front().extension), filters,
                        wxFD_SAVE);
    struct FilterWatch {
        wxFileDialog* dialog;
        const std::vector<flightplan::PlanFormat>* formats;
    } watch{&dialog, &formats};
    const auto onFilter = +[](GObject*, GParamSpec*, gpointer data) {
        const auto* watch = static_cast<FilterWatch*>(data);
        const int chosen = watch->dialog->GetFilterIndex();
        if (chosen < 0 || static_cast<std::size_t>(chosen) >= watch->formats->size())
            return;
        const std::string name = FromWx(watch->dialog->GetFilename());
        const std::string renamed = NameForFilter(name, (*watch->formats)[static_cast<std::size_t>(chosen)]);
        if (!name.empty() && renamed != name)
            watch->dialog->SetFilename(ToWx(renamed));
    };
    // Let go of before `watch` goes, while the dialog still stands.
    struct Connection {
        GObject* native = nullptr;
        gulong id = 0;
        ~Connection()
        {
            if (native && id)
                g_signal_handler_disconnect(native, id);
        }
    } connection;
    if ((connection.native = G_OBJECT(dialog.GetHandle())))
        connection.id = g_signal_connect(connection.native, "notify::filter", G_CALLBACK(onFilter), &watch);
    if (m_exportDialogOpening)
        m_exportDialogOpening(dialog);
    if (dialog.ShowModal() != wxID_OK)
        return {};
    const int chosen = dialog.GetFilterIndex();
    const std::string path = FromWx(dialog.GetPath());
    if (chosen < 0 || static_cast<std::size_t>(chosen) >= formats.size())
        return path;
    return ExportFileName(path, formats[static_cast<std::size_t>(chosen)], stem);
}
