// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SashHandle.h"

#include <wx/dcclient.h>
#include <wx/settings.h>

SashHandle::SashHandle(wxWindow* parent) : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE)
{
    SetCursor(wxCursor(wxCURSOR_SIZEWE));
    SetToolTip("Drag to share the width between the airports and the flight plan");
    // Not a stop for Tab: the keyboard has nothing to do here.
    SetCanFocus(false);
    Bind(wxEVT_PAINT, &SashHandle::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& event) {
        m_grabOffset = event.GetX() - GetClientSize().x / 2;
        CaptureMouse();
    });
    Bind(wxEVT_MOTION, [this](wxMouseEvent& event) {
        if (HasCapture() && event.LeftIsDown() && m_moved)
            m_moved(GetPosition().x + event.GetX() - m_grabOffset);
    });
    Bind(wxEVT_LEFT_UP, [this](wxMouseEvent&) {
        if (!HasCapture())
            return;
        ReleaseMouse();
        if (m_released)
            m_released();
    });
    Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) {
        if (m_released)
            m_released();
    });
}

void SashHandle::OnPaint(wxPaintEvent&)
{
    // A dotted grip in the middle, so that the bar can be found.
    wxPaintDC dc(this);
    const wxSize size = GetClientSize();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW)));
    const int x = size.x / 2 - 1;
    for (int y = size.y / 2 - 12; y <= size.y / 2 + 12; y += 6)
        dc.DrawRectangle(x, y, 2, 2);
}
