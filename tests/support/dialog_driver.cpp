#include "dialog_driver.h"
#include "wait_until.h"
#include <gtest/gtest.h>
#include <commctrl.h>
#include <prsht.h>
#include <algorithm>
#include <map>

namespace ovtest {

namespace {
std::string WindowText(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

void Notify(HWND control, WORD code) {
    SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                 (LPARAM)control);
}

// A dialog or sheet window that is not a message box (those hold the static
// text control 0xFFFF and belong to MsgBoxWatcher).
bool IsDialogWindow(HWND window) {
    return IsWindowVisible(window) && ClassOf(window) == "#32770" &&
           GetDlgItem(window, 0xFFFF) == nullptr;
}

struct ThreadSearch {
    const char* Caption;
    std::vector<HWND> Found;
};

BOOL CALLBACK CollectDialogs(HWND window, LPARAM data) {
    ThreadSearch* search = (ThreadSearch*)data;
    if (IsDialogWindow(window) && (!search->Caption || WindowText(window) == search->Caption))
        search->Found.push_back(window);
    return TRUE;
}

std::vector<HWND> ThreadDialogs(const char* caption) {
    ThreadSearch search = {caption, {}};
    EnumThreadWindows(GetCurrentThreadId(), CollectDialogs, (LPARAM)&search);
    return search.Found;
}

struct DialogSearch {
    const char* Caption;
    HWND Found;
};

BOOL CALLBACK MatchCaption(HWND window, LPARAM data) {
    DialogSearch* search = (DialogSearch*)data;
    if (WindowText(window) != search->Caption)
        return TRUE;
    search->Found = window;
    return FALSE;
}

std::map<UINT_PTR, std::function<void()>> g_later;

void CALLBACK RunLater(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    auto found = g_later.find(timer);
    if (found == g_later.end())
        return;
    std::function<void()> action = found->second;
    g_later.erase(found);
    action();
}

// RunModal's state: the windows that were there before, the steps, and
// the time limit. One modal run at a time per thread.
struct ModalRun {
    std::vector<HWND> Before;
    std::function<void(HWND)> Steps;
    DWORD Start = 0;
    DWORD Timeout = 0;
    std::string Prefix;
    bool Done = false;
};
ModalRun* g_modal = nullptr;

void CloseLeftOpen(HWND dialog) {
    if (!IsWindow(dialog))
        return;
    if (SendMessageA(dialog, PSM_GETTABCONTROL, 0, 0))
        PostMessageA(dialog, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    else
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

void CALLBACK PollModal(HWND, UINT, UINT_PTR timer, DWORD) {
    ModalRun* run = g_modal;
    if (!run || run->Done) {
        KillTimer(nullptr, timer);
        return;
    }
    HWND dialog = nullptr;
    for (HWND window : ThreadDialogs(nullptr))
        if (std::find(run->Before.begin(), run->Before.end(), window) == run->Before.end() &&
            WindowText(window).compare(0, run->Prefix.size(), run->Prefix) == 0)
            dialog = window;
    if (!dialog) {
        if (GetTickCount() - run->Start > run->Timeout) {
            KillTimer(nullptr, timer);
            run->Done = true;
            std::string others;
            for (HWND window : ThreadDialogs(nullptr))
                others += " \"" + WindowText(window) + "\"";
            ADD_FAILURE() << "no dialog \"" << run->Prefix << "\" appeared; shown:" << others;
        }
        return;
    }
    KillTimer(nullptr, timer);
    run->Done = true;
    run->Steps(dialog);
    CloseLeftOpen(dialog);
}
} // namespace

HWND Control(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    EXPECT_NE(control, nullptr) << "no control " << id;
    return control;
}

std::string ItemText(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}

void SetText(HWND dialog, int id, const std::string& text) {
    HWND control = Control(dialog, id);
    if (!control)
        return;
    SetWindowTextA(control, text.c_str());
    // Wine's edit notifies on WM_SETTEXT as Windows does; a combo's edit
    // part does not, so tell the dialog in that case.
    if (ClassOf(control) == "ComboBox")
        Notify(control, CBN_EDITCHANGE);
}

void Click(HWND dialog, int id) {
    HWND control = Control(dialog, id);
    if (!control)
        return;
    EXPECT_TRUE(IsWindowEnabled(control)) << "control " << id << " is disabled";
    LONG type = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
    if (type == BS_AUTOCHECKBOX) {
        BOOL checked = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
        SendMessageA(control, BM_SETCHECK, checked ? BST_UNCHECKED : BST_CHECKED, 0);
    } else if (type == BS_AUTORADIOBUTTON) {
        // The other radio buttons of its group go off, as a click does.
        HWND first = control;
        while (!(GetWindowLongA(first, GWL_STYLE) & WS_GROUP)) {
            HWND previous = GetWindow(first, GW_HWNDPREV);
            if (!previous)
                break;
            first = previous;
        }
        for (HWND item = first; item; item = GetWindow(item, GW_HWNDNEXT)) {
            if (item != first && (GetWindowLongA(item, GWL_STYLE) & WS_GROUP))
                break;
            if ((GetWindowLongA(item, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
                SendMessageA(item, BM_SETCHECK, item == control ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
    Notify(control, BN_CLICKED);
}

bool IsChecked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

bool IsEnabled(HWND dialog, int id) {
    HWND control = Control(dialog, id);
    return control && IsWindowEnabled(control);
}

bool SelectCombo(HWND dialog, int id, const std::string& text) {
    HWND control = Control(dialog, id);
    if (!control)
        return false;
    LRESULT index = SendMessageA(control, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)text.c_str());
    if (index == CB_ERR)
        return false;
    SendMessageA(control, CB_SETCURSEL, index, 0);
    Notify(control, CBN_SELCHANGE);
    return true;
}

std::string ComboSelection(HWND dialog, int id) {
    char text[512] = "";
    LRESULT index = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
    if (index != CB_ERR && SendDlgItemMessageA(dialog, id, CB_GETLBTEXTLEN, index, 0) < 512)
        SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, (WPARAM)index, (LPARAM)text);
    return text;
}

std::vector<std::string> ComboEntries(HWND dialog, int id) {
    std::vector<std::string> entries;
    LRESULT count = SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[512] = "";
        if (SendDlgItemMessageA(dialog, id, CB_GETLBTEXTLEN, i, 0) < 512)
            SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, i, (LPARAM)text);
        entries.push_back(text);
    }
    return entries;
}

bool SelectListIndex(HWND dialog, int id, int index) {
    HWND control = Control(dialog, id);
    if (!control)
        return false;
    LRESULT result = SendMessageA(control, LB_SETCURSEL, index, 0);
    Notify(control, LBN_SELCHANGE);
    return index == -1 || result != LB_ERR;
}

std::vector<std::string> ListEntries(HWND dialog, int id) {
    std::vector<std::string> entries;
    LRESULT count = SendDlgItemMessageA(dialog, id, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[512] = "";
        if (SendDlgItemMessageA(dialog, id, LB_GETTEXTLEN, i, 0) < 512)
            SendDlgItemMessageA(dialog, id, LB_GETTEXT, i, (LPARAM)text);
        entries.push_back(text);
    }
    return entries;
}

std::string ListViewText(HWND list, int item, int column) {
    char text[256] = "";
    LVITEMA cell = {};
    cell.iSubItem = column;
    cell.pszText = text;
    cell.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, item, (LPARAM)&cell);
    return text;
}

int ListViewCount(HWND list) {
    return (int)SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
}

void ListViewSelect(HWND list, int item) {
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = 0;
    SendMessageA(list, LVM_SETITEMSTATE, (WPARAM)-1, (LPARAM)&state);
    if (item < 0)
        return;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, item, (LPARAM)&state);
}

std::vector<int> TabOrder(HWND dialog) {
    std::vector<int> ids;
    HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
    for (HWND item = first; item;) {
        ids.push_back(GetDlgCtrlID(item));
        item = GetNextDlgTabItem(dialog, item, FALSE);
        if (item == first || ids.size() > 200)
            break;
    }
    return ids;
}

HWND CurrentPage(HWND sheet) {
    return (HWND)SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0);
}

std::string CurrentPageCaption(HWND sheet) {
    HWND tabs = (HWND)SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0);
    int index = tabs ? (int)SendMessageA(tabs, TCM_GETCURSEL, 0, 0) : -1;
    std::vector<std::string> all = SheetTabs(sheet);
    return index >= 0 && index < (int)all.size() ? all[index] : std::string();
}

void PressSheetButton(HWND sheet, int button) {
    SendMessageA(sheet, PSM_PRESSBUTTON, button, 0);
    PumpMessages();
}

bool SelectSheetPage(HWND sheet, int index) {
    BOOL done = (BOOL)SendMessageA(sheet, PSM_SETCURSEL, index, 0);
    PumpMessages();
    return done != FALSE;
}

int SheetPageCount(HWND sheet) {
    HWND tabs = (HWND)SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0);
    return tabs ? (int)SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0) : 0;
}

std::vector<std::string> SheetTabs(HWND sheet) {
    std::vector<std::string> captions;
    HWND tabs = (HWND)SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0);
    int count = tabs ? (int)SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0) : 0;
    for (int i = 0; i < count; ++i) {
        char text[256] = "";
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(tabs, TCM_GETITEMA, i, (LPARAM)&item);
        captions.push_back(text);
    }
    return captions;
}

void Later(const std::function<void()>& action) {
    UINT_PTR timer = SetTimer(nullptr, 0, 20, RunLater);
    g_later[timer] = action;
}

namespace {
struct DialogWait {
    std::string Caption;
    std::function<void(HWND)> Action;
    DWORD Start;
    DWORD Timeout;
};
std::map<UINT_PTR, DialogWait> g_waits;

void CALLBACK PollDialogWait(HWND, UINT, UINT_PTR timer, DWORD) {
    auto found = g_waits.find(timer);
    if (found == g_waits.end()) {
        KillTimer(nullptr, timer);
        return;
    }
    std::vector<HWND> shown = ThreadDialogs(found->second.Caption.c_str());
    HWND dialog = shown.empty() ? nullptr : shown.front();
    bool late = GetTickCount() - found->second.Start > found->second.Timeout;
    if (!dialog && !late)
        return;
    KillTimer(nullptr, timer);
    DialogWait wait = found->second;
    g_waits.erase(found);
    if (dialog)
        wait.Action(dialog);
    else
        ADD_FAILURE() << "no dialog \"" << wait.Caption << "\" appeared";
}
} // namespace

void WhenDialogShown(const char* caption, const std::function<void(HWND)>& action,
                     DWORD timeoutMs) {
    UINT_PTR timer = SetTimer(nullptr, 0, 20, PollDialogWait);
    g_waits[timer] = DialogWait{caption, action, GetTickCount(), timeoutMs};
}

HWND FindThreadDialog(const char* caption) {
    // Shown or not: a modal dialog is shown only once its loop first idles.
    DialogSearch search = {caption, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchCaption, (LPARAM)&search);
    return search.Found;
}

HWND FindThreadTopDialog() {
    // EnumThreadWindows lists from the top of the z-order down.
    std::vector<HWND> found = ThreadDialogs(nullptr);
    return found.empty() ? nullptr : found.front();
}

INT_PTR RunModal(const std::function<INT_PTR()>& open, const std::function<void(HWND)>& steps,
                 DWORD timeoutMs, const char* captionPrefix) {
    ModalRun run;
    run.Prefix = captionPrefix ? captionPrefix : "";
    run.Before = ThreadDialogs(nullptr);
    run.Steps = steps;
    run.Start = GetTickCount();
    run.Timeout = timeoutMs;
    ModalRun* outer = g_modal;
    g_modal = &run;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, PollModal);
    INT_PTR result = open();
    KillTimer(nullptr, timer);
    g_modal = outer;
    return result;
}

} // namespace ovtest
