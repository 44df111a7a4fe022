// Identifiers shared by the resource script and the program.
#pragma once

// Dialog templates
#define IDD_ABOUTBOX 103
#define IDD_MAIN 130

// Icons and bitmaps
#define IDI_APP 107
#define IDB_BANNER 129

// Strings (French 1036 and English 1033)
#define IDS_APP_TITLE 103
#define IDS_MONITORS 104
#define IDS_REFRESH 105
#define IDS_CLOSE 106
#define IDS_ABOUT_TITLE 107
#define IDS_ABOUT_BUTTON 108
#define IDS_APP_TITLE_ALT 109
#define IDS_COPY 110
#define IDS_SAVE 111
#define IDS_LANGUAGE 112
#define IDS_FILE_FILTER 113
#define IDS_ACTIVE 114
#define IDS_NOT_ACTIVE 115
#define IDS_SAVE_FAILED 116

// Controls of IDD_MAIN
#define IDC_MONITOR_COMBO 1001
#define IDC_REPORT_EDIT 1002
#define IDC_REFRESH 1003
#define IDC_MONITORS_LABEL 1004
#define IDC_COPY 1005
#define IDC_SAVE 1006
#define IDC_LANGUAGE_COMBO 1007
#define IDC_ABOUT 1008
#define IDC_LANGUAGE_LABEL 1009
#define IDC_ACTIVE_STATE 1010

#ifndef IDC_STATIC
#define IDC_STATIC -1
#endif
