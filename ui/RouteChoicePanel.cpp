// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/RouteChoicePanel.h"

#include "ui/TextConvert.h"

#include <wx/sizer.h>

RouteChoicePanel::RouteChoicePanel(wxWindow* parent) : wxPanel(parent, wxID_ANY)
{
    m_rdoListed = new wxRadioButton(this, wxID_ANY, "Listed", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    m_txtListed = new wxStaticText(this, wxID_ANY, wxString());
    m_rdoBest = new wxRadioButton(this, wxID_ANY, "Best covered");
    m_txtBest = new wxStaticText(this, wxID_ANY, wxString());
    m_cboNavaids = new wxChoice(this, wxID_ANY);
    m_cboNavaids->Append("VOR only");
    m_cboNavaids->Append("VOR and NDB");
    m_cboNavaids->SetSelection(0);
    m_cboNavaids->SetToolTip("What the best covered route may fly by: VORs alone, or NDBs too where no VOR "
                             "reaches (each NDB counts 25 nm more than a VOR)");
    m_cboRanges = new wxChoice(this, wxID_ANY);
    m_cboRanges->Append("Standard ranges");
    m_cboRanges->Append("Simulator ranges");
    m_cboRanges->SetSelection(0);
    m_chkRings = new wxCheckBox(this, wxID_ANY, "Range rings");
    m_rdoListed->SetValue(true);
    // The rows keep their height whether a summary is shown or not, so that
    // the map above does not shift when a route is calculated.
    for (wxStaticText* text : {m_txtListed, m_txtBest})
        text->SetMinSize(wxSize(-1, text->GetTextExtent("Xg").y));

    auto* routes = new wxFlexGridSizer(2, FromDIP(4), FromDIP(8));
    routes->AddGrowableCol(1);
    routes->Add(m_rdoListed, 0, wxALIGN_CENTER_VERTICAL);
    routes->Add(m_txtListed, 1, wxALIGN_CENTER_VERTICAL | wxEXPAND);
    routes->Add(m_rdoBest, 0, wxALIGN_CENTER_VERTICAL);
    routes->Add(m_txtBest, 1, wxALIGN_CENTER_VERTICAL | wxEXPAND);
    // What the best route may fly by stands with the ranges; the pane is
    // too narrow on a small screen for it beside them.
    auto* options = new wxBoxSizer(wxHORIZONTAL);
    options->Add(m_cboRanges, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(8));
    options->Add(m_chkRings, 0, wxALIGN_CENTER_VERTICAL);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(routes, 0, wxEXPAND | wxBOTTOM, FromDIP(2));
    sizer->Add(m_cboNavaids, 0, wxBOTTOM, FromDIP(2));
    sizer->Add(options, 0);
    SetSizer(sizer);

    m_rdoListed->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { Changed(); });
    m_rdoBest->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { Changed(); });
    m_cboRanges->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { Changed(); });
    m_cboNavaids->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { Changed(); });
    m_chkRings->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { Changed(); });
}

bool RouteChoicePanel::BestChosen() const
{
    return m_rdoBest->GetValue();
}

void RouteChoicePanel::ChooseBest(bool best)
{
    (best ? m_rdoBest : m_rdoListed)->SetValue(true);
}

coverage::RangeModel RouteChoicePanel::Ranges() const
{
    return m_cboRanges->GetSelection() == 1 ? coverage::RangeModel::Simulator : coverage::RangeModel::Standard;
}

void RouteChoicePanel::SetRanges(coverage::RangeModel model)
{
    m_cboRanges->SetSelection(model == coverage::RangeModel::Simulator ? 1 : 0);
}

coverage::Navaids RouteChoicePanel::Navaids() const
{
    return m_cboNavaids->GetSelection() == 1 ? coverage::Navaids::VorNdb : coverage::Navaids::Vor;
}

void RouteChoicePanel::SetNavaids(coverage::Navaids navaids)
{
    m_cboNavaids->SetSelection(navaids == coverage::Navaids::VorNdb ? 1 : 0);
}

bool RouteChoicePanel::ShowRings() const
{
    return m_chkRings->GetValue();
}

void RouteChoicePanel::SetSummaries(const std::string& listed, const std::string& best)
{
    m_txtListed->SetLabel(ToWx(listed));
    m_txtBest->SetLabel(ToWx(best));
    Layout();
}

void RouteChoicePanel::Changed()
{
    if (m_changed)
        m_changed();
}
