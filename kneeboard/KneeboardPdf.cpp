// SPDX-License-Identifier: GPL-3.0-or-later
#include "kneeboard/KneeboardPdf.h"

#include "base/NumberText.h"
#include "flightplan/PlanError.h"
#include "flightplan/formats/PlanTexts.h"
#include "kneeboard/NavlogPages.h"
#include "kneeboard/NavlogTable.h"
#include "kneeboard/PdfText.h"
#include "map/MapRenderer.h"
#include "base/Utf8Text.h"
#include "map/ViewFit.h"

#include <cairo-pdf.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

namespace kneeboard {

namespace {

using flightplan::FlightPlan;

// Sizes in points. Nothing is set smaller than 8 pt: the page is read on a
// knee in a moving cockpit.
constexpr double MARGIN = 20.0;
constexpr double TITLE_SIZE = 13.0;
constexpr double BODY_SIZE = 8.5;
constexpr double SMALL_SIZE = 8.0;
constexpr double LINE = 11.0;          // between lines of body text
constexpr double ROW_HEIGHT = 24.0;    // two lines and room to write
constexpr double HEADING_HEIGHT = 22.0;
constexpr double PAD = 3.0;            // inside a cell
constexpr double MIN_PAD = 1.2;        // ... on paper too narrow for more
constexpr double BOX_WIDTH = 34.0;     // an ETA or ATA box holds "14:35" in pencil
constexpr double MIN_BOX_WIDTH = 26.0; // ... written small, on narrow paper
constexpr double TITLE_HEIGHT = 34.0;  // the route's name and the page number

const map::Rgb INK{0.08, 0.08, 0.12};
const map::Rgb GREY{0.38, 0.38, 0.42};
const map::Rgb RULE{0.55, 0.55, 0.6};
const map::Rgb SHADE{0.91, 0.91, 0.93};

void colour(cairo_t* cr, const map::Rgb& c)
{
    cairo_set_source_rgb(cr, c.r, c.g, c.b);
}

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length)
{
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

std::string airportLine(const char* role, const flightplan::Waypoint& airport)
{
    std::string line = std::string(role) + " " + airport.ident + " " + airport.name;
    if (airport.frequency)
        line += ", ATIS " + *airport.frequency;
    if (airport.elevationFt)
        line += ", elevation " + base::formatFixed(*airport.elevationFt, 0) + " ft";
    return line;
}

class Navlog {
public:
    Navlog(cairo_t* cr, const FlightPlan& plan, const KneeboardInputs& inputs)
        : m_cr(cr), m_inputs(inputs), m_size(paperSize(inputs.paper)), m_table(navlogTable(plan))
    {
        m_width = m_size.width - 2 * MARGIN;
        m_routeName = plan.departure().ident + " \u2192 " + plan.destination().ident;
        m_names = plan.departure().name + " to " + plan.destination().name;
        setFont(m_cr, BODY_SIZE);
        std::vector<std::string> information = {
            "Date " + flightplan::isoDateText(plan.date) + "    Cruise " + flightplan::cruiseText(plan) +
                (plan.cruiseGivenByUser ? "" : " (VFR semicircular rule)"),
            "True airspeed " + base::formatFixed(plan.trueAirspeedKt, 0) + " kt    Wind " +
                (plan.wind ? flightplan::windText(*plan.wind) + " (from, true)" : std::string("none given")) +
                (plan.fuelBurnPerHour ? "    Fuel burn " + base::formatFixed(*plan.fuelBurnPerHour, 1) + " per hour"
                                      : std::string()),
            airportLine("From", plan.departure()),
            airportLine("To", plan.destination()),
            "Magnetic courses, headings and radials for " + flightplan::isoDateText(plan.date),
        };
        if (!plan.magneticNote.empty())
            information.push_back("Note: " + plan.magneticNote);
        if (const std::string missing = flightplan::simulatorDataText(plan); !missing.empty())
            information.push_back("Note: " + missing);
        if (!inputs.navData.empty())
            information.push_back(inputs.navData);
        for (const std::string& text : information) {
            // A name of any length takes no more than a few lines.
            for (const std::string& line : wrapped(m_cr, text, m_width, 3))
                m_information.push_back(line);
        }
        m_closingLines = wrapped(m_cr, flightplan::legTableTotals(plan), m_width);
        for (const std::string& line : wrapped(m_cr, "Route " + plan.route, m_width))
            m_closingLines.push_back(line);
        layOutColumns();
        paginate();
    }

    void draw()
    {
        const int pages = static_cast<int>(m_pages.size()) + 1;
        for (std::size_t p = 0; p < m_pages.size(); ++p) {
            double y = drawTitle(static_cast<int>(p) + 1, pages);
            if (p == 0)
                y = drawInformation(y);
            y = drawColumnHeadings(y);
            for (std::size_t r = 0; r < m_pages[p].count; ++r)
                y = drawRow(y, m_table.rows[m_pages[p].first + r], false);
            if (m_pages[p].closing)
                drawClosing(drawRow(y, m_table.totals, true));
            cairo_show_page(m_cr);
        }
        drawMapPage(pages);
        cairo_show_page(m_cr);
    }

private:
    double informationHeight() const { return m_information.size() * LINE + 6.0; }

    void layOutColumns()
    {
        // The largest size from 9 pt down to 8 pt at which every column fits.
        for (double size : {9.0, BODY_SIZE, SMALL_SIZE}) {
            m_fontSize = size;
            m_pad = PAD;
            m_columns.assign(m_table.columns.size(), 0.0);
            for (std::size_t c = 0; c < m_columns.size(); ++c) {
                double widest = m_table.columns[c].writeIn ? BOX_WIDTH : 0.0;
                // In the fonts drawCells sets: the idents' top line bold,
                // the lower line a half point smaller.
                auto measure = [&](const NavlogCell& cell, bool bold) {
                    setFont(m_cr, size, bold || c == 0);
                    widest = std::max(widest, textWidth(m_cr, cell.top) + 2 * PAD);
                    setFont(m_cr, std::max(SMALL_SIZE, size - 0.5), bold);
                    widest = std::max(widest, textWidth(m_cr, cell.bottom) + 2 * PAD);
                };
                measure(m_table.columns[c].heading, true);
                for (const auto& row : m_table.rows)
                    measure(row[c], false);
                measure(m_table.totals[c], true);
                m_columns[c] = widest;
            }
            if (fitColumns() || size == SMALL_SIZE)
                return;
        }
    }

    // Fits the columns to the paper, true when none had to be cut: spare
    // width widens every column alike; a table too wide first narrows the
    // pencil boxes, then every column but those that must stay whole
    // (idents, frequencies), whose cells then cut their text.
    bool fitColumns()
    {
        const auto widthOf = [this](auto wanted) {
            double sum = 0.0;
            for (std::size_t c = 0; c < m_columns.size(); ++c) {
                if (wanted(m_table.columns[c]))
                    sum += m_columns[c];
            }
            return sum;
        };
        const auto every = [](const auto&) { return true; };
        const auto spreadIfItFits = [this](double total) {
            if (total > m_width)
                return false;
            for (double& w : m_columns)
                w *= m_width / total;
            return true;
        };
        if (spreadIfItFits(widthOf(every)))
            return true;
        const double boxes = widthOf([](const auto& column) { return column.writeIn; });
        const double boxShare =
            std::max(MIN_BOX_WIDTH / BOX_WIDTH, 1.0 - (widthOf(every) - m_width) / std::max(boxes, 1.0));
        for (std::size_t c = 0; c < m_columns.size(); ++c) {
            if (m_table.columns[c].writeIn)
                m_columns[c] *= boxShare;
        }
        if (spreadIfItFits(widthOf(every)))
            return true;
        // Then the room round the text of each cell.
        m_pad = MIN_PAD;
        for (std::size_t c = 0; c < m_columns.size(); ++c) {
            if (!m_table.columns[c].writeIn)
                m_columns[c] -= 2 * (PAD - MIN_PAD);
        }
        const double total = widthOf(every);
        if (spreadIfItFits(total))
            return true;
        // What the columns that may be cut share; all of them narrow alike
        // when even the whole ones overflow the paper.
        const double whole = widthOf([](const auto& column) { return column.whole; });
        const bool keepWhole = whole < m_width * 0.75;
        const double share = keepWhole ? (m_width - whole) / (total - whole) : m_width / total;
        for (std::size_t c = 0; c < m_columns.size(); ++c) {
            if (!(keepWhole && m_table.columns[c].whole))
                m_columns[c] *= share;
        }
        return false;
    }

    void paginate()
    {
        PageRoom room;
        room.firstPage = m_size.height - MARGIN - (MARGIN + TITLE_HEIGHT + informationHeight() + HEADING_HEIGHT);
        room.laterPage = m_size.height - MARGIN - (MARGIN + TITLE_HEIGHT + 0.0 + HEADING_HEIGHT);
        room.row = ROW_HEIGHT;
        room.closing = ROW_HEIGHT + 6.0 + m_closingLines.size() * LINE;
        m_pages = paginateRows(m_table.rows.size(), room);
    }

    double drawTitle(int page, int pages, const char* part = " (continued)")
    {
        const double y = MARGIN;
        colour(m_cr, INK);
        setFont(m_cr, BODY_SIZE);
        const std::string number = "Page " + std::to_string(page) + " of " + std::to_string(pages);
        const double numberWidth = textWidth(m_cr, number);
        drawText(m_cr, m_size.width - MARGIN, y + 11.0, number, Align::Right);
        setFont(m_cr, TITLE_SIZE, true);
        drawText(m_cr, MARGIN, y + 12.0, "Navlog " + m_routeName, Align::Left, m_width - numberWidth - 8.0);
        setFont(m_cr, BODY_SIZE);
        colour(m_cr, GREY);
        drawText(m_cr, MARGIN, y + 25.0, m_names + (page > 1 ? part : ""), Align::Left, m_width);
        return y + TITLE_HEIGHT;
    }

    double drawInformation(double y)
    {
        colour(m_cr, INK);
        setFont(m_cr, BODY_SIZE);
        for (const std::string& line : m_information) {
            y += LINE;
            drawText(m_cr, MARGIN, y - 2.0, line, Align::Left, m_width);
        }
        return y + 6.0;
    }

    double drawColumnHeadings(double y)
    {
        colour(m_cr, SHADE);
        cairo_rectangle(m_cr, MARGIN, y, m_width, HEADING_HEIGHT);
        cairo_fill(m_cr);
        std::vector<NavlogCell> headings;
        for (const NavlogColumn& column : m_table.columns)
            headings.push_back(column.heading);
        drawCells(y, HEADING_HEIGHT, headings, true, false);
        return y + HEADING_HEIGHT;
    }

    double drawRow(double y, const std::vector<NavlogCell>& cells, bool totals)
    {
        drawCells(y, ROW_HEIGHT, cells, totals, !totals);
        return y + ROW_HEIGHT;
    }

    void drawCells(double y, double height, const std::vector<NavlogCell>& cells, bool bold, bool boxes)
    {
        double x = MARGIN;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const NavlogColumn& column = m_table.columns[c];
            const double w = m_columns[c];
            if (boxes && column.writeIn) {
                colour(m_cr, RULE);
                cairo_set_line_width(m_cr, 0.6);
                cairo_rectangle(m_cr, x + 2.5, y + 3.0, w - 5.0, height - 6.0);
                cairo_stroke(m_cr);
            }
            const bool right = column.figure;
            const double textX = right ? x + w - m_pad : x + m_pad;
            const Align align = right ? Align::Right : Align::Left;
            colour(m_cr, INK);
            setFont(m_cr, m_fontSize, bold || c == 0);
            drawText(m_cr, textX, y + 10.0, cells[c].top, align, w - 2 * m_pad);
            setFont(m_cr, std::max(SMALL_SIZE, m_fontSize - 0.5), bold);
            colour(m_cr, c == 0 ? INK : GREY);
            drawText(m_cr, textX, y + 20.0, cells[c].bottom, align, w - 2 * m_pad);
            x += w;
        }
        // The grid: a rule under the row and between the columns.
        colour(m_cr, RULE);
        cairo_set_line_width(m_cr, 0.5);
        cairo_move_to(m_cr, MARGIN, y + height);
        cairo_line_to(m_cr, MARGIN + m_width, y + height);
        x = MARGIN;
        for (std::size_t c = 0; c + 1 < cells.size(); ++c) {
            x += m_columns[c];
            cairo_move_to(m_cr, x, y);
            cairo_line_to(m_cr, x, y + height);
        }
        cairo_stroke(m_cr);
    }

    void drawClosing(double y)
    {
        y += 6.0;
        colour(m_cr, INK);
        setFont(m_cr, BODY_SIZE);
        for (const std::string& line : m_closingLines) {
            y += LINE;
            drawText(m_cr, MARGIN, y - 2.0, line, Align::Left, m_width);
        }
    }

    void drawMapPage(int pages)
    {
        const double top = drawTitle(pages, pages, ": route map");
        const int width = static_cast<int>(std::floor(m_width));
        const int height = static_cast<int>(std::floor(m_size.height - MARGIN - top));
        static const map::Outlines noOutlines;
        const map::Outlines& outlines = m_inputs.outlines ? *m_inputs.outlines : noOutlines;
        cairo_save(m_cr);
        cairo_translate(m_cr, MARGIN, top);
        cairo_rectangle(m_cr, 0, 0, width, height);
        cairo_clip(m_cr);
        map::drawMap(m_cr, outlines, m_inputs.scene, map::fitView(m_inputs.scene, width, height), width,
                          height);
        cairo_restore(m_cr);
        colour(m_cr, RULE);
        cairo_set_line_width(m_cr, 0.6);
        cairo_rectangle(m_cr, MARGIN, top, width, height);
        cairo_stroke(m_cr);
    }

    cairo_t* m_cr;
    const KneeboardInputs& m_inputs;
    PaperSize m_size;
    NavlogTable m_table;
    double m_width = 0.0;
    double m_fontSize = BODY_SIZE;
    double m_pad = PAD;  // inside a cell, less on narrow paper
    std::vector<double> m_columns;
    std::vector<RowPage> m_pages;
    std::string m_routeName, m_names;
    std::vector<std::string> m_information, m_closingLines;
};

void check(cairo_status_t status)
{
    if (status != CAIRO_STATUS_SUCCESS)
        throw flightplan::PlanError(std::string("The kneeboard navlog could not be drawn: ") +
                                    cairo_status_to_string(status));
}

}  // namespace

std::string renderKneeboard(const FlightPlan& plan, const KneeboardInputs& inputs)
{
    if (plan.legs.empty())
        throw flightplan::PlanError("The kneeboard navlog needs a plan with at least one leg.");
    const PaperSize size = paperSize(inputs.paper);
    std::string pdf;
    using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
    using Context = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;
    Surface surface(cairo_pdf_surface_create_for_stream(appendBytes, &pdf, size.width, size.height),
                    cairo_surface_destroy);
    check(cairo_surface_status(surface.get()));
    const std::string title =
        base::labelText("Navlog " + plan.departure().ident + " to " + plan.destination().ident);
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE, title.c_str());
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATOR, "Meridane");
    {
        Context cr(cairo_create(surface.get()), cairo_destroy);
        Navlog(cr.get(), plan, inputs).draw();
        check(cairo_status(cr.get()));
    }
    cairo_surface_finish(surface.get());
    check(cairo_surface_status(surface.get()));
    return pdf;
}

}  // namespace kneeboard
