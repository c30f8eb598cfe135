// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <wx/window.h>

#include <functional>

// A thin upright bar between two parts of a window that the user drags
// sideways, as a splitter's sash: while the mouse is held on it, every move
// reports where the bar's middle would be, in its parent's coordinates; the
// owner lays its parts out round that place and puts the bar there.
class SashHandle : public wxWindow {
public:
    explicit SashHandle(wxWindow* parent);

    // Called with the bar's wanted middle, in the parent's coordinates.
    std::function<void(int)> m_moved;
    // Called once when the user lets go.
    std::function<void()> m_released;

private:
    void OnPaint(wxPaintEvent& event);
    int m_grabOffset = 0;  // where in the bar the mouse took it
};
