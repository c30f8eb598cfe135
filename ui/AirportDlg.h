// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/SortedComboBox.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/listctrl.h>

#include <memory>
#include <string>

class AirportFindPane;
class CDatabase;
class TemplateLayout;
namespace search {
struct AirportMatch;
}

// "Airport Information": finds one airport of the navigation database by
// narrowing Region, Country, State (United States only), City and Airport,
// shows its position, elevation, ATIS frequency and runways, and hands the
// airport back when the user presses "Select Airport".
//
// Above the lists, a find field looks airports up by code, name or city and
// reaches the one chosen through the lists, as the user would pick it.
//
// Caller: construct, set m_pDatabase, ShowModal(). On wxID_OK the six texts
// m_strID, m_strName, m_strLatitude, m_strLongitude, m_strElevation and
// m_strATIS describe the chosen airport, all from one airports row.
class CAirportDlg : public wxDialog {
public:
    explicit CAirportDlg(wxWindow* parent = nullptr);
    ~CAirportDlg() override;

    std::string m_strName;
    std::string m_strID;
    CDatabase* m_pDatabase = nullptr;  // not owned
    wxButton* m_btnSelectAirport = nullptr;
    wxCheckBox* m_chkAllCities = nullptr;
    SortedComboBox* m_cboCity = nullptr;
    SortedComboBox* m_cboAirport = nullptr;
    wxListCtrl* m_lstRunways = nullptr;
    SortedComboBox* m_cboState = nullptr;
    SortedComboBox* m_cboRegion = nullptr;
    SortedComboBox* m_cboCountry = nullptr;
    std::string m_strATIS;
    std::string m_strElevation;
    std::string m_strLatitude;
    std::string m_strLongitude;

    // Empties the cascade from a level down (0 = Region ... 4 = Airport,
    // 5 = nothing) and clears the airport's details.
    void ResetFrom(int level);
    void ListRunways(const std::string& id);

    // Handlers, also called directly where the cascade goes on by itself.
    void OnSelchangeRegion();
    void OnSelchangeCountry();
    void OnSelchangeState();
    void OnSelchangeCity();
    void OnSelchangeAirport();
    void OnAllCities();

    // The details as the edits show them, and back.
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    // UpdateData(FALSE): shows the four detail texts.
    void UpdateData(bool saveAndValidate);

    // Picks the airport's region, country, state, city and name in the
    // lists, each as the user would, so that every list, query and state is
    // the one of that choice. "" when the airport's details show, else what
    // kept them from showing.
    std::string GoToAirport(const search::AirportMatch& match);

    AirportFindPane* m_findPane = nullptr;  // above the template's controls

private:
    void DoDataExchange();
    void OnInitDialog(wxInitDialogEvent& event);
    void OnOK(wxCommandEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnClose(wxCloseEvent& event);
    SortedComboBox* OpenList() const;  // the list shown open, if any
    // Select Airport, as its button does, while it is enabled.
    void AcceptAirport();
    void LayOut();
    void SeparateNamesSharedByCities(const std::string& region, const std::string& country,
                                     const std::string& state);

    std::unique_ptr<TemplateLayout> m_layout;
    int m_findHeight = 0;  // of the find pane, above the template's controls
    // The Airport box lists the airports of every city (All Cities in effect).
    bool m_bAirportsOfAllCities = false;

    wxTextCtrl* m_edtATIS = nullptr;
    wxTextCtrl* m_edtElevation = nullptr;
    wxTextCtrl* m_edtLatitude = nullptr;
    wxTextCtrl* m_edtLongitude = nullptr;
};

// The country whose airports are further divided by state.
inline constexpr const char COUNTRY_WITH_STATES[] = "United States";
// Stands in the disabled State box of every other country.
inline constexpr const char GO_TO_CITY_SELECTION[] = "Go to City selection...";
