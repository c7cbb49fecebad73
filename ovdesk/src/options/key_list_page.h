// The File Types and Domains pages: a list of settings keys, each opened in
// its list editor by a double-click or "&Edit...".
#pragma once
#include <windows.h>

struct OptionsKey {
    const char* Title; // the list entry and the editor's caption
    const char* Key;   // the [Defaults] key of the module settings
};
// Opens the editor of one key; 1 when it wrote the key.
typedef int (*OptionsKeyEditor)(HWND owner, const char* key, const char* title);

// The page procedure's body for row with its keys and editor.
INT_PTR OptionsKeyListPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam, int row,
                           const OptionsKey* keys, int count, OptionsKeyEditor editor);
