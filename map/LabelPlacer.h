#pragma once

#include "map/MapText.h"
#include "map/Projection.h"

#include <cairo.h>

#include <vector>

namespace routemap {

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

// Greedy label placement: labels are taken in order of importance, each put
// at the first of a few spots round its point that is clear of the labels
// and symbols already there, and of the route where it can be.
class LabelPlacer {
public:
    enum class Importance { Furniture, Route, Graticule, OtherVor };

    LabelPlacer(cairo_t* cr, int width, int height);

    // Symbols the labels keep clear of.
    void addObstacle(const Box& box) { m_obstacles.push_back(box); }
    // The route's lines, which labels avoid unless no other spot is free.
    void addRouteLine(const std::vector<PixelPoint>& line) { m_routeLines.push_back(line); }

    // A label beside a point, `clearance` pixels away from it.
    void addBeside(Importance importance, const PixelPoint& anchor, double clearance, std::vector<LabelLine> lines);
    // A label with its top left corner at a fixed spot.
    void addAt(Importance importance, const PixelPoint& topLeft, std::vector<LabelLine> lines);

    // Places all labels, most important first. Route and furniture labels
    // are always shown; the others only where they fit.
    std::vector<MapText> place();

private:
    struct Request {
        Importance importance;
        PixelPoint anchor;
        double clearance;
        bool fixed;
        std::vector<LabelLine> lines;
    };

    double lineWidth(const LabelLine& line) const;
    bool clear(const Box& box) const;
    bool crossesRoute(const Box& box) const;
    bool insidePicture(const Box& box) const;
    void emit(const Request& request, const Box& box, std::vector<MapText>& out);

    cairo_t* m_cr;
    int m_width;
    int m_height;
    std::vector<Box> m_obstacles;
    std::vector<Box> m_placed;
    std::vector<std::vector<PixelPoint>> m_routeLines;
    std::vector<Request> m_requests;
};

}  // namespace routemap
