// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <wx/gdicmn.h>
#include <wx/window.h>

#include <functional>
#include <vector>

struct ControlTemplate;

// How a control of a template follows a window that is larger than the
// template: the share of the extra width and height by which it moves and by
// which it grows (0 stays, 1 takes all of it).
struct TemplateAnchor {
    double moveX = 0.0, growX = 0.0, moveY = 0.0, growY = 0.0;
};

// Lays out the controls a template created (CreateDialogFromTemplate) in a
// window that may be larger than the template: each control keeps its
// template place, moved and stretched by its anchor's share of the extra
// room, all of it shifted by an origin (room above or left of the template
// for controls that are not part of it).
class TemplateLayout {
public:
    // Call right after the controls are created: records them, the first
    // controls of `dialog` in template order, with their rectangles.
    TemplateLayout(wxWindow& dialog, int templateId,
                   const std::function<TemplateAnchor(const ControlTemplate&)>& anchorOf);

    // Places every control for this much room beyond the template's size.
    void Apply(const wxPoint& origin, const wxSize& extra) const;

    // The template's own client size, in pixels.
    wxSize TemplateSize() const { return m_templateSize; }

private:
    struct Placed {
        wxWindow* window;
        wxRect rect;
        TemplateAnchor anchor;
    };
    std::vector<Placed> m_controls;
    wxSize m_templateSize;
};
