// SPDX-License-Identifier: GPL-3.0-or-later
// What following a flight costs in the window: from a position update to
// the map and strip redrawn, in the plan pane at the size the main window
// gives it by default, with a KJFK-KLAX plan of 54 legs among the beacons
// of the United States; and the memory over an hour of updates at 5 a
// second, run faster than real time. Needs a display (xvfb-run).
//   follow_bench [WMM.COF]
#include "bench/BenchClock.h"
#include "flightplan/MagneticModel.h"
#include "flightplan/PlanCalculation.h"
#include "ui/FlightFollowPanel.h"
#include "ui/PlanPane.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>

#include <wx/app.h>
#include <wx/frame.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The main window's plan pane at its default size (1266 x 777 client).
const wxSize PANE_SIZE(522, 750);

double rssMb()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

// The processor time the X server has used, in milliseconds; -1 when it
// cannot be found (the display named by DISPLAY, served by an Xvfb or Xorg
// of this machine).
double xServerCpuMs()
{
    const char* display = std::getenv("DISPLAY");
    if (!display)
        return -1.0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream cmdline(entry.path() / "cmdline");
        std::string args((std::istreambuf_iterator<char>(cmdline)), std::istreambuf_iterator<char>());
        std::replace(args.begin(), args.end(), '\0', ' ');
        if ((args.rfind("Xvfb ", 0) != 0 && args.find("/Xvfb ") == std::string::npos) ||
            args.find(std::string(display) + " ") == std::string::npos)
            continue;
        std::ifstream stat(entry.path() / "stat");
        std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        std::istringstream fields(text.substr(text.rfind(')') + 2));
        std::string field;
        double ticks = 0.0;
        for (int i = 3; i <= 15 && fields >> field; ++i)
            if (i == 14 || i == 15)
                ticks += std::stod(field);
        return ticks * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
    }
    return -1.0;
}

// KJFK to KLAX by 53 beacons strung along the geodesic, as the listed route
// has them, and the beacons of the map around them.
planning::BuiltPlan kjfkKlax(const flightplan::MagneticModel& model)
{
    const GeographicLib::Geodesic& g = GeographicLib::Geodesic::WGS84();
    const GeographicLib::GeodesicLine line = g.InverseLine(40.6398, -73.7789, 33.9425, -118.408);
    std::vector<flightplan::Waypoint> points;
    const int legs = 54;
    for (int i = 0; i <= legs; ++i) {
        flightplan::Waypoint w;
        double lat, lon;
        line.Position(line.Distance() * i / legs, lat, lon);
        w.latitude = lat + (i == 0 || i == legs ? 0.0 : 0.15 * ((i % 3) - 1));
        w.longitude = lon;
        w.kind = i == 0 || i == legs ? flightplan::WaypointKind::Airport : flightplan::WaypointKind::Vor;
        w.ident = i == 0 ? "KJFK" : i == legs ? "KLAX" : "V" + std::to_string(i);
        w.name = w.ident;
        if (w.kind == flightplan::WaypointKind::Vor) {
            w.frequency = std::to_string(108 + i % 10) + "." + std::to_string(i % 2 * 5);
            w.declination = -13.0 + 25.0 * i / legs;
            w.serviceClass = 'H';
        }
        w.elevationFt = 100.0;
        points.push_back(w);
    }
    flightplan::PlanOptions options;
    options.trueAirspeedKt = 450.0;
    planning::BuiltPlan built;
    built.plan = flightplan::computePlan(points, options, model);
    for (const flightplan::Waypoint& w : built.plan.waypoints) {
        map::MapPoint p;
        p.ident = w.ident;
        p.lat = w.latitude;
        p.lon = w.longitude;
        p.frequency = w.frequency.value_or("");
        p.kind = w.kind == flightplan::WaypointKind::Airport ? map::MapPoint::Kind::Airport
                                                             : map::MapPoint::Kind::Vor;
        built.scene.scene.route.push_back(p);
    }
    for (int i = 0; i < 900; ++i) {
        map::MapPoint p;
        p.ident = "X" + std::to_string(i);
        p.lat = 25.0 + (i * 37 % 230) / 10.0;
        p.lon = -124.0 + (i * 53 % 570) / 10.0;
        p.frequency = "113.00";
        built.scene.scene.otherBeacons.push_back(p);
    }
    return built;
}

// The aircraft `nm` along the plan, weaving a little, as a simulator says it.
simlink::AircraftSample sampleAt(const flightplan::FlightPlan& plan, double nm, int step)
{
    const GeographicLib::Geodesic& g = GeographicLib::Geodesic::WGS84();
    std::size_t leg = 0;
    while (leg + 1 < plan.legs.size() && nm > plan.legs[leg].distanceNm) {
        nm -= plan.legs[leg].distanceNm;
        ++leg;
    }
    const flightplan::Waypoint& a = plan.waypoints[plan.legs[leg].from];
    const flightplan::Waypoint& b = plan.waypoints[plan.legs[leg].to];
    double lat, lon, azimuth;
    g.InverseLine(a.latitude, a.longitude, b.latitude, b.longitude)
        .Position(std::min(nm, plan.legs[leg].distanceNm) * 1852.0, lat, lon, azimuth);
    simlink::AircraftSample s;
    g.Direct(lat, lon, azimuth + 90.0, 300.0 * ((step % 7) - 3), s.latitude, s.longitude);
    s.altitudeFt = 9500.0;
    s.groundSpeedKt = 450.0;
    s.headingMagneticDeg = azimuth + 10.0;
    s.nav1.frequencyMhz = 113.0;
    return s;
}

int run(const char* wmmPath)
{
    const flightplan::MagneticModel model = flightplan::MagneticModel::load(wmmPath);
    planning::BuiltPlan built = kjfkKlax(model);
    const flightplan::FlightPlan plan = built.plan;

    auto* frame = new wxFrame(nullptr, wxID_ANY, "follow bench", wxPoint(0, 0), PANE_SIZE);
    auto* pane = new PlanPane(frame);
    FlightFollowPanel* panel = nullptr;
    // The pane's own panel, below its choices.
    for (wxWindow* child : pane->GetChildren())
        if (auto* found = dynamic_cast<FlightFollowPanel*>(child))
            panel = found;
    frame->SetClientSize(PANE_SIZE);
    frame->Show();
    pane->ShowPlan(std::move(built));
    // Connected as far as the window goes (the strip shown); the samples
    // come from here, not from the link, which finds nobody on port 9.
    panel->Connect({simlink::SimulatorKind::FlightGear, "127.0.0.1", 9});
    wxYield();

    // Updates as the window takes them from the link: each followed by the
    // repaint it asks for, done at once.
    const double speedNmPerUpdate = 450.0 / 3600.0 / 5.0 * 60.0;  // a minute's flight between samples
    std::vector<double> wall, cpu;
    const double xBefore = xServerCpuMs();
    for (int i = 0; i < 300; ++i) {
        const simlink::AircraftSample sample = sampleAt(plan, 5.0 + i * speedNmPerUpdate, i);
        const auto start = bench::Clock::now();
        const double cpuStart = bench::cpuMilliseconds(CLOCK_PROCESS_CPUTIME_ID);
        panel->OnSample(sample);
        pane->Update();
        panel->Update();
        frame->Update();
        wall.push_back(bench::millisecondsSince(start));
        cpu.push_back(bench::cpuMilliseconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart);
        wxYield();
    }
    const double xAfter = xServerCpuMs();
    std::vector<double> sorted = wall;
    std::sort(sorted.begin(), sorted.end());
    std::sort(cpu.begin(), cpu.end());
    const flying::FollowFrame& last = *panel->Follower()->frame();
    std::printf("update -> redrawn map and strip, pane %dx%d, KJFK-KLAX %zu legs: median %.1f ms, 95th %.1f ms, "
                "slowest %.1f ms over %zu updates (goal < 50 ms); processor time median %.1f ms, 95th %.1f ms; "
                "on leg %zu\n",
                PANE_SIZE.x, PANE_SIZE.y, plan.legs.size(), sorted[sorted.size() / 2],
                sorted[sorted.size() * 95 / 100], sorted.back(), sorted.size(), cpu[cpu.size() / 2],
                cpu[cpu.size() * 95 / 100], *last.state.leg + 1);
    if (xBefore >= 0.0)
        std::printf("  the X server's processor time besides: %.1f ms an update on average\n",
                    (xAfter - xBefore) / static_cast<double>(wall.size()));

    // An hour at 5 updates a second, at 450 kt along the plan and back to
    // its start each time it arrives; every 100th update drawn.
    const int perHour = 3600 * 5;
    const double mbStart = rssMb();
    double mbTenMinutes = 0.0;
    const auto hourStart = bench::Clock::now();
    const double nmPerSample = 450.0 / 3600.0 / 5.0;
    double nm = 0.0;
    for (int i = 0; i < perHour; ++i) {
        nm += nmPerSample * 20.0;  // fast enough to cross the plan's legs in the hour
        if (nm > plan.totalNm)
            nm = 0.0;
        panel->OnSample(sampleAt(plan, nm, i));
        if (i % 100 == 0) {
            pane->Update();
            wxYield();
        }
        if (i == perHour / 6)
            mbTenMinutes = rssMb();
    }
    const double mbEnd = rssMb();
    std::printf("memory over an hour of updates (%d samples in %.1f s): %.1f MB at the start, %.1f MB after 10 "
                "minutes, %.1f MB after the hour; %lu samples shown\n",
                perHour, bench::millisecondsSince(hourStart) / 1000.0, mbStart, mbTenMinutes, mbEnd,
                panel->SamplesShown());
    frame->Destroy();
    wxYield();
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const char* wmm = argc > 1 ? argv[1] : MERIDANE_WMM_FILE;
    // Connecting remembers the address: in a folder of the bench's own.
    char config[] = "/tmp/follow-bench-XXXXXX";
    if (mkdtemp(config))
        setenv("XDG_CONFIG_HOME", config, 1);
    wxApp::SetInstance(new wxApp);
    int toolkitArgc = 1;
    if (!wxEntryStart(toolkitArgc, argv)) {
        std::fprintf(stderr, "follow_bench: no display (run it under xvfb-run)\n");
        return 1;
    }
    wxTheApp->CallOnInit();
    int status = 1;
    try {
        status = run(wmm);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "follow_bench: %s\n", e.what());
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    std::filesystem::remove_all(config);
    return status;
}
