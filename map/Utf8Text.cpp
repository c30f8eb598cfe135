#include "map/Utf8Text.h"

namespace routemap {

namespace {

// Length of the valid UTF-8 sequence at the start of s, or 0.
std::size_t validSequence(std::string_view s)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(0);
    std::size_t length;
    unsigned long codePoint;
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (s.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return 0;
        }
        codePoint = (codePoint << 6) | (byte(i) & 0x3F);
    }
    const bool overlong = (length == 3 && codePoint < 0x800) || (length == 4 && codePoint < 0x10000);
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (overlong || surrogate || codePoint > 0x10FFFF || codePoint == 0xFFFE || codePoint == 0xFFFF) {
        return 0;
    }
    return length;
}

}  // namespace

std::string labelText(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    while (!bytes.empty()) {
        const unsigned char lead = static_cast<unsigned char>(bytes[0]);
        const std::size_t length = validSequence(bytes);
        if (lead < 0x20 || lead == 0x7F) {
            text += ' ';
        } else if (length == 1) {
            text += static_cast<char>(lead);
        } else if (length > 1) {
            // C1 controls (U+0080..U+009F) are no text either.
            const bool c1 = lead == 0xC2 && static_cast<unsigned char>(bytes[1]) < 0xA0;
            text += c1 ? std::string(" ") : std::string(bytes.substr(0, length));
        } else {
            // A Latin-1 byte: U+0080..U+00FF, with its C1 controls as spaces.
            if (lead < 0xA0) {
                text += ' ';
            } else {
                text += static_cast<char>(0xC0 | (lead >> 6));
                text += static_cast<char>(0x80 | (lead & 0x3F));
            }
        }
        bytes.remove_prefix(length > 0 ? length : 1);
    }
    return text;
}

}  // namespace routemap
