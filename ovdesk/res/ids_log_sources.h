// Resource ids of the log-source login dialog and the log searches.
#pragma once

// Remote log-source login dialog.
#define IDD_ORBIS_LOGIN 335
#define IDC_LOGIN_BANNER 1145
#define IDC_LOGIN_USER 8391
#define IDC_LOGIN_PASSWORD 8393
#define IDC_LOGIN_OK 8397
#define IDC_LOGIN_CANCEL 8398
#define IDC_LOGIN_HELP 8399
#define IDC_LOGIN_BROWSE 8400
#define IDC_LOGIN_HELP2 16200

// Remote search status dialog.
#define IDD_FIND_REMOTE_STATUS 331
#define IDC_FIND_STATUS_TEXT 8260
#define IDC_FIND_STATUS_FRAME 8261
#define IDC_FIND_STATUS_HELP 16200
// Messages the finder may send the status dialog: caption, status line.
#define WM_FIND_STATUS_CAPTION 1034
#define WM_FIND_STATUS_TEXT 1044

// Home-page file names of a profile found on this machine.
#define IDS_LOCAL_HOMEPAGE_FILES 32141
