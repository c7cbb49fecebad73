// Resource ids of the intranet and ad-views list editors.
#pragma once

// Pick lists ("TEXT": "name,code" lines; the first is a heading).
#define IDT_COUNTRY_LIST 5613
#define IDT_STATE_LIST 5671

// Intranet list dialog and its add/edit and remove dialogs.
#define IDD_INTRANET_LIST 8050
#define IDD_INTRANET_REMOVE 8052
#define IDD_INTRANET_EDIT 8053
#define IDS_INTRANET_COLUMNS 10114
#define IDC_IN_LIST 8220
#define IDC_IN_CITY_LABEL 8209
#define IDC_IN_CITY 8210
#define IDC_IN_STATE_LABEL 8211
#define IDC_IN_STATE 8212
#define IDC_IN_COUNTRY_LABEL 8213
#define IDC_IN_COUNTRY 8214
#define IDC_IN_PATTERN_LABEL 8215
#define IDC_IN_PATTERN 8216
#define IDC_IN_PICTURE 24000
#define IDC_IN_ADD 24001
#define IDC_IN_DELETE 24002
#define IDC_IN_EDIT 24003
#define IDC_IN_HELP 24004
#define IDC_IN_DOMAIN_FIELD 8109
#define IDC_IN_DESCRIPTION_FIELD 8110
#define IDC_IN_CITY_FIELD 8111
#define IDC_IN_STATE_FIELD 8108
#define IDC_IN_COUNTRY_FIELD 8107
#define IDC_IN_PATTERN_FIELD 8112
#define IDC_IN_REMOVED_NAME 24005

// Ad-views list dialog and its add/edit and remove dialogs.
#define IDD_ADVIEWS_LIST 8070
#define IDD_ADVIEWS_REMOVE 8072
#define IDD_ADVIEWS_EDIT 8073
#define IDS_ADVIEWS_COLUMNS 10117
#define IDC_AV_LIST 8271
#define IDC_AV_VIEW_FIELD 8126
#define IDC_AV_CLICK_FIELD 8127
#define IDC_AV_DESCRIPTION_FIELD 8110
#define IDC_AV_ADD 24011
#define IDC_AV_DELETE 24012
#define IDC_AV_EDIT 24013
#define IDC_AV_HELP 24014
#define IDC_AV_CANCEL 24015
#define IDC_AV_REMOVED_NAME 24016

// Help topics.
#define HELP_INTRANET_LIST 4078
#define HELP_INTRANET_EDIT 4079
#define HELP_INTRANET_REMOVE 4086
#define HELP_ADVIEWS_LIST 4068
#define HELP_ADVIEWS_EDIT 4069
#define HELP_ADVIEWS_REMOVE 4071

// The list dialogs' refresh message.
#define WM_LIST_REFRESH 5024

// Labels of the intranet edit dialog (bold).
#define IDC_IN_EDIT_LABEL1 24021
#define IDC_IN_EDIT_LABEL2 24022
#define IDC_IN_EDIT_LABEL3 24023
#define IDC_IN_EDIT_LABEL4 24024
#define IDC_IN_EDIT_LABEL5 24025
#define IDC_IN_EDIT_LABEL6 24026
// Labels of the ad-views edit dialog (bold).
#define IDC_AV_EDIT_LABEL1 24031
#define IDC_AV_EDIT_LABEL2 24032
#define IDC_AV_EDIT_LABEL3 24033
