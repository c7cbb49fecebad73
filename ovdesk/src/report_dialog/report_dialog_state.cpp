// Module-wide state of the one Create Report dialog, and small control helpers
// its pages share.
#include "report_dialog/report_pages.h"
#include "report_run/report_run.h"
#include "startup/plugin_state.h"
#include "ovkit/bitmaps.h"
#include "ovkit/custom_controls.h"
#include "ovkit/resources.h"
#include <cstring>
#include "ovkit/text_copy.h"

ReportSettings g_ReportSettings = {"(Default)", ".\\REPORT.HTM", "", ""};
char g_ReportLanguage[64] = "ENGLISH";
char g_ReportTitle[200] = "";
HWND g_ReportPages[PAGE_COUNT] = {};
HFONT g_ReportBoldFont = nullptr;
WORD g_DestinationKind = DESTINATION_FILE;

void SetBoldItems(HWND window, const int* ids, int count) {
    if (!g_ReportBoldFont)
        return;
    for (int i = 0; i < count; ++i)
        SendDlgItemMessageA(window, ids[i], WM_SETFONT, (WPARAM)g_ReportBoldFont, FALSE);
}

void GetItemTextBounded(HWND window, int id, char* buffer, int size) {
    buffer[0] = '\0';
    if (size > 0)
        GetDlgItemTextA(window, id, buffer, size);
    buffer[size - 1] = '\0';
}

int SelectComboText(HWND window, int id, const char* text) {
    LRESULT index = SendDlgItemMessageA(window, id, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)text);
    if (index == CB_ERR)
        return 0;
    SendDlgItemMessageA(window, id, CB_SETCURSEL, (WPARAM)index, 0);
    return 1;
}

INT_PTR AnswerComboIcon(HWND window, LPARAM out, int icon) {
    if (out)
        *(int*)out = icon;
    SetWindowLongPtrA(window, DWLP_MSGRESULT, icon);
    return TRUE;
}

INT_PTR DefaultPageMessage(HWND page, UINT message, WPARAM wParam) {
    if (message != WM_REPORT_SHOW_PAGE)
        return FALSE;
    ShowWindow(page, (int)wParam);
    return TRUE;
}

void ShowReportHelp(HWND window, DWORD context) {
    WinHelpA(window, GetHelpPath(), HELP_CONTEXT, context);
}

void ShowDecorativePicture(HWND window, int item, int picture) {
    OVKIT_SubclassFancyBitmap(GetDlgItem(window, item), OVKIT_GetBitmapResource(picture),
                              OVKIT_GetBitmapInstance());
}

void RemoveDecorativePicture(HWND window, int item, int picture) {
    OVKIT_UnsubclassWindow(GetDlgItem(window, item));
    OVKIT_DestroyDlgBmp(window, OVKIT_GetBitmapResource(picture), OVKIT_GetBitmapInstance());
}
