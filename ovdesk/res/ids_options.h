// Resource ids of the options sheet, its pages and its list editors.
#pragma once

// Page templates, in the sheet's order (the Language page is the
// report-language editor's).
#define IDD_OPT_FILE_TYPES 9000
#define IDD_OPT_DOMAINS 9050
#define IDD_OPT_GENERAL 9100
#define IDD_OPT_OFFICE 9500
#define IDD_OPT_COOKIES 10901
#define IDD_OPT_LOG_CACHE 13000
#define IDD_OPT_REALTIME 31000
#define IDD_OPT_ODBC 31004
#define IDD_OPT_LANGUAGE 21005
// The list editors and the type dialog.
#define IDD_OPT_FILE_TYPE_EDITOR 31033
#define IDD_OPT_FILE_TYPE 127
#define IDD_OPT_WORD_LIST 9400
// The header picture the host shows above the sheet.
#define IDB_OPTIONS_HEADER 119

// The bold heading of a page.
#define IDC_OPT_HEADING 30001

// File Types and Domains: the list of keys and its Edit button.
#define IDC_OPT_KEYS 20001
#define IDC_OPT_KEYS_EDIT 20002

// General.
#define IDC_OPT_DNS_CACHE 20021
#define IDC_OPT_DNS_CACHE_SPIN 20022
#define IDC_OPT_DNS_FLUSH 20023
#define IDC_OPT_REFRESH 20024
#define IDC_OPT_REFRESH_SPIN 20025
#define IDC_OPT_SESSION 20026
#define IDC_OPT_SESSION_SPIN 20027
#define IDC_OPT_TITLES 20028
#define IDC_OPT_TITLE_CACHE 20029
#define IDC_OPT_TITLE_CACHE_SIZE 20030
#define IDC_OPT_TITLE_LIFESPAN 20031
#define IDC_OPT_GRAPH_GIF 20032
#define IDC_OPT_GRAPH_JPEG 20033

// MS-Word and Excel.
#define IDC_OPT_AUTHOR 20041
#define IDC_OPT_COMPANY 20042
#define IDC_OPT_GLOSSARY 20043
#define IDC_OPT_DESCRIPTIONS 20044
#define IDC_OPT_EXCEL_GRAPHS 20045

// Cookies.
#define IDC_OPT_COOKIE_ENABLE 20051
#define IDC_OPT_COOKIE_VALIDATE 20052

// Log File Cache.
#define IDC_OPT_FTP_ALWAYS 20061
#define IDC_OPT_FTP_ONCE 20062
#define IDC_OPT_FTP_DETECT 20063
#define IDC_OPT_FTP_FLUSH 20064

// Real-Time (the range combo is the Range page's, 9956).
#define IDC_OPT_RT_FRAME 20071
#define IDC_OPT_RT_TEMPLATE 20072
#define IDC_OPT_RT_SLIDER 20073

// ODBC.
#define IDC_OPT_ALLOW_ODBC 20081
#define IDC_OPT_ALLOW_ROWMERE 20082

// File-type editor.
#define IDC_FTE_LIST 20101
#define IDC_FTE_ADD 20102
#define IDC_FTE_EDIT 20103
#define IDC_FTE_REMOVE 20104
#define IDC_FTE_HELP 20105

// Type dialog.
#define IDC_FT_EXTENSION 20111
#define IDC_FT_ALWAYS 20112
#define IDC_FT_NOT_SCRIPT 20113
#define IDC_FT_SCRIPT 20114
#define IDC_FT_EXPLAIN 20115
#define IDC_FT_HELP 20116

// Word-list editor.
#define IDC_WL_WORD 20121
#define IDC_WL_ADD 20122
#define IDC_WL_LIST 20123
#define IDC_WL_REMOVE 20124
#define IDC_WL_HELP 20125
