// "Find/Replace" (21007): a modeless dialog over the options sheet that finds
// text in the items' values or titles and replaces it in their values.
#include "language_editor/language_state.h"
#include "desk_services.h"
#include "resource_ids.h"
#include <cstdio>

namespace langedit {
namespace {
const int kPumpEvery = 64; // items between two looks at the message queue

struct Search {
    std::string What;
    bool InText;
    bool MatchCase;
};

Search ReadSearch(HWND dialog) {
    char what[256] = "";
    GetDlgItemTextA(dialog, IDC_LE_FIND_WHAT, what, sizeof what);
    return {what, IsDlgButtonChecked(dialog, IDC_LE_IN_TEXT) == BST_CHECKED,
            IsDlgButtonChecked(dialog, IDC_LE_MATCH_CASE) == BST_CHECKED};
}

std::string ReplacementText(HWND dialog) {
    char with[256] = "";
    GetDlgItemTextA(dialog, IDC_LE_REPLACE_WITH, with, sizeof with);
    return with;
}

void EnableButtons(HWND dialog, bool matched) {
    bool any = GetWindowTextLengthA(GetDlgItem(dialog, IDC_LE_FIND_WHAT)) > 0;
    bool inText = IsDlgButtonChecked(dialog, IDC_LE_IN_TEXT) == BST_CHECKED;
    EnableWindow(GetDlgItem(dialog, IDC_LE_FIND_NEXT), any);
    EnableWindow(GetDlgItem(dialog, IDC_LE_REPLACE), any && inText && matched);
    EnableWindow(GetDlgItem(dialog, IDC_LE_REPLACE_ALL), any && inText);
    EnableWindow(GetDlgItem(dialog, IDC_LE_REPLACE_WITH), inText);
}

bool Matches(const EditorItem& item, const Search& search) {
    if (!search.InText)
        return Contains(item.Title, search.What, search.MatchCase);
    std::string value;
    return !item.Key.empty() && State().Text.Value(item.Key, &value) &&
           Contains(value, search.What, search.MatchCase);
}

// Visits the items after the selected one, wrapping, until it comes round
// again; the first that matches, or -1.
int FindNext(HWND dialog, const Search& search) {
    EditorState& state = State();
    int count = (int)state.Items.size();
    int start = SelectedItem();
    HWND progress = GetDlgItem(dialog, IDC_LE_PROGRESS);
    SendMessageA(progress, PBM_SETRANGE32, 0, count);
    state.StopSearch = false;
    for (int step = 1; step <= count && !state.StopSearch; ++step) {
        int index = (start + step) % count;
        if (start >= 0 && index == start)
            break;
        SendMessageA(progress, PBM_SETPOS, step, 0);
        if (step % kPumpEvery == 0)
            PumpMessages();
        if (Matches(state.Items[index], search))
            return index;
    }
    return -1;
}

void OnFindNext(HWND dialog) {
    Search search = ReadSearch(dialog);
    int found = FindNext(dialog, search);
    SendDlgItemMessageA(dialog, IDC_LE_PROGRESS, PBM_SETPOS, 0, 0);
    if (found >= 0) {
        SelectItem(found);
        EnableButtons(dialog, true);
        return;
    }
    if (!State().StopSearch)
        DeskMessageBox(dialog, "String Not Found!", "Find/Replace", MB_OK | MB_ICONINFORMATION);
    EnableButtons(dialog, false);
}

void OnReplace(HWND dialog) {
    Search search = ReadSearch(dialog);
    int index = SelectedItem();
    std::string value;
    if (index < 0 || State().Items[index].Key.empty() ||
        !State().Text.Value(State().Items[index].Key, &value))
        return;
    if (ReplaceAll(&value, search.What, ReplacementText(dialog), search.MatchCase))
        StoreEdit(index, value);
    ShowSelectedValue();
}

void OnReplaceAll(HWND dialog) {
    Search search = ReadSearch(dialog);
    EditorState& state = State();
    std::vector<std::string> keys;
    keys.reserve(state.Items.size());
    for (const EditorItem& item : state.Items)
        keys.push_back(item.Key);
    std::vector<size_t> changed =
        state.Text.ReplaceInValues(keys, search.What, ReplacementText(dialog), search.MatchCase);
    for (size_t index : changed)
        MarkEdited((int)index);
    ShowSelectedValue();
    char text[64];
    snprintf(text, sizeof text, "%d Items replaced", (int)changed.size());
    DeskMessageBox(dialog, text, "Replace", MB_OK | MB_ICONINFORMATION);
}

INT_PTR CALLBACK FindProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        CheckRadioButton(dialog, IDC_LE_IN_TEXT, IDC_LE_IN_TITLE, IDC_LE_IN_TEXT);
        SendDlgItemMessageA(dialog, IDC_LE_FIND_WHAT, EM_LIMITTEXT, 255, 0);
        SendDlgItemMessageA(dialog, IDC_LE_REPLACE_WITH, EM_LIMITTEXT, 255, 0);
        EnableButtons(dialog, false);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_LE_FIND_WHAT:
            if (HIWORD(wParam) == EN_CHANGE)
                EnableButtons(dialog, false);
            break;
        case IDC_LE_IN_TEXT:
        case IDC_LE_IN_TITLE:
            EnableButtons(dialog, false);
            break;
        case IDC_LE_FIND_NEXT:
            OnFindNext(dialog);
            break;
        case IDC_LE_REPLACE:
            OnReplace(dialog);
            break;
        case IDC_LE_REPLACE_ALL:
            OnReplaceAll(dialog);
            break;
        case IDCANCEL:
            CloseFindDialog();
            break;
        }
        return TRUE;
    case WM_CLOSE:
        CloseFindDialog();
        return TRUE;
    }
    return FALSE;
}
} // namespace

void OpenFindDialog(void) {
    EditorState& state = State();
    if (state.Find) {
        SetActiveWindow(state.Find);
        return;
    }
    const DLGTEMPLATE* form = GetDialogTemplate(IDD_LANGUAGE_FIND);
    HWND owner = GetParent(state.Page) ? GetParent(state.Page) : state.Page;
    state.Find =
        form ? CreateDialogIndirectParamA(GetPluginInstance(), form, owner, FindProc, 0) : nullptr;
    if (state.Find)
        ShowWindow(state.Find, SW_SHOW);
}

void CloseFindDialog(void) {
    EditorState& state = State();
    state.StopSearch = true;
    if (state.Find) {
        HWND find = state.Find;
        state.Find = nullptr;
        DestroyWindow(find);
    }
}

} // namespace langedit
