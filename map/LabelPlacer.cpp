// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/LabelPlacer.h"

#include "base/Utf8Text.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace map {

namespace {

// A line's box reaches a whole font size above the baseline and more than
// a quarter below it: room for any glyph and for the usual reckonings.
constexpr double LINE_SPACING = 1.3;
constexpr double BASELINE = 1.02 / 1.3;  // of a line's height, below its top
// Average advances of a character, in font sizes, by which a label's width
// is reckoned at the least.
constexpr double REGULAR_EM = 0.62;
constexpr double BOLD_EM = 0.70;
constexpr double GAP = 1.5;       // between labels, and round obstacles
constexpr double RING_STEP = 7.0;  // how much further out each fallback ring lies
constexpr int ROUTE_RINGS = 4;

// What a spot costs beyond being free: the further out, the worse; lying
// across the route or over faint beacons only when nothing else is free.
constexpr double PER_RING = 3.0;
constexpr double OVER_ROUTE = 2.5;
constexpr double PER_MINOR_SYMBOL = 1.0;
constexpr double NO_ROOM_FOR_SECOND_LINE = 2.0;

bool overlaps(const Box& a, const Box& b)
{
    return a.left < b.right + GAP && b.left < a.right + GAP && a.top < b.bottom + GAP && b.top < a.bottom + GAP;
}

// Whether the segment from p to q passes through the box (Liang-Barsky).
bool segmentMeetsBox(const PixelPoint& p, const PixelPoint& q, const Box& box)
{
    double t0 = 0.0;
    double t1 = 1.0;
    const double dx = q.x - p.x;
    const double dy = q.y - p.y;
    const double edges[4][2] = {{-dx, p.x - box.left}, {dx, box.right - p.x}, {-dy, p.y - box.top}, {dy, box.bottom - p.y}};
    for (const auto& [step, room] : edges) {
        if (step == 0.0) {
            if (room < 0.0) {
                return false;
            }
            continue;
        }
        const double t = room / step;
        if (step < 0.0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) {
            return false;
        }
    }
    return true;
}

// The gap between two boxes, 0 where they meet.
double distanceBetween(const Box& a, const Box& b)
{
    const double dx = std::max({a.left - b.right, b.left - a.right, 0.0});
    const double dy = std::max({a.top - b.bottom, b.top - a.bottom, 0.0});
    return std::hypot(dx, dy);
}

bool sameBox(const Box& a, const Box& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool lineMeetsBox(const std::vector<PixelPoint>& line, const Box& box)
{
    for (std::size_t i = 1; i < line.size(); ++i) {
        if (segmentMeetsBox(line[i - 1], line[i], box)) {
            return true;
        }
    }
    return line.size() == 1 && segmentMeetsBox(line[0], line[0], box);
}

// How much nearer a frequency must stand to its own ident than to any other.
constexpr double OWN_IDENT_MARGIN = 3.0;
// How far out an airport's ident may go before it takes any free spot.
constexpr int AIRPORT_RINGS = 12;

double lineHeight(const LabelLine& line)
{
    return line.size * LINE_SPACING;
}

}  // namespace

LabelPlacer::LabelPlacer(TextMeasure measure, int width, int height)
    : m_measure(std::move(measure)), m_width(width), m_height(height)
{
}

void LabelPlacer::addBeacon(const PixelPoint& anchor, double clearance, LabelLine ident, LabelLine frequency)
{
    ident.text = base::labelText(ident.text);
    frequency.text = base::labelText(frequency.text);
    m_requests.push_back({Importance::RouteBeacon, anchor, clearance, false, {std::move(ident)}, std::move(frequency)});
}

void LabelPlacer::addAirport(const PixelPoint& anchor, double clearance, LabelLine ident, LabelLine name)
{
    ident.text = base::labelText(ident.text);
    name.text = base::labelText(name.text);
    m_requests.push_back({Importance::AirportIdent, anchor, clearance, false, {std::move(ident)}, std::move(name)});
}

void LabelPlacer::addBeside(Importance importance, const PixelPoint& anchor, double clearance, std::vector<LabelLine> lines)
{
    for (LabelLine& line : lines) {
        line.text = base::labelText(line.text);
    }
    m_requests.push_back({importance, anchor, clearance, false, std::move(lines), {}});
}

void LabelPlacer::addAt(Importance importance, const PixelPoint& topLeft, std::vector<LabelLine> lines)
{
    for (LabelLine& line : lines) {
        line.text = base::labelText(line.text);
    }
    m_requests.push_back({importance, topLeft, 0.0, true, std::move(lines), {}});
}

double LabelPlacer::lineWidth(const LabelLine& line) const
{
    // Never less than a rough reckoning from the length, so that a reader
    // measuring the labels in an SVG by their characters sees no overlap
    // either (where the viewer's font runs wider than ours).
    // Label texts are valid UTF-8: every byte but a continuation byte starts a character.
    const double characters = static_cast<double>(std::count_if(
        line.text.begin(), line.text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
    return std::max(m_measure(line), characters * line.size * (line.bold ? BOLD_EM : REGULAR_EM));
}

bool LabelPlacer::isFree(const Box& box, bool ignoreGivingWay) const
{
    const auto hits = [&](const Box& other) { return overlaps(box, other); };
    if (std::any_of(m_obstacles.begin(), m_obstacles.end(), hits)) {
        return false;
    }
    return std::none_of(m_placed.begin(), m_placed.end(), [&](const Placed& placed) {
        return !placed.removed && !(ignoreGivingWay && placed.givesWay) && hits(placed.box);
    });
}

bool LabelPlacer::crossesRoute(const Box& box) const
{
    return std::any_of(m_routeLines.begin(), m_routeLines.end(),
                       [&](const std::vector<PixelPoint>& line) { return lineMeetsBox(line, box); });
}

bool LabelPlacer::crossesKeptLine(const Box& box) const
{
    // Kept clear by the gap between labels too.
    const Box wider{box.left - GAP, box.top - GAP, box.right + GAP, box.bottom + GAP};
    return std::any_of(m_keptLines.begin(), m_keptLines.end(),
                       [&](const std::vector<PixelPoint>& line) { return lineMeetsBox(line, wider); });
}

bool LabelPlacer::coversRouteOrSymbol(const Box& box) const
{
    return crossesRoute(box) || crossesKeptLine(box) ||
           std::any_of(m_obstacles.begin(), m_obstacles.end(), [&](const Box& other) { return overlaps(box, other); });
}

int LabelPlacer::minorSymbolsUnder(const Box& box) const
{
    return static_cast<int>(std::count_if(m_minorSymbols.begin(), m_minorSymbols.end(),
                                          [&](const Box& symbol) { return overlaps(box, symbol); }));
}

bool LabelPlacer::insidePicture(const Box& box) const
{
    return box.left >= 2.0 && box.top >= 2.0 && box.right <= m_width - 2.0 && box.bottom <= m_height - 2.0;
}

std::vector<LabelPlacer::Layout> LabelPlacer::layoutsAround(const PixelPoint& anchor, double clearance,
                                                            const std::vector<LabelLine>& lines, int rings) const
{
    std::vector<double> widths;
    double width = 0.0;
    double height = 0.0;
    for (const LabelLine& line : lines) {
        widths.push_back(lineWidth(line));
        width = std::max(width, widths.back());
        height += lineHeight(line);
    }
    const double ax = anchor.x;
    const double ay = anchor.y;
    std::vector<Layout> layouts;
    for (int ring = 0; ring < rings; ++ring) {
        const double d = clearance + ring * RING_STEP;
        const double k = d * 0.75;
        // Block corners and the side the text hangs from, in order of taste.
        const struct {
            double left, top;
            int side;
        } spots[] = {
            {ax + d, ay - height / 2, 1},           // right
            {ax + k, ay - k - height, 1},           // upper right
            {ax + k, ay + k, 1},                    // lower right
            {ax - d - width, ay - height / 2, -1},  // left
            {ax - k - width, ay - k - height, -1},  // upper left
            {ax - k - width, ay + k, -1},           // lower left
            {ax - width / 2, ay - d - height, 0},   // above
            {ax - width / 2, ay + d, 0},            // below
            {ax - 4.0, ay - d - height, 1},         // above, hanging right
            {ax + 4.0 - width, ay - d - height, -1},  // above, hanging left
            {ax - 4.0, ay + d, 1},                  // below, hanging right
            {ax + 4.0 - width, ay + d, -1},         // below, hanging left
        };
        for (std::size_t s = 0; s < std::size(spots); ++s) {
            Layout layout;
            layout.side = spots[s].side;
            layout.penalty = ring * PER_RING + static_cast<double>(s) * 0.01;
            double top = spots[s].top;
            for (std::size_t i = 0; i < lines.size(); ++i) {
                // Each line hangs from the side nearest the point, so the
                // first line stays close to its symbol whatever the others' length.
                double left = spots[s].left;
                if (layout.side < 0) {
                    left += width - widths[i];
                } else if (layout.side == 0) {
                    left += (width - widths[i]) / 2;
                }
                layout.boxes.push_back({left, top, left + widths[i], top + lineHeight(lines[i])});
                top += lineHeight(lines[i]);
            }
            layouts.push_back(std::move(layout));
        }
    }
    return layouts;
}

bool LabelPlacer::best(const std::vector<Layout>& layouts, bool ignoreGivingWay, bool avoidRoute, Layout& chosen) const
{
    double lowest = std::numeric_limits<double>::infinity();
    for (const Layout& layout : layouts) {
        if (layout.penalty >= lowest) {
            continue;
        }
        double penalty = layout.penalty;
        bool usable = true;
        bool overRoute = false;
        for (const Box& box : layout.boxes) {
            if (!insidePicture(box) || !isFree(box, ignoreGivingWay) || crossesKeptLine(box)) {
                usable = false;
                break;
            }
            overRoute = overRoute || crossesRoute(box);
            penalty += PER_MINOR_SYMBOL * minorSymbolsUnder(box);
        }
        if (!usable || (overRoute && avoidRoute)) {
            continue;
        }
        penalty += overRoute ? OVER_ROUTE : 0.0;
        if (penalty < lowest) {
            lowest = penalty;
            chosen = layout;
        }
    }
    return lowest < std::numeric_limits<double>::infinity();
}

void LabelPlacer::put(const std::vector<LabelLine>& lines, const Layout& layout, bool lastGivesWay, const Box& owner)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const LabelLine& line = lines[i];
        const Box& box = layout.boxes[i];
        const MapText text{line.text, box.left, box.top + lineHeight(line) * BASELINE, line.size, line.bold,
                           line.colour, line.halo};
        m_placed.push_back({text, box, lastGivesWay && i + 1 == lines.size(), false, owner});
    }
}

std::vector<LabelPlacer::Layout> LabelPlacer::layoutsBeside(const Layout& first, const LabelLine& line) const
{
    const Box& ident = first.boxes.front();
    const double width = lineWidth(line);
    const double height = lineHeight(line);
    const int side = first.side;
    const double left = side > 0 ? ident.left : side < 0 ? ident.right - width : (ident.left + ident.right - width) / 2;
    const double top = (ident.top + ident.bottom - height) / 2;
    // Just clear of the first line, as the gap between labels requires.
    const double below = ident.bottom + GAP + 0.01;
    const double above = ident.top - GAP - 0.01;
    std::vector<Layout> layouts = {
        {{{left, below, left + width, below + height}}, side, 0.0},  // under it
        {{{left, above - height, left + width, above}}, side, 0.5},  // over it
    };
    // On the far side from the symbol, on the same line.
    if (side >= 0) {
        layouts.push_back({{{ident.right + 4.0, top, ident.right + 4.0 + width, top + height}}, side, 1.0});
    }
    if (side <= 0) {
        layouts.push_back({{{ident.left - 4.0 - width, top, ident.left - 4.0, top + height}}, side, 1.0});
    }
    return layouts;
}

std::vector<LabelPlacer::Layout> LabelPlacer::frequencyLayouts(const Layout& ident, const LabelLine& line) const
{
    // Under or over the ident only: on its line, a frequency reads as the
    // next label's.
    std::vector<Layout> layouts = layoutsBeside(ident, line);
    layouts.resize(2);
    const Box& own = ident.boxes.front();
    layouts.erase(std::remove_if(layouts.begin(), layouts.end(),
                                 [&](const Layout& layout) {
                                     const Box& box = layout.boxes.front();
                                     const double ownDistance = distanceBetween(box, own);
                                     return std::any_of(m_routeIdents.begin(), m_routeIdents.end(), [&](const Box& other) {
                                         return !sameBox(other, own) &&
                                                distanceBetween(box, other) < ownDistance + OWN_IDENT_MARGIN;
                                     });
                                 }),
                  layouts.end());
    return layouts;
}

void LabelPlacer::placeWithSecondLines(const std::vector<const Request*>& requests)
{
    std::vector<std::pair<const Request*, Layout>> placedFirst;
    std::vector<const Request*> unplaced;
    for (const Request* request : requests) {
        std::vector<Layout> layouts = layoutsAround(request->anchor, request->clearance, request->lines, ROUTE_RINGS);
        // A spot that leaves room for the frequency beside the ident is the better one.
        if (!request->second.text.empty()) {
            for (Layout& layout : layouts) {
                Layout unused;
                if (!best(frequencyLayouts(layout, request->second), false, false, unused)) {
                    layout.penalty += NO_ROOM_FOR_SECOND_LINE;
                }
            }
        }
        Layout chosen;
        if (best(layouts, false, false, chosen)) {
            put(request->lines, chosen, false);
            m_routeIdents.push_back(chosen.boxes.front());
            placedFirst.emplace_back(request, chosen);
        } else {
            unplaced.push_back(request);
        }
    }
    // Frequencies come after all idents, which they must not be read with.
    for (const auto& [request, layout] : placedFirst) {
        Layout chosen;
        if (!request->second.text.empty() && best(frequencyLayouts(layout, request->second), false, false, chosen)) {
            put({request->second}, chosen, true, layout.boxes.front());
        }
    }
    // A beacon's ident that found no room takes it from other beacons'
    // frequencies.
    for (const Request* request : unplaced) {
        Layout chosen;
        if (!best(layoutsAround(request->anchor, request->clearance, request->lines, ROUTE_RINGS), true, false,
                  chosen)) {
            continue;
        }
        for (Placed& placed : m_placed) {
            for (const Box& box : chosen.boxes) {
                placed.removed = placed.removed || (placed.givesWay && overlaps(box, placed.box));
            }
        }
        put(request->lines, chosen, false);
        m_routeIdents.push_back(chosen.boxes.front());
    }
    // An ident put down late may stand nearer a frequency than its own.
    for (Placed& placed : m_placed) {
        if (!placed.givesWay || placed.removed) {
            continue;
        }
        const double ownDistance = distanceBetween(placed.box, placed.owner);
        placed.removed = std::any_of(m_routeIdents.begin(), m_routeIdents.end(), [&](const Box& other) {
            return !sameBox(other, placed.owner) && distanceBetween(placed.box, other) < ownDistance + OWN_IDENT_MARGIN;
        });
    }
}

void LabelPlacer::placeAirportIdents(const std::vector<const Request*>& airports,
                                     std::vector<std::pair<const Request*, Layout>>& placed)
{
    for (const Request* request : airports) {
        std::vector<Layout> layouts = layoutsAround(request->anchor, request->clearance, request->lines, AIRPORT_RINGS);
        for (Layout& layout : layouts) {
            Layout unused;
            if (!request->second.text.empty() && !best(layoutsBeside(layout, request->second), false, false, unused)) {
                layout.penalty += NO_ROOM_FOR_SECOND_LINE;
            }
        }
        Layout chosen;
        if (!best(layouts, false, false, chosen)) {
            // Nowhere free near it: the nearest spot in the picture that
            // covers no symbol, over whatever text is there.
            bool found = false;
            for (const Layout& layout : layouts) {
                const bool usable = std::all_of(layout.boxes.begin(), layout.boxes.end(), [&](const Box& box) {
                    return insidePicture(box) && !crossesKeptLine(box) &&
                           std::none_of(m_obstacles.begin(), m_obstacles.end(),
                                        [&](const Box& obstacle) { return overlaps(box, obstacle); });
                });
                if (usable && (!found || layout.penalty < chosen.penalty)) {
                    chosen = layout;
                    found = true;
                }
            }
            if (!found) {
                continue;
            }
        }
        put(request->lines, chosen, false);
        m_routeIdents.push_back(chosen.boxes.front());
        placed.emplace_back(request, chosen);
    }
}

void LabelPlacer::placeSecondLines(const std::vector<std::pair<const Request*, Layout>>& placed)
{
    // A name only stands next to its ident: alone it would point nowhere.
    for (const auto& [request, layout] : placed) {
        Layout chosen;
        if (!request->second.text.empty() && best(layoutsBeside(layout, request->second), false, false, chosen)) {
            put({request->second}, chosen, false);
        }
    }
}

std::vector<MapText> LabelPlacer::place()
{
    std::stable_sort(m_requests.begin(), m_requests.end(),
                     [](const Request& a, const Request& b) { return a.importance < b.importance; });
    std::vector<const Request*> beacons;
    std::vector<const Request*> airports;
    for (const Request& request : m_requests) {
        if (request.importance == Importance::RouteBeacon) {
            beacons.push_back(&request);
        } else if (request.importance == Importance::AirportIdent) {
            airports.push_back(&request);
        }
    }
    bool routePlaced = false;
    for (const Request& request : m_requests) {
        if (request.importance == Importance::RouteBeacon || request.importance == Importance::AirportIdent) {
            if (!routePlaced) {
                routePlaced = true;
                std::vector<std::pair<const Request*, Layout>> airportIdents;
                placeAirportIdents(airports, airportIdents);
                placeWithSecondLines(beacons);
                placeSecondLines(airportIdents);
            }
            continue;
        }
        if (request.fixed) {
            Layout layout;
            double top = request.anchor.y;
            for (const LabelLine& line : request.lines) {
                layout.boxes.push_back({request.anchor.x, top, request.anchor.x + lineWidth(line), top + lineHeight(line)});
                top += lineHeight(line);
            }
            const bool fits = std::all_of(layout.boxes.begin(), layout.boxes.end(),
                                          [&](const Box& box) { return isFree(box); });
            if (request.importance == Importance::Furniture || fits) {
                put(request.lines, layout, false);
            }
            continue;
        }
        // Other beacons' idents never lie across the route.
        Layout chosen;
        if (best(layoutsAround(request.anchor, request.clearance, request.lines, 1), false, true, chosen)) {
            put(request.lines, chosen, false);
        }
    }
    std::vector<MapText> texts;
    for (const Placed& placed : m_placed) {
        if (!placed.removed) {
            texts.push_back(placed.text);
        }
    }
    return texts;
}

}  // namespace map
