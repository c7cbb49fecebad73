// The windows ovkit_show can open, by name. Each entry opens its window in
// (or over) the host window and returns false when it could not.
#pragma once
#include <windows.h>

struct ShownWindow {
    const char* name;
    const char* what;
    bool (*open)(HWND host);
};

// The table, ended by an entry with a null name.
extern const ShownWindow kShownWindows[];

// The tool's resources: the picture of the clickable window, the button
// bar's picture, the icons of the icon buttons (four ids from the first), the
// property sheet's pages and the button captions (four ids from the first).
#define SHOW_IDB_MENU 200
#define SHOW_IDB_BUTTONBAR 201
#define SHOW_IDI_BUTTON1 210
#define SHOW_IDD_GENERAL 300
#define SHOW_IDD_OUTPUT 301
#define SHOW_IDS_BUTTON1 400
