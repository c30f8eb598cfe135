// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ListHeaderScroll.h"

#include <vector>

void KeepHeadingsOverColumns(wxListCtrl& list)
{
    auto repaintAfterScroll = [&list](wxScrollWinEvent& event) {
        event.Skip();  // the rows scroll as ever
        if (event.GetOrientation() != wxHORIZONTAL)
            return;
        // Queued on the list, so dropped with it; by then the rows are moved.
        list.CallAfter([&list] {
            for (wxWindow* part : list.GetChildren())
                part->Refresh();
        });
    };
    // The scroll bars belong to the list or to its rows, depending on how
    // the toolkit scrolls; the headings are a child window beside the rows.
    std::vector<wxWindow*> scrolled{&list};
    for (wxWindow* child : list.GetChildren())
        scrolled.push_back(child);
    for (wxWindow* window : scrolled) {
        for (const auto type : {wxEVT_SCROLLWIN_TOP, wxEVT_SCROLLWIN_BOTTOM, wxEVT_SCROLLWIN_LINEUP,
                                wxEVT_SCROLLWIN_LINEDOWN, wxEVT_SCROLLWIN_PAGEUP, wxEVT_SCROLLWIN_PAGEDOWN,
                                wxEVT_SCROLLWIN_THUMBTRACK, wxEVT_SCROLLWIN_THUMBRELEASE})
            window->Bind(type, repaintAfterScroll);
    }
}
