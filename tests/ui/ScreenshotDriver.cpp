// SPDX-License-Identifier: GPL-3.0-or-later
// Plays a pilot's session on the world navigation database and takes
// screenshots of it: the airport selection dialog on KJFK, the main window
// with the routes KJFK to KBOS, EGLL to LFPG and KJFK to KLAX, and the About
// box. Run by
// tools/screenshots.sh under Xvfb with a window manager, in a directory that
// holds VORS.MDB.
//
//   meridane_screenshots OUTPUT_DIR

#include "ui/AirportDlg.h"
#include "ui/AirportFindPane.h"
#include "app/RouteApp.h"
#include "ui/RouteDlg.h"
#include "tests/ui/UiDriver.h"

#include <wx/app.h>
#include <wx/init.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace {

struct Pick {
    const char* region;
    const char* country;
    const char* state;
    const char* city;
    const char* airport;
};

const Pick KJFK{"North America", "United States", "New York", "New York", "John F. Kennedy International Airport"};
const Pick KBOS{"North America", "United States", "Massachusetts", "Boston", "Boston Logan International Airport"};
// Outside the United States the State box stays disabled.
const Pick EGLL{"Europe", "United Kingdom", nullptr, "London", "London Heathrow Airport"};
const Pick KLAX{"North America", "United States", "California", "Los Angeles", "Los Angeles International Airport"};
const Pick LFPG{"Europe", "France", nullptr, "Paris (Roissy-en-France, Val-d'Oise)",
                "Charles de Gaulle International Airport"};

std::string g_outDir;

// The screen area of a window, its frame included, into a PNG.
void Shoot(wxTopLevelWindow& window, const std::string& name)
{
    window.Raise();
    Settle(1500);
    // The window with the frame the window manager drew around it.
    wxRect r = window.GetScreenRect();
    r.Intersect(wxRect(wxPoint(0, 0), wxGetDisplaySize()));
    const std::string file = g_outDir + "/" + name;
    const std::string command = "import -window root -crop " + std::to_string(r.width) + "x" +
                                std::to_string(r.height) + "+" + std::to_string(r.x) + "+" + std::to_string(r.y) +
                                " +repage '" + file + "'";
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("screenshot failed: " + command);
    std::printf("%s\n", file.c_str());
}

bool Fail(const char* what)
{
    std::fprintf(stderr, "meridane_screenshots: %s\n", what);
    return false;
}

bool Drive(CAirportDlg& d, const Pick& pick)
{
    Choose(*d.m_cboRegion, pick.region);
    Choose(*d.m_cboCountry, pick.country);
    if (pick.state)
        Choose(*d.m_cboState, pick.state);
    Choose(*d.m_cboCity, pick.city);
    Choose(*d.m_cboAirport, pick.airport);
    return d.m_btnSelectAirport->IsEnabled() || Fail(pick.airport);
}

int Run()
{
    CRouteDlg main;
    wxTheApp->SetTopWindow(&main);
    main.Show();
    main.Move(0, 0);

    bool ok = true;
    const Pick* next = &KJFK;
    bool shootDialog = true;
    main.m_runAirportDialog = [&](CAirportDlg& d) {
        d.Show();
        d.Move(main.GetScreenPosition() + wxPoint(120, 100));
        if (shootDialog) {
            // KJFK as the find field finds it, its matches on show.
            d.m_findPane->m_edtFind->SetValue("kennedy");
            d.m_findPane->ChooseSelected();
            ok = ok && (d.m_strID.empty() ? Fail("kennedy") : true);
            Shoot(d, "airport-dialog.png");
        } else {
            ok = ok && Drive(d, *next);
        }
        Click(*d.m_btnSelectAirport);
        return d.GetReturnCode();
    };
    Click(*wxStaticCast(main.FindWindow(1014), wxButton));
    next = &KBOS;
    shootDialog = false;
    Click(*wxStaticCast(main.FindWindow(1015), wxButton));
    if (!ok)
        return 1;
    Click(*main.m_btnCalculateRoute);
    if (main.m_lstRoute->GetItemCount() == 0) {
        Fail("no route");
        return 1;
    }
    Shoot(main, "main-window.png");

    WhenIdle([] {
        for (wxWindow* w : wxTopLevelWindows) {
            auto* about = dynamic_cast<wxDialog*>(w);
            if (about && about->IsModal()) {
                about->Move(200, 200);
                Shoot(*about, "about-box.png");
                about->EndModal(wxID_OK);
            }
        }
    });
    Click(*wxStaticCast(main.FindWindow(1017), wxButton));

    // Picks both airports through their dialogs, calculates and shoots the window.
    const auto shootPlan = [&](const Pick& from, const Pick& to, const char* file) {
        next = &from;
        Click(*wxStaticCast(main.FindWindow(1014), wxButton));
        next = &to;
        Click(*wxStaticCast(main.FindWindow(1015), wxButton));
        if (!ok)
            return false;
        Click(*main.m_btnCalculateRoute);
        Shoot(main, file);
        return true;
    };
    // A second plan, across the Channel; then a long one, whose legs must
    // all read whole at the default size.
    if (!shootPlan(EGLL, LFPG, "main-window-egll-lfpg.png") || !shootPlan(KJFK, KLAX, "main-window-kjfk-klax.png"))
        return 1;
    wxTheApp->SetTopWindow(nullptr);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    g_outDir = argv[1];
    wxApp::SetInstance(new CRouteApp);
    int toolkitArgc = 1;
    if (!wxEntryStart(toolkitArgc, argv)) {
        Fail("no display");
        return 1;
    }
    wxTheApp->CallOnInit();
    int status;
    try {
        status = Run();
    } catch (const std::exception& e) {
        Fail(e.what());
        status = 1;
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    return status;
}
