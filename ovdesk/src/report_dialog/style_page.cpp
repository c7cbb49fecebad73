// The Style page: report language, report style and report title.
#include "report_dialog/report_pages.h"
#include "resource_ids.h"
#include "ovcore/ovcore.h"
#include <cstdio>
#include <cstring>
#include "ovkit/text_copy.h"

namespace {
enum { STYLE_NAME_SIZE = MAX_PATH };

void FillLanguages(HWND page) {
    HWND combo = GetDlgItem(page, IDC_STYLE_LANGUAGE);
    SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM) "(Default)");
    char folder[MAX_PATH];
    if (!ORB_GetTemplatePath(folder))
        return;
    char pattern[MAX_PATH + 8];
    snprintf(pattern, sizeof pattern, "%s*.RPL", folder);
    WIN32_FIND_DATAA found;
    HANDLE walk = FindFirstFileA(pattern, &found);
    if (walk == INVALID_HANDLE_VALUE)
        return;
    do {
        char* dot = strrchr(found.cFileName, '.');
        if (dot)
            *dot = '\0';
        SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)found.cFileName);
    } while (FindNextFileA(walk, &found));
    FindClose(walk);
}

void FillStyles(HWND page) {
    char file[MAX_PATH + 16];
    if (!ORB_GetExePath(file))
        return;
    strcat(file, "Style.ini");
    for (int n = 1;; ++n) {
        char key[24], value[STYLE_NAME_SIZE];
        snprintf(key, sizeof key, "Style %d", n);
        GetPrivateProfileStringA("Ostrevane Styles", key, "", value, sizeof value, file);
        if (!value[0])
            break;
        SendDlgItemMessageA(page, IDC_STYLE_STYLE, CB_ADDSTRING, 0, (LPARAM)value);
    }
    SendDlgItemMessageA(page, IDC_STYLE_STYLE, CB_SETCURSEL, 0, 0);
}

void InitPage(HWND page) {
    static const int bold[] = {IDC_STYLE_LABEL, IDC_STYLE_LABEL2, IDC_STYLE_LABEL3};
    SetBoldItems(page, bold, 3);
    FillLanguages(page);
    char language[sizeof g_ReportLanguage];
    GetModuleProfileString("Language", "Report", "ENGLISH", language, sizeof language);
    if (!SelectComboText(page, IDC_STYLE_LANGUAGE, language))
        SendDlgItemMessageA(page, IDC_STYLE_LANGUAGE, CB_SETCURSEL, 0, 0);
    OvkitCopyText(g_ReportLanguage, sizeof g_ReportLanguage, language);
    FillStyles(page);
    SendDlgItemMessageA(page, IDC_STYLE_TITLE, EM_LIMITTEXT, sizeof g_ReportTitle - 1, 0);
    SetDlgItemTextA(page, IDC_STYLE_TITLE, g_ReportTitle);
}

void TakeComboText(HWND page, int id, char* target, int size) {
    char text[STYLE_NAME_SIZE];
    LRESULT index = SendDlgItemMessageA(page, id, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return;
    LRESULT length = SendDlgItemMessageA(page, id, CB_GETLBTEXTLEN, (WPARAM)index, 0);
    if (length == CB_ERR || length >= (LRESULT)sizeof text)
        return;
    SendDlgItemMessageA(page, id, CB_GETLBTEXT, (WPARAM)index, (LPARAM)text);
    OvkitCopyText(target, (size_t)size, text);
}
} // namespace

INT_PTR CALLBACK StylePageDlg(HWND page, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        InitPage(page);
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) == CBN_SELCHANGE && LOWORD(wParam) == IDC_STYLE_STYLE) {
            TakeComboText(page, IDC_STYLE_STYLE, g_ReportSettings.StyleName,
                          sizeof g_ReportSettings.StyleName);
            return TRUE;
        }
        if (HIWORD(wParam) == CBN_SELCHANGE && LOWORD(wParam) == IDC_STYLE_LANGUAGE) {
            TakeComboText(page, IDC_STYLE_LANGUAGE, g_ReportLanguage, sizeof g_ReportLanguage);
            return TRUE;
        }
        break;
    }
    return DefaultPageMessage(page, message, wParam);
}
