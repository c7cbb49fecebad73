// Resource ids of the filter wizard: its pages (as a wizard and as the
// property sheet of one filter) and its pick lists.
#pragma once

// Fixed pages.
#define IDD_FW_TYPE 125
#define IDD_FW_TITLE 31019
#define IDD_FW_ELEMENTS 31028
#define IDD_FW_GENERAL 31031
// Element pages, in the page table's order, and the summary.
#define IDD_FW_RETURN_CODE 31018
#define IDD_FW_USER_ADDRESS 31017
#define IDD_FW_DOMAIN 31016
#define IDD_FW_DIRECTORY 31015
#define IDD_FW_FILE 31014
#define IDD_FW_ENTRY_PAGE 31063
#define IDD_FW_REFERRER 31012
#define IDD_FW_ADVERTISING 31013
#define IDD_FW_BROWSER 31021
#define IDD_FW_USERNAME 31022
#define IDD_FW_DAY 31026
#define IDD_FW_HOUR 31027
#define IDD_FW_SUMMARY 31024

// Pick lists ("TEXT": label and value lines in pairs). The countries of the
// user-address list come from the engine's country table (TEXT 5613).
#define IDT_FW_FILES 5500
#define IDT_FW_RETURN_CODES 5501
#define IDT_FW_USER_ADDRESSES 5502
#define IDT_FW_REFERRERS 5672
#define IDT_FW_BROWSERS 5733
#define IDT_COUNTRY_LIST 5613

// Type page.
#define IDC_FW_INCLUDE 22001
#define IDC_FW_EXCLUDE 22002
// Title and General pages.
#define IDC_FW_NAME 18000
// Elements and General pages.
#define IDC_FW_DEFAULT 22003
#define IDC_FW_BASED_UPON 22004
#define IDC_FW_EL_RETURN_CODE 1179
#define IDC_FW_EL_USER_ADDRESS 1180
#define IDC_FW_EL_DOMAIN 1181
#define IDC_FW_EL_DIRECTORY 1182
#define IDC_FW_EL_FILE 1183
#define IDC_FW_EL_REFERRER 1184
#define IDC_FW_EL_ADVERTISING 1185
#define IDC_FW_EL_BROWSER 1186
#define IDC_FW_EL_USERNAME 1187
#define IDC_FW_EL_DAY 1188
#define IDC_FW_EL_HOUR 1189
#define IDC_FW_EL_ENTRY_PAGE 1199

// Element pages' fields.
#define IDC_FW_RETURN_CODE 18010
#define IDC_FW_USER_ADDRESS 18020
#define IDC_FW_DOMAIN 18030
#define IDC_FW_DIRECTORY 1157
#define IDC_FW_SUBDIRS 18060
#define IDC_FW_DIR_CASE 1135
#define IDC_FW_FILE 18050
#define IDC_FW_NO_FILENAMES 1135
#define IDC_FW_FILE_CASE 1163
#define IDC_FW_ENTRY_PAGE 1225
#define IDC_FW_ENTRY_CASE 1226
#define IDC_FW_REFERRER 18070
#define IDC_FW_ADVERTISING 18080
#define IDC_FW_BROWSER 1128
#define IDC_FW_USERNAME 1130
#define IDC_FW_USERNAME_CASE 1164
#define IDC_FW_USERNAME_ALL 1135
// Day page: Sunday to Saturday.
#define IDC_FW_SUNDAY 1135
#define IDC_FW_MONDAY 1136
#define IDC_FW_TUESDAY 1137
#define IDC_FW_WEDNESDAY 1138
#define IDC_FW_THURSDAY 1139
#define IDC_FW_FRIDAY 1140
#define IDC_FW_SATURDAY 1141
// Hour page.
#define IDC_FW_HOUR_ALL 1158
#define IDC_FW_HOUR_BETWEEN 1159
#define IDC_FW_HOUR_BEGIN 1155
#define IDC_FW_HOUR_END 1148
#define IDC_FW_HOUR_BEGIN_SPIN 22010
#define IDC_FW_HOUR_END_SPIN 22011
// Summary page.
#define IDC_FW_SUMMARY 22020
