// The database maintenance dialog (host code 21) over the loaded profiles
// that keep a history database.
#pragma once
#include <windows.h>

extern "C" {
// Dialog procedure of the maintenance dialog.
__declspec(dllexport) INT_PTR CALLBACK
    DBMaintDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Code 21: runs the dialog modally; 0.
int __cdecl HostDatabaseMaintenance(HWND owner);
}
