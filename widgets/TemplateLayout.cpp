// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/TemplateLayout.h"

#include "widgets/DialogTemplates.h"

#include <cmath>

TemplateLayout::TemplateLayout(wxWindow& dialog, int templateId,
                               const std::function<TemplateAnchor(const ControlTemplate&)>& anchorOf)
{
    const DialogTemplate& tpl = FindDialogTemplate(templateId);
    m_templateSize = dialog.ConvertDialogToPixels(wxSize(tpl.cx, tpl.cy));
    auto child = dialog.GetChildren().begin();
    for (const ControlTemplate& c : tpl.controls) {
        if (child == dialog.GetChildren().end())
            break;
        m_controls.push_back({*child, (*child)->GetRect(), anchorOf(c)});
        ++child;
    }
}

void TemplateLayout::Apply(const wxPoint& origin, const wxSize& extra) const
{
    auto share = [](double fraction, int room) { return static_cast<int>(std::lround(fraction * room)); };
    for (const Placed& p : m_controls) {
        wxRect rect = p.rect;
        rect.x += origin.x + share(p.anchor.moveX, extra.x);
        rect.y += origin.y + share(p.anchor.moveY, extra.y);
        rect.width += share(p.anchor.growX, extra.x);
        rect.height += share(p.anchor.growY, extra.y);
        if (p.window->GetRect() != rect)
            p.window->SetSize(rect);
    }
}
