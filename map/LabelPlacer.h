// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map/MapText.h"
#include "map/Projection.h"

#include <functional>
#include <vector>

namespace map {

struct Box {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
};

struct LabelLine {
    std::string text;
    double size = 12.0;
    bool bold = false;
    Rgb colour;
    bool halo = false;
};

// How far a line of text advances as the map draws it, in pixels.
using TextMeasure = std::function<double(const LabelLine& line)>;

// Greedy label placement by importance. No label is ever drawn over another,
// over a symbol or across a line that must stay in sight (a stretch of the
// route no beacon reaches): one that finds no free spot near its point is
// moved a little further out, and dropped when that does not help either.
// What a pilot needs most goes first: the departure's and destination's
// idents (never dropped while their airport is in the picture), the route's
// beacons (ident, then frequency, which stands over or under its own ident
// and nearer to it than to any other), the airports' names, the other
// beacons. Only the furniture (the scale, the north arrow) stands where it
// is put, whatever it covers.
class LabelPlacer {
public:
    enum class Importance { Furniture, RouteBeacon, AirportIdent, AirportName, Graticule, OtherBeacon };

    // Lines are measured by `measure` (cairoTextMeasure for the map as
    // drawn), and never taken narrower than their characters reckoned at
    // an average width, so that a viewer whose font runs wider sees no
    // overlap either.
    LabelPlacer(TextMeasure measure, int width, int height);

    // Symbols no label may cover.
    void addObstacle(const Box& box) { m_obstacles.push_back(box); }
    // Faint symbols a label covers only where no spot nearby is free of them.
    void addMinorSymbol(const Box& box) { m_minorSymbols.push_back(box); }
    // The route's lines, which labels avoid where they can; the other
    // beacons' idents never cross them.
    void addRouteLine(const std::vector<PixelPoint>& line) { m_routeLines.push_back(line); }
    // A line no label may cross.
    void addKeptLine(const std::vector<PixelPoint>& line) { m_keptLines.push_back(line); }

    // Whether a box would cover a symbol, the route or a kept line: where
    // furniture must not stand.
    bool coversRouteOrSymbol(const Box& box) const;

    // A route beacon's ident with its frequency under it. Where both do not
    // fit, the frequency gives way, also to a later beacon's ident.
    void addBeacon(const PixelPoint& anchor, double clearance, LabelLine ident, LabelLine frequency);
    // An airport's ident beside its symbol and its name next to the ident.
    void addAirport(const PixelPoint& anchor, double clearance, LabelLine ident, LabelLine name);
    // A label beside a point, `clearance` pixels away from it, shown where
    // it fits.
    void addBeside(Importance importance, const PixelPoint& anchor, double clearance, std::vector<LabelLine> lines);
    // A label with its top left corner at a fixed spot: furniture is always
    // shown, anything else where it fits.
    void addAt(Importance importance, const PixelPoint& topLeft, std::vector<LabelLine> lines);

    // Places all labels and returns their lines in the order placed.
    std::vector<MapText> place();

private:
    struct Request {
        Importance importance;
        PixelPoint anchor;
        double clearance;
        bool fixed;
        std::vector<LabelLine> lines;
        LabelLine second;  // the frequency or the name; empty when none
    };
    // One line of text put on the map, with the box it claims.
    struct Placed {
        MapText text;
        Box box;
        bool givesWay = false;  // a frequency, which a beacon's ident may displace
        bool removed = false;
        Box owner;  // a frequency's ident
    };
    // Where a block of lines would go: one box per line.
    struct Layout {
        std::vector<Box> boxes;
        int side = 0;  // -1 left of the point, 1 right of it, 0 above or below
        double penalty = 0.0;
    };

    double lineWidth(const LabelLine& line) const;
    // Whether no obstacle nor placed label lies on the box.
    bool isFree(const Box& box, bool ignoreGivingWay = false) const;
    bool crossesRoute(const Box& box) const;
    bool crossesKeptLine(const Box& box) const;
    // The airports' idents, never dropped while their point is in the picture.
    void placeAirportIdents(const std::vector<const Request*>& airports,
                            std::vector<std::pair<const Request*, Layout>>& placed);
    // Where a beacon's frequency may stand: over or under its ident, nearer
    // to it than to any other beacon's.
    std::vector<Layout> frequencyLayouts(const Layout& ident, const LabelLine& line) const;
    int minorSymbolsUnder(const Box& box) const;
    bool insidePicture(const Box& box) const;
    std::vector<Layout> layoutsAround(const PixelPoint& anchor, double clearance, const std::vector<LabelLine>& lines,
                                      int rings) const;
    bool best(const std::vector<Layout>& layouts, bool ignoreGivingWay, bool avoidRoute, Layout& chosen) const;
    void put(const std::vector<LabelLine>& lines, const Layout& layout, bool lastGivesWay, const Box& owner = {});

    // Where a second line may stand next to a placed first line.
    std::vector<Layout> layoutsBeside(const Layout& first, const LabelLine& line) const;
    // Places the beacons' idents, then their frequencies.
    void placeWithSecondLines(const std::vector<const Request*>& requests);
    // The airports' names beside their idents.
    void placeSecondLines(const std::vector<std::pair<const Request*, Layout>>& placed);

    TextMeasure m_measure;
    int m_width;
    int m_height;
    std::vector<Box> m_obstacles;
    std::vector<Box> m_minorSymbols;
    std::vector<std::vector<PixelPoint>> m_routeLines;
    std::vector<std::vector<PixelPoint>> m_keptLines;
    std::vector<Box> m_routeIdents;  // placed, for telling frequencies apart
    std::vector<Request> m_requests;
    std::vector<Placed> m_placed;
};

}  // namespace map
