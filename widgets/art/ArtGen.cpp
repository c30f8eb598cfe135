// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the program's artwork as files for the desktop: the application
// icon as PNG images of the hicolor sizes and as SVG, and the About picture.
//
//   meridane-artgen OUTPUT_DIR
//
// gives OUTPUT_DIR/hicolor/<n>x<n>/apps/meridane.png for each size,
// OUTPUT_DIR/hicolor/scalable/apps/meridane.svg and OUTPUT_DIR/about.png.

#include "widgets/RoseArt.h"

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

void PutU32(std::string& out, std::uint32_t v)
{
    out += static_cast<char>(v >> 24);
    out += static_cast<char>(v >> 16);
    out += static_cast<char>(v >> 8);
    out += static_cast<char>(v);
}

void PutChunk(std::string& out, const char* type, const std::string& data)
{
    PutU32(out, static_cast<std::uint32_t>(data.size()));
    std::string body = std::string(type, 4) + data;
    out += body;
    PutU32(out, static_cast<std::uint32_t>(
                    crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
}

std::string EncodePng(const std::vector<std::uint8_t>& rgba, int width, int height)
{
    // Each row starts with filter type 0 (none).
    std::string raw;
    for (int y = 0; y < height; ++y) {
        raw += '\0';
        raw.append(reinterpret_cast<const char*>(&rgba[static_cast<std::size_t>(y) * width * 4]),
                   static_cast<std::size_t>(width) * 4);
    }
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::string packed(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(raw.data()),
                  static_cast<uLong>(raw.size()), 9) != Z_OK)
        throw std::runtime_error("compression failed");
    packed.resize(size);

    std::string png = "\x89PNG\r\n\x1a\n";
    std::string header;
    PutU32(header, static_cast<std::uint32_t>(width));
    PutU32(header, static_cast<std::uint32_t>(height));
    header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, deflate, no filter, no interlace
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", packed);
    PutChunk(png, "IEND", "");
    return png;
}

void WriteFile(const std::filesystem::path& path, const std::string& data)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << data;
    if (!out.flush())
        throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    try {
        const std::filesystem::path out = argv[1];
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            std::string dir = std::to_string(size) + "x" + std::to_string(size);
            WriteFile(out / "hicolor" / dir / "apps" / "meridane.png",
                      EncodePng(widgets::Render(widgets::IconScene(size), size, size), size, size));
        }
        WriteFile(out / "hicolor" / "scalable" / "apps" / "meridane.svg", widgets::ToSvg(widgets::IconScene(256)));
        WriteFile(out / "about.png", EncodePng(widgets::Render(widgets::AboutScene(), widgets::ABOUT_WIDTH, widgets::ABOUT_HEIGHT),
                                               widgets::ABOUT_WIDTH, widgets::ABOUT_HEIGHT));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
        return 1;
    }
    return 0;
}
