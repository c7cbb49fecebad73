// The word-list editor: the words of one [Defaults] key, one list entry
// each, written back on OK as words each followed by one blank.
#include "options/options_sheet.h"
#include "desk_services.h"
#include "resource_ids.h"
#include <cstdio>
#include <cstring>
#include <string>

namespace {
enum {
    VALUE_SIZE = 1001, // a stored value holds up to 1,000 characters
    WORD_CHARS = 19,
    MAX_WORDS = 50,
    HELP_TOPIC = 4172,
};

struct WordListEditor {
    const char* Key;
    const char* Title;
};

HWND List(HWND dialog) {
    return GetDlgItem(dialog, IDC_WL_LIST);
}

bool IsWordBreak(char c) {
    return c == ' ' || c == '\t';
}

// Calls add for each word of text (split at blanks and tabs).
template <typename Add> void ForEachWord(const char* text, Add add) {
    for (const char* p = text; *p;) {
        while (*p && IsWordBreak(*p))
            ++p;
        size_t length = 0;
        while (p[length] && !IsWordBreak(p[length]))
            ++length;
        if (length)
            add(std::string(p, length));
        p += length;
    }
}

void Fill(HWND dialog, const WordListEditor& editor) {
    SetWindowTextA(dialog, editor.Title);
    SendDlgItemMessageA(dialog, IDC_WL_WORD, EM_LIMITTEXT, WORD_CHARS, 0);
    // An unset key shows what the engine uses then, so that OK keeps it.
    char value[VALUE_SIZE] = "";
    GetModuleProfileString("Defaults", editor.Key, GetDefaultsListDefault(editor.Key), value,
                           sizeof value);
    HWND list = List(dialog);
    ForEachWord(value, [list](const std::string& word) {
        SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)word.c_str());
    });
    // Words past the limit stay listed (OK asks for a few to be removed)
    // rather than being dropped unseen.
    if (SendMessageA(list, LB_GETCOUNT, 0, 0) >= MAX_WORDS) {
        char text[80];
        snprintf(text, sizeof text, "Maximum number of items reached (%d).", MAX_WORDS);
        DeskMessageBox(dialog, text, OVDESK_CAPTION, MB_OK | MB_ICONWARNING);
    }
}

void AddTyped(HWND dialog) {
    char text[WORD_CHARS + 2] = "";
    GetDlgItemTextA(dialog, IDC_WL_WORD, text, sizeof text);
    HWND list = List(dialog);
    ForEachWord(text, [list](const std::string& word) {
        // LB_FINDSTRINGEXACT ignores letter case, as the list does.
        LRESULT at = SendMessageA(list, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)word.c_str());
        if (at == LB_ERR)
            at = SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)word.c_str());
        SendMessageA(list, LB_SETSEL, FALSE, -1);
        SendMessageA(list, LB_SETSEL, TRUE, at);
    });
    SetDlgItemTextA(dialog, IDC_WL_WORD, "");
}

void RemoveSelected(HWND dialog) {
    HWND list = List(dialog);
    for (LRESULT i = SendMessageA(list, LB_GETCOUNT, 0, 0) - 1; i >= 0; --i)
        if (SendMessageA(list, LB_GETSEL, i, 0) > 0)
            SendMessageA(list, LB_DELETESTRING, i, 0);
}

// OK: false (after the box) when the list is too long.
bool Save(HWND dialog, const WordListEditor& editor) {
    HWND list = List(dialog);
    LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    if (count > MAX_WORDS) {
        char text[120];
        snprintf(text, sizeof text,
                 "Too many items in the list (maximum: %d).  Please remove a few and try again",
                 MAX_WORDS);
        DeskMessageBox(dialog, text, OVDESK_CAPTION, MB_OK | MB_ICONWARNING);
        return false;
    }
    std::string value;
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = SendMessageA(list, LB_GETTEXTLEN, i, 0);
        if (length <= 0)
            continue;
        std::string word((size_t)length + 1, '\0');
        SendMessageA(list, LB_GETTEXT, i, (LPARAM)&word[0]);
        word.resize(strlen(word.c_str()));
        value += word + " ";
    }
    WriteModuleProfileString("Defaults", editor.Key, value.c_str());
    return true;
}

INT_PTR CALLBACK WordListDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    WordListEditor* editor = (WordListEditor*)GetWindowLongPtrA(dialog, DWLP_USER);
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        Fill(dialog, *(WordListEditor*)lParam);
        CenterWindowOnScreen(dialog);
        return TRUE;
    case WM_COMMAND:
        if (!editor)
            break;
        switch (LOWORD(wParam)) {
        case IDC_WL_ADD:
            AddTyped(dialog);
            return TRUE;
        case IDC_WL_REMOVE:
            RemoveSelected(dialog);
            return TRUE;
        case IDC_WL_WORD:
            // Enter in the word's edit adds the word instead of closing:
            // "Add" is the default button while the edit has the focus.
            if (HIWORD(wParam) == EN_SETFOCUS || HIWORD(wParam) == EN_KILLFOCUS)
                SendMessageA(dialog, DM_SETDEFID, HIWORD(wParam) == EN_SETFOCUS ? IDC_WL_ADD : IDOK,
                             0);
            return TRUE;
        case IDOK:
            if (Save(dialog, *editor))
                EndDialog(dialog, 1);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        case IDC_WL_HELP:
            OptionsHelp(dialog, HELP_TOPIC);
            return TRUE;
        }
        break;
    }
    return FALSE;
}
} // namespace

int EditWordList(HWND owner, const char* key, const char* title) {
    const DLGTEMPLATE* dialogTemplate = GetDialogTemplate(IDD_OPT_WORD_LIST);
    if (!dialogTemplate)
        return -1;
    WordListEditor editor = {key, title};
    INT_PTR result = DialogBoxIndirectParamA(GetPluginInstance(), dialogTemplate, owner,
                                             WordListDlg, (LPARAM)&editor);
    return result == 1 ? 1 : result == 0 ? 0 : -1;
}
