// SPDX-License-Identifier: GPL-3.0-or-later
// Counts the overlapping label pairs of map SVGs: svg_label_overlaps FILE...
#include "tests/map/SvgLabels.h"

#include <fstream>
#include <iostream>
#include <sstream>

int main(int argc, char** argv)
{
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        std::ifstream in(argv[i]);
        if (!in) {
            std::cerr << argv[i] << ": cannot be read\n";
            status = 1;
            continue;
        }
        std::ostringstream svg;
        svg << in.rdbuf();
        const auto labels = maptest::svgLabels(svg.str());
        const auto pairs = maptest::overlappingLabels(labels);
        std::cout << argv[i] << ": " << labels.size() << " labels, " << pairs.size() << " overlapping pairs\n";
        for (const auto& [a, b] : pairs) {
            std::cout << "  \"" << a.text << "\" / \"" << b.text << "\"\n";
        }
    }
    return status;
}
