// Messages of the progress dialog and its bar. The engine, ovkit's FTP and
// mail code, the report run and the office programs' macros send them, so
// their numbers are fixed.
#pragma once
#include <windows.h>

enum ProgressDialogMessage : UINT {
    PROGRESS_SET_PERCENT = WM_USER, // wParam percent
    PROGRESS_SET_CAPTION = 1034,    // lParam text
    PROGRESS_SET_STATUS = 1044,     // lParam text
    PROGRESS_DISCONNECTING = 1045,
    PROGRESS_TRANSFER_COMPLETE = 1046,
    PROGRESS_SORTING = 1047,
    PROGRESS_SYNCHRONIZING = 1048,
    PROGRESS_CONNECTING = 1049,
    PROGRESS_SENDING = 1050,         // lParam text
    PROGRESS_SMTP_CONNECTING = 1051, // lParam server
    PROGRESS_BUILDING_MAIL = 1052,
    PROGRESS_BUILDING_ATTACHMENTS = 1053,
    PROGRESS_SENDING_MAIL = 1054,
    PROGRESS_BYTES_RECEIVED = 1055, // lParam count text
    PROGRESS_READING_RECORD = 1056, // lParam number text
    PROGRESS_SHOW_STOP = 1057,
    PROGRESS_STATUS_AND_PERCENT = 2123, // wParam percent, lParam text
    PROGRESS_OFFICE_STEP = 10000,       // wParam step 0..17, lParam count
    PROGRESS_OFFICE_PERCENT = 10001,    // wParam percent, lParam result
    PROGRESS_OFFICE_CANCEL = 10002,
    PROGRESS_OFFICE_START_TIMER = 10003,
};

enum ProgressBarMessage : UINT {
    BAR_SET_POSITION = 2024, // wParam position
    BAR_SET_MAXIMUM = 2025,  // wParam maximum
    BAR_SET_FORMAT = 2026,   // lParam format text
    BAR_SET_FONT = 2027,     // lParam font
    BAR_SET_FLAGS = 2028,    // wParam flags
    BAR_GET_POSITION = 2030, // the position (-1 while unset)
    BAR_SET_POSITION_OFFICE = 10001,
};

// Steps the office macros name in PROGRESS_OFFICE_STEP.
enum { OFFICE_STEP_COUNT = 18 };
