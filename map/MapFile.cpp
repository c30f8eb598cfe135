// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/MapFile.h"

#include "base/AsciiText.h"
#include "base/WholeFile.h"

#include "map/MapError.h"
#include "map/MapRenderer.h"
#include "map/MapSize.h"
#include "map/SvgText.h"
#include "map/ViewFit.h"

#include <cairo-svg.h>
#include <cairo.h>

#include <memory>

namespace map {

namespace {

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length)
{
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
using Context = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;

void check(cairo_status_t status)
{
    if (status != CAIRO_STATUS_SUCCESS) {
        throw MapError(std::string("the map could not be drawn: ") + cairo_status_to_string(status));
    }
}

void checkSize(int width, int height)
{
    if (width < 1 || height < 1 || width > LARGEST_MAP_SIDE || height > LARGEST_MAP_SIDE) {
        throw MapError("a map of " + std::to_string(width) + "x" + std::to_string(height) +
                       " pixels cannot be drawn: each side must be 1 to " + std::to_string(LARGEST_MAP_SIDE));
    }
}

}  // namespace

void requireMapFileName(const std::string& path)
{
    const std::string extension = base::lowerExtension(path);
    if (extension != ".svg" && extension != ".png")
        throw MapError(base::cannotWriteText("map file", path, "the name must end in .svg or .png"));
}

std::string renderSvg(const Outlines& outlines, const MapScene& scene, const MapView& view, int width, int height)
{
    checkSize(width, height);
    std::string svg;
    std::vector<MapText> texts;
    {
        Surface surface(cairo_svg_surface_create_for_stream(appendBytes, &svg, width, height), cairo_surface_destroy);
        check(cairo_surface_status(surface.get()));
        cairo_svg_surface_set_document_unit(surface.get(), CAIRO_SVG_UNIT_PX);
        Context cr(cairo_create(surface.get()), cairo_destroy);
        // Cairo would write each glyph as a path; the labels go in as text.
        texts = drawMap(cr.get(), outlines, scene, view, width, height, TextMode::Return);
        check(cairo_status(cr.get()));
        cairo_surface_finish(surface.get());
        check(cairo_surface_status(surface.get()));
    }
    return withElementsAtEnd(svg, svgTextElements(texts));
}

std::string renderPng(const Outlines& outlines, const MapScene& scene, const MapView& view, int width, int height)
{
    checkSize(width, height);
    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height), cairo_surface_destroy);
    check(cairo_surface_status(surface.get()));
    {
        Context cr(cairo_create(surface.get()), cairo_destroy);
        drawMap(cr.get(), outlines, scene, view, width, height, TextMode::Draw);
        check(cairo_status(cr.get()));
    }
    std::string png;
    check(cairo_surface_write_to_png_stream(surface.get(), appendBytes, &png));
    return png;
}

void writeMapFile(const std::string& path, const Outlines& outlines, const MapScene& scene, const MapView& view,
                  int width, int height)
{
    requireMapFileName(path);
    const bool svg = base::lowerExtension(path) == ".svg";
    std::string bytes;
    try {
        bytes = svg ? renderSvg(outlines, scene, view, width, height)
                                   : renderPng(outlines, scene, view, width, height);
    } catch (const MapError& e) {
        throw MapError(base::cannotWriteText("map file", path, e.what()));
    }
    if (std::optional<base::WriteFailure> failure = base::writeFileWhole(path, bytes))
        throw MapError(base::cannotWriteText("map file", path, *failure));
}

void writeMapFile(const std::string& path, const Outlines& outlines, const MapScene& scene, int width, int height)
{
    writeMapFile(path, outlines, scene, fitView(scene, width, height), width, height);
}

}  // namespace map
