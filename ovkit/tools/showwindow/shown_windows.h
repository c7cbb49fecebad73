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

// The tool's picture for the clickable window.
#define SHOW_IDB_MENU 200
