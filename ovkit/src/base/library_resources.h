// Resource ids of the library's own resources (shared by ovkit.rc and the code).
#pragma once

#define OVKIT_IDC_SLIDER 102
#define OVKIT_IDB_PATTERN 104

// The five icons, loaded in this order; the owner-drawn combo boxes draw them.
#define OVKIT_IDI_FIRST 105
#define OVKIT_IDI_LAST 109

// Start-up failure texts (string table, English, French and German).
#define OVKIT_IDS_BITMAP_FAILED 1
#define OVKIT_IDS_CLASS_FAILED 2
#define OVKIT_IDS_BRUSH_FAILED 3
#define OVKIT_IDS_FONT_FAILED 4

// The progress dialog and its items.
#define OVKIT_IDD_PROGRESS 1000
#define OVKIT_IDC_PROGRESS_FRAME 1001
#define OVKIT_IDC_PROGRESS_TEXT 1002
#define OVKIT_IDC_PROGRESS_PICTURE 1157
// The hand cursor of the clickable picture window.
#define OVKIT_IDC_HAND 101

// The FTP browser: its list images (16 pixels each, magenta transparent) and
// the first of the FTP client library's error texts (5540 to 5569).
#define OVKIT_IDB_FTP_LIST 3201
#define OVKIT_IDS_FTP_ERROR_FIRST 5540
// The FTP browser dialog and its items.
#define OVKIT_IDD_FTP_BROWSE 12000
#define OVKIT_IDC_FTP_LIST 12001
#define OVKIT_IDC_FTP_PATH 12002
#define OVKIT_IDC_FTP_HOST 12003
#define OVKIT_IDC_FTP_HOST_LABEL 12004
