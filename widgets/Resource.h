// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Resource and control identifiers of the program: dialog templates, the
// icon, the About picture, the string table, and the controls of each dialog.

// Dialog templates
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_ROUTE_DIALOG = 102;
inline constexpr int IDD_AIRPORT_DIALOG = 130;

// Icon, bitmap and strings
inline constexpr int IDR_MAINFRAME = 128;
inline constexpr int IDB_ABOUT = 133;
inline constexpr int IDS_ABOUTBOX = 101;

// The command of the About entry added to the main window's menu.
inline constexpr int IDM_ABOUTBOX = 0x0010;
// Beside it: bringing the navigation data up to date.
inline constexpr int IDM_UPDATE_NAVDATA = 0x0020;

// Identifiers the templates use for the standard buttons; the dialog builder
// maps them to the toolkit's own.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
// Controls without an identifier (labels, group boxes, pictures).
inline constexpr int IDC_STATIC = -1;

// Main window (dialog 102)
inline constexpr int IDC_DEPARTURE_NAME = 1000;
inline constexpr int IDC_DEPARTURE_LATITUDE = 1001;
inline constexpr int IDC_DEPARTURE_LONGITUDE = 1002;
inline constexpr int IDC_DEPARTURE_ELEVATION = 1003;
inline constexpr int IDC_DEPARTURE_ATIS = 1005;
inline constexpr int IDC_DESTINATION_LATITUDE = 1006;
inline constexpr int IDC_DESTINATION_ELEVATION = 1007;
inline constexpr int IDC_DESTINATION_LONGITUDE = 1008;
inline constexpr int IDC_DESTINATION_ATIS = 1009;
inline constexpr int IDC_DESTINATION_RUNWAYS = 1010;
inline constexpr int IDC_DESTINATION_NAME = 1011;
inline constexpr int IDC_DEPARTURE_RUNWAYS = 1012;
inline constexpr int IDC_ROUTE = 1013;
inline constexpr int IDC_SELECT_DEPARTING = 1014;
inline constexpr int IDC_SELECT_DESTINATION = 1015;
inline constexpr int IDC_CALCULATE_ROUTE = 1016;
inline constexpr int IDC_ABOUT = 1017;
inline constexpr int IDC_WRITE_FILE = 1018;

// Airport selection dialog (dialog 130)
inline constexpr int IDC_REGION = 1000;
inline constexpr int IDC_COUNTRY = 1001;
inline constexpr int IDC_STATE = 1002;
inline constexpr int IDC_CITY = 1003;
inline constexpr int IDC_RUNWAYS = 1004;
inline constexpr int IDC_AIRPORT = 1006;
inline constexpr int IDC_ALL_CITIES = 1007;
inline constexpr int IDC_LATITUDE = 1012;
inline constexpr int IDC_LONGITUDE = 1013;
inline constexpr int IDC_ELEVATION = 1014;
inline constexpr int IDC_ATIS = 1015;
