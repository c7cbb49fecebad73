// Host code 12: the log-file information panel beside the host's list.
#include "ovdesk/host_interface.h"
#include "desk_services.h"
#include "resource_ids.h"
#include <cstdio>

namespace {
HWND g_panel = nullptr;
HFONT g_boldFont = nullptr;
enum { PANEL_MARGIN = 4, FIRST_CAPTION = 30003, LAST_CAPTION = 30008 };

INT_PTR CALLBACK LogInfoPanelProc(HWND panel, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowPos(panel, nullptr, PANEL_MARGIN, PANEL_MARGIN, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        HFONT font = (HFONT)SendMessageA(panel, WM_GETFONT, 0, 0);
        LOGFONTA description;
        if (font && GetObjectA(font, sizeof description, &description)) {
            description.lfWeight = FW_BOLD;
            g_boldFont = CreateFontIndirectA(&description);
        }
        for (int id = FIRST_CAPTION; g_boldFont && id <= LAST_CAPTION; ++id)
            if (HWND item = GetDlgItem(panel, id))
                SendMessageA(item, WM_SETFONT, (WPARAM)g_boldFont, FALSE);
        return TRUE;
    }
    case WM_DESTROY:
        if (g_boldFont)
            DeleteObject(g_boldFont);
        g_boldFont = nullptr;
        g_panel = nullptr;
        return FALSE;
    }
    return FALSE;
}

void ShowTime(int item, DWORD value) {
    char text[2 * DATE_TEXT_SIZE + 2], timeText[DATE_TEXT_SIZE], dateText[DATE_TEXT_SIZE];
    if (value) {
        desk::FormatUtcTimeTexts(timeText, dateText, value);
        snprintf(text, sizeof text, "%s %s", dateText, timeText);
    } else {
        LoadText(IDS_NOT_AVAILABLE, text, sizeof text);
    }
    SetDlgItemTextA(g_panel, item, text);
}

void ShowEntry(const ProfileListEntry* entry) {
    char size[64];
    snprintf(size, sizeof size, "%ld %s", (long)entry->LogSizeKB, LoadTextSlot(IDS_KILOBYTES, 3));
    SetDlgItemTextA(g_panel, IDC_INFO_SIZE, size);
    ShowTime(IDC_INFO_FIRST, entry->FirstLogTime);
    ShowTime(IDC_INFO_LAST, entry->LastLogTime);
}
} // namespace

HWND GetLogInfoPanel(void) {
    return g_panel;
}

int __cdecl HostLogInfoPanel(HWND host, ProfileListEntry* entry, ProfileListEntry* previous,
                             int showMode) {
    if (!g_panel)
        g_panel = CreateDialogParamA(GetPluginInstance(), MAKEINTRESOURCEA(IDD_LOG_INFO_PANEL),
                                     host, LogInfoPanelProc, 0);
    if (!g_panel)
        return HOST_NO_MEMORY;
    if (entry && entry->One2 == 1 && entry != previous)
        ShowEntry(entry);
    if (showMode == 1)
        ShowWindow(g_panel, SW_SHOWNA);
    else if (showMode == 2)
        ShowWindow(g_panel, SW_HIDE);
    InvalidateRect(g_panel, nullptr, TRUE);
    UpdateWindow(g_panel);
    return HOST_DONE;
}
