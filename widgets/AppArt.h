// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <wx/bitmap.h>
#include <wx/iconbndl.h>

// Icon 128 in every size the window manager may ask for.
wxIconBundle LoadAppIcons();

// A bitmap resource (IDB_ABOUT); an invalid bitmap for an unknown id.
wxBitmap LoadResourceBitmap(int id);

// The sizes of icon 128: 16 and 32 for the window, larger for the desktop.
inline constexpr int APP_ICON_SIZES[] = {16, 32, 48, 64};
