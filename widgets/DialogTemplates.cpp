// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/DialogTemplates.h"

#include "widgets/Resource.h"

#include <stdexcept>

namespace {

using K = ControlKind;

const std::vector<DialogTemplate>& Templates()
{
    static const std::vector<DialogTemplate> templates = {
        {IDD_ABOUTBOX, "About Meridane", 249, 90,
         {
             {IDC_STATIC, K::Picture, "", 7, 7, 66, 76, false, IDB_ABOUT},
             {IDC_STATIC, K::Text, "Meridane Ver 1.0", 75, 10, 117, 45},
             {IDOK, K::DefPushButton, "OK", 210, 7, 32, 14},
         }},

        {IDD_ROUTE_DIALOG, "Meridane", 363, 282,
         {
             {IDC_CALCULATE_ROUTE, K::DefPushButton, "Calculate Route", 185, 263, 70, 14, true},
             {IDC_STATIC, K::GroupBox, "Departing Airport:", 7, 7, 349, 90},
             {IDC_DEPARTURE_LATITUDE, K::ReadOnlyEdit, "", 53, 33, 71, 14},
             {IDC_DEPARTURE_ELEVATION, K::ReadOnlyEdit, "", 291, 33, 40, 14},
             {IDC_DEPARTURE_LONGITUDE, K::ReadOnlyEdit, "", 173, 33, 71, 14},
             {IDC_DEPARTURE_ATIS, K::ReadOnlyEdit, "", 291, 17, 40, 14},
             {IDC_DEPARTURE_RUNWAYS, K::ReportList, "", 16, 60, 332, 32},
             {IDC_STATIC, K::Label, "Latitude:", 13, 36, 28, 8},
             {IDC_STATIC, K::Label, "ATIS:", 256, 20, 19, 8},
             {IDC_STATIC, K::Label, "Longitude:", 133, 36, 34, 8},
             {IDC_STATIC, K::Label, "Elevation:", 256, 36, 32, 8},
             {IDC_STATIC, K::Label, "Name:", 13, 20, 22, 8},
             {IDC_DEPARTURE_NAME, K::ReadOnlyEdit, "", 53, 17, 192, 14},
             {IDC_STATIC, K::GroupBox, "Runways:", 7, 49, 349, 48},
             {IDC_STATIC, K::GroupBox, "Destination Airport:", 7, 101, 349, 90},
             {IDC_DESTINATION_LATITUDE, K::ReadOnlyEdit, "", 53, 127, 71, 14},
             {IDC_DESTINATION_ELEVATION, K::ReadOnlyEdit, "", 291, 127, 40, 14},
             {IDC_DESTINATION_LONGITUDE, K::ReadOnlyEdit, "", 173, 127, 71, 14},
             {IDC_DESTINATION_ATIS, K::ReadOnlyEdit, "", 291, 111, 40, 14},
             {IDC_DESTINATION_RUNWAYS, K::ReportList, "", 16, 154, 332, 32},
             {IDC_STATIC, K::Label, "Latitude:", 13, 130, 28, 8},
             {IDC_STATIC, K::Label, "ATIS:", 256, 114, 19, 8},
             {IDC_STATIC, K::Label, "Longitude:", 133, 130, 34, 8},
             {IDC_STATIC, K::Label, "Elevation:", 256, 130, 32, 8},
             {IDC_STATIC, K::Label, "Name:", 13, 114, 22, 8},
             {IDC_DESTINATION_NAME, K::ReadOnlyEdit, "", 53, 111, 192, 14},
             {IDC_STATIC, K::GroupBox, "Runways:", 7, 143, 349, 48},
             {IDC_STATIC, K::GroupBox, "Navigation Radios on Route:", 7, 195, 349, 63},
             {IDC_ROUTE, K::ReportList, "", 16, 204, 332, 50},
             {IDC_SELECT_DEPARTING, K::PushButton, "Select Departing", 17, 263, 70, 14},
             {IDC_SELECT_DESTINATION, K::PushButton, "Select Destination", 101, 263, 70, 14},
             {IDC_ABOUT, K::PushButton, "About", 326, 263, 29, 14},
             {IDC_WRITE_FILE, K::PushButton, "Write File", 271, 263, 50, 14, true},
         }},

        {IDD_AIRPORT_DIALOG, "Airport Information", 254, 242,
         {
             {IDC_REGION, K::DropDownList, "", 49, 18, 180, 65},
             {IDC_COUNTRY, K::DropDownList, "", 49, 34, 180, 64},
             {IDC_STATE, K::DropDownList, "", 49, 50, 180, 66},
             {IDC_CITY, K::DropDownList, "", 49, 66, 129, 64},
             {IDC_ALL_CITIES, K::AutoCheckBox, "All Cities", 187, 67, 42, 10},
             {IDC_AIRPORT, K::DropDownList, "", 49, 82, 180, 64},
             {IDC_LATITUDE, K::ReadOnlyEdit, "", 53, 116, 71, 14},
             {IDC_ELEVATION, K::ReadOnlyEdit, "", 167, 116, 40, 14},
             {IDC_LONGITUDE, K::ReadOnlyEdit, "", 53, 133, 71, 14},
             {IDC_ATIS, K::ReadOnlyEdit, "", 167, 133, 40, 14},
             {IDC_RUNWAYS, K::ReportList, "", 15, 162, 224, 48},
             {IDC_STATIC, K::GroupBox, "Select Location:", 7, 7, 240, 93},
             {IDC_STATIC, K::Label, "Region:", 13, 20, 26, 8},
             {IDC_STATIC, K::Label, "Country:", 13, 36, 27, 8},
             {IDC_STATIC, K::Label, "State:", 13, 52, 20, 8},
             {IDC_STATIC, K::Label, "City:", 13, 68, 14, 8},
             {IDC_STATIC, K::Label, "Airport:", 13, 84, 23, 8},
             {IDC_STATIC, K::GroupBox, "Airport Information:", 7, 100, 240, 112},
             {IDC_STATIC, K::Label, "Latitude:", 13, 119, 28, 8},
             {IDC_STATIC, K::Label, "ATIS:", 132, 136, 19, 8},
             {IDC_STATIC, K::Label, "Longitude:", 13, 136, 34, 8},
             {IDC_STATIC, K::Label, "Elevation:", 132, 119, 32, 8},
             {IDC_STATIC, K::GroupBox, "Runways:", 7, 150, 240, 63},
             {IDOK, K::PushButton, "Select Airport", 101, 221, 50, 14, true},
         }},
    };
    return templates;
}

}  // namespace

const DialogTemplate& FindDialogTemplate(int id)
{
    for (const DialogTemplate& t : Templates())
        if (t.id == id)
            return t;
    throw std::out_of_range("no dialog template " + std::to_string(id));
}

std::string LoadResourceString(int id)
{
    switch (id) {
    case IDS_ABOUTBOX:
        return "&About Meridane...";
    default:
        return {};
    }
}
