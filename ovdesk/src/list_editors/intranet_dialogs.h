// The intranet list editor's dialogs (host code 17). One list dialog at a
// time; its add, edit and remove dialogs work on the selected row.
#pragma once
#include <windows.h>

// The list dialog (8050).
extern "C" __declspec(dllexport) INT_PTR CALLBACK IntranetDlg(HWND, UINT, WPARAM, LPARAM);
// The add and edit dialog (8053) in its two modes; 1 when the list changed.
extern "C" __declspec(dllexport) INT_PTR CALLBACK
    Intranet_CreateNewEntry(HWND, UINT, WPARAM, LPARAM);
extern "C" __declspec(dllexport) INT_PTR CALLBACK Intranet_EditEntry(HWND, UINT, WPARAM, LPARAM);
// The remove dialog (8052); 1 when the entry was removed.
extern "C" __declspec(dllexport) INT_PTR CALLBACK Intranet_RemoveEntry(HWND, UINT, WPARAM, LPARAM);

// State the list dialog shares with its add, edit and remove dialogs.
namespace intranet {
// The list view of the open list dialog.
HWND ListView(void);
// The row chosen for Edit or Remove.
int ChosenIndex(void);
// Adds the row of entry index to the list view and selects it.
void ShowNewRow(int index);
// The domain to select at the next refresh.
void RememberDomain(const char* domain);
// Shows the details of entry index (none when index < 0).
void ShowDetails(int index);
} // namespace intranet
