// What an element page of the filter sheet does, apart from its own fields:
// its pick list, its showing on activation and its checks on leaving.
#pragma once
#include "filter_wizard/filter_sheet_state.h"

struct ElementPage {
    int Row;
    int Field;  // the list field (0: none)
    UINT Picks; // its pick list's TEXT id (0: none)
    void (*Show)(HWND page, ProfileFilter* filter);
    // Checks and stores the page; false when the page must stay.
    bool (*Leave)(HWND page, ProfileFilter* filter, UINT code);
    // A click on one of the page's buttons (may be null).
    void (*Clicked)(HWND page, int item);
};

INT_PTR ElementPageMessage(const ElementPage& kind, HWND page, UINT message, WPARAM wParam,
                           LPARAM lParam);
