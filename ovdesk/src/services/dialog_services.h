// Services the plug-in's dialogs share: fonts, text measuring, the sunken
// frame of old Windows versions, the Tab-key hook, list-view rows, the
// "please wait" dialog and small callbacks.
#pragma once
#include <windows.h>
#include <ddeml.h>

// Sets the item's font (the dialog's own when font is null); -1 when the
// dialog has no font, else 0.
extern "C" __declspec(dllexport) int CALLBACK SwitchFontToBold(HWND dialog, int item, HFONT font);
// Width or height in pixels of the first count characters; 0 on failure.
int GetTextWidth(HDC dc, const char* text, int count);
int GetTextHeight(HDC dc, const char* text, int count);

enum { DECORATION_TABLE_SIZE = 100, DECORATION_SUNKEN = 1 };
// Subclasses the control to draw a sunken frame; nothing when the table is full.
void DecorateControl(HWND control, WORD kind);
// Entries of the decoration table in use.
int GetDecoratedControlCount(void);
LRESULT CALLBACK DecoratedControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

// The Tab-key hook of the current thread; 0 when one is installed already
// or it cannot be, else 1. Removal: 0 when none was installed.
int InstallDialogTabHook(void);
int RemoveDialogTabHook(void);

// Adds a list-view row from tab-separated text; the new item's index or -1.
int ListViewSetRow(HWND listView, const char* text);

extern "C" __declspec(dllexport) INT_PTR CALLBACK
    PleaseWaitDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
extern "C" __declspec(dllexport) HDDEDATA CALLBACK
    DdeCallBack(UINT type, UINT format, HCONV conv, HSZ hsz1, HSZ hsz2, HDDEDATA data,
                ULONG_PTR data1, ULONG_PTR data2);
// Property-sheet callback: takes the help button off the sheet's caption.
int CALLBACK RemoveContextHelpStyles(HWND window, UINT code, LPARAM ignored);
void GetBitmapSize(HBITMAP bitmap, int* width, int* height);
