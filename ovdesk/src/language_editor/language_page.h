// The report-language editor: the Language page (21005) of the options
// sheet. A sheet of that page alone: ovdesk/language_editor.h.
#pragma once
#include <windows.h>

// The page's dialog procedure, for the options sheet's page table (its
// template is IDD_LANGUAGE_PAGE). No Apply button: OK saves or drops
// unsaved edits as the user answers.
INT_PTR CALLBACK LanguagePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
