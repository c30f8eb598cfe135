// SPDX-License-Identifier: GPL-3.0-or-later
#include "kneeboard/Paper.h"

#include <glib.h>

namespace kneeboard {

namespace {

constexpr double POINTS_PER_MM = 72.0 / 25.4;

struct PaperRow {
    Paper paper;
    const char* name;
    PaperSize size;
};

// ISO sizes in whole millimetres, the American ones in whole inches.
constexpr PaperRow PAPERS[] = {
    {Paper::A5, "a5", {148 * POINTS_PER_MM, 210 * POINTS_PER_MM}},
    {Paper::A4, "a4", {210 * POINTS_PER_MM, 297 * POINTS_PER_MM}},
    {Paper::Letter, "letter", {8.5 * 72, 11 * 72}},
    {Paper::HalfLetter, "half-letter", {5.5 * 72, 8.5 * 72}},
};

}  // namespace

PaperSize paperSize(Paper paper)
{
    for (const PaperRow& row : PAPERS) {
        if (row.paper == paper)
            return row.size;
    }
    return PAPERS[0].size;
}

std::optional<Paper> parsePaper(std::string_view name)
{
    for (const PaperRow& row : PAPERS) {
        if (name.size() == std::string_view(row.name).size() &&
            g_ascii_strncasecmp(name.data(), row.name, name.size()) == 0)
            return row.paper;
    }
    return std::nullopt;
}

const char* paperName(Paper paper)
{
    for (const PaperRow& row : PAPERS) {
        if (row.paper == paper)
            return row.name;
    }
    return PAPERS[0].name;
}

}  // namespace kneeboard
