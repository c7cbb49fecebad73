// Resource ids of the profile sheet, its pages, the server dialog and the
// database maintenance dialog.
#pragma once

// Page templates, in the sheet's order.
#define IDD_PS_SITE 31044
#define IDD_PS_TITLE_URL 9700
#define IDD_PS_SERVERS 135
#define IDD_PS_DNS 9750
#define IDD_PS_HOME_PAGE 9800
#define IDD_PS_FILTERS 9850
#define IDD_PS_DATABASE 9900
#define IDD_PS_DATABASE_ODBC 31003
#define IDD_PS_REMOTE 31002
#define IDD_PS_SWIFTMERE 31005
#define IDD_PS_ROWMERE 31006
// The server dialog of the List of Servers page.
#define IDD_PS_SERVER 133
// Database maintenance.
#define IDD_DB_MAINTENANCE 106

// The picture and the bold heading every page shows.
#define IDC_PS_PICTURE 9601
#define IDC_PS_HEADING 30001

// Site Configuration.
#define IDC_SITE_SINGLE 31045
#define IDC_SITE_CLUSTER 31046

// Title, URL (the List of Servers page shares the description and format).
#define IDC_TU_DESCRIPTION 9701
#define IDC_TU_PROTOCOL 9702
#define IDC_TU_PATH 9703
#define IDC_TU_BROWSE 9704
#define IDC_TU_INCREMENTAL 9705
#define IDC_TU_FORMAT 9706
#define IDC_TU_EXAMPLES 9707
#define IDC_TU_HELP 9708

// List of Servers.
#define IDC_SL_LIST 136
#define IDC_SL_ADD 137
#define IDC_SL_EDIT 138
#define IDC_SL_DELETE 139

// Server dialog.
#define IDC_SV_NAME 1331
#define IDC_SV_PATH 1332
#define IDC_SV_BROWSE 1333
#define IDC_SV_EXAMPLES 1334
#define IDC_SV_HELP 1335

// DNS Lookup.
#define IDC_DNS_MODE 9751

// Home Page.
#define IDC_HP_PROTOCOL 9801
#define IDC_HP_ADDRESS 9802
#define IDC_HP_BROWSE 9803
#define IDC_HP_EXAMPLE 9804
#define IDC_HP_FILES 9805
#define IDC_HP_EXAMPLES 9806

// Filters.
#define IDC_FL_LIST 9851
#define IDC_FL_ADD 9852
#define IDC_FL_EDIT 9853
#define IDC_FL_DELETE 9854
#define IDC_FL_COPY 9855
#define IDC_FL_PASTE 9856

// Database and Real-Time.
#define IDC_DB_COLLECT 9901
#define IDC_DB_LOCAL 9902
#define IDC_DB_ODBC 9903
#define IDC_DB_ODBC_BROWSE 9904
#define IDC_DB_ANALYZE 9905
#define IDC_DB_GENERATE 9906
#define IDC_DB_GROUP 9907
#define IDC_DB_EVERY 9908
#define IDC_DB_INTERVAL 9909
#define IDC_DB_SPIN 9910
#define IDC_DB_UNIT 9911
#define IDC_DB_SAVEAS_LABEL 9912
#define IDC_DB_SAVEAS 9913
#define IDC_DB_SAVEAS_BROWSE 9914

// Remote Reports.
#define IDC_RR_OWNER 31021

// Advanced Swiftmere.
#define IDC_SW_DEFAULT 31051
#define IDC_SW_FOLDER 31052
#define IDC_SW_BROWSE 31053

// Rowmere.
#define IDC_RW_IP 31061
#define IDC_RW_IP_CONFIGURE 31062
#define IDC_RW_USER 31063
#define IDC_RW_USER_CONFIGURE 31064

// Database maintenance.
#define IDC_DM_PROFILES 1061
#define IDC_DM_DAYS 1062
#define IDC_DM_DELETE_ALL 1063
#define IDC_DM_DELETE_DAY 1064
#define IDC_DM_BEFORE 1065
#define IDC_DM_BEFORE_DATE 1066
#define IDC_DM_AFTER 1067
#define IDC_DM_AFTER_DATE 1068
#define IDC_DM_BETWEEN 1069
#define IDC_DM_BETWEEN_FIRST 1070
#define IDC_DM_BETWEEN_LAST 1071
#define IDC_DM_HEADING2 30002

// Example texts under the home page address.
#define IDS_HP_EXAMPLE_HOME 31801
#define IDS_HP_EXAMPLE_HOST 31802

// The Rowmere configuration sheet and its Advanced SQL dialog.
#define IDD_RM_SOURCE 31008
#define IDD_RM_TABLE 31007
#define IDD_RM_KEY 31009
#define IDD_RM_FIELDS 31010
#define IDD_RM_OPTIONS 31011
#define IDD_RM_ADVANCED_SQL 120
#define IDC_RM_SOURCE_NAME 31081
#define IDC_RM_SOURCE_BROWSE 31082
#define IDC_RM_TABLE 31071
#define IDC_RM_KEY_TEXT1 31091
#define IDC_RM_KEY_TEXT2 31092
#define IDC_RM_KEY 31093
#define IDC_RM_AVAILABLE 31101
#define IDC_RM_SHOWN 31102
#define IDC_RM_ADD 31103
#define IDC_RM_REMOVE 31104
#define IDC_RM_ORDER 31105
#define IDC_RM_TITLE 31111
#define IDC_RM_EXPLAIN 31112
#define IDC_RM_ONLY_FOUND 31113
#define IDC_RM_ADVANCED 31114
#define IDC_RM_SQL 1201
