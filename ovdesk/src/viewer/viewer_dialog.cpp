// The report viewer's dialog procedure: opening, the caller's messages,
// the commands and closing.
#include "viewer/viewer_internal.h"
#include "report_dialog/report_pages.h"
#include "desk_services.h"
#include "resource_ids.h"
#include "ovcore/ovcore.h"
#include <cstring>

namespace {
ViewerState g_viewer;

void Open(HWND dialog, ViewerRequest* request) {
    g_viewer = ViewerState();
    g_viewer.Request = request;
    g_viewer.Dialog = dialog;
    RememberLayout(dialog);
    request->TabsPresent = 0;
    HWND text = ViewerText();
    g_viewer.ShownId =
        SendMessageA(text, CSTV_NEWBUFFER, (WPARAM)ADT_GetReportASCII_fh(request->Report), 0);
    ADT_AttachLongToReport(request->Report, (LONG)g_viewer.ShownId);
    char face[VIEWER_FACE_SIZE];
    GetModuleProfileString("Report", "FontFace", "Arial", face, sizeof face);
    int size = GetModuleProfileInt("Report", "FontSize", 8);
    FillFaceList(dialog, face);
    ReadFontChoice(dialog, face, &size);
    FillSizeList(dialog, face, size > 0 ? size : 8);
    ReadFontChoice(dialog, face, &size);
    ApplyViewerFont(dialog, face, size);
    PlaceViewer(dialog);
    ShowSectionCaption(dialog);
    RefreshViewer(dialog);
}

void Close(HWND dialog) {
    ViewerRequest* request = g_viewer.Request;
    if (!request || request->Closed)
        return;
    request->Closed = 1;
    SendMessageA(ViewerText(), WM_SETFONT, 0, FALSE);
    if (g_viewer.Font)
        DeleteObject(g_viewer.Font);
    g_viewer.Font = nullptr;
    StorePlacement(dialog);
}

void StopOrClose(HWND dialog) {
    if (g_viewer.Request->Complete)
        SendMessageA(dialog, WM_CLOSE, 0, 0);
    else
        SendMessageA(dialog, VIEWER_COMPLETE, 0, 0);
}

BOOL Command(HWND dialog, WORD id, WORD code) {
    switch (id) {
    case IDOK:
    case IDCANCEL:
        StopOrClose(dialog);
        return TRUE;
    case IDC_VIEW_SAVE:
        PrintOrSave(dialog, FALSE);
        return TRUE;
    case IDC_VIEW_PRINT:
        PrintOrSave(dialog, TRUE);
        return TRUE;
    case IDC_VIEW_FIND_NEXT:
        FindNext(dialog);
        return TRUE;
    case IDC_VIEW_PREVIOUS:
    case IDC_VIEW_NEXT:
        SwitchSection(dialog, id, 0);
        return TRUE;
    case IDC_VIEW_SECTIONS:
        if (code == CBN_SELCHANGE)
            SwitchSection(dialog, 0,
                          (int)SendDlgItemMessageA(dialog, IDC_VIEW_SECTIONS, CB_GETCURSEL, 0, 0));
        return TRUE;
    case IDC_VIEW_FACE:
    case IDC_VIEW_SIZE:
        if (code == CBN_SELCHANGE)
            OnFontChoice(dialog, id);
        return TRUE;
    case IDC_VIEW_FIND_TEXT:
        if (code == EN_CHANGE)
            SendMessageA(dialog, DM_SETDEFID, IDC_VIEW_FIND_NEXT, 0);
        return TRUE;
    case IDC_VIEW_HELP:
        ShowReportHelp(dialog, g_viewer.Request->HelpContext);
        return TRUE;
    }
    return FALSE;
}
} // namespace

ViewerState& Viewer(void) {
    return g_viewer;
}

HWND ViewerText(void) {
    return GetDlgItem(g_viewer.Dialog, IDC_VIEW_TEXT);
}

HWND OpenViewer(HWND owner, ViewerRequest* request) {
    const DLGTEMPLATE* dialogTemplate = GetDialogTemplate(IDD_VIEWER);
    if (!dialogTemplate)
        return nullptr;
    HWND viewer = CreateDialogIndirectParamA(GetPluginInstance(), dialogTemplate, owner,
                                             MegaViewDlg, (LPARAM)request);
    if (viewer && !ViewerUnattended(request))
        ShowWindow(viewer, SW_SHOW);
    return viewer;
}

INT_PTR CALLBACK MegaViewDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        Open(dialog, (ViewerRequest*)lParam);
        return TRUE;
    }
    if (!g_viewer.Request || g_viewer.Dialog != dialog)
        return FALSE;
    switch (message) {
    case VIEWER_MORE_TEXT:
        RefreshViewer(dialog);
        return TRUE;
    case VIEWER_COMPLETE:
        CompleteViewer(dialog);
        return TRUE;
    case CSTV_NOTIFY_PAGE:
        ShowPageNumbers(dialog);
        return TRUE;
    case WM_COMMAND:
        return Command(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_DRAWITEM:
        if (wParam == IDC_VIEW_PROGRESS)
            DrawBuildProgress((const DRAWITEMSTRUCT*)lParam);
        return TRUE;
    case WM_SIZE:
        if (wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED)
            ResizeViewer(dialog);
        return TRUE;
    case WM_GETMINMAXINFO:
        ((MINMAXINFO*)lParam)->ptMinTrackSize = g_viewer.MinTrack;
        return TRUE;
    case WM_CLOSE:
        Close(dialog);
        return TRUE;
    case WM_DESTROY:
        Close(dialog);
        g_viewer.Dialog = nullptr;
        return FALSE;
    }
    return FALSE;
}
