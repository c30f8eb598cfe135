// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map/MapScene.h"
#include "map/Outlines.h"

#include <string>

namespace map {

// The map as an SVG document, every label kept as a <text> element so that
// it can be found, copied and printed sharply.
std::string renderSvg(const Outlines& outlines, const MapScene& scene, const MapView& view, int width, int height);
// The map as a PNG image.
std::string renderPng(const Outlines& outlines, const MapScene& scene, const MapView& view, int width, int height);

// Throws MapError naming the file unless its extension is .svg or .png: for
// callers that check a name before any work starts.
void requireMapFileName(const std::string& path);

// Writes the map of a scene to path, as SVG or PNG by its extension (.svg,
// .png, in any case), with the view that fits the route or the one given.
// The file appears whole or not at all. Throws MapError naming the file for
// another extension, a size out of range or a file that cannot be written,
// and leaves no file then.
void writeMapFile(const std::string& path, const Outlines& outlines, const MapScene& scene, int width, int height);
void writeMapFile(const std::string& path, const Outlines& outlines, const MapScene& scene, const MapView& view,
                  int width, int height);

}  // namespace map
