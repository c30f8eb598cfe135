#include "map/LabelPlacer.h"

#include "base/Utf8Text.h"

#include <algorithm>
#include <cmath>

namespace routemap {

namespace {

constexpr double kLineSpacing = 1.2;
constexpr double kGap = 1.5;  // between labels, and round obstacles

bool overlaps(const Box& a, const Box& b)
{
    return a.left < b.right + kGap && b.left < a.right + kGap && a.top < b.bottom + kGap && b.top < a.bottom + kGap;
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

}  // namespace

LabelPlacer::LabelPlacer(cairo_t* cr, int width, int height) : m_cr(cr), m_width(width), m_height(height) {}

void LabelPlacer::addBeside(Importance importance, const PixelPoint& anchor, double clearance, std::vector<LabelLine> lines)
{
    for (LabelLine& line : lines) {
        line.text = base::labelText(line.text);
    }
    m_requests.push_back({importance, anchor, clearance, false, std::move(lines)});
}

void LabelPlacer::addAt(Importance importance, const PixelPoint& topLeft, std::vector<LabelLine> lines)
{
    for (LabelLine& line : lines) {
        line.text = base::labelText(line.text);
    }
    m_requests.push_back({importance, topLeft, 0.0, true, std::move(lines)});
}

double LabelPlacer::lineWidth(const LabelLine& line) const
{
    cairo_select_font_face(m_cr, kMapFontFamily, CAIRO_FONT_SLANT_NORMAL,
                           line.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(m_cr, line.size);
    cairo_text_extents_t extents;
    cairo_text_extents(m_cr, line.text.c_str(), &extents);
    return extents.x_advance;
}

bool LabelPlacer::clear(const Box& box) const
{
    const auto hits = [&](const Box& other) { return overlaps(box, other); };
    return std::none_of(m_placed.begin(), m_placed.end(), hits) &&
           std::none_of(m_obstacles.begin(), m_obstacles.end(), hits);
}

bool LabelPlacer::crossesRoute(const Box& box) const
{
    for (const auto& line : m_routeLines) {
        for (std::size_t i = 1; i < line.size(); ++i) {
            if (segmentMeetsBox(line[i - 1], line[i], box)) {
                return true;
            }
        }
    }
    return false;
}

bool LabelPlacer::insidePicture(const Box& box) const
{
    return box.left >= 2.0 && box.top >= 2.0 && box.right <= m_width - 2.0 && box.bottom <= m_height - 2.0;
}

void LabelPlacer::emit(const Request& request, const Box& box, std::vector<MapText>& out)
{
    m_placed.push_back(box);
    double top = box.top;
    for (const LabelLine& line : request.lines) {
        const double height = line.size * kLineSpacing;
        // Baseline at about four fifths of the line's height.
        out.push_back({line.text, box.left, top + height * 0.8, line.size, line.bold, line.colour, line.halo});
        top += height;
    }
}

std::vector<MapText> LabelPlacer::place()
{
    std::stable_sort(m_requests.begin(), m_requests.end(),
                     [](const Request& a, const Request& b) { return a.importance < b.importance; });
    std::vector<MapText> texts;
    for (const Request& request : m_requests) {
        double width = 0.0;
        double height = 0.0;
        for (const LabelLine& line : request.lines) {
            width = std::max(width, lineWidth(line));
            height += line.size * kLineSpacing;
        }
        const bool required = request.importance <= Importance::Route;
        const double ax = request.anchor.x;
        const double ay = request.anchor.y;
        if (request.fixed) {
            const Box box{ax, ay, ax + width, ay + height};
            if (required || clear(box)) {
                emit(request, box, texts);
            }
            continue;
        }
        const double d = request.clearance;
        const double k = d * 0.75;
        const Box candidates[] = {
            {ax + d, ay - height / 2, ax + d + width, ay + height / 2},        // right
            {ax + k, ay - k - height, ax + k + width, ay - k},                 // upper right
            {ax + k, ay + k, ax + k + width, ay + k + height},                 // lower right
            {ax - d - width, ay - height / 2, ax - d, ay + height / 2},        // left
            {ax - k - width, ay - k - height, ax - k, ay - k},                 // upper left
            {ax - k - width, ay + k, ax - k, ay + k + height},                 // lower left
            {ax - width / 2, ay - d - height, ax + width / 2, ay - d},         // above
            {ax - width / 2, ay + d, ax + width / 2, ay + d + height},         // below
        };
        const Box* chosen = nullptr;
        const Box* fallback = nullptr;
        const Box* visible = nullptr;
        for (const Box& box : candidates) {
            if (!insidePicture(box)) {
                continue;
            }
            visible = visible ? visible : &box;
            if (!clear(box)) {
                continue;
            }
            if (!crossesRoute(box)) {
                chosen = &box;
                break;
            }
            fallback = fallback ? fallback : &box;
        }
        chosen = chosen ? chosen : fallback;
        if (!chosen && required) {
            chosen = visible ? visible : &candidates[0];
        }
        if (chosen) {
            emit(request, *chosen, texts);
        }
    }
    return texts;
}

}  // namespace routemap
