#include "DialogBuilder.h"

#include "AppArt.h"
#include "DialogTemplates.h"
#include "Resource.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/listctrl.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>

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

void InsertTemplateColumn(wxListCtrl& list, int column, const wxString& heading, int pixels)
{
    // The header needs a little room around its text.
    const int headingWidth = list.GetTextExtent(heading).x + 16;
    list.InsertColumn(column, heading, wxLIST_FORMAT_LEFT,
                      std::max(TemplatePixels(*list.GetParent(), pixels), headingWidth));
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

bool CreateDialogFromTemplate(wxDialog& dialog, wxWindow* parent, int templateId)
{
    const DialogTemplate& tpl = FindDialogTemplate(templateId);
    // Caption, system menu (close box) and a fixed frame: no resizing,
    // no minimise or maximise box.
    if (!dialog.Create(parent, wxID_ANY, wxString::FromUTF8(tpl.caption), wxDefaultPosition, wxDefaultSize,
                       wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX))
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
            control = new wxChoice(&dialog, id, pos, wxSize(size.x, -1), 0, nullptr, wxCB_SORT);
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
            control = new wxStaticText(&dialog, id, text, pos, size, wxALIGN_LEFT | wxST_NO_AUTORESIZE);
            grow = Grow::Right;
            break;
        case ControlKind::Text:
            control = new wxStaticText(&dialog, id, text, pos, size, wxALIGN_LEFT | wxST_NO_AUTORESIZE);
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
