#include "PlanPane.h"

#include "ErrorReport.h"
#include "ExportFileName.h"
#include "ListHeaderScroll.h"
#include "MapWindow.h"
#include "PlanInputsPanel.h"
#include "TextConvert.h"
#include "flightplan/PlanError.h"
#include "flightplan/formats/FormatWriters.h"
#include "flightplan/formats/Formats.h"
#include "kneeboard/PlanExport.h"
#include "map/MapError.h"
#include "map/MapFile.h"
#include "map/MapSize.h"

#include <wx/filedlg.h>
#include <wx/filename.h>

#include <algorithm>

namespace {

const int ID_EXPORT_PLAN = wxWindow::NewControlId();
const int ID_SAVE_MAP = wxWindow::NewControlId();

}  // namespace

PlanPane::PlanPane(wxWindow* parent) : wxPanel(parent, wxID_ANY)
{
    // Created in the order Tab visits them.
    m_map = new MapWindow(this);
    m_lstLegs = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                               wxLC_REPORT | wxLC_SINGLE_SEL | wxBORDER_SUNKEN);
    SetColumns(flightplan::legTableColumns(flightplan::FlightPlan()));
    KeepHeadingsOverColumns(*m_lstLegs);
    m_inputs = new PlanInputsPanel(this);
    m_txtSummary = new wxStaticText(this, wxID_ANY, wxString());
    m_btnSaveMap = new wxButton(this, ID_SAVE_MAP, "Save Map...");
    m_btnExport = new wxButton(this, ID_EXPORT_PLAN, "Export Flight Plan...");


    m_buttons = new wxBoxSizer(wxHORIZONTAL);
    m_buttons->Add(m_btnSaveMap, 0, wxRIGHT, FromDIP(6));
    m_buttons->Add(m_btnExport, 0);
    m_sizer = new wxBoxSizer(wxVERTICAL);
    m_sizer->Add(m_map, 3, wxEXPAND | wxBOTTOM, FromDIP(4));
    m_sizer->Add(m_inputs, 0, wxEXPAND | wxBOTTOM, FromDIP(4));
    m_sizer->Add(m_lstLegs, 2, wxEXPAND);
    m_sizer->Add(m_txtSummary, 0, wxEXPAND | wxTOP, FromDIP(4));
    m_sizer->Add(m_buttons, 0, wxALIGN_RIGHT | wxTOP, FromDIP(4));
    SetSizer(m_sizer);

    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        WrapSummary();
        event.Skip();
    });
    m_chooseExportFile = [this] { return AskExportFile(); };
    m_chooseMapFile = [this] { return AskMapFile(); };
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnExport(); }, ID_EXPORT_PLAN);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnSaveMap(); }, ID_SAVE_MAP);
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(!m_map->Scene().route.empty()); },
         ID_SAVE_MAP);
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(m_plan.has_value()); }, ID_EXPORT_PLAN);
    Clear();
}

void PlanPane::ShowPlan(planning::BuiltPlan built)
{
    m_map->SetScene(std::move(built.map.scene));
    m_plan = std::move(built.plan);
    m_lstLegs->DeleteAllItems();
    SetColumns(flightplan::legTableColumns(*m_plan));
    long row = 0;
    for (const std::vector<std::string>& cells : flightplan::legTableRows(*m_plan)) {
        m_lstLegs->InsertItem(row, ToWx(cells[0]));
        for (std::size_t c = 1; c < cells.size(); ++c)
            m_lstLegs->SetItem(row, static_cast<int>(c), ToWx(cells[c]));
        ++row;
    }
    for (int c = 0; c < m_lstLegs->GetColumnCount(); ++c)
        m_lstLegs->SetColumnWidth(c, wxLIST_AUTOSIZE_USEHEADER);
    // The route to read, then the form a filed flight plan's route field
    // (item 15) takes, without the airports.
    SetSummary(flightplan::legTableTotals(*m_plan) + ", cruise " + flightplan::cruiseText(*m_plan) + "\n" +
               m_plan->route + "\n" + ROUTE_ITEM15_CAPTION + m_plan->routeItem15 +
               (built.map.note.empty() ? "" : "\n" + built.map.note));
    UpdateWindowUI(wxUPDATE_UI_RECURSE);
    Layout();
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
        same = item.GetText() == ToWx(columns[c].heading);
    }
    if (same)
        return;
    m_lstLegs->DeleteAllColumns();
    for (std::size_t c = 0; c < columns.size(); ++c)
        m_lstLegs->InsertColumn(static_cast<long>(c), ToWx(columns[c].heading),
                                columns[c].figure ? wxLIST_FORMAT_RIGHT : wxLIST_FORMAT_LEFT);
}

void PlanPane::Clear(const std::string& why)
{
    m_plan.reset();
    m_lstLegs->DeleteAllItems();
    for (int c = 0; c < m_lstLegs->GetColumnCount(); ++c)
        m_lstLegs->SetColumnWidth(c, wxLIST_AUTOSIZE_USEHEADER);
    SetSummary(why);
    UpdateWindowUI(wxUPDATE_UI_RECURSE);
    Layout();
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
    try {
        kneeboard::exportPlanFile(*m_plan, path, [this] {
            // Without the outlines the kneeboard's map still shows the route.
            return kneeboard::KneeboardInputs{m_inputs->Paper(), m_map->Outlines(), m_map->Scene()};
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
    const routemap::Outlines* outlines = m_map->Outlines(&why);
    try {
        if (!outlines)
            throw routemap::MapError("cannot write map file " + path + ": " + why);
        routemap::writeMapFile(path, *outlines, m_map->Scene(), routemap::kMapFileWidth, routemap::kMapFileHeight);
    } catch (const routemap::MapError& e) {
        ReportError(e.what());
    }
}

std::string PlanPane::AskMapFile()
{
    wxFileDialog dialog(this, "Save Map", wxString(), "route-map.svg",
                        "SVG picture (*.svg)|*.svg|PNG image (*.png)|*.png", wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
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
    // Suggested with the first filter's extension, which the filter chosen
    // in the end replaces (ExportFileName).
    const std::string stem = m_plan->departure().ident + "-" + m_plan->destination().ident;
    wxFileDialog dialog(this, "Export Flight Plan", wxString(), ToWx(stem + formats.front().extension), filters,
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK)
        return {};
    const int chosen = dialog.GetFilterIndex();
    const std::string path = FromWx(dialog.GetPath());
    if (chosen < 0 || static_cast<std::size_t>(chosen) >= formats.size())
        return path;
    return ExportFileName(path, formats[static_cast<std::size_t>(chosen)], stem);
}
