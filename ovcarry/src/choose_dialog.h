// Dialog 101: which items to import, with their sizes and the free space.
#pragma once
#include <windows.h>

// Ends with 1 (OK) or 0 (Cancel, closed). Reads and writes g_carry.Selected.
extern "C" __declspec(dllexport) INT_PTR CALLBACK
    ChooseDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The selection rules: an item that another ticked item needs is ticked.
void ApplySelectionRules(int* selected);
