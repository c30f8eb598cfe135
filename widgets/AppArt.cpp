// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/AppArt.h"

#include "widgets/Resource.h"
#include "widgets/RoseArt.h"

#include <wx/image.h>

#include <cstdlib>
#include <cstring>

namespace {

wxImage ToImage(const std::vector<std::uint8_t>& rgba, int width, int height)
{
    const std::size_t pixels = static_cast<std::size_t>(width) * height;
    // wxImage takes ownership of malloc'ed planes.
    auto* rgb = static_cast<unsigned char*>(std::malloc(pixels * 3));
    auto* alpha = static_cast<unsigned char*>(std::malloc(pixels));
    for (std::size_t i = 0; i < pixels; ++i) {
        std::memcpy(rgb + i * 3, &rgba[i * 4], 3);
        alpha[i] = rgba[i * 4 + 3];
    }
    return wxImage(width, height, rgb, alpha);
}

}  // namespace

wxIconBundle LoadAppIcons()
{
    wxIconBundle bundle;
    for (int size : APP_ICON_SIZES) {
        wxIcon icon;
        icon.CopyFromBitmap(wxBitmap(ToImage(widgets::Render(widgets::IconScene(size), size, size), size, size)));
        bundle.AddIcon(icon);
    }
    return bundle;
}

wxBitmap LoadResourceBitmap(int id)
{
    if (id != IDB_ABOUT)
        return wxBitmap();
    return wxBitmap(ToImage(widgets::Render(widgets::AboutScene(), widgets::ABOUT_WIDTH, widgets::ABOUT_HEIGHT),
                            widgets::ABOUT_WIDTH, widgets::ABOUT_HEIGHT));
}
