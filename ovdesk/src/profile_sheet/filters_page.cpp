// The Filters page: the profile's include and exclude filters, each change
// written to the profile file at once.
#include "profile_sheet/sheet_state.h"
#include "profile_sheet/filter_wizard.h"
#include "report_dialog/report_pages.h"
#include "desk_services.h"
#include "resource_ids.h"
#include <cstring>
#include <initializer_list>

extern void* g_EditedFilter; // the filter clipboard, kept for the life of the plug-in

namespace {
enum { HELP_FILTERS = 4006 };
enum { MENU_COPY = 1, MENU_PASTE, MENU_DELETE, MENU_EDIT, MENU_ADD };

int g_filtersChanged;
WNDPROC g_listProc;

ProfileFilter* Clipboard() {
    return (ProfileFilter*)g_EditedFilter;
}

HWND List(HWND page) {
    return GetDlgItem(page, IDC_FL_LIST);
}

int Selected(HWND page) {
    LRESULT index = SendMessageA(List(page), LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : (int)index;
}

ProfileFilter* FilterAt(int index) {
    ProfileFilter* filter = SheetState().Profile->Filters;
    for (int i = 0; filter && i < index; ++i)
        filter = filter->Next;
    return index >= 0 ? filter : nullptr;
}

void Refresh(HWND page, int selected) {
    HWND list = List(page);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    int count = 0;
    for (ProfileFilter* filter = SheetState().Profile->Filters; filter; filter = filter->Next) {
        SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)filter->Name);
        ++count;
    }
    if (count && (selected < 0 || selected >= count))
        selected = selected >= count ? count - 1 : 0;
    SendMessageA(list, LB_SETCURSEL, count ? selected : -1, 0);
    for (int id : {IDC_FL_EDIT, IDC_FL_DELETE, IDC_FL_COPY})
        EnableWindow(GetDlgItem(page, id), count > 0);
    EnableWindow(GetDlgItem(page, IDC_FL_PASTE), Clipboard() != nullptr);
    if (!count && GetFocus() == list)
        SetFocus(GetDlgItem(page, IDC_FL_ADD));
}

// After a change: the file written, the list shown again.
void Changed(HWND page, int selected) {
    ProfileSheetState& sheet = SheetState();
    ORB_PutSet(sheet.Profile);
    Refresh(page, selected);
    if (!sheet.Wizard) {
        PropSheet_CancelToClose(GetParent(page));
        g_filtersChanged = 1;
    }
}

// AddFilterToProfile's position: after the selected filter, else at the end.
int InsertPosition(HWND page) {
    int selected = Selected(page);
    return selected >= 0 ? selected + 1 : -1;
}

int CountFilters() {
    int count = 0;
    for (ProfileFilter* filter = SheetState().Profile->Filters; filter; filter = filter->Next)
        ++count;
    return count;
}

void OnAdd(HWND page) {
    int selected = Selected(page);
    if (NewProfileFilter(GetParent(page), SheetState().Profile, InsertPosition(page)))
        Changed(page, selected >= 0 ? selected + 1 : CountFilters() - 1);
}

bool NoneSelected(HWND page) {
    if (Selected(page) >= 0)
        return false;
    SheetMessage(page, "No filter has been selected.", "Edit Filter...",
                 MB_OK | MB_ICONEXCLAMATION);
    return true;
}

void OnEdit(HWND page) {
    if (NoneSelected(page))
        return;
    int selected = Selected(page);
    if (EditProfileFilter(GetParent(page), SheetState().Profile, FilterAt(selected)))
        Changed(page, selected);
}

void OnDelete(HWND page) {
    if (NoneSelected(page))
        return;
    if (SheetMessage(page, "Are you sure you want to delete this filter?",
                     "Delete Report Filter...", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    int selected = Selected(page);
    ProfileFilter** link = &SheetState().Profile->Filters;
    for (int i = 0; *link && i < selected; ++i)
        link = &(*link)->Next;
    ProfileFilter* gone = *link;
    if (!gone)
        return;
    *link = gone->Next;
    gone->Next = nullptr;
    FreeOneFilter(gone);
    Changed(page, selected);
}

void OnCopy(HWND page) {
    ProfileFilter* filter = FilterAt(Selected(page));
    if (!filter)
        return;
    ProfileFilter* copy = MakeCopyOfFilter(filter);
    if (!copy)
        return;
    FreeOneFilter(Clipboard());
    g_EditedFilter = copy;
    EnableWindow(GetDlgItem(page, IDC_FL_PASTE), TRUE);
}

void OnPaste(HWND page) {
    if (!Clipboard())
        return;
    int selected = Selected(page);
    if (CopyProfileFilter(Clipboard(), SheetState().Profile, InsertPosition(page)))
        Changed(page, selected >= 0 ? selected + 1 : CountFilters() - 1);
}

void ShowMenu(HWND page, LPARAM at) {
    POINT point = {(short)LOWORD(at), (short)HIWORD(at)};
    POINT inList = point;
    ScreenToClient(List(page), &inList);
    LRESULT hit = SendMessageA(List(page), LB_ITEMFROMPOINT, 0, MAKELPARAM(inList.x, inList.y));
    bool onEntry = HIWORD(hit) == 0 && (int)LOWORD(hit) < CountFilters();
    SendMessageA(List(page), LB_SETCURSEL, onEntry ? LOWORD(hit) : -1, 0);
    HMENU menu = CreatePopupMenu();
    UINT paste = MF_STRING | (Clipboard() ? 0 : MF_GRAYED);
    if (onEntry) {
        AppendMenuA(menu, MF_STRING, MENU_COPY, "&Copy");
        AppendMenuA(menu, paste, MENU_PASTE, "&Paste");
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, MENU_DELETE, "&Delete");
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, MENU_EDIT, "&Edit...");
        SetMenuDefaultItem(menu, MENU_EDIT, FALSE);
    } else {
        AppendMenuA(menu, paste, MENU_PASTE, "&Paste");
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, MENU_ADD, "&Add...");
    }
    int chosen =
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, page, nullptr);
    DestroyMenu(menu);
    const int commands[] = {0, IDC_FL_COPY, IDC_FL_PASTE, IDC_FL_DELETE, IDC_FL_EDIT, IDC_FL_ADD};
    if (chosen > 0 && chosen <= MENU_ADD)
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(commands[chosen], BN_CLICKED), 0);
}

// The list's keys: Insert adds (with Ctrl copies, with Shift pastes), Delete
// deletes, Ctrl+C copies, Ctrl+V pastes.
LRESULT CALLBACK ListKeys(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN) {
        bool control = GetKeyState(VK_CONTROL) < 0;
        bool shift = GetKeyState(VK_SHIFT) < 0;
        int command = 0;
        if (wParam == VK_INSERT)
            command = control ? IDC_FL_COPY : shift ? IDC_FL_PASTE : IDC_FL_ADD;
        else if (wParam == VK_DELETE)
            command = IDC_FL_DELETE;
        else if (control && wParam == 'C')
            command = IDC_FL_COPY;
        else if (control && wParam == 'V')
            command = IDC_FL_PASTE;
        if (command) {
            SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
            return 0;
        }
    }
    return CallWindowProcA(g_listProc, list, message, wParam, lParam);
}

bool HasIncludeFilter() {
    for (ProfileFilter* filter = SheetState().Profile->Filters; filter; filter = filter->Next)
        if (filter->Type == FILTER_INCLUDE)
            return true;
    return false;
}

BOOL LeaveFilters(HWND page, UINT code) {
    ProfileSheetState& sheet = SheetState();
    if (g_filtersChanged && !sheet.Wizard)
        OfferDatabaseDrop(page, "the log profile filters");
    if (HasIncludeFilter())
        return AcceptLeaving(page);
    if (SheetMessage(page,
                     "You must define at least one Include filter or your reports will be empty. "
                     "Would you like a default Include filter to be added for you?",
                     "No include filters defined", MB_YESNO | MB_ICONWARNING) == IDYES) {
        ProfileFilter* filter = CreateNewIncludeFilter();
        if (filter) {
            strcpy(filter->Name, "Include All");
            AddFilterToProfile(filter, sheet.Profile, -1);
            ORB_PutSet(sheet.Profile);
            Refresh(page, 0);
        }
    }
    return RefuseLeaving(page, code);
}
} // namespace

INT_PTR CALLBACK FiltersPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    SheetPageCommon(page, message, lParam, ROW_FILTERS);
    switch (message) {
    case WM_INITDIALOG:
        g_filtersChanged = 0;
        g_listProc = (WNDPROC)SetWindowLongPtrA(List(page), GWLP_WNDPROC, (LONG_PTR)ListKeys);
        Refresh(page, 0);
        return TRUE;
    case WM_DESTROY:
        SetWindowLongPtrA(List(page), GWLP_WNDPROC, (LONG_PTR)g_listProc);
        return FALSE;
    case WM_CONTEXTMENU:
        if ((HWND)wParam == List(page))
            ShowMenu(page, lParam);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_FL_ADD:
            OnAdd(page);
            return TRUE;
        case IDC_FL_EDIT:
            OnEdit(page);
            return TRUE;
        case IDC_FL_LIST:
            if (HIWORD(wParam) == LBN_DBLCLK)
                OnEdit(page);
            return TRUE;
        case IDC_FL_DELETE:
            OnDelete(page);
            return TRUE;
        case IDC_FL_COPY:
            OnCopy(page);
            return TRUE;
        case IDC_FL_PASTE:
            OnPaste(page);
            return TRUE;
        }
        return FALSE;
    case WM_HELP:
        ShowReportHelp(page, HELP_FILTERS);
        return TRUE;
    case WM_NOTIFY: {
        UINT code = SheetNotifyCode(message, lParam);
        return IsLeaving(code) ? LeaveFilters(page, code) : FALSE;
    }
    }
    return FALSE;
}
