// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map/MapScene.h"
#include "map/Outlines.h"

#include <wx/menu.h>
#include <wx/window.h>

#include <functional>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

// The route map in the window: the plan (or the airports chosen so far) over
// land, sea and borders. The mouse wheel zooms about the pointer, dragging
// pans, a double-click on a beacon or airport shows its facts. A new scene,
// Home (once a click gave the map the focus) and "Show whole route" in its
// context menu bring the view back to one that fits the route; with nothing
// chosen it shows the world.
class MapWindow : public wxWindow {
public:
    explicit MapWindow(wxWindow* parent);

    // The map is worked with the mouse; Tab passes it by.
    bool AcceptsFocusFromKeyboard() const override { return false; }

    void SetScene(map::MapScene scene);
    // While a flight is followed: the leg flown and the aircraft over the
    // scene (nullopt for none), without moving the view, unless the map
    // follows the aircraft: then it is centred on it at the present scale.
    void SetFlight(std::optional<std::size_t> activeLeg, std::optional<map::AircraftMark> aircraft);
    void SetFollowAircraft(bool on);
    bool FollowsAircraft() const { return m_followAircraft; }
    const map::MapScene& Scene() const { return m_scene; }
    // The view as drawn now, fitted to the window until the user moves it.
    map::MapView View() const;

    // Zooms by a factor (above 1 closer) about a pixel, and pans by pixels.
    void Zoom(double factor, const wxPoint& about);
    void Pan(const wxPoint& by);
    // Back to the view that fits the whole route.
    void ShowWholeRoute();
    // Whether the user zoomed or panned away from that view.
    bool Moved() const { return m_view.has_value(); }
    // The point of the scene drawn nearest a pixel, within a few pixels.
    std::optional<map::MapPoint> PointAt(const wxPoint& pixel) const;

    // The outlines, loaded on first use; nullptr (and the reason in `why`)
    // when they cannot be read: the map then shows the route on plain sea.
    const map::Outlines* Outlines(std::string* why = nullptr);

    // What a double-click on a point does; an information box unless
    // replaced (tests look instead).
    std::function<void(const map::MapPoint&)> m_showFacts;
    // Adds the owner's items under the map's own in its context menu.
    void ExtendMenu(std::function<void(wxMenu&)> extend) { m_extendMenu = std::move(extend); }
    // Shows the context menu; a popup unless replaced (tests look instead).
    std::function<void(wxMenu&)> m_showMenu;

    static const int ID_SHOW_WHOLE_ROUTE;

private:
    std::function<void(wxMenu&)> m_extendMenu;

    void OnPaint(wxPaintEvent& event);
    void OnWheel(wxMouseEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnDoubleClick(wxMouseEvent& event);
    void OnContextMenu(wxContextMenuEvent& event);
    void OnKeyDown(wxKeyEvent& event);

    map::MapScene m_scene;
    std::optional<map::MapView> m_view;  // set once the user zooms or pans
    std::unique_ptr<map::Outlines> m_outlines;
    std::string m_outlinesError;
    bool m_outlinesTried = false;
    wxPoint m_dragFrom;
    bool m_followAircraft = true;
};

// The facts of a point of the map as a pilot reads them.
std::string MapPointFacts(const map::MapPoint& point);
