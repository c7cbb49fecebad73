// The "Select Items..." dialog: which sections a print or save covers.
#pragma once
#include <windows.h>

enum { SELECT_TITLE_SIZE = 81 };

struct SelectItemsRequest {
    HWND Owner;
    WORD ListId; // the owner's section list
    WORD Count;  // items in; items chosen out
    WORD* Items; // in: item i holds i; out: the chosen indexes in list order
    char Title[SELECT_TITLE_SIZE];
    const LONG* Unattended; // nonzero: everything is chosen without asking
};

extern "C" __declspec(dllexport) INT_PTR CALLBACK
    SelectCascadeDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
