// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PlanInputsPanel.h"

#include "ui/TextConvert.h"
#include "flightplan/WindTriangle.h"

#include <wx/sizer.h>

#include <algorithm>

namespace {

// The papers offered, in the order of the choice.
const kneeboard::Paper PAPERS[] = {kneeboard::Paper::A5, kneeboard::Paper::A4, kneeboard::Paper::Letter,
                                   kneeboard::Paper::HalfLetter};
const char* const PAPER_LABELS[] = {"A5", "A4", "Letter", "Half letter"};

bool IsBlank(const std::string& text)
{
    return text.find_first_not_of(" \t") == std::string::npos;
}

// A blank field keeps value; otherwise it must hold a figure within limit.
bool ReadFigureField(const std::string& text, const planning::FigureLimit& limit, std::optional<double>& value)
{
    if (IsBlank(text))
        return true;
    value = planning::parseFigure(text, limit);
    return value.has_value();
}

}  // namespace

bool ApplyPlanInputs(const PlanInputTexts& texts, planning::PlanChoices& choices, std::string& problem)
{
    if (!ReadFigureField(texts.airspeed, planning::TRUE_AIRSPEED_LIMIT, choices.trueAirspeedKt)) {
        problem = "TAS: knots " + planning::limitText(planning::TRUE_AIRSPEED_LIMIT);
        return false;
    }
    if (!IsBlank(texts.wind)) {
        choices.wind = flightplan::parseWind(texts.wind);
        if (!choices.wind) {
            problem = "Wind: from (0-360)/knots, as 270/25";
            return false;
        }
    }
    if (!ReadFigureField(texts.fuelBurn, planning::FUEL_BURN_LIMIT, choices.fuelBurnPerHour)) {
        problem = "Fuel/h: a number, 0 or more";
        return false;
    }
    problem.clear();
    return true;
}

PlanInputsPanel::PlanInputsPanel(wxWindow* parent) : wxPanel(parent, wxID_ANY)
{
    const wxSize figure(FromDIP(52), -1);
    auto* lblAirspeed = new wxStaticText(this, wxID_ANY, "&TAS");
    m_txtAirspeed = new wxTextCtrl(this, wxID_ANY, wxString(), wxDefaultPosition, figure);
    m_txtAirspeed->SetToolTip("True airspeed in knots; empty for 110 kt");
    m_txtAirspeed->SetHint("110");
    auto* lblWind = new wxStaticText(this, wxID_ANY, "&Wind");
    m_txtWind = new wxTextCtrl(this, wxID_ANY, wxString(), wxDefaultPosition, wxSize(FromDIP(64), -1));
    m_txtWind->SetHint("270/25");
    m_txtWind->SetToolTip("The true direction the wind blows from and its speed in knots; empty for still air");
    auto* lblFuel = new wxStaticText(this, wxID_ANY, "&Fuel/h");
    m_txtFuelBurn = new wxTextCtrl(this, wxID_ANY, wxString(), wxDefaultPosition, figure);
    m_txtFuelBurn->SetToolTip("Fuel burnt per hour, in any unit; empty for no fuel figures");
    auto* lblPaper = new wxStaticText(this, wxID_ANY, "&Paper");
    m_chPaper = new wxChoice(this, wxID_ANY);
    for (const char* label : PAPER_LABELS)
        m_chPaper->Append(label);
    m_chPaper->SetSelection(0);
    m_chPaper->SetToolTip("The paper of the kneeboard navlog (Export Flight Plan..., .pdf)");
    // Each field as wide as the widest figure it takes, with its frame.
    for (auto [field, widest] : {std::pair<wxTextCtrl*, const char*>{m_txtAirspeed, "2000"},
                                 {m_txtWind, "270/200"}, {m_txtFuelBurn, "9999.9"}}) {
        const wxSize size = field->GetSizeFromTextSize(field->GetTextExtent(widest + wxString("0")));
        field->SetInitialSize(wxSize(std::max(size.x, field->GetMinSize().x), -1));
    }
    m_txtProblem = new wxStaticText(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                                    wxST_ELLIPSIZE_END);
    m_txtProblem->SetForegroundColour(wxColour(170, 20, 20));

    // The figures with their labels over them, narrow enough for the pane
    // beside the airports on a 1024 pixel screen, then the paper with any
    // problem beside it; a problem does not move the map above.
    const int gap = FromDIP(4), spacing = FromDIP(10);
    auto* figures = new wxFlexGridSizer(2, 3, FromDIP(1), spacing);
    for (wxWindow* label : {lblAirspeed, lblWind, lblFuel})
        figures->Add(label, 0, wxALIGN_BOTTOM);
    for (wxWindow* field : {static_cast<wxWindow*>(m_txtAirspeed), static_cast<wxWindow*>(m_txtWind),
                            static_cast<wxWindow*>(m_txtFuelBurn)})
        figures->Add(field, 0);
    auto* paper = new wxBoxSizer(wxHORIZONTAL);
    paper->Add(lblPaper, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    paper->Add(m_chPaper, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, spacing);
    paper->Add(m_txtProblem, 1, wxALIGN_CENTER_VERTICAL);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(figures, 0, wxBOTTOM, gap);
    sizer->Add(paper, 0, wxEXPAND);
    SetSizer(sizer);

    for (wxTextCtrl* field : {m_txtAirspeed, m_txtWind, m_txtFuelBurn}) {
        field->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
            if (m_changed)
                m_changed();
        });
    }
}

PlanInputTexts PlanInputsPanel::Texts() const
{
    return {FromWx(m_txtAirspeed->GetValue()), FromWx(m_txtWind->GetValue()), FromWx(m_txtFuelBurn->GetValue())};
}

kneeboard::Paper PlanInputsPanel::Paper() const
{
    const int chosen = m_chPaper->GetSelection();
    return chosen >= 0 && chosen < static_cast<int>(std::size(PAPERS)) ? PAPERS[chosen] : PAPERS[0];
}

void PlanInputsPanel::SetPaper(kneeboard::Paper paper)
{
    for (std::size_t i = 0; i < std::size(PAPERS); ++i)
        if (PAPERS[i] == paper)
            m_chPaper->SetSelection(static_cast<int>(i));
}

void PlanInputsPanel::ShowProblem(const std::string& problem)
{
    if (m_txtProblem->GetLabel() == ToWx(problem))
        return;
    m_txtProblem->SetLabel(ToWx(problem));
    m_txtProblem->SetToolTip(ToWx(problem));
    Layout();
}
