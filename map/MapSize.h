// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace map {

// A map written to a file is this big unless the user names another size.
inline constexpr int MAP_FILE_WIDTH = 1200;
inline constexpr int MAP_FILE_HEIGHT = 900;

// The most pixels a side of any map may have.
inline constexpr int LARGEST_MAP_SIDE = 16384;

// What a user may ask for: a side under 100 pixels has no room for a label
// and the scale, and beyond 100 million pixels the image alone takes 400 MB
// while it is drawn, for no more detail than the outlines hold.
inline constexpr int SMALLEST_MAP_FILE_SIDE = 100;
inline constexpr long long LARGEST_MAP_FILE_PIXELS = 100'000'000;

}  // namespace map
