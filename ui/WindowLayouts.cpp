// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowLayouts.h"

#include "widgets/DialogTemplates.h"

namespace {

bool Stretches(const ControlTemplate& control)
{
    return control.kind == ControlKind::ReportList || control.kind == ControlKind::GroupBox;
}

}  // namespace

TemplateAnchor MainWindowAnchor(const ControlTemplate& control)
{
    // Bands of the template, top to bottom, in dialog units: the departure
    // panel, the destination panel, the route, the buttons.
    double moveY = 0.0, growY = 0.0;
    if (control.y < 101) {
        growY = 0.25;
    } else if (control.y < 195) {
        moveY = 0.25;
        growY = 0.25;
    } else if (control.y < 263) {
        moveY = 0.5;
        growY = 0.5;
    } else {
        moveY = 1.0;
    }
    if (!Stretches(control))
        return {0.0, 0.0, moveY, 0.0};
    return {0.0, 1.0, moveY, growY};
}

TemplateAnchor AirportDialogAnchor(const ControlTemplate& control)
{
    if (control.y >= 221)  // Select Airport
        return {0.5, 0.0, 1.0, 0.0};
    if (!Stretches(control))
        return {};
    return {0.0, 1.0, 0.0, control.y >= 100 ? 1.0 : 0.0};
}
