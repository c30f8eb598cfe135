// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/TemplateLayout.h"

// How the controls of the two resizable windows follow their size: the
// lists, with the group boxes around them, take the extra room; the other
// controls keep their place beside the ones above them.

// Main window: extra height goes a quarter to each runway list and half to
// the route list; everything below a list moves down with it.
TemplateAnchor MainWindowAnchor(const ControlTemplate& control);

// Airport dialog: the runway list takes the extra room; Select Airport stays
// centred below it.
TemplateAnchor AirportDialogAnchor(const ControlTemplate& control);
