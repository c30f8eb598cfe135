// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kneeboard/Paper.h"
#include "planning/PlanChoices.h"

#include <wx/choice.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <functional>
#include <optional>
#include <string>

// What the pilot types for the plan: true airspeed, wind and fuel burn, each
// empty for the figures of still air at the default speed without fuel.
struct PlanInputTexts {
    std::string airspeed;  // knots
    std::string wind;      // DDD/SS
    std::string fuelBurn;  // per hour
};

// Sets the typed figures in choices (a blank field leaves its choice
// alone); false, with what is wrong in `problem`, at the first field that
// cannot be read.
bool ApplyPlanInputs(const PlanInputTexts& texts, planning::PlanChoices& choices, std::string& problem);

// The plan pane's fields for true airspeed, wind and fuel burn, and the
// kneeboard's paper. Every change of a field calls m_changed at once; a field
// that cannot be read is named under them.
class PlanInputsPanel : public wxPanel {
public:
    explicit PlanInputsPanel(wxWindow* parent);

    PlanInputTexts Texts() const;
    kneeboard::Paper Paper() const;
    void SetPaper(kneeboard::Paper paper);
    // The message under the fields; empty clears it.
    void ShowProblem(const std::string& problem);

    std::function<void()> m_changed;

    wxTextCtrl* m_txtAirspeed = nullptr;
    wxTextCtrl* m_txtWind = nullptr;
    wxTextCtrl* m_txtFuelBurn = nullptr;
    wxChoice* m_chPaper = nullptr;
    wxStaticText* m_txtProblem = nullptr;
};
