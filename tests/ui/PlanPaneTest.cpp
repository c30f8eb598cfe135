// SPDX-License-Identifier: GPL-3.0-or-later
// The plan pane on its own, with a plan made here: what the leg list shows
// on the screen when the user scrolls it.

#include "ui/ExportFileName.h"
#include "ui/PlanPane.h"
#include "ui/TextConvert.h"
#include "tests/ui/UiDriver.h"

#include <gtest/gtest.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/uiaction.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

using flightplan::FlightPlan;
using flightplan::Leg;
using flightplan::Waypoint;
using flightplan::WaypointKind;

// Beacons with long radial texts, so that the columns are far wider than
// the pane.
FlightPlan widePlan()
{
    FlightPlan plan;
    for (int i = 0; i < 6; ++i) {
        Waypoint point;
        point.ident = i == 0 ? "KJFK" : i == 5 ? "KBOS" : "VOR" + std::to_string(i);
        point.kind = i == 0 || i == 5 ? WaypointKind::Airport : WaypointKind::Vor;
        point.frequency = "11" + std::to_string(i) + ".50";
        plan.waypoints.push_back(point);
    }
    for (std::size_t i = 0; i + 1 < plan.waypoints.size(); ++i) {
        Leg leg;
        leg.from = i;
        leg.to = i + 1;
        leg.distanceNm = 12.5 * static_cast<double>(i + 1);
        leg.courseTrue = leg.courseMagnetic = 40.0 * static_cast<double>(i);
        if (plan.waypoints[i].kind == WaypointKind::Vor)
            leg.radialFrom = 100.0 + static_cast<double>(i);
        if (plan.waypoints[i + 1].kind == WaypointKind::Vor)
            leg.radialTo = 200.0 + static_cast<double>(i);
        leg.frequency = plan.waypoints[i + 1].frequency;
        plan.legs.push_back(leg);
    }
    plan.route = "KJFK DCT VOR1 DCT VOR2 DCT VOR3 DCT VOR4 KBOS";
    plan.routeItem15 = "DCT VOR1 DCT VOR2 DCT VOR3 DCT VOR4";
    return plan;
}

// The grey levels of a strip of the screen, as X shows it.
struct Strip {
    int width = 0, height = 0;
    std::vector<int> grey;
    int at(int x, int y) const { return grey[static_cast<std::size_t>(y * width + x)]; }
};

Strip grab(const wxRect& screenRect)
{
    Strip strip{screenRect.width, screenRect.height, {}};
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return strip;
    XImage* image = XGetImage(display, DefaultRootWindow(display), screenRect.x, screenRect.y,
                              static_cast<unsigned>(screenRect.width), static_cast<unsigned>(screenRect.height),
                              AllPlanes, ZPixmap);
    for (int y = 0; image && y < strip.height; ++y) {
        for (int x = 0; x < strip.width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            strip.grey.push_back(static_cast<int>((pixel >> 16 & 0xFF) + (pixel >> 8 & 0xFF) + (pixel & 0xFF)));
        }
    }
    if (image)
        XDestroyImage(image);
    XCloseDisplay(display);
    if (strip.grey.empty())
        strip.grey.assign(static_cast<std::size_t>(strip.width * strip.height), 0);
    return strip;
}

// How far the content of `after` lies left of where it was in `before`:
// the shift that matches the two best, and whether the match is exact.
int contentShift(const Strip& before, const Strip& after, bool* exact)
{
    int best = -1;
    long bestDifference = -1;
    for (int shift = 0; shift < before.width / 2; ++shift) {
        long difference = 0;
        for (int y = 0; y < before.height; ++y)
            for (int x = 0; x + shift < before.width; ++x)
                difference += std::abs(after.at(x, y) - before.at(x + shift, y));
        if (bestDifference < 0 || difference < bestDifference) {
            bestDifference = difference;
            best = shift;
        }
    }
    *exact = bestDifference == 0;
    return best;
}

// Wheel buttons 6 and 7 turn a horizontal wheel, as a touchpad or tilt
// wheel sends them.
void turnHorizontalWheel(const wxPoint& where, int clicksRight)
{
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    XTestFakeMotionEvent(display, -1, where.x, where.y, CurrentTime);
    XFlush(display);
    Settle(100);
    for (int i = 0; i < clicksRight; ++i) {
        XTestFakeButtonEvent(display, 7, True, CurrentTime);
        XTestFakeButtonEvent(display, 7, False, CurrentTime);
        XFlush(display);
        Settle(60);
    }
    XCloseDisplay(display);
    Settle(300);
}

class PlanPaneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Narrower than the leg columns, so that they scroll sideways.
        frame = new wxFrame(nullptr, wxID_ANY, "plan", wxPoint(50, 50), wxSize(300, 720));
        pane = new PlanPane(frame);
        frame->Show();
        Settle(200);
    }
    void TearDown() override { frame->Destroy(); Settle(50); }

    wxFrame* frame = nullptr;
    PlanPane* pane = nullptr;
};

}  // namespace

// The header and the rows are separate windows; a horizontal wheel turn
// once moved them by different amounts, leaving a heading over the wrong
// column. What the screen shows must move by the same number of pixels in
// both, turn after turn.
TEST_F(PlanPaneTest, TheHeaderScrollsWithItsRowsUnderAHorizontalWheel)
{
    pane->ShowPlan(planning::BuiltPlan{widePlan(), {}});
    Settle(300);
    wxListCtrl& list = *pane->m_lstLegs;
    ASSERT_EQ(list.GetItemCount(), 5);
    wxRect header, rows;
    for (wxWindow* child : list.GetChildren()) {
        const wxRect r = child->GetScreenRect();
        if (child->GetPosition().y == 0 && r.height < list.GetSize().y / 2)
            header = r;
        else
            rows = r;
    }
    ASSERT_GT(header.height, 0);
    ASSERT_GT(rows.height, header.height);
    header.Deflate(2, 2);
    rows = wxRect(rows.x + 2, rows.y + 2, rows.width - 4, std::min(rows.height - 4, 3 * header.height));

    const Strip headerBefore = grab(header), rowsBefore = grab(rows);
    int previousShift = 0;
    for (int turn = 1; turn <= 3; ++turn) {
        turnHorizontalWheel(rows.GetPosition() + wxPoint(rows.width / 2, rows.height / 2), 1);
        bool headerExact = false, rowsExact = false;
        const int headerShift = contentShift(headerBefore, grab(header), &headerExact);
        const int rowsShift = contentShift(rowsBefore, grab(rows), &rowsExact);
        EXPECT_GT(rowsShift, previousShift) << "turn " << turn << ": the rows did not scroll";
        EXPECT_EQ(headerShift, rowsShift) << "turn " << turn;
        EXPECT_TRUE(headerExact && rowsExact) << "turn " << turn;
        previousShift = rowsShift;
    }
}

// What the pane shows of a plan: a leg with no direction shows "-" for
// course and radial, and the route is offered in both forms, the one to
// read and the one to paste into a filed flight plan.
TEST_F(PlanPaneTest, ShowsNoCourseOnALegWithoutDirectionAndTheRouteForAFiledPlan)
{
    FlightPlan plan = widePlan();
    plan.legs[0].courseTrue.reset();
    plan.legs[0].courseMagnetic.reset();
    plan.legs[0].radialTo.reset();
    pane->ShowPlan(planning::BuiltPlan{plan, {}});
    Settle(100);
    wxListCtrl& list = *pane->m_lstLegs;
    const std::vector<std::string> headings = Headings(list);
    const std::size_t course = std::find(headings.begin(), headings.end(), "MC") - headings.begin();
    const std::size_t radial = std::find(headings.begin(), headings.end(), "Radials") - headings.begin();
    ASSERT_LT(radial, headings.size());
    const auto rows = Rows(list);
    EXPECT_EQ(rows[0][course], "-");
    EXPECT_EQ(rows[0][radial], "-");
    EXPECT_EQ(rows[1][course], "040");
    EXPECT_EQ(rows[1][radial], "101\u2192201");

    std::string summary = FromWx(pane->m_txtSummary->GetLabel());
    std::replace(summary.begin(), summary.end(), '\n', ' ');  // wrapped to the pane's width
    EXPECT_EQ(FromWx(pane->m_edtRoute->GetValue()), "KJFK DCT VOR1 DCT VOR2 DCT VOR3 DCT VOR4 KBOS");
    EXPECT_EQ(pane->RouteForFlightPlan(), "DCT VOR1 DCT VOR2 DCT VOR3 DCT VOR4");
}

// In the real save dialog, picking the kneeboard's filter after typing a
// name renames it to the file that filter writes.
TEST_F(PlanPaneTest, TheExportDialogsNameFollowsTheFilterPicked)
{
    pane->ShowPlan(planning::BuiltPlan{widePlan(), {}});
    Settle(100);
    const auto& formats = flightplan::planFormats();
    int pdf = 0;
    while (pdf < static_cast<int>(formats.size()) && std::string(formats[pdf].id) != flightplan::KNEEBOARD_FORMAT_ID)
        ++pdf;
    ASSERT_LT(pdf, static_cast<int>(formats.size()));
    std::string shown;
    wxFileDialog* dialog = nullptr;
    pane->m_exportDialogOpening = [&dialog](wxFileDialog& opening) { dialog = &opening; };
    WhenIdle([&] {
        Settle(500);
        ASSERT_NE(dialog, nullptr);
        dialog->SetFilename("trip.fms");
        Settle(100);
        dialog->SetFilterIndex(pdf);
        Settle(200);
        shown = FromWx(dialog->GetFilename());
        wxUIActionSimulator input;
        input.Char(WXK_RETURN);
        Settle(300);
    });
    const std::string path = pane->m_chooseExportFile();
    EXPECT_EQ(shown, "trip.pdf");
    EXPECT_EQ(wxFileName(ToWx(path)).GetFullName(), "trip.pdf") << path;
}

// The file dialog hands back a name and the filter chosen. Formats by
// their ids: fms is the first filter, legs the leg table's.
TEST(ExportFileName, TheChosenFilterDecidesUnlessTheNameWasTypedWithAFormatsExtension)
{
    const struct {
        const char* path;
        const char* filter;
        const char* written;
    } cases[] = {
        // The suggested name, left as the dialog first showed it.
        {"/home/p/FHSH-FACT.fms", "legs", "/home/p/FHSH-FACT.txt"},
        {"/home/p/FHSH-FACT.fms", "fms", "/home/p/FHSH-FACT.fms"},
        {"/home/p/FHSH-FACT.fms", "gpx", "/home/p/FHSH-FACT.gpx"},
        // The dialog switched the extension with an earlier filter.
        {"/home/p/FHSH-FACT.json", "pln", "/home/p/FHSH-FACT.pln"},
        {"/home/p/FHSH-FACT.FMS", "legs", "/home/p/FHSH-FACT.txt"},
        // No extension, or one that names no format: the filter's is added.
        {"/home/p/FHSH-FACT", "legs", "/home/p/FHSH-FACT.txt"},
        {"/home/p/trip", "fgfp", "/home/p/trip.fgfp"},
        {"/home/p/trip.v2", "gpx", "/home/p/trip.v2.gpx"},
        {"/home/p.d/trip", "json", "/home/p.d/trip.json"},
        // A name typed with a format's extension wins over the filter.
        {"/home/p/trip.gpx", "fms", "/home/p/trip.gpx"},
        {"/home/p/FHSH-FACT-2.pln", "legs", "/home/p/FHSH-FACT-2.pln"},
        {"/home/p/FHSH.fms", "legs", "/home/p/FHSH.fms"},
        // The suggestion moved to another folder is still the suggestion.
        {"/tmp/FHSH-FACT.fms", "legs", "/tmp/FHSH-FACT.txt"},
    };
    for (const auto& c : cases) {
        const flightplan::PlanFormat* filter = flightplan::formatById(c.filter);
        ASSERT_NE(filter, nullptr) << c.filter;
        EXPECT_EQ(ExportFileName(c.path, *filter, "FHSH-FACT"), c.written) << c.path << " with " << c.filter;
    }
}

// What the save dialog shows once another filter is picked: the name of
// the file that filter's format will write.
TEST(ExportFileName, TheNameShownFollowsTheFilterPicked)
{
    const struct {
        const char* name;
        const char* filter;
        const char* shown;
    } cases[] = {
        {"KJFK-KLAX.fms", "pdf", "KJFK-KLAX.pdf"},
        {"KJFK-KLAX.pdf", "fms", "KJFK-KLAX.fms"},
        {"KJFK-KLAX.FMS", "legs", "KJFK-KLAX.txt"},
        {"trip.gpx", "pdf", "trip.pdf"},
        {"trip", "pdf", "trip.pdf"},
        {"trip.v2", "gpx", "trip.v2.gpx"},
        {"Zürich–Genève.json", "fgfp", "Zürich–Genève.fgfp"},
        {"", "pdf", ""},
    };
    for (const auto& c : cases) {
        const flightplan::PlanFormat* filter = flightplan::formatById(c.filter);
        ASSERT_NE(filter, nullptr) << c.filter;
        EXPECT_EQ(NameForFilter(c.name, *filter), c.shown) << c.name << " with " << c.filter;
    }
}
