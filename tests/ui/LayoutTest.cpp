// SPDX-License-Identifier: GPL-3.0-or-later
// The three dialogs as their templates lay them out: controls, texts, order,
// initial states, and a layout in which nothing is cut or covered on this
// desktop's font and theme.

#include "widgets/AboutDlg.h"
#include "ui/AirportDlg.h"
#include "widgets/DialogBuilder.h"
#include "widgets/DialogTemplates.h"
#include "widgets/Resource.h"
#include "ui/FlightFollowPanel.h"
#include "ui/RouteDlg.h"
#include "widgets/SortedComboBox.h"
#include "ui/TextConvert.h"
#include "tests/ui/UiDriver.h"
#include "tests/ui/UiFixture.h"
#include "ui/PlanInputsPanel.h"
#include "ui/FlightFollowPanel.h"
#include "ui/PlanPane.h"
#include "ui/RouteChoicePanel.h"

#include <gtest/gtest.h>
#include <wx/settings.h>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/listctrl.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <memory>

namespace {

bool IsKind(wxWindow* w, ControlKind kind)
{
    switch (kind) {
    case ControlKind::DropDownList:
        return dynamic_cast<SortedComboBox*>(w) != nullptr;
    case ControlKind::AutoCheckBox:
        return dynamic_cast<wxCheckBox*>(w) != nullptr;
    case ControlKind::ReadOnlyEdit: {
        auto* edit = dynamic_cast<wxTextCtrl*>(w);
        return edit && !edit->IsEditable();
    }
    case ControlKind::ReportList: {
        auto* list = dynamic_cast<wxListCtrl*>(w);
        return list && list->InReportView();
    }
    case ControlKind::GroupBox:
        return dynamic_cast<wxStaticBox*>(w) != nullptr;
    case ControlKind::Label:
    case ControlKind::Text:
        return dynamic_cast<wxStaticText*>(w) != nullptr;
    case ControlKind::PushButton:
    case ControlKind::DefPushButton:
        return dynamic_cast<wxButton*>(w) != nullptr;
    case ControlKind::Picture:
        return dynamic_cast<wxStaticBitmap*>(w) != nullptr;
    }
    return false;
}

wxString Caption(wxWindow* w)
{
    if (auto* edit = dynamic_cast<wxTextCtrl*>(w))
        return edit->GetValue();
    return w->GetLabel();
}

// The controls a template made: the window's first children. Panes added
// beside them come after.
std::vector<wxWindow*> TemplateControls(wxWindow& dialog, int templateId)
{
    const std::size_t count = FindDialogTemplate(templateId).controls.size();
    std::vector<wxWindow*> controls;
    for (wxWindow* w : dialog.GetChildren())
        if (controls.size() < count)
            controls.push_back(w);
    EXPECT_EQ(controls.size(), count);
    return controls;
}

class Layout : public WindowTest {
protected:
    // Every control of the template, in template order, as the window has it.
    void ExpectTemplate(wxDialog& dialog, int templateId)
    {
        const DialogTemplate& tpl = FindDialogTemplate(templateId);
        EXPECT_EQ(FromWx(dialog.GetTitle()), tpl.caption);
        // A window may be larger than its template, never smaller.
        const wxSize templateSize = dialog.ConvertDialogToPixels(wxSize(tpl.cx, tpl.cy));
        EXPECT_GE(dialog.GetClientSize().x, templateSize.x);
        EXPECT_GE(dialog.GetClientSize().y, templateSize.y);

        std::size_t i = 0;
        for (wxWindow* w : TemplateControls(dialog, templateId)) {
            const ControlTemplate& c = tpl.controls[i++];
            SCOPED_TRACE("control " + std::to_string(i) + " \"" + c.text + "\"");
            EXPECT_TRUE(IsKind(w, c.kind));
            if (c.id != IDC_STATIC) {
                EXPECT_EQ(w->GetId(), ToolkitId(c.id));
            }
            if (c.kind != ControlKind::Picture) {
                EXPECT_EQ(FromWx(Caption(w)), c.text);
            }
            EXPECT_EQ(w->IsThisEnabled(), !c.disabled);
            if (c.kind == ControlKind::DefPushButton) {
                EXPECT_EQ(dialog.GetDefaultItem(), w);
            }
        }
    }

    // Inside the client area; text controls at least their natural size;
    // no control over another (group boxes only frame them).
    void ExpectNothingCutOrCovered(wxDialog& dialog, int templateId)
    {
        const wxRect client(wxPoint(0, 0), dialog.GetClientSize());
        std::vector<wxWindow*> controls;
        for (wxWindow* w : TemplateControls(dialog, templateId)) {
            SCOPED_TRACE(FromWx(w->GetClassInfo()->GetClassName()) + " \"" + FromWx(w->GetLabel()) + "\"");
            EXPECT_TRUE(client.Contains(w->GetRect())) << "outside the window";
            // Edits and drop-down lists take their width from the template.
            if (dynamic_cast<wxStaticText*>(w) || dynamic_cast<wxButton*>(w) || dynamic_cast<wxCheckBox*>(w)) {
                EXPECT_GE(w->GetSize().x, w->GetBestSize().x) << "text cut off";
            }
            if (!dynamic_cast<wxStaticBox*>(w) && !dynamic_cast<wxListCtrl*>(w)) {
                EXPECT_GE(w->GetSize().y, w->GetBestSize().y) << "text cut off";
            }
            if (!dynamic_cast<wxStaticBox*>(w))
                controls.push_back(w);
        }
        for (std::size_t a = 0; a < controls.size(); ++a)
            for (std::size_t b = a + 1; b < controls.size(); ++b)
                EXPECT_FALSE(controls[a]->GetRect().Intersects(controls[b]->GetRect()))
                    << FromWx(controls[a]->GetLabel()) << " (" << controls[a]->GetId() << ") covers "
                    << FromWx(controls[b]->GetLabel()) << " (" << controls[b]->GetId() << ")";
    }

    // Each group box still frames the controls its template rectangle holds.
    void ExpectGroupsFrameTheirControls(wxDialog& dialog, int templateId)
    {
        const DialogTemplate& tpl = FindDialogTemplate(templateId);
        const std::vector<wxWindow*> windows = TemplateControls(dialog, templateId);
        for (std::size_t g = 0; g < tpl.controls.size(); ++g) {
            const ControlTemplate& group = tpl.controls[g];
            if (group.kind != ControlKind::GroupBox)
                continue;
            const wxRect frame(group.x, group.y, group.cx, group.cy);
            for (std::size_t i = 0; i < tpl.controls.size(); ++i) {
                const ControlTemplate& c = tpl.controls[i];
                if (c.kind == ControlKind::GroupBox || !frame.Contains(wxRect(c.x, c.y, c.cx, c.cy)))
                    continue;
                EXPECT_TRUE(windows[g]->GetRect().Contains(windows[i]->GetRect()))
                    << "\"" << c.text << "\" (" << c.id << ") leaves group \"" << group.text << "\"";
            }
        }
    }

    // Column headings readable in full.
    void ExpectHeadingsFit(wxListCtrl& list)
    {
        for (int c = 0; c < list.GetColumnCount(); ++c) {
            wxListItem item;
            item.SetMask(wxLIST_MASK_TEXT);
            list.GetColumn(c, item);
            EXPECT_GE(list.GetColumnWidth(c), list.GetTextExtent(item.GetText()).x + 12)
                << "heading \"" << FromWx(item.GetText()) << "\" cut off";
        }
    }
};

TEST_F(Layout, MainWindowFollowsTemplate102)
{
    Build(RouteRows());
    CRouteDlg dlg;
    dlg.Show();
    ExpectTemplate(dlg, IDD_ROUTE_DIALOG);
    ExpectNothingCutOrCovered(dlg, IDD_ROUTE_DIALOG);
    ExpectGroupsFrameTheirControls(dlg, IDD_ROUTE_DIALOG);
    for (wxListCtrl* list : {dlg.m_lstDepartureRunways, dlg.m_lstDestinationRunways, dlg.m_lstRoute})
        ExpectHeadingsFit(*list);
    // Column widths: the template's pixels, widened for a wider font; the
    // columns still fit their list side by side.
    std::vector<int> runway = ColumnWidths(*dlg.m_lstDepartureRunways);
    ASSERT_EQ(runway.size(), 4u);
    EXPECT_GE(runway[0], 70);
    EXPECT_EQ(runway[0], runway[1]);
    EXPECT_EQ(runway[0], runway[2]);
    EXPECT_GE(runway[3], 82);
    EXPECT_EQ(ColumnWidths(*dlg.m_lstDestinationRunways), runway);
    for (wxListCtrl* list : {dlg.m_lstDepartureRunways, dlg.m_lstRoute}) {
        int total = 0;
        for (int width : ColumnWidths(*list))
            total += width;
        EXPECT_LE(total, list->GetClientSize().x);
    }
}

TEST_F(Layout, AirportDialogFollowsTemplate130)
{
    Build(CascadeRows());
    CAirportDlg dlg;
    dlg.m_pDatabase = db();
    dlg.Show();
    // The template's states, before the dialog's own start fills Region.
    CAirportDlg fresh;
    ExpectTemplate(fresh, IDD_AIRPORT_DIALOG);
    ExpectNothingCutOrCovered(dlg, IDD_AIRPORT_DIALOG);
    ExpectGroupsFrameTheirControls(dlg, IDD_AIRPORT_DIALOG);
    ExpectHeadingsFit(*dlg.m_lstRunways);
    // Long names fit the boxes' width as the template gives it.
    EXPECT_EQ(dlg.m_cboAirport->GetSize().x, dlg.ConvertDialogToPixels(wxSize(180, 0)).x);
}

TEST_F(Layout, AboutBoxFollowsTemplate100)
{
    CAboutDlg about;
    ExpectTemplate(about, IDD_ABOUTBOX);
    ExpectNothingCutOrCovered(about, IDD_ABOUTBOX);
    wxStaticBitmap* picture = nullptr;
    for (wxWindow* w : about.GetChildren())
        if (auto* p = dynamic_cast<wxStaticBitmap*>(w))
            picture = p;
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->GetBitmap().GetSize(), wxSize(93, 118));
}

TEST_F(Layout, TheAboutMenuStringIsInTheStringTable)
{
    EXPECT_EQ(LoadResourceString(IDS_ABOUTBOX), "&About Meridane...");
    EXPECT_EQ(LoadResourceString(999), "");
}

TEST_F(Layout, TabOrderIsTemplateOrder)
{
    Build(RouteRows());
    CRouteDlg dlg;
    dlg.Show();
    Settle();
    // Walk the focus forward from Select Departing as Tab does.
    dlg.FindWindow(IDC_SELECT_DEPARTING)->SetFocus();
    Settle();
    std::vector<int> order;
    for (int i = 0; i < 3; ++i) {
        dlg.NavigateIn(wxNavigationKeyEvent::IsForward);
        Settle(20);
        wxWindow* focus = wxWindow::FindFocus();
        order.push_back(focus ? focus->GetId() : 0);
    }
    // Select Destination, About, then (Write File and Calculate Route being
    // disabled) the plan pane beside the template: its route choice, navaids, ranges,
    // rings, the airspeed, wind, fuel and paper fields, the simulator's
    // Connect (its strip and controls hidden until there is a link), the
    // legs, and round to the first edit of the template.
    EXPECT_EQ(order[0], IDC_SELECT_DESTINATION);
    EXPECT_EQ(order[1], IDC_ABOUT);
    EXPECT_EQ(order[2], PlanPaneControls::RouteChoice(*dlg.m_planPane).m_rdoListed->GetId());
    const PlanInputsPanel& inputs = PlanPaneControls::Inputs(*dlg.m_planPane);
    wxWindow* ranges = PlanPaneControls::RouteChoice(*dlg.m_planPane).m_cboRanges;
    FlightFollowPanel* followPanel = nullptr;
    for (wxWindow* child : dlg.m_planPane->GetChildren())
        if (auto* found = dynamic_cast<FlightFollowPanel*>(child))
            followPanel = found;
    ASSERT_NE(followPanel, nullptr);
    const FlightFollowPanel& follow = *followPanel;
    wxWindow* navaids = PlanPaneControls::RouteChoice(*dlg.m_planPane).m_cboNavaids;
    const std::vector<wxWindow*> expected{navaids,
                                          ranges,
                                          PlanPaneControls::RouteChoice(*dlg.m_planPane).m_chkRings,
                                          inputs.m_txtAirspeed,
                                          inputs.m_txtWind,
                                          inputs.m_txtFuelBurn,
                                          inputs.m_chPaper,
                                          follow.m_btnConnect,
                                          dlg.m_planPane->m_lstLegs,
                                          dlg.FindWindow(IDC_DEPARTURE_LATITUDE)};
    std::vector<wxWindow*> visited;
    for (std::size_t i = 0; i < expected.size() + 2 && wxWindow::FindFocus() != dlg.FindWindow(IDC_DEPARTURE_LATITUDE);
         ++i) {
        dlg.NavigateIn(wxNavigationKeyEvent::IsForward);
        Settle(20);
        visited.push_back(wxWindow::FindFocus());
    }
    // GTK gives a choice's focus to a button inside it that wx does not
    // know, so a choice reads as no window.
    for (std::size_t i = 0; i < visited.size() && i < expected.size(); ++i) {
        if (visited[i] == nullptr &&
            (expected[i] == ranges || expected[i] == navaids || expected[i] == inputs.m_chPaper))
            visited[i] = expected[i];
    }
    EXPECT_EQ(visited, expected);
    EXPECT_EQ(wxWindow::FindFocus(), dlg.FindWindow(IDC_DEPARTURE_LATITUDE));
}

TEST_F(Layout, TheWindowsGrowTheirListsAndKeepTheRest)
{
    Build(RouteRows());
    CRouteDlg dlg;
    dlg.Show();
    Settle();
    // By default six route rows show, and every leg column whole (on this
    // 1280 pixel wide screen, before the beacon names).
    const wxString name = "Martha's Vineyard VORTAC";
    for (long row = 0; row < 6; ++row)
        dlg.m_lstRoute->InsertItem(row, name);
    wxRect last;
    ASSERT_TRUE(dlg.m_lstRoute->GetItemRect(5, last));
    EXPECT_LE(last.GetBottom(), dlg.m_lstRoute->GetClientSize().y);
    wxListCtrl& legs = *dlg.m_planPane->m_lstLegs;
    int legColumns = 0;
    for (int c = 0; c < legs.GetColumnCount(); ++c)
        legColumns += legs.GetColumnWidth(c);
    EXPECT_LE(legColumns, legs.GetClientSize().x - wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, &legs));
    EXPECT_LE(dlg.GetSize().x, 1280);
    // The plan pane stands beside the template's controls.
    for (wxWindow* w : TemplateControls(dlg, IDD_ROUTE_DIALOG))
        EXPECT_LT(w->GetRect().GetRight(), dlg.m_planPane->GetPosition().x);
    // The smallest window fits a 1024 by 768 screen, frame and panel included.
    EXPECT_LE(dlg.GetMinClientSize().x, 1024 - 16);
    EXPECT_LE(dlg.GetMinClientSize().y, 768 - 48);

    // Wide enough for whole beacon names, then wider and taller: the lists
    // take the room, the buttons move down with the route list, the edits stay.
    dlg.SetClientSize(dlg.GetClientSize() + wxSize(300, 0));
    Settle(200);
    EXPECT_GT(dlg.m_lstRoute->GetColumnWidth(0), dlg.m_lstRoute->GetTextExtent(name).x);
    wxWindow* about = dlg.FindWindow(IDC_ABOUT);
    const wxRect route = dlg.m_lstRoute->GetRect(), runways = dlg.m_lstDestinationRunways->GetRect();
    const wxPoint aboutAt = about->GetPosition(), nameAt = dlg.FindWindow(IDC_DEPARTURE_NAME)->GetPosition();
    dlg.SetClientSize(dlg.GetClientSize() + wxSize(250, 120));
    Settle(200);
    EXPECT_EQ(dlg.m_lstRoute->GetSize().y, route.height + 60);
    EXPECT_EQ(dlg.m_lstRoute->GetSize().x, route.width + 100);
    EXPECT_EQ(dlg.m_lstDestinationRunways->GetRect(), wxRect(runways.x, runways.y + 30, runways.width + 100,
                                                              runways.height + 30));
    EXPECT_EQ(about->GetPosition(), aboutAt + wxPoint(0, 120));
    EXPECT_EQ(dlg.FindWindow(IDC_DEPARTURE_NAME)->GetPosition(), nameAt);
    ExpectNothingCutOrCovered(dlg, IDD_ROUTE_DIALOG);
    ExpectGroupsFrameTheirControls(dlg, IDD_ROUTE_DIALOG);

    // The airport dialog: the runway list grows, Select Airport stays centred
    // below it.
    CAirportDlg airport;
    airport.m_pDatabase = db();
    airport.Show();
    Settle();
    const wxRect list = airport.m_lstRunways->GetRect(), select = airport.m_btnSelectAirport->GetRect();
    airport.SetClientSize(airport.GetClientSize() + wxSize(100, 80));
    Settle(200);
    EXPECT_EQ(airport.m_lstRunways->GetSize(), list.GetSize() + wxSize(100, 80));
    EXPECT_EQ(airport.m_btnSelectAirport->GetPosition(), select.GetPosition() + wxPoint(50, 80));
    ExpectGroupsFrameTheirControls(airport, IDD_AIRPORT_DIALOG);
}

}  // namespace
