// The List of Servers page of a cluster profile, and its server dialog.
#include "profile_sheet/sheet_state.h"
#include "profile_sheet/log_source_pickers.h"
#include "report_dialog/report_pages.h"
#include "desk_services.h"
#include "resource_ids.h"
#include <commctrl.h>
#include <cstring>
#include "ovkit/text_copy.h"

namespace {
enum { HELP_SERVERS = 7020, HELP_SERVER_EXAMPLES = 7027, HELP_SERVER = 7021 };

// The server list as it was when the page started, for Cancel.
ServerList* g_keptServers;

ServerList* Servers() {
    return &SheetState().Profile->Servers;
}

INT_PTR CALLBACK ServerDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    ServerInfo* server = (ServerInfo*)GetWindowLongPtrA(dialog, DWLP_USER);
    switch (message) {
    case WM_INITDIALOG:
        server = (ServerInfo*)lParam;
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SendDlgItemMessageA(dialog, IDC_SV_NAME, EM_LIMITTEXT, SERVERINFO_NAME_SIZE - 1, 0);
        SendDlgItemMessageA(dialog, IDC_SV_PATH, EM_LIMITTEXT, SERVERINFO_PATH_SIZE - 1, 0);
        SetDlgItemTextA(dialog, IDC_SV_NAME, server->szName);
        SetDlgItemTextA(dialog, IDC_SV_PATH, server->szPath);
        CenterWindowOnScreen(dialog);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: {
            char text[SERVERINFO_PATH_SIZE];
            GetItemTextBounded(dialog, IDC_SV_NAME, text, SERVERINFO_NAME_SIZE);
            ServerInfo_SetName(server, text);
            GetItemTextBounded(dialog, IDC_SV_PATH, text, sizeof text);
            ServerInfo_SetPath(server, text);
            EndDialog(dialog, 1);
            return TRUE;
        }
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        case IDC_SV_BROWSE: {
            char path[SERVERINFO_PATH_SIZE];
            GetItemTextBounded(dialog, IDC_SV_PATH, path, sizeof path);
            if (BrowseForLogFile(dialog, path, sizeof path))
                SetDlgItemTextA(dialog, IDC_SV_PATH, path);
            return TRUE;
        }
        case IDC_SV_EXAMPLES:
            ShowSecondHelp(dialog, HELP_SERVER_EXAMPLES);
            return TRUE;
        case IDC_SV_HELP:
            ShowSecondHelp(dialog, HELP_SERVER);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

INT_PTR RunServerDialog(HWND owner, ServerInfo* server) {
    return DialogBoxIndirectParamA(GetPluginInstance(), GetDialogTemplate(IDD_PS_SERVER), owner,
                                   ServerDialog, (LPARAM)server);
}

// How often a non-empty text occurs among the servers' names or paths.
int CountUses(const char* text, bool names) {
    if (!text[0])
        return 0; // an empty name or path is never a duplicate
    int uses = 0;
    for (DWORD i = 0; i < ServerList_Count(Servers()); ++i) {
        const ServerInfo* other = ServerList_Get(Servers(), i);
        if (_stricmp(names ? other->szName : other->szPath, text) == 0)
            ++uses;
    }
    return uses;
}

// The duplicate checks after the dialog; false when the name is taken and
// the dialog must open again. inList: the server is one of the list's.
bool AcceptServer(HWND page, const ServerInfo* server, bool inList) {
    int allowed = inList ? 1 : 0;
    if (CountUses(server->szName, true) > allowed) {
        SheetMessage(page,
                     "The server name you just entered is already used in this profile. Please "
                     "choose a different name.",
                     "Duplicate Server Name", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (CountUses(server->szPath, false) > allowed)
        SheetMessage(page,
                     "The log file path you just entered is already used by another server in "
                     "this profile. You may want to check the other paths.",
                     "Duplicate Log File Path", MB_OK | MB_ICONINFORMATION);
    return true;
}

HWND List(HWND page) {
    return GetDlgItem(page, IDC_SL_LIST);
}

void UpdateButtons(HWND page) {
    UINT selected = (UINT)SendMessageA(List(page), LVM_GETSELECTEDCOUNT, 0, 0);
    EnableWindow(GetDlgItem(page, IDC_SL_EDIT), selected == 1);
    EnableWindow(GetDlgItem(page, IDC_SL_DELETE), selected >= 1);
}

void FillList(HWND page, int selected) {
    HWND list = List(page);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    for (DWORD i = 0; i < ServerList_Count(Servers()); ++i) {
        const ServerInfo* server = ServerList_Get(Servers(), i);
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = (int)i;
        item.pszText = (char*)(server->szName[0] ? server->szName : "<no name>");
        SendMessageA(list, LVM_INSERTITEMA, 0, (LPARAM)&item);
        item.iSubItem = 1;
        item.pszText = (char*)server->szPath;
        SendMessageA(list, LVM_SETITEMTEXTA, i, (LPARAM)&item);
    }
    if (selected >= 0) {
        LVITEMA state = {};
        state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(list, LVM_SETITEMSTATE, selected, (LPARAM)&state);
    }
    UpdateButtons(page);
}

int SelectedRow(HWND page) {
    return (int)SendMessageA(List(page), LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED);
}

void StartServers(HWND page) {
    AnalysisProfile* profile = SheetState().Profile;
    g_keptServers = ServerList_New();
    if (g_keptServers)
        ServerList_Copy(g_keptServers, Servers());
    SendDlgItemMessageA(page, IDC_TU_DESCRIPTION, EM_LIMITTEXT, PROFILE_DESCRIPTION_STORED, 0);
    SetDlgItemTextA(page, IDC_TU_DESCRIPTION, profile->Description);
    FillCombo(page, IDC_TU_FORMAT, kLogFormatNames, LOG_FORMAT_NAMES,
              profile->LogFileFormat < LOG_FORMAT_NAMES ? (int)profile->LogFileFormat : 0);
    HWND list = List(page);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    RECT area;
    GetClientRect(list, &area);
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 75;
    column.pszText = (char*)"Name";
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, (LPARAM)&column);
    column.cx = area.right - 80 > 40 ? area.right - 80 : 40;
    column.pszText = (char*)"Log File Path(s)";
    SendMessageA(list, LVM_INSERTCOLUMNA, 1, (LPARAM)&column);
    FillList(page, ServerList_Count(Servers()) ? 0 : -1);
}

void OnAdd(HWND page) {
    ServerInfo* server = ServerInfo_New("", "");
    if (!server)
        return;
    for (;;) {
        if (RunServerDialog(page, server) != 1) {
            ServerInfo_Free(server);
            return;
        }
        if (AcceptServer(page, server, false))
            break;
    }
    if (!ServerList_Add(Servers(), server)) {
        ServerInfo_Free(server);
        return;
    }
    FillList(page, (int)ServerList_Count(Servers()) - 1);
}

void OnEdit(HWND page) {
    int row = SelectedRow(page);
    ServerInfo* server = row >= 0 ? ServerList_Get(Servers(), (DWORD)row) : nullptr;
    if (!server)
        return;
    ServerInfo saved;
    ServerInfo_Copy(&saved, server);
    for (;;) {
        if (RunServerDialog(page, server) != 1) {
            ServerInfo_Copy(server, &saved);
            return;
        }
        if (AcceptServer(page, server, true))
            break;
    }
    FillList(page, row);
}

void OnDelete(HWND page) {
    int row = SelectedRow(page);
    if (row < 0 ||
        SheetMessage(page, "Are you sure?", "Delete Entry...", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    // Every selected row goes, the last first so the indexes hold.
    for (int i = (int)ServerList_Count(Servers()) - 1; i >= 0; --i)
        if (SendMessageA(List(page), LVM_GETITEMSTATE, i, LVIS_SELECTED) & LVIS_SELECTED)
            ServerList_Delete(Servers(), (DWORD)i);
    FillList(page, -1);
}

BOOL LeaveServers(HWND page, UINT code) {
    AnalysisProfile* profile = SheetState().Profile;
    char description[PROFILE_DESCRIPTION_STORED + 1];
    GetItemTextBounded(page, IDC_TU_DESCRIPTION, description, sizeof description);
    if (!description[0]) {
        SheetMessage(page, "Please enter a description for your log file.",
                     "Invalid Description...", MB_OK | MB_ICONEXCLAMATION);
        return RefuseLeaving(page, code);
    }
    if (ServerList_Count(Servers()) == 0) {
        SheetMessage(page, "Please specify at least one server and log file path.",
                     "Not enough servers...", MB_OK | MB_ICONEXCLAMATION);
        return RefuseLeaving(page, code);
    }
    OvkitCopyText(profile->Description, PROFILE_DESCRIPTION_SIZE, description);
    profile->IncrementalUpdate = 0;
    profile->LogFileFormat = (DWORD)ComboIndex(page, IDC_TU_FORMAT, 0);
    return AcceptLeaving(page);
}
} // namespace

INT_PTR CALLBACK ServerListPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    SheetPageCommon(page, message, lParam, ROW_SERVERS);
    switch (message) {
    case WM_INITDIALOG:
        StartServers(page);
        return TRUE;
    case WM_DESTROY:
        ServerList_Free(g_keptServers);
        g_keptServers = nullptr;
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_SL_ADD:
            OnAdd(page);
            return TRUE;
        case IDC_SL_EDIT:
            OnEdit(page);
            return TRUE;
        case IDC_SL_DELETE:
            OnDelete(page);
            return TRUE;
        }
        return FALSE;
    case WM_HELP:
        ShowSecondHelp(page, HELP_SERVERS);
        return TRUE;
    case WM_NOTIFY: {
        UINT code = SheetNotifyCode(message, lParam);
        if (code == LVN_ITEMCHANGED)
            UpdateButtons(page);
        else if (code == PSN_RESET && g_keptServers)
            ServerList_Copy(Servers(), g_keptServers);
        else if (IsLeaving(code))
            return LeaveServers(page, code);
        return FALSE;
    }
    }
    return FALSE;
}
