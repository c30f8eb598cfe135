// SPDX-License-Identifier: GPL-3.0-or-later
// Times what the route map costs: loading the outlines once, and drawing a
// route map at 1200x900 into an image with the outlines loaded. Prints the
// wall time and this thread's processor time, which other busy processes on
// the machine disturb less.
//   map_bench [OUTLINES_DIR] [DRAWS]
#include "bench/BenchClock.h"
#include "map/MapRenderer.h"
#include "map/Outlines.h"
#include "map/ViewFit.h"
#include "tests/map/SampleScenes.h"

#include <cairo.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

using bench::Clock;

double msSince(Clock::time_point start)
{
    return bench::millisecondsSince(start);
}

double cpuMs()
{
    return bench::cpuMilliseconds(CLOCK_THREAD_CPUTIME_ID);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void timeDraws(const char* name, const map::Outlines& outlines, const map::MapScene& scene, int draws)
{
    const int width = 1200;
    const int height = 900;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(surface);
    const map::MapView view = map::fitView(scene, width, height);
    std::vector<double> wall;
    std::vector<double> cpu;
    for (int i = 0; i < draws; ++i) {
        const auto start = Clock::now();
        const double cpuStart = cpuMs();
        map::drawMap(cr, outlines, scene, view, width, height);
        cairo_surface_flush(surface);
        cpu.push_back(cpuMs() - cpuStart);
        wall.push_back(msSince(start));
    }
    std::printf("draw %-10s %s: median %5.1f ms wall, %5.1f ms cpu; slowest %5.1f ms wall (goal < 50 ms)\n", name,
                map::usesFineOutlines(view, width) ? "1:50m " : "1:110m", median(wall), median(cpu),
                *std::max_element(wall.begin(), wall.end()));
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

}  // namespace

int main(int argc, char** argv)
{
    const char* directory = argc > 1 ? argv[1] : MERIDANE_NATURALEARTH_DIR;
    const int draws = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;

    map::Outlines outlines;
    try {
        const auto start = Clock::now();
        const double cpuStart = cpuMs();
        outlines = map::loadOutlines(directory);
        std::printf("load outlines:          %5.1f ms wall, %5.1f ms cpu (goal < 200 ms)\n", msSince(start),
                    cpuMs() - cpuStart);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "map_bench: %s\n", e.what());
        return 1;
    }
    timeDraws("KJFK-KLAX", outlines, maptest::newYorkToLosAngeles(), draws);
    timeDraws("EGLL-LFPG", outlines, maptest::londonToParis(), draws);
    timeDraws("NFFN-NSFA", outlines, maptest::fijiToSamoa(), draws);
    timeDraws("world", outlines, {}, draws);
    return 0;
}
