// The ad-views list editor's dialogs (host code 18). One list dialog at a
// time; its add, edit and remove dialogs work on the selected row.
#pragma once
#include <windows.h>

// The list dialog (8070).
extern "C" __declspec(dllexport) INT_PTR CALLBACK AdViewsDlg(HWND, UINT, WPARAM, LPARAM);
// The add and edit dialog (8073) in its two modes.
extern "C" __declspec(dllexport) INT_PTR CALLBACK
    AdViews_CreateNewEntry(HWND, UINT, WPARAM, LPARAM);
extern "C" __declspec(dllexport) INT_PTR CALLBACK AdViews_EditEntry(HWND, UINT, WPARAM, LPARAM);
// The remove dialog (8072).
extern "C" __declspec(dllexport) INT_PTR CALLBACK AdViews_RemoveEntry(HWND, UINT, WPARAM, LPARAM);

namespace adviews {
HWND ListView(void);
int ChosenIndex(void);
// Adds the row of entry index to the list view and selects it.
void ShowNewRow(int index);
// The description to select at the next refresh.
void RememberDescription(const char* description);
} // namespace adviews
