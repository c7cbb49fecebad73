// The filter wizard's pictures, reached through the profile sheet's Filters
// tab as a user reaches it.
#include "host_filter_wizard.h"
#include "host_pictures.h"
#include <commctrl.h>
#include <cstdio>
#include <cstring>
#include <string>

namespace {
enum { TICK_MS = 300, MAX_TICKS = 400 };
// Every page of the wizard: Type, Title, Elements, twelve element pages and
// the Summary.
enum { WIZARD_PAGES = 16 };
// The sheet's tab control; the Filters page's Add button; the Elements
// page's "based upon" choice and its element boxes.
enum { SHEET_TAB_ITEM = 12320, FILTERS_ADD_ITEM = 9852, BASED_UPON_ITEM = 22004 };
const int kElementBoxes[] = {1179, 1180, 1181, 1182, 1183, 1184,
                             1185, 1186, 1187, 1188, 1189, 1199};
enum { MESSAGE_TEXT_ITEM = 0xFFFF };

struct WizardRun {
    std::string Prefix;
    HWND ProfileSheet = nullptr;
    bool AddPressed = false;
    bool Redrawn = false;
    bool Done = false;
    int Ticks = 0;
    int Written = 0;
};
WizardRun g_run;

struct CaptionSearch {
    const char* Prefix;
    HWND Found;
};

BOOL CALLBACK HasCaption(HWND window, LPARAM param) {
    CaptionSearch* search = (CaptionSearch*)param;
    char text[128] = "";
    GetWindowTextA(window, text, sizeof text);
    if (IsWindowVisible(window) && strncmp(text, search->Prefix, strlen(search->Prefix)) == 0)
        search->Found = window;
    return search->Found == nullptr;
}

HWND WindowCaptioned(const char* prefix) {
    CaptionSearch search = {prefix, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), HasCaption, (LPARAM)&search);
    return search.Found;
}

void Finish(HWND wizard) {
    g_run.Done = true;
    if (wizard)
        SendMessageA(wizard, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    if (g_run.ProfileSheet)
        PostMessageA(g_run.ProfileSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

// The profile sheet at its Filters tab, and Add pressed.
void OpenWizard(HWND sheet) {
    HWND tabs = (HWND)SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0);
    int count = tabs ? (int)SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0) : 0;
    for (int i = 0; i < count; ++i) {
        char text[64] = "";
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(tabs, TCM_GETITEMA, i, (LPARAM)&item);
        if (strcmp(text, "Filters") == 0)
            SendMessageA(sheet, PSM_SETCURSEL, i, 0);
    }
    HWND page = (HWND)SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0);
    g_run.ProfileSheet = sheet;
    g_run.AddPressed = true;
    // Posted: the wizard's own loop runs the next ticks.
    PostMessageA(page, WM_COMMAND, MAKEWPARAM(FILTERS_ADD_ITEM, BN_CLICKED),
                 (LPARAM)GetDlgItem(page, FILTERS_ADD_ITEM));
}

void Press(HWND page, int item, bool check) {
    HWND control = GetDlgItem(page, item);
    if (!control)
        return;
    if (check)
        SendMessageA(control, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(item, BN_CLICKED), (LPARAM)control);
}

void TickElements(HWND page) {
    CheckDlgButton(page, BASED_UPON_ITEM - 1, BST_UNCHECKED);
    Press(page, BASED_UPON_ITEM, true);
    for (int box : kElementBoxes)
        Press(page, box, true);
}

void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD) {
    WizardRun& run = g_run;
    if (run.Done || ++run.Ticks > MAX_TICKS) {
        KillTimer(nullptr, timer);
        if (!run.Done)
            Finish(WindowCaptioned("Add Filter"));
        return;
    }
    if (HWND box = WindowWithItem(MESSAGE_TEXT_ITEM)) {
        char text[512] = "";
        GetDlgItemTextA(box, MESSAGE_TEXT_ITEM, text, sizeof text);
        fprintf(stderr, "ovhost: message: %s\n", text);
        PostMessageA(box, WM_KEYDOWN, VK_RETURN, 0);
        return;
    }
    HWND wizard = WindowCaptioned("Add Filter");
    if (!wizard) {
        HWND sheet = run.AddPressed ? nullptr : WindowWithItem(SHEET_TAB_ITEM);
        if (sheet)
            OpenWizard(sheet);
        return;
    }
    if (!run.Redrawn) {
        RedrawWindow(wizard, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        run.Redrawn = true;
        return;
    }
    run.Redrawn = false;
    HWND page = (HWND)SendMessageA(wizard, PSM_GETCURRENTPAGEHWND, 0, 0);
    int index = (int)SendMessageA(wizard, PSM_HWNDTOINDEX, (WPARAM)page, 0);
    if (index != run.Written) {
        Finish(wizard); // a page refused to be left, or the pages ran out
        return;
    }
    run.Written += WritePicture((run.Prefix + std::to_string(index + 1) + ".bmp").c_str()) ? 1 : 0;
    if (index == 2)
        TickElements(page);
    if (run.Written >= WIZARD_PAGES)
        Finish(wizard);
    else
        PostMessageA(wizard, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
}
} // namespace

int FilterWizardPictures(HostSession& session, ProfileListEntry* entry, const char* prefix) {
    auto edit = reinterpret_cast<decltype(&HostEditProfile)>(session.Entry(2));
    if (!edit || !entry || !prefix) {
        fprintf(stderr, "ovhost: the plug-in cannot edit profiles\n");
        return 1;
    }
    g_run = WizardRun();
    g_run.Prefix = prefix;
    UINT_PTR timer = SetTimer(nullptr, 0, TICK_MS, Tick);
    ProfileListEntry* made = nullptr;
    edit(nullptr, entry, &made);
    KillTimer(nullptr, timer);
    if (made)
        HeapFree(GetProcessHeap(), 0, made);
    printf("pictures\t%d\n", g_run.Written);
    return g_run.Written == WIZARD_PAGES ? 0 : 1;
}
