// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/DialogBuilder.h"

#include "widgets/AppArt.h"
#include "widgets/DialogTemplates.h"
#include "widgets/Resource.h"
#include "widgets/SortedComboBox.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/listctrl.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <vector>

namespace {

// Native controls of this desktop can need more room than the template's
// rectangle gives (its font and theme differ from the ones the template was
// drawn for). A control that would be cut keeps its place: it grows to its
// natural size around the centre of its rectangle, rightwards for text that
// reads from the left.
enum class Grow { None, Right, Centre };

wxRect FitRect(wxWindow& control, wxRect rect, Grow grow)
{
    wxSize best = control.GetBestSize();
    if (grow != Grow::None && best.x > rect.width) {
        if (grow == Grow::Centre)
            rect.x -= (best.x - rect.width) / 2;
        rect.width = best.x;
    }
    if (best.y > rect.height) {
        rect.y -= (best.y - rect.height) / 2;
        rect.height = best.y;
    }
    return rect;
}

}  // namespace

int TemplatePixels(const wxWindow& dialog, int pixels)
{
    // Four horizontal dialog units are one average character of the font.
    const int averageChar = dialog.ConvertDialogToPixels(wxSize(4, 0)).x;
    return std::max(pixels, pixels * averageChar / TEMPLATE_FONT_AVERAGE_CHAR);
}

std::vector<int> TemplateColumnWidths(const wxWindow& list, const std::vector<TemplateColumn>& columns)
{
    // The header draws its text with some room on either side.
    const int padding = 12;
    std::vector<int> widths, needs, templateWidths;
    int deficit = 0, slack = 0;
    for (const TemplateColumn& column : columns) {
        const int width = TemplatePixels(*list.GetParent(), column.pixels);
        const int need = std::max(list.GetTextExtent(column.heading).x, list.GetTextExtent(column.sample).x) + padding;
        widths.push_back(std::max(width, need));
        templateWidths.push_back(width);
        needs.push_back(need);
        deficit += std::max(0, need - width);
        slack += std::max(0, width - need);
    }
    // The columns together keep the width the template gave them: what a
    // heading needs beyond its own column comes from the columns with room
    // to spare, in proportion to that room.
    if (deficit > 0 && slack > 0) {
        const int give = std::min(deficit, slack);
        int given = 0;
        for (std::size_t i = 0; i < widths.size(); ++i) {
            const int room = widths[i] - needs[i];
            if (room <= 0)
                continue;
            const int share = static_cast<int>(static_cast<long long>(give) * room / slack);
            widths[i] -= share;
            given += share;
        }
        // Rounding leftovers from the roomiest column.
        auto roomiest = std::max_element(widths.begin(), widths.end());
        const std::size_t r = static_cast<std::size_t>(roomiest - widths.begin());
        *roomiest -= std::min(give - given, std::max(0, widths[r] - needs[r]));
    }
    // Room the list has beyond that goes to the column that gave most.
    int total = 0;
    for (int width : widths)
        total += width;
    const int spare = list.GetClientSize().x - 4 - total;
    if (spare > 0 && !widths.empty()) {
        std::size_t most = 0;
        for (std::size_t i = 1; i < widths.size(); ++i)
            if (templateWidths[i] - widths[i] > templateWidths[most] - widths[most])
                most = i;
        if (templateWidths[most] > widths[most])
            widths[most] += std::min(spare, templateWidths[most] - widths[most]);
    }
    return widths;
}

int ToolkitId(int templateId)
{
    switch (templateId) {
    case IDOK:
        return wxID_OK;
    case IDCANCEL:
        return wxID_CANCEL;
    case IDC_STATIC:
        return wxID_ANY;
    default:
        return templateId;
    }
}

bool CreateDialogFromTemplate(wxDialog& dialog, wxWindow* parent, int templateId, bool resizable)
{
    const DialogTemplate& tpl = FindDialogTemplate(templateId);
    // Caption, system menu (close box), no minimise or maximise box; a frame
    // the user can resize only where asked.
    if (!dialog.Create(parent, wxID_ANY, wxString::FromUTF8(tpl.caption), wxDefaultPosition, wxDefaultSize,
                       wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | (resizable ? wxRESIZE_BORDER : 0)))
        return false;
    dialog.SetClientSize(dialog.ConvertDialogToPixels(wxSize(tpl.cx, tpl.cy)));

    for (const ControlTemplate& c : tpl.controls) {
        const wxPoint pos = dialog.ConvertDialogToPixels(wxPoint(c.x, c.y));
        const wxSize size = dialog.ConvertDialogToPixels(wxSize(c.cx, c.cy));
        const wxRect rect(pos, size);
        const int id = ToolkitId(c.id);
        const wxString text = wxString::FromUTF8(c.text);
        wxWindow* control = nullptr;
        Grow grow = Grow::None;
        switch (c.kind) {
        case ControlKind::DropDownList:
            // The template's height includes the dropped-down list; the
            // closed box is as high as the toolkit makes it.
            control = new SortedComboBox(&dialog, id, pos, wxSize(size.x, -1));
            break;
        case ControlKind::AutoCheckBox:
            control = new wxCheckBox(&dialog, id, text, pos, size);
            grow = Grow::Right;
            break;
        case ControlKind::ReadOnlyEdit:
            control = new wxTextCtrl(&dialog, id, text, pos, size, wxTE_READONLY | wxBORDER_SUNKEN);
            break;
        case ControlKind::ReportList:
            control = new wxListCtrl(&dialog, id, pos, size, wxLC_REPORT | wxBORDER_SUNKEN);
            break;
        case ControlKind::GroupBox:
            control = new wxStaticBox(&dialog, id, text, pos, size);
            break;
        case ControlKind::Label:
        case ControlKind::Text:
            control = new wxStaticText(&dialog, id, text, pos, size, wxALIGN_LEFT | wxST_NO_AUTORESIZE);
            if (c.kind == ControlKind::Label)
                grow = Grow::Right;
            break;
        case ControlKind::PushButton:
        case ControlKind::DefPushButton: {
            auto* button = new wxButton(&dialog, id, text, pos, size, wxBU_EXACTFIT);
            if (c.kind == ControlKind::DefPushButton)
                button->SetDefault();
            control = button;
            grow = Grow::Centre;
            break;
        }
        case ControlKind::Picture: {
            // The picture control takes the size of its bitmap.
            wxBitmap bitmap = LoadResourceBitmap(c.resource);
            control = new wxStaticBitmap(&dialog, id, bitmap, pos, wxDefaultSize, wxBORDER_SUNKEN);
            control->SetSize(control->GetBestSize());
            break;
        }
        }
        if (c.kind != ControlKind::Picture && c.kind != ControlKind::GroupBox && c.kind != ControlKind::ReportList)
            control->SetSize(FitRect(*control, wxRect(control->GetPosition(), control->GetSize()), grow));
        if (c.disabled)
            control->Disable();
    }
    return true;
}

void FocusFirstTabStop(wxWindow& dialog)
{
    for (wxWindow* child : dialog.GetChildren()) {
        if (child->IsShown() && child->IsEnabled() && child->CanAcceptFocusFromKeyboard()) {
            child->SetFocus();
            return;
        }
    }
}
