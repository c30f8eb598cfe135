// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AirportDlg.h"

#include "ui/AirportFindPane.h"
#include "route/AirportInfo.h"
#include "widgets/DialogBuilder.h"
#include "ui/DropDownList.h"
#include "ui/ListViewRows.h"
#include "data/Quoting.h"
#include "data/Recordset.h"
#include "widgets/Resource.h"
#include "widgets/TemplateLayout.h"
#include "ui/TextConvert.h"
#include "ui/WindowLayouts.h"

#include <wx/textctrl.h>

#include <algorithm>
#include <functional>

namespace {

void ClearBox(SortedComboBox& box)
{
    box.Clear();
    box.Disable();
}

// Ends the dialog with a result whether it runs modally or is only shown.
void EndWith(wxDialog& dialog, int result)
{
    if (dialog.IsModal()) {
        dialog.EndModal(result);
    } else {
        dialog.SetReturnCode(result);
        dialog.Hide();
    }
}

template <typename T>
T* Control(wxWindow& dialog, int id)
{
    return wxStaticCast(dialog.FindWindow(ToolkitId(id)), T);
}

}  // namespace

CAirportDlg::CAirportDlg(wxWindow* parent)
{
    CreateDialogFromTemplate(*this, parent, IDD_AIRPORT_DIALOG, true);
    m_layout = std::make_unique<TemplateLayout>(*this, IDD_AIRPORT_DIALOG, AirportDialogAnchor);
    // Created after the template's controls, which the layout takes to be
    // the window's first children; Tab reaches it after Select Airport, and
    // so right before Region, as it stands above them.
    m_findPane = new AirportFindPane(this);
    m_findPane->m_onChoose = [this](const search::AirportMatch& match) {
        m_findPane->ShowNote(GoToAirport(match));
    };
    m_findPane->m_onAccept = [this] { AcceptAirport(); };
    m_findHeight = m_findPane->GetBestSize().y;
    const wxSize smallest = m_layout->TemplateSize() + wxSize(0, m_findHeight);
    SetMinClientSize(smallest);
    SetClientSize(smallest);
    DoDataExchange();

    Bind(wxEVT_INIT_DIALOG, &CAirportDlg::OnInitDialog, this);
    Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) { OnSelchangeRegion(); }, IDC_REGION);
    Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) { OnSelchangeCountry(); }, IDC_COUNTRY);
    Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) { OnSelchangeState(); }, IDC_STATE);
    Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) { OnSelchangeCity(); }, IDC_CITY);
    Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) { OnSelchangeAirport(); }, IDC_AIRPORT);
    Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { OnAllCities(); }, IDC_ALL_CITIES);
    Bind(wxEVT_BUTTON, &CAirportDlg::OnOK, this, wxID_OK);
    // Nothing but OnCharHook and OnClose ends the dialog for Escape or the
    // close box, and they end it with wxID_CANCEL.
    SetEscapeId(wxID_NONE);
    Bind(wxEVT_CHAR_HOOK, &CAirportDlg::OnCharHook, this);
    Bind(wxEVT_CLOSE_WINDOW, &CAirportDlg::OnClose, this);
    Bind(wxEVT_SIZE, [this](wxSizeEvent&) { LayOut(); });
    LayOut();
}

CAirportDlg::~CAirportDlg() = default;

void CAirportDlg::LayOut()
{
    // The find pane across the top, the template's controls below it.
    const wxSize client = GetClientSize();
    const wxSize extra = client - m_layout->TemplateSize() - wxSize(0, m_findHeight);
    m_layout->Apply(wxPoint(0, m_findHeight), wxSize(std::max(0, extra.x), std::max(0, extra.y)));
    m_findPane->SetSize(0, 0, client.x, m_findHeight);
}

void CAirportDlg::DoDataExchange()
{
    m_btnSelectAirport = Control<wxButton>(*this, IDOK);
    m_chkAllCities = Control<wxCheckBox>(*this, IDC_ALL_CITIES);
    m_cboCity = Control<SortedComboBox>(*this, IDC_CITY);
    m_cboAirport = Control<SortedComboBox>(*this, IDC_AIRPORT);
    m_lstRunways = Control<wxListCtrl>(*this, IDC_RUNWAYS);
    m_cboState = Control<SortedComboBox>(*this, IDC_STATE);
    m_cboRegion = Control<SortedComboBox>(*this, IDC_REGION);
    m_cboCountry = Control<SortedComboBox>(*this, IDC_COUNTRY);
    m_edtATIS = Control<wxTextCtrl>(*this, IDC_ATIS);
    m_edtElevation = Control<wxTextCtrl>(*this, IDC_ELEVATION);
    m_edtLatitude = Control<wxTextCtrl>(*this, IDC_LATITUDE);
    m_edtLongitude = Control<wxTextCtrl>(*this, IDC_LONGITUDE);
}

bool CAirportDlg::TransferDataToWindow()
{
    // ChangeValue: showing a text is no edit by the user.
    m_edtATIS->ChangeValue(ToWx(m_strATIS));
    m_edtElevation->ChangeValue(ToWx(m_strElevation));
    m_edtLatitude->ChangeValue(ToWx(m_strLatitude));
    m_edtLongitude->ChangeValue(ToWx(m_strLongitude));
    return true;
}

bool CAirportDlg::TransferDataFromWindow()
{
    m_strATIS = FromWx(m_edtATIS->GetValue());
    m_strElevation = FromWx(m_edtElevation->GetValue());
    m_strLatitude = FromWx(m_edtLatitude->GetValue());
    m_strLongitude = FromWx(m_edtLongitude->GetValue());
    return true;
}

void CAirportDlg::UpdateData(bool saveAndValidate)
{
    if (saveAndValidate)
        TransferDataFromWindow();
    else
        TransferDataToWindow();
}

void CAirportDlg::OnInitDialog(wxInitDialogEvent&)
{
    m_findPane->SetDatabase(m_pDatabase);
    TransferDataToWindow();
    ResetFrom(0);

    m_cboRegion->Enable();
    FillFromQuery(*m_cboRegion, m_pDatabase, "SELECT name FROM Regions ORDER BY name", "name");

    static const std::vector<TemplateColumn> columns = {
        {"Runway #", 70}, {"Length", 70}, {"Type", 70}, {"ILS Frequency", 82}};
    const std::vector<int> widths = TemplateColumnWidths(*m_lstRunways, columns);
    for (std::size_t column = 0; column < columns.size(); ++column)
        m_lstRunways->InsertColumn(static_cast<long>(column), columns[column].heading, wxLIST_FORMAT_LEFT,
                                   widths[column]);
    // The find field is the first control from the top: typing finds an
    // airport at once.
    m_findPane->m_edtFind->SetFocus();
}

void CAirportDlg::ResetFrom(int level)
{
    if (level <= 0)
        ClearBox(*m_cboRegion);
    if (level <= 1)
        ClearBox(*m_cboCountry);
    if (level <= 2)
        ClearBox(*m_cboState);
    if (level <= 3) {
        ClearBox(*m_cboCity);
        // The check mark stays as the user left it.
        m_chkAllCities->Disable();
    }
    if (level <= 4) {
        ClearBox(*m_cboAirport);
        m_bAirportsOfAllCities = false;
    }

    m_btnSelectAirport->Disable();
    m_strATIS.clear();
    m_strElevation.clear();
    m_strLatitude.clear();
    m_strLongitude.clear();
    m_lstRunways->DeleteAllItems();
    UpdateData(false);
}

void CAirportDlg::OnSelchangeRegion()
{
    ResetFrom(1);
    const std::string region = GetSelectedText(*m_cboRegion);
    if (region.empty())
        return;

    m_cboCountry->Enable();
    FillFromQuery(*m_cboCountry, m_pDatabase,
                  "SELECT name FROM countries WHERE region='" + EscapeQuotes(region) + "' ORDER BY name", "name");
    if (m_cboCountry->GetCount() == 1)
        OnSelchangeCountry();
}

void CAirportDlg::OnSelchangeCountry()
{
    ResetFrom(2);
    const std::string region = GetSelectedText(*m_cboRegion);
    const std::string country = GetSelectedText(*m_cboCountry);
    if (country.empty())
        return;

    if (country == COUNTRY_WITH_STATES) {
        m_cboState->Enable();
        FillFromQuery(*m_cboState, m_pDatabase,
                      "SELECT DISTINCT state FROM airports WHERE region='" + EscapeQuotes(region) + "' AND country='" +
                          EscapeQuotes(country) + "' ORDER BY state",
                      "state");
        if (m_cboState->GetCount() == 1)
            OnSelchangeState();
    } else {
        // Never chosen, never queried: the box stays disabled.
        AddString(*m_cboState, GO_TO_CITY_SELECTION);
        m_cboState->SetSelection(0);

        m_cboCity->Enable();
        FillFromQuery(*m_cboCity, m_pDatabase,
                      "SELECT DISTINCT city FROM Airports WHERE region='" + EscapeQuotes(region) + "' AND country='" +
                          EscapeQuotes(country) + "'",
                      "city");
        if (m_cboCity->GetCount() == 1)
            OnSelchangeCity();
    }
}

void CAirportDlg::OnSelchangeState()
{
    ResetFrom(3);
    const std::string region = GetSelectedText(*m_cboRegion);
    const std::string country = GetSelectedText(*m_cboCountry);
    const std::string state = GetSelectedText(*m_cboState);

    m_cboCity->Enable();
    m_chkAllCities->Enable();
    FillFromQuery(*m_cboCity, m_pDatabase,
                  "SELECT DISTINCT city FROM Airports WHERE region='" + EscapeQuotes(region) + "' AND country='" +
                      EscapeQuotes(country) + "' AND state='" + EscapeQuotes(state) + "' ORDER BY city",
                  "city");
    if (m_cboCity->GetCount() == 1)
        OnSelchangeCity();
}

void CAirportDlg::OnSelchangeCity()
{
    ResetFrom(4);
    const std::string region = GetSelectedText(*m_cboRegion);
    const std::string country = GetSelectedText(*m_cboCountry);
    const std::string state = GetSelectedText(*m_cboState);
    const std::string city = GetSelectedText(*m_cboCity);

    std::string sql = "SELECT DISTINCT name FROM airports WHERE region='" + EscapeQuotes(region) + "' AND country='" +
                      EscapeQuotes(country) + "' AND city='" + EscapeQuotes(city) + "'";
    if (m_cboState->IsEnabled())
        sql += " AND state='" + EscapeQuotes(state) + "'";
    sql += " ORDER BY name";

    m_cboAirport->Enable();
    FillFromQuery(*m_cboAirport, m_pDatabase, sql, "name");
    OnSelchangeAirport();
}

void CAirportDlg::OnAllCities()
{
    ResetFrom(4);
    const std::string region = GetSelectedText(*m_cboRegion);
    const std::string country = GetSelectedText(*m_cboCountry);
    const std::string state = GetSelectedText(*m_cboState);
    const std::string city = GetSelectedText(*m_cboCity);

    std::string sql = "Select DISTINCT name FROM airports WHERE region='" + EscapeQuotes(region) + "' AND country='" +
                      EscapeQuotes(country) + "'";
    if (m_cboState->IsEnabled())
        sql += " AND state='" + EscapeQuotes(state) + "'";
    if (!m_chkAllCities->IsChecked()) {
        m_cboCity->Enable();
        sql += " AND city='" + EscapeQuotes(city) + "'";
    } else {
        m_cboCity->Disable();
    }

    m_cboAirport->Enable();
    FillFromQuery(*m_cboAirport, m_pDatabase, sql, "name");
    if (m_chkAllCities->IsChecked()) {
        m_bAirportsOfAllCities = true;
        SeparateNamesSharedByCities(region, country, state);
    }
    OnSelchangeAirport();
}

void CAirportDlg::SeparateNamesSharedByCities(const std::string& region, const std::string& country,
                                              const std::string& state)
{
    // A name that airports of several cities share would stand for all of
    // them; each city's airport gets an item of its own.
    std::string where = " WHERE region='" + EscapeQuotes(region) + "' AND country='" + EscapeQuotes(country) + "'";
    if (m_cboState->IsEnabled())
        where += " AND state='" + EscapeQuotes(state) + "'";
    CRecordset rs(m_pDatabase);
    rs.Open(CRecordset::forwardOnly,
            "SELECT name, city FROM airports" + where + " AND name IN (SELECT name FROM airports" + where +
                " GROUP BY name HAVING COUNT(DISTINCT city)>1) GROUP BY name, city",
            CRecordset::none);
    if (rs.IsEOF())
        return;
    m_cboAirport->Freeze();
    for (; !rs.IsEOF(); rs.MoveNext()) {
        std::string name, city;
        rs.GetFieldValue("name", name);
        rs.GetFieldValue("city", city);
        DeleteString(*m_cboAirport, name);
        AddQualifiedString(*m_cboAirport, name, city);
    }
    m_cboAirport->Thaw();
    rs.Close();
    m_cboAirport->SetSelection(0);
}

void CAirportDlg::OnSelchangeAirport()
{
    ResetFrom(5);
    const std::string region = GetSelectedText(*m_cboRegion);
    const std::string country = GetSelectedText(*m_cboCountry);
    const std::string state = GetSelectedText(*m_cboState);
    const std::string city = GetSelectedText(*m_cboCity);
    const std::string airport = GetSelectedText(*m_cboAirport);
    if (airport.empty())
        return;
    const std::optional<std::string> airportCity = GetSelectedQualifier(*m_cboAirport);

    std::string sql = "SELECT * FROM airports WHERE region='" + EscapeQuotes(region) + "' AND country='" +
                      EscapeQuotes(country) + "' AND name='" + EscapeQuotes(airport) + "'";
    // The city goes in unless the box lists every city's airports and this
    // name belongs to one city only: the mark alone says nothing, as it
    // stays set while a city is chosen by hand.
    if (airportCity)
        sql += " AND city='" + EscapeQuotes(*airportCity) + "'";
    else if (!m_bAirportsOfAllCities)
        sql += " AND city='" + EscapeQuotes(city) + "'";
    if (m_cboState->IsEnabled())
        sql += " AND state='" + EscapeQuotes(state) + "'";

    CRecordset rs(m_pDatabase);
    if (!rs.Open(CRecordset::forwardOnly, sql, CRecordset::none))
        return;
    // The first row is the one shown and handed back.
    AirportInfo info = ReadAirportInfo(rs);
    m_strLatitude = info.latitude;
    m_strLongitude = info.longitude;
    m_strElevation = info.elevation;
    m_strATIS = info.atis;
    UpdateData(false);
    m_strID = info.id;
    m_strName = info.name;
    rs.Close();

    m_btnSelectAirport->Enable();
    ListRunways(m_strID);
}

std::string CAirportDlg::GoToAirport(const search::AirportMatch& match)
{
    // A box that the step before filled with a single item has gone on by
    // itself already, as after a choice by the user.
    auto pick = [](SortedComboBox& box, const std::string& text, const std::function<void()>& handler) {
        if (box.GetCount() == 1 && GetSelectedText(box) == text && !GetSelectedQualifier(box))
            return true;
        if (!box.IsEnabled() || !SelectString(box, text))
            return false;
        handler();
        return true;
    };
    auto missing = [&match](const std::string& what, const std::string& text) {
        return "The lists do not lead to " + match.name + ": there is no " + what + " \"" + text + "\".";
    };

    if (!SelectString(*m_cboRegion, match.region))
        return missing("region", match.region);
    OnSelchangeRegion();
    if (!pick(*m_cboCountry, match.country, [this] { OnSelchangeCountry(); }))
        return missing("country", match.country);
    if (m_cboState->IsEnabled() && !pick(*m_cboState, match.state, [this] { OnSelchangeState(); }))
        return missing("state", match.state);
    if (!pick(*m_cboCity, match.city, [this] { OnSelchangeCity(); }))
        return missing("city", match.city);
    // A city shows its first airport at once.
    if (GetSelectedText(*m_cboAirport) != match.name || GetSelectedQualifier(*m_cboAirport)) {
        if (!SelectString(*m_cboAirport, match.name))
            return missing("airport", match.name);
        OnSelchangeAirport();
    }
    if (m_strID != match.id)
        return "More than one airport of " + match.city + " is named " + match.name +
               "; the lists show the first of them.";
    return {};
}

void CAirportDlg::ListRunways(const std::string& id)
{
    ListViewRows rows(*m_lstRunways);
    ::ListRunways(m_pDatabase, id, rows);
}

void CAirportDlg::OnOK(wxCommandEvent&)
{
    TransferDataFromWindow();
    EndWith(*this, wxID_OK);
}

void CAirportDlg::OnCharHook(wxKeyEvent& event)
{
    const int key = event.GetKeyCode();
    if (key == WXK_ESCAPE) {
        // Escape on an open list closes the list. Passed on, it would reach
        // the toolkit's dialog, which with no Cancel button presses the
        // OK button, Select Airport, and hands back whatever the list shows.
        if (SortedComboBox* open = OpenList())
            open->Dismiss();
        else
            EndWith(*this, wxID_CANCEL);
    } else if ((key == WXK_RETURN || key == WXK_NUMPAD_ENTER) && m_findPane->IsDescendant(FindFocus())) {
        // In the find field or its list, Enter accepts the match chosen.
        m_findPane->AcceptSelected();
    } else if ((key == WXK_RETURN || key == WXK_NUMPAD_ENTER) && !OpenList()) {
        // Enter ends the dialog with its OK command, Select Airport, while
        // that is enabled; an open list takes Enter for its own choice.
        AcceptAirport();
    } else {
        event.Skip();
    }
}

void CAirportDlg::AcceptAirport()
{
    if (!m_btnSelectAirport->IsEnabled())
        return;
    wxCommandEvent click(wxEVT_BUTTON, wxID_OK);
    click.SetEventObject(m_btnSelectAirport);
    OnOK(click);
}

SortedComboBox* CAirportDlg::OpenList() const
{
    for (SortedComboBox* box : {m_cboRegion, m_cboCountry, m_cboState, m_cboCity, m_cboAirport})
        if (box->IsPopupShown())
            return box;
    return nullptr;
}

void CAirportDlg::OnClose(wxCloseEvent&)
{
    EndWith(*this, wxID_CANCEL);
}
