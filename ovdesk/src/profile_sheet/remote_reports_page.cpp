// The Remote Reports page: who may report on the profile from another
// computer, chosen among the machine's local groups and user accounts.
#include "profile_sheet/sheet_state.h"
#include "profile_sheet/netapi_binding.h"
#include "report_dialog/report_pages.h"
#include "resource_ids.h"
#include <cstdio>
#include <cstring>

namespace {
enum { HELP_REMOTE = 4184, NETAPI_PAGE_BYTES = 256 };

void AddName(HWND combo, const wchar_t* wide, bool group) {
    char name[300];
    if (!WideCharToMultiByte(CP_ACP, 0, wide, -1, name, sizeof name, nullptr, nullptr))
        return;
    char text[304];
    snprintf(text, sizeof text, group ? "[%s]" : "%s", name);
    SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)text);
}

// Both enumerations page through the accounts with a resume handle; any
// status other than "done" or "more data" ends the listing.
void AddGroups(HWND combo) {
    DWORD_PTR resume = 0;
    for (;;) {
        LPBYTE buffer = nullptr;
        DWORD read = 0, total = 0;
        NET_API_STATUS status =
            DeskNetLocalGroupEnum(nullptr, 0, &buffer, NETAPI_PAGE_BYTES, &read, &total, &resume);
        if (status == NERR_Success || status == ERROR_MORE_DATA)
            for (DWORD i = 0; i < read; ++i)
                AddName(combo, ((LOCALGROUP_INFO_0*)buffer)[i].lgrpi0_name, true);
        if (buffer)
            DeskNetApiBufferFree(buffer);
        if (status != ERROR_MORE_DATA || read == 0)
            return;
    }
}

void AddUsers(HWND combo) {
    DWORD resume = 0;
    for (;;) {
        LPBYTE buffer = nullptr;
        DWORD read = 0, total = 0;
        NET_API_STATUS status = DeskNetUserEnum(nullptr, 0, FILTER_NORMAL_ACCOUNT, &buffer,
                                                NETAPI_PAGE_BYTES, &read, &total, &resume);
        if (status == NERR_Success || status == ERROR_MORE_DATA)
            for (DWORD i = 0; i < read; ++i)
                AddName(combo, ((USER_INFO_0*)buffer)[i].usri0_name, false);
        if (buffer)
            DeskNetApiBufferFree(buffer);
        if (status != ERROR_MORE_DATA || read == 0)
            return;
    }
}

// The entry of the stored owner: a group by its name (any case), a user by
// its exact name; else "Anyone".
int OwnerEntry(HWND combo, const char* owner) {
    int count = (int)SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (int i = count - 1; i > 0 && owner[0]; --i) {
        char text[304] = "";
        if (SendMessageA(combo, CB_GETLBTEXTLEN, i, 0) >= (LRESULT)sizeof text)
            continue;
        SendMessageA(combo, CB_GETLBTEXT, i, (LPARAM)text);
        size_t length = strlen(text);
        if (owner[0] == 'g' && text[0] == '[' && length >= 2 && strlen(owner + 1) == length - 2 &&
            _strnicmp(text + 1, owner + 1, length - 2) == 0)
            return i;
        if (owner[0] == 'u' && text[0] != '[' && strcmp(text, owner + 1) == 0)
            return i;
    }
    return 0;
}

void StartRemote(HWND page) {
    HWND combo = GetDlgItem(page, IDC_RR_OWNER);
    SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM) "Anyone");
    AddGroups(combo);
    AddUsers(combo);
    SendMessageA(combo, CB_SETCURSEL, OwnerEntry(combo, SheetState().Profile->LogOwner), 0);
}

BOOL LeaveRemote(HWND page) {
    char* owner = SheetState().Profile->LogOwner;
    char text[304] = "";
    HWND combo = GetDlgItem(page, IDC_RR_OWNER);
    int index = ComboIndex(page, IDC_RR_OWNER, 0);
    if (index > 0 && SendMessageA(combo, CB_GETLBTEXTLEN, index, 0) < (LRESULT)sizeof text)
        SendMessageA(combo, CB_GETLBTEXT, index, (LPARAM)text);
    size_t length = strlen(text);
    owner[0] = '\0';
    if (index <= 0 || !text[0] || text[0] == '<')
        return AcceptLeaving(page);
    if (text[0] == '[' && length >= 2 && text[length - 1] == ']') {
        text[length - 1] = '\0';
        snprintf(owner, PROFILE_LOGOWNER_SIZE, "g%s", text + 1);
    } else {
        snprintf(owner, PROFILE_LOGOWNER_SIZE, "u%s", text);
    }
    return AcceptLeaving(page);
}
} // namespace

INT_PTR CALLBACK RemoteReportsPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    SheetPageCommon(page, message, lParam, ROW_REMOTE);
    switch (message) {
    case WM_INITDIALOG:
        StartRemote(page);
        return TRUE;
    case WM_HELP:
        ShowReportHelp(page, HELP_REMOTE);
        return TRUE;
    case WM_NOTIFY:
        return IsLeaving(SheetNotifyCode(message, lParam)) ? LeaveRemote(page) : FALSE;
    }
    (void)wParam;
    return FALSE;
}
