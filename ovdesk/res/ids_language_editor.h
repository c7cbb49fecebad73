// Resource ids of the report-language editor (the options sheet's Language
// page) and its dialogs.
#pragma once

#define IDD_LANGUAGE_PAGE 21005
#define IDD_LANGUAGE_ADD 21006
#define IDD_LANGUAGE_FIND 21007
#define IDD_LANGUAGE_RESTORE 21008

// Tree pictures (16 x 16).
#define IDB_LE_FOLDER_OPEN 21001
#define IDB_LE_TEXT 21002
#define IDB_LE_TEXT_EDITED 21003
#define IDB_LE_FOLDER_CLOSED 21004

// Language page.
#define IDC_LE_CONTENT 21010
#define IDC_LE_LANGUAGES 21014
#define IDC_LE_TREE 24101
#define IDC_LE_SAVE 24102
#define IDC_LE_ADD 24103
#define IDC_LE_REMOVE 24104
#define IDC_LE_RESTORE 24105
#define IDC_LE_FIND 24106
#define IDC_LE_SET_DEFAULT 24107
#define IDC_LE_EXPAND_ALL 24108
#define IDC_LE_COLLAPSE_ALL 24109

// Add dialog.
#define IDC_LE_NEW_NAME 21015
#define IDC_LE_BASE 21016

// Find/Replace dialog.
#define IDC_LE_IN_TEXT 21019
#define IDC_LE_IN_TITLE 21021
#define IDC_LE_FIND_WHAT 21022
#define IDC_LE_MATCH_CASE 21023
#define IDC_LE_REPLACE_WITH 21024
#define IDC_LE_FIND_NEXT 21025
#define IDC_LE_REPLACE 21026
#define IDC_LE_REPLACE_ALL 21027
#define IDC_LE_PROGRESS 21028

// Restore dialog.
#define IDC_LE_RESTORE_ITEM 24110
#define IDC_LE_RESTORE_ALL 24111

#define HELP_LANGUAGE_EDITOR 4110
