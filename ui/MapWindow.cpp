// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MapWindow.h"

#include "ui/TextConvert.h"
#include "map/MapError.h"
#include "map/MapRenderer.h"
#include "map/Projection.h"
#include "map/ViewFit.h"

#include <wx/dcbuffer.h>
#include <wx/msgdlg.h>
#include <wx/rawbmp.h>

#include <cairo.h>

#include <cmath>
#include <cstdio>

namespace {

// How near a double-click must fall to a symbol, in pixels.
const double PICK_RADIUS = 9.0;

std::string Degrees(double value, char positive, char negative)
{
    char text[32];
    std::snprintf(text, sizeof text, "%c%.4f°", value < 0 ? negative : positive, std::fabs(value));
    return text;
}

}  // namespace

const int MapWindow::ID_SHOW_WHOLE_ROUTE = wxWindow::NewControlId();

std::string MapPointFacts(const map::MapPoint& point)
{
    std::string facts = point.ident + "  " + point.name + "\n";
    facts += point.kind == map::MapPoint::Kind::Airport ? "Airport"
             : point.kind == map::MapPoint::Kind::Ndb   ? "NDB"
                                                             : "VOR";
    if (!point.frequency.empty())
        facts += "  " + point.frequency;
    facts += "\n" + Degrees(point.lat, 'N', 'S') + "  " + Degrees(point.lon, 'E', 'W');
    return facts;
}

MapWindow::MapWindow(wxWindow* parent)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_SUNKEN | wxFULL_REPAINT_ON_RESIZE)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetMinSize(FromDIP(wxSize(200, 150)));
    m_showFacts = [this](const map::MapPoint& point) {
        wxMessageBox(ToWx(MapPointFacts(point)), ToWx(point.ident), wxOK | wxICON_INFORMATION, this);
    };
    Bind(wxEVT_PAINT, &MapWindow::OnPaint, this);
    Bind(wxEVT_MOUSEWHEEL, &MapWindow::OnWheel, this);
    Bind(wxEVT_LEFT_DOWN, &MapWindow::OnLeftDown, this);
    Bind(wxEVT_MOTION, &MapWindow::OnMotion, this);
    Bind(wxEVT_LEFT_DCLICK, &MapWindow::OnDoubleClick, this);
    m_showMenu = [this](wxMenu& menu) { PopupMenu(&menu); };
    Bind(wxEVT_CONTEXT_MENU, &MapWindow::OnContextMenu, this);
    Bind(wxEVT_KEY_DOWN, &MapWindow::OnKeyDown, this);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { ShowWholeRoute(); }, ID_SHOW_WHOLE_ROUTE);
}

void MapWindow::ShowWholeRoute()
{
    m_view.reset();
    Refresh();
}

void MapWindow::OnContextMenu(wxContextMenuEvent&)
{
    wxMenu menu;
    menu.Append(ID_SHOW_WHOLE_ROUTE, "Show &whole route\tHome");
    menu.Enable(ID_SHOW_WHOLE_ROUTE, Moved());
    if (m_extendMenu) {
        menu.AppendSeparator();
        m_extendMenu(menu);
    }
    m_showMenu(menu);
}

void MapWindow::OnKeyDown(wxKeyEvent& event)
{
    if (event.GetKeyCode() == WXK_HOME && !event.HasAnyModifiers())
        ShowWholeRoute();
    else
        event.Skip();
}

void MapWindow::SetScene(map::MapScene scene)
{
    m_scene = std::move(scene);
    m_view.reset();
    Refresh();
}

void MapWindow::SetFlight(std::optional<std::size_t> activeLeg, std::optional<map::AircraftMark> aircraft)
{
    m_scene.activeLeg = activeLeg;
    m_scene.aircraft = std::move(aircraft);
    if (m_followAircraft && m_scene.aircraft && std::isfinite(m_scene.aircraft->lat) &&
        std::isfinite(m_scene.aircraft->lon)) {
        map::MapView view = View();
        view.centerLat = m_scene.aircraft->lat;
        view.centerLon = m_scene.aircraft->lon;
        m_view = view;
    }
    Refresh();
}

void MapWindow::SetFollowAircraft(bool on)
{
    m_followAircraft = on;
    if (on && m_scene.aircraft)
        SetFlight(m_scene.activeLeg, m_scene.aircraft);
}

map::MapView MapWindow::View() const
{
    if (m_view)
        return *m_view;
    const wxSize size = GetClientSize();
    return map::fitView(m_scene, std::max(1, size.x), std::max(1, size.y));
}

void MapWindow::Pan(const wxPoint& by)
{
    const wxSize size = GetClientSize();
    map::MapView view = View();
    const map::Projection projection(view, std::max(1, size.x), std::max(1, size.y));
    const auto centre = projection.toDegrees({size.x / 2.0 + by.x, size.y / 2.0 + by.y});
    if (!centre)
        return;  // beyond the rim: the earth stays where it is
    view.centerLat = centre->lat;
    view.centerLon = centre->lon;
    m_view = view;
    Refresh();
}

void MapWindow::Zoom(double factor, const wxPoint& about)
{
    const wxSize size = GetClientSize();
    const int w = std::max(1, size.x), h = std::max(1, size.y);
    map::MapView view = View();
    const auto anchor = map::Projection(view, w, h).toDegrees({double(about.x), double(about.y)});
    // From a few miles across to the whole earth.
    view.nmPerPixel = std::clamp(view.nmPerPixel / factor, 0.02, map::worldView(w, h).nmPerPixel * 1.5);
    m_view = view;
    if (anchor) {
        // Keep the point under the pointer where it was.
        const auto moved = map::Projection(view, w, h).toPixels(anchor->lat, anchor->lon);
        Pan(wxPoint(static_cast<int>(std::lround(moved.x - about.x)), static_cast<int>(std::lround(moved.y - about.y))));
    }
    Refresh();
}

std::optional<map::MapPoint> MapWindow::PointAt(const wxPoint& pixel) const
{
    const wxSize size = GetClientSize();
    const map::Projection projection(View(), std::max(1, size.x), std::max(1, size.y));
    std::optional<map::MapPoint> nearest;
    double best = PICK_RADIUS;
    auto consider = [&](const map::MapPoint& point) {
        const auto p = projection.toPixels(point.lat, point.lon);
        const double distance = std::hypot(p.x - pixel.x, p.y - pixel.y);
        if (distance <= best) {
            best = distance;
            nearest = point;
        }
    };
    // The route first: its symbols are drawn over the others.
    for (const auto& point : m_scene.route)
        consider(point);
    if (!nearest) {
        for (const auto& point : m_scene.otherBeacons)
            consider(point);
    }
    return nearest;
}

const map::Outlines* MapWindow::Outlines(std::string* why)
{
    if (!m_outlinesTried) {
        m_outlinesTried = true;
        try {
            m_outlines = std::make_unique<map::Outlines>(map::loadOutlines(map::outlinesDirectory()));
        } catch (const std::exception& e) {
            m_outlinesError = e.what();
        }
    }
    if (why)
        *why = m_outlinesError;
    return m_outlines.get();
}

void MapWindow::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    const wxSize size = GetClientSize();
    if (size.x < 1 || size.y < 1)
        return;
    static const map::Outlines none;
    std::string why;
    const map::Outlines* outlines = Outlines(&why);

    // Drawn on an image of the window's size, then shown: the same painters
    // as the files use, whatever the toolkit's own drawing backend.
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, size.x, size.y);
    cairo_t* cr = cairo_create(surface);
    try {
        map::drawMap(cr, outlines ? *outlines : none, m_scene, View(), size.x, size.y);
    } catch (const map::MapError& e) {
        why = e.what();
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface);

    wxBitmap bitmap(size.x, size.y, 24);
    {
        wxNativePixelData pixels(bitmap);
        const unsigned char* row = cairo_image_surface_get_data(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        wxNativePixelData::Iterator line(pixels);
        for (int y = 0; y < size.y; ++y, row += stride) {
            wxNativePixelData::Iterator p = line;
            const auto* source = reinterpret_cast<const std::uint32_t*>(row);
            for (int x = 0; x < size.x; ++x, ++p) {
                p.Red() = static_cast<unsigned char>(source[x] >> 16);
                p.Green() = static_cast<unsigned char>(source[x] >> 8);
                p.Blue() = static_cast<unsigned char>(source[x]);
            }
            line.OffsetY(pixels, 1);
        }
    }
    cairo_surface_destroy(surface);
    dc.DrawBitmap(bitmap, 0, 0);
    if (!why.empty()) {
        dc.SetTextForeground(*wxBLACK);
        dc.DrawText(ToWx("No land outlines: " + why), FromDIP(6), FromDIP(6));
    }
}

void MapWindow::OnWheel(wxMouseEvent& event)
{
    if (event.GetWheelRotation() == 0)
        return;
    Zoom(event.GetWheelRotation() > 0 ? 1.25 : 0.8, event.GetPosition());
}

void MapWindow::OnLeftDown(wxMouseEvent& event)
{
    m_dragFrom = event.GetPosition();
    SetFocus();
    event.Skip();
}

void MapWindow::OnMotion(wxMouseEvent& event)
{
    if (!event.Dragging() || !event.LeftIsDown())
        return;
    const wxPoint by = m_dragFrom - event.GetPosition();
    m_dragFrom = event.GetPosition();
    Pan(by);
}

void MapWindow::OnDoubleClick(wxMouseEvent& event)
{
    if (auto point = PointAt(event.GetPosition()))
        m_showFacts(*point);
}
