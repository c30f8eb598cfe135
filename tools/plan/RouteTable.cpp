#include "RouteTable.h"

#include "TextColumns.h"

namespace {

const std::size_t kWidths[] = {24, 6, 11, 11, 6, 11, 11};
const std::vector<std::string> kHeading = {"Navigation Name", "Freq", "Latitude", "Longtitude",
                                           "Alt.", "Dist Dept.", "Dist Dest."};
const std::vector<std::string> kUnderline = {std::string(23, '='), std::string(5, '='),  std::string(10, '='),
                                             std::string(10, '='), std::string(5, '='),  std::string(10, '='),
                                             std::string(10, '=')};

std::string Line(const std::vector<std::string>& cells)
{
    std::string line;
    for (std::size_t i = 0; i < cells.size() && i < std::size(kWidths); ++i)
        AppendCell(line, cells[i], kWidths[i]);
    return line;
}

}  // namespace

void PrintRouteTable(std::ostream& out, const std::vector<std::vector<std::string>>& rows)
{
    out << Line(kHeading) << "\n" << Line(kUnderline) << "\n";
    for (const auto& row : rows)
        out << Line(row) << "\n";
}

void PrintRouteTsv(std::ostream& out, const std::vector<std::vector<std::string>>& rows)
{
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i)
            out << (i ? "\t" : "") << row[i];
        out << "\n";
    }
}
