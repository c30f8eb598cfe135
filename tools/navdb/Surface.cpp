// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/navdb/Surface.h"

#include "tools/navdb/Numbers.h"

#include <glib.h>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace navdb {

namespace {

struct SurfaceWord {
    std::string_view word;  // upper case
    std::string_view name;  // at most 10 characters, to fit the runway list
};

// Chosen from the codes that occur most often in runways.csv. Upper case
// letters of Latin-1 are written as UTF-8 upper case (PIÇARRA).
constexpr std::array<SurfaceWord, 82> WORDS{{
    {"ASP", "Asphalt"}, {"ASPH", "Asphalt"}, {"ASPHALT", "Asphalt"}, {"ASFALT", "Asphalt"},
    {"ASPHAULT", "Asphalt"}, {"ASPHALTE", "Asphalt"}, {"TAR", "Asphalt"}, {"TARMAC", "Asphalt"},
    {"MAC", "Asphalt"}, {"MACADAM", "Asphalt"}, {"BLACKTOP", "Asphalt"},
    {"BIT", "Bitumen"}, {"BITUM", "Bitumen"}, {"BITUMEN", "Bitumen"}, {"BITUMINOUS", "Bitumen"},
    {"CON", "Concrete"}, {"CONC", "Concrete"}, {"CONCRETE", "Concrete"}, {"CEMENT", "Concrete"},
    {"PEM", "Paved"}, {"PER", "Paved"}, {"PAVED", "Paved"}, {"SEALED", "Paved"},
    {"HARD", "Paved"},
    {"GRS", "Grass"}, {"GRASS", "Grass"}, {"GRAS", "Grass"}, {"GRAAS", "Grass"},
    {"GRASSED", "Grass"}, {"TURF", "Grass"}, {"TORF", "Grass"}, {"SOD", "Grass"},
    {"ERBA", "Grass"},
    {"GRE", "Gravel"}, {"GRVL", "Gravel"}, {"GRAVEL", "Gravel"}, {"GVL", "Gravel"},
    {"GRV", "Gravel"}, {"GRAV", "Gravel"}, {"OILGRAVEL", "Gravel"}, {"CRUSHED", "Gravel"},
    {"CALICHE", "Gravel"}, {"PI\xC3\x87" "ARRA", "Gravel"}, {"PI\xC3\x87", "Gravel"},
    {"SAIBRO", "Gravel"},
    {"DIRT", "Dirt"}, {"EARTH", "Dirt"}, {"SOIL", "Dirt"}, {"GROUND", "Dirt"}, {"TER", "Dirt"},
    {"UNPAVED", "Unpaved"},
    {"WATER", "Water"}, {"WAT", "Water"},
    {"SAND", "Sand"}, {"SAN", "Sand"},
    {"CLAY", "Clay"}, {"CLA", "Clay"},
    {"SNOW", "Snow"}, {"SNO", "Snow"},
    {"ICE", "Ice"},
    {"COR", "Coral"}, {"CORAL", "Coral"},
    {"LAT", "Laterite"}, {"LATERITE", "Laterite"},
    {"MAT", "Steel mats"}, {"MATS", "Steel mats"}, {"PSP", "Steel mats"},
    {"PIERCED", "Steel mats"}, {"MARSDEN", "Steel mats"},
    {"MET", "Metal"}, {"METAL", "Metal"}, {"MTAL", "Metal"}, {"STEEL", "Metal"},
    {"ALUM", "Metal"}, {"ALUMINUM", "Metal"}, {"ALUMINIUM", "Metal"},
    {"WOOD", "Wood"}, {"DECK", "Wood"},
    {"BRICK", "Brick"},
    {"ROOF", "Rooftop"}, {"ROOFTOP", "Rooftop"},
    {"UNK", "Unknown"},
}};

// "UNKNOWN" is matched whole only: as a word inside a compound it tells nothing.
constexpr std::string_view UNKNOWN_WHOLE = "UNKNOWN";

const std::vector<std::pair<std::string_view, std::string_view>>& sortedWords()
{
    static const auto words = [] {
        std::vector<std::pair<std::string_view, std::string_view>> sorted;
        for (const auto& entry : WORDS) {
            sorted.emplace_back(entry.word, entry.name);
        }
        std::sort(sorted.begin(), sorted.end());
        return sorted;
    }();
    return words;
}

std::string_view lookup(std::string_view word)
{
    const auto& words = sortedWords();
    const auto it = std::lower_bound(words.begin(), words.end(), std::make_pair(word, std::string_view()));
    if (it != words.end() && it->first == word) {
        return it->second;
    }
    return {};
}

// Upper case for ASCII and for the Latin-1 letters of UTF-8 (ç → Ç), enough
// for the Portuguese and Spanish codes in the data.
std::string upper(std::string_view text)
{
    std::string result(text);
    for (std::size_t i = 0; i < result.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(result[i]);
        if (g_ascii_islower(static_cast<char>(c))) {
            result[i] = g_ascii_toupper(static_cast<char>(c));
        } else if (c == 0xC3 && i + 1 < result.size()) {
            const unsigned char next = static_cast<unsigned char>(result[i + 1]);
            if (next >= 0xA0 && next <= 0xBE && next != 0xB7) {
                result[i + 1] = static_cast<char>(next - 0x20);
            }
            ++i;
        }
    }
    return result;
}

bool isWordByte(unsigned char c)
{
    return g_ascii_isupper(static_cast<char>(c)) || g_ascii_isdigit(static_cast<char>(c)) || c >= 0x80;
}

}  // namespace

std::string surfaceName(std::string_view code)
{
    const std::string_view given = trimBlanks(code);
    const std::string text = upper(given);
    if (text == UNKNOWN_WHOLE) {
        return "Unknown";
    }
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && !isWordByte(static_cast<unsigned char>(text[pos]))) {
            ++pos;
        }
        std::size_t end = pos;
        while (end < text.size() && isWordByte(static_cast<unsigned char>(text[end]))) {
            ++end;
        }
        if (end > pos) {
            const std::string_view name = lookup(std::string_view(text).substr(pos, end - pos));
            if (!name.empty()) {
                return std::string(name);
            }
        }
        pos = end;
    }
    return std::string(given);
}

}  // namespace navdb
