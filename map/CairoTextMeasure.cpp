// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/CairoTextMeasure.h"

namespace map {

TextMeasure cairoTextMeasure(cairo_t* cr)
{
    return [cr](const LabelLine& line) {
        cairo_save(cr);
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        cairo_set_font_options(cr, options);
        cairo_font_options_destroy(options);
        cairo_select_font_face(cr, MAP_FONT_FAMILY, CAIRO_FONT_SLANT_NORMAL,
                               line.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr, line.size);
        cairo_text_extents_t extents;
        cairo_text_extents(cr, line.text.c_str(), &extents);
        cairo_restore(cr);
        return extents.x_advance;
    };
}

}  // namespace map
