// The viewer while the report grows: new text, the progress, the sections
// and the page display.
#include "viewer/viewer_internal.h"
#include "printing/print_settings.h"
#include "desk_services.h"
#include "resource_ids.h"
#include "ovcore/ovcore.h"
#include <cstdio>
#include <initializer_list>

namespace {
const char* const kCaptions[] = {
    "Report on: %s",           "Report for Suffix: %s", "Report for Country: %s",
    "Report for Protocol: %s", "Report for Event: %s",  "Report for Date: %s",
    "Report for Result: %s",   "Report for File: %s",   "Report for Host: %s",
    "Report for Domain: %s",
};

void FillSectionList(HWND dialog) {
    ReportHandle* report = Viewer().Request->Report;
    HWND list = GetDlgItem(dialog, IDC_VIEW_SECTIONS);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    DWORD count = ADT_ViewReportCount(report);
    for (DWORD i = 0; i < count; ++i) {
        const char* text = ADT_GetViewReportDescPtr(report, i);
        SendMessageA(list, CB_ADDSTRING, 0, (LPARAM)(text ? text : ""));
    }
    SendMessageA(list, CB_SETCURSEL, ADT_GetViewReportBufferNum(report), 0);
    Viewer().LastCount = count;
}

void ShowSections(HWND dialog) {
    for (int id : {IDC_VIEW_SECTIONS, IDC_VIEW_PREVIOUS, IDC_VIEW_NEXT})
        ShowWindow(GetDlgItem(dialog, id), SW_SHOW);
}

void UpdateSections(HWND dialog) {
    ViewerState& viewer = Viewer();
    DWORD count = ADT_ViewReportCount(viewer.Request->Report);
    if (viewer.Multi && count != viewer.LastCount) {
        FillSectionList(dialog);
    } else if (!viewer.Multi && count > 1) {
        viewer.Multi = TRUE;
        ShowSections(dialog);
        FillSectionList(dialog);
    }
}

void SetNumber(HWND dialog, int id, long value) {
    char text[32];
    snprintf(text, sizeof text, "%ld", value);
    SetDlgItemTextA(dialog, id, text);
}
} // namespace

void ShowSectionCaption(HWND dialog) {
    ViewerRequest* request = Viewer().Request;
    const char* description =
        ADT_GetViewReportDescPtr(request->Report, ADT_GetViewReportBufferNum(request->Report));
    DWORD kind = request->ReportKind < 10 ? request->ReportKind : 0;
    const char* value = kind == 0 ? request->Subject : (description ? description : "");
    char caption[400];
    snprintf(caption, sizeof caption, kCaptions[kind], value);
    SetWindowTextA(dialog, caption);
}

void ShowPageNumbers(HWND dialog) {
    HWND text = ViewerText();
    long perPage = Viewer().Request->LinesPerPage ? (long)Viewer().Request->LinesPerPage
                                                  : PRINT_DEFAULT_PAGE_LINES;
    long top = (long)SendMessageA(text, CSTV_GETTOPLINE, 0, 0);
    if (top)
        --top;
    long lines = (long)SendMessageA(text, CSTV_GETLINECOUNT, 0, 0);
    SetNumber(dialog, IDC_VIEW_PAGE, top / perPage + 1);
    SetNumber(dialog, IDC_VIEW_PAGES, PageCount(lines, perPage));
}

void RefreshViewer(HWND dialog) {
    ViewerRequest* request = Viewer().Request;
    HWND text = ViewerText();
    SendMessageA(text, CSTV_READMORE, 0, 0);
    char percent[16];
    snprintf(percent, sizeof percent, "%3d", (int)ADT_GetReportDonePercent(request->Report));
    SetDlgItemTextA(dialog, IDC_VIEW_PERCENT, percent);
    InvalidateRect(GetDlgItem(dialog, IDC_VIEW_PROGRESS), nullptr, FALSE);
    UpdateSections(dialog);
    SetNumber(dialog, IDC_VIEW_LINES, (long)SendMessageA(text, CSTV_GETLINECOUNT, 0, 0));
    ShowPageNumbers(dialog);
}

void CompleteViewer(HWND dialog) {
    SetDlgItemTextA(dialog, IDOK, LoadTextSlot(IDS_VIEW_CLOSE, 0));
    EnableWindow(GetDlgItem(dialog, IDC_VIEW_SAVE), TRUE);
    EnableWindow(GetDlgItem(dialog, IDC_VIEW_PRINT), TRUE);
    for (int id : {IDC_VIEW_PROGRESS, IDC_VIEW_PERCENT, IDC_VIEW_BUILT})
        ShowWindow(GetDlgItem(dialog, id), SW_HIDE);
    for (int id : {IDC_VIEW_PAGE_LABEL, IDC_VIEW_PAGE, IDC_VIEW_OF, IDC_VIEW_PAGES})
        ShowWindow(GetDlgItem(dialog, id), SW_SHOW);
    Viewer().Request->Complete = 1;
    RefreshViewer(dialog);
}

void DrawBuildProgress(const DRAWITEMSTRUCT* item) {
    RECT r = item->rcItem;
    FrameRect(item->hDC, &r, (HBRUSH)GetStockObject(GRAY_BRUSH));
    InflateRect(&r, -2, -2);
    DWORD percent = ADT_GetReportDonePercent(Viewer().Request->Report);
    if (percent > 100)
        percent = 100;
    RECT done = r;
    done.right = r.left + (LONG)((r.right - r.left) * percent / 100);
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 175));
    FillRect(item->hDC, &done, blue);
    DeleteObject(blue);
    RECT rest = r;
    rest.left = done.right;
    FillRect(item->hDC, &rest, (HBRUSH)GetStockObject(LTGRAY_BRUSH));
}

void SwitchSection(HWND dialog, int command, int index) {
    ViewerState& viewer = Viewer();
    ReportHandle* report = viewer.Request->Report;
    LONG id = command == IDC_VIEW_PREVIOUS ? ADT_PreviousViewReportBuffer(report)
              : command == IDC_VIEW_NEXT   ? ADT_NextViewReportBuffer(report)
                                           : ADT_SetViewReportBuffer(report, (DWORD)index);
    HWND text = ViewerText();
    HANDLE file = ADT_GetReportASCII_fh(report);
    if (id) {
        SendMessageA(text, CSTV_REBIND, (WPARAM)file, id);
        SendMessageA(text, CSTV_SHOWBUFFER, 0, id);
        viewer.ShownId = id;
    } else {
        LRESULT made = SendMessageA(text, CSTV_NEWBUFFER, (WPARAM)file, 0);
        if (made) {
            ADT_AttachLongToReport(report, (LONG)made);
            viewer.ShownId = made;
        }
    }
    SendDlgItemMessageA(dialog, IDC_VIEW_SECTIONS, CB_SETCURSEL, ADT_GetViewReportBufferNum(report),
                        0);
    ShowSectionCaption(dialog);
    RefreshViewer(dialog);
}
