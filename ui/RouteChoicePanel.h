// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "coverage/StationRange.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>

#include <functional>
#include <string>

// Which route the plan pane shows, the listed one of the route search or
// the best covered one, each with its summary beside it, which ranges the
// beacons are given and whether the best route may fly by NDBs. Holds only the choice; whoever builds the plans
// listens to m_changed.
class RouteChoicePanel : public wxPanel {
public:
    explicit RouteChoicePanel(wxWindow* parent);

    bool BestChosen() const;
    void ChooseBest(bool best);
    coverage::RangeModel Ranges() const;
    void SetRanges(coverage::RangeModel model);
    coverage::Navaids Navaids() const;
    void SetNavaids(coverage::Navaids navaids);
    bool ShowRings() const;

    // The summaries beside each choice ("2,556 nm · 54 legs · 312 nm
    // uncovered"); "" leaves a choice without one.
    void SetSummaries(const std::string& listed, const std::string& best);

    // Called after the user changed any of the choices.
    std::function<void()> m_changed;

    wxRadioButton* m_rdoListed = nullptr;
    wxRadioButton* m_rdoBest = nullptr;
    wxStaticText* m_txtListed = nullptr;
    wxStaticText* m_txtBest = nullptr;
    wxChoice* m_cboRanges = nullptr;
    wxChoice* m_cboNavaids = nullptr;
    wxCheckBox* m_chkRings = nullptr;

private:
    void Changed();
};
