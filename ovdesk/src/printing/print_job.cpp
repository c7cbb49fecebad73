// Printing the viewer's text on a printer of the user's choice.
#include "printing/print_job.h"
#include "report_dialog/report_pages.h"
#include "desk_services.h"
#include "resource_ids.h"
#include <commdlg.h>
#include <cstdio>

namespace {
const char kErrorCaption[] = "Error";
const char kDocumentName[] = "Ostrevane(tm) Report";

// One print at a time.
volatile LONG g_cancelled = 0;
HWND g_printingDialog = nullptr;

int ControlLine(void* context, long index, char* buffer, int size) {
    HWND text = (HWND)context;
    SendMessageA(text, CSTV_SETCURLINE, 0, index);
    buffer[0] = 0;
    return LOWORD(SendMessageA(text, CSTV_GETRAWLINE, (WPARAM)size, (LPARAM)buffer));
}

// The printer's context from the blocks of an earlier print dialog.
HDC DeviceFromBlocks(HGLOBAL devNames, HGLOBAL devMode) {
    DEVNAMES* names = devNames ? (DEVNAMES*)GlobalLock(devNames) : nullptr;
    if (!names)
        return nullptr;
    DEVMODEA* mode = devMode ? (DEVMODEA*)GlobalLock(devMode) : nullptr;
    const char* base = (const char*)names;
    HDC dc = CreateDCA(base + names->wDriverOffset, base + names->wDeviceOffset,
                       base + names->wOutputOffset, mode);
    if (mode)
        GlobalUnlock(devMode);
    GlobalUnlock(devNames);
    return dc;
}

// Asks for the printer (the default one, without a dialog, when nobody can
// answer). Null when cancelled; *fromPage and *toPage are the range chosen
// (0 for all).
HDC ChoosePrinter(HWND owner, long pages, BOOL multi, HGLOBAL* devNames, HGLOBAL* devMode,
                  int* fromPage, int* toPage) {
    PRINTDLGA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_HIDEPRINTTOFILE | PD_ENABLEPRINTHOOK;
    dialog.Flags |= multi ? PD_NOPAGENUMS : 0;
    if (IsDeskUnattended())
        dialog.Flags = PD_RETURNDC | PD_RETURNDEFAULT;
    dialog.lpfnPrintHook = PrintHookFunc;
    dialog.nMinPage = dialog.nFromPage = 1;
    dialog.nMaxPage = dialog.nToPage = (WORD)(pages > 0xFFFF ? 0xFFFF : pages);
    if (!PrintDlgA(&dialog))
        return nullptr;
    *fromPage = *toPage = 0;
    if (dialog.Flags & PD_PAGENUMS) {
        *fromPage = dialog.nFromPage;
        *toPage = dialog.nToPage;
    }
    *devNames = dialog.hDevNames;
    *devMode = dialog.hDevMode;
    return dialog.hDC;
}

HWND OpenPrintingDialog(HWND owner, long first, long last, BOOL unattended) {
    const DLGTEMPLATE* dialogTemplate = GetDialogTemplate(IDD_PRINTING);
    if (!dialogTemplate)
        return nullptr;
    g_printingDialog = CreateDialogIndirectParamA(GetPluginInstance(), dialogTemplate, owner,
                                                  PrintingDlg, MAKELPARAM(first, last));
    if (g_printingDialog && !unattended)
        ShowWindow(g_printingDialog, SW_SHOW);
    return g_printingDialog;
}

struct PrintRun {
    HDC Dc;
    PrintLayout Layout;
    PrintAttribute* Attributes;
    HWND Text;
    long Lines;
};

// Prints pages [firstPage, lastPage] (1-based); stops when a page change fails.
void PrintPages(PrintRun& run, long firstPage, long lastPage) {
    BOOL fontWarned = FALSE;
    for (long page = firstPage; page <= lastPage && !g_cancelled; ++page) {
        if (StartPage(run.Dc) <= 0)
            break;
        if (g_printingDialog)
            SendMessageA(g_printingDialog, WM_USER, 0, MAKELPARAM(page, lastPage));
        PrintPage spec =
            PageOfPrint(&run.Layout, run.Attributes, ControlLine, run.Text, run.Lines, page);
        if (!DrawPrintPage(run.Dc, spec) && !fontWarned) {
            fontWarned = TRUE;
            DeskMessageBox(run.Text, "Font recreating failed.", kErrorCaption, MB_OK);
        }
        if (EndPage(run.Dc) <= 0)
            break;
    }
}

int PrintOnDevice(HDC dc, HWND text, PrintAttribute* attributes, int tabCount,
                  const WORD* tabColumns, int fromPage, int toPage, ReportRunRequest* request) {
    PrintSettings settings;
    ReadPrintSettings(&settings);
    int oldMode = SetMapMode(dc, MM_TEXT);
    HFONT base = CreatePrintFont(dc, attributes[1].Text, FALSE);
    if (!base) {
        DeskMessageBox(text, "Font creating failed.", kErrorCaption, MB_OK);
        SetMapMode(dc, oldMode);
        return 1;
    }
    HGDIOBJ oldFont = SelectObject(dc, base);
    PrintRun run = {dc, {}, attributes, text, (long)SendMessageA(text, CSTV_GETLINECOUNT, 0, 0)};
    MeasurePrintLayout(dc, settings, base, tabCount, tabColumns, &run.Layout);
    long pages = PageCount(run.Lines, run.Layout.LinesPerPage);
    long first = fromPage > 0 ? fromPage : 1, last = toPage > 0 && toPage < pages ? toPage : pages;
    g_cancelled = 0;
    SetAbortProc(dc, AbortFunc);
    DOCINFOA document = {sizeof document, kDocumentName};
    if (StartDocA(dc, &document) <= 0) {
        DeskMessageBox(text, "Failed to Start Printing.", kErrorCaption, MB_OK);
    } else {
        OpenPrintingDialog(GetParent(text), first, last, request && request->Event);
        EnableWindow(text, FALSE);
        PrintPages(run, first, last);
        if (g_cancelled)
            AbortDoc(dc);
        else
            EndDoc(dc);
        if (g_printingDialog)
            DestroyWindow(g_printingDialog);
        g_printingDialog = nullptr;
        EnableWindow(text, TRUE);
    }
    FreePrintFonts(attributes);
    SelectObject(dc, oldFont);
    DeleteObject(base);
    SetMapMode(dc, oldMode);
    return 1;
}
} // namespace

void FreePrinterBlocks(HGLOBAL* devNames, HGLOBAL* devMode) {
    if (devNames && *devNames)
        GlobalFree(*devNames);
    if (devMode && *devMode)
        GlobalFree(*devMode);
    if (devNames)
        *devNames = nullptr;
    if (devMode)
        *devMode = nullptr;
}

int CALLBACK GetPrinterPageLineCount(const char* face, int pointSize, int pitchAndFamily) {
    PrintSettings settings;
    ReadPrintSettings(&settings);
    PRINTDLGA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.Flags = PD_RETURNDEFAULT | PD_RETURNIC;
    if (!PrintDlgA(&dialog) || !dialog.hDC) {
        FreePrinterBlocks(&dialog.hDevNames, &dialog.hDevMode);
        return PRINT_DEFAULT_PAGE_LINES;
    }
    int lines = PRINT_DEFAULT_PAGE_LINES;
    SetMapMode(dialog.hDC, MM_TEXT);
    CstTextAttribute attribute = {};
    lstrcpynA(attribute.Face, face ? face : "", sizeof attribute.Face);
    attribute.PointSize = (BYTE)pointSize;
    attribute.PitchAndFamily = (BYTE)pitchAndFamily;
    HFONT font = CreatePrintFont(dialog.hDC, attribute, FALSE);
    if (font) {
        HGDIOBJ old = SelectObject(dialog.hDC, font);
        PrintLayout layout;
        MeasurePrintLayout(dialog.hDC, settings, font, 0, nullptr, &layout);
        lines = layout.LinesPerPage;
        SelectObject(dialog.hDC, old);
        DeleteObject(font);
    }
    DeleteDC(dialog.hDC);
    FreePrinterBlocks(&dialog.hDevNames, &dialog.hDevMode);
    return lines;
}

int CALLBACK PrintMegaViewerText(HWND text, int count, PrintAttribute* attributes, int tabCount,
                                 const WORD* tabColumns, BOOL multi, BOOL first, HGLOBAL* devNames,
                                 HGLOBAL* devMode, ReportRunRequest* request) {
    if (!text || !attributes || count < PRINT_ATTRIBUTE_COUNT)
        return 1;
    HGLOBAL names = nullptr, mode = nullptr;
    int fromPage = 0, toPage = 0;
    HDC dc = nullptr;
    if (multi && !first && devNames && devMode) {
        dc = DeviceFromBlocks(*devNames, *devMode);
    } else {
        const CstTextAttribute& base = attributes[1].Text;
        int perPage = GetPrinterPageLineCount(base.Face, base.PointSize, base.PitchAndFamily);
        long pages = PageCount((long)SendMessageA(text, CSTV_GETLINECOUNT, 0, 0), perPage);
        dc = ChoosePrinter(GetParent(text), pages, multi, &names, &mode, &fromPage, &toPage);
        if (!dc) {
            FreePrinterBlocks(&names, &mode);
            return 0;
        }
        if (multi && devNames && devMode) {
            *devNames = names;
            *devMode = mode;
        } else {
            FreePrinterBlocks(&names, &mode);
        }
    }
    if (!dc)
        return 1;
    PrintOnDevice(dc, text, attributes, tabCount, tabColumns, fromPage, toPage, request);
    DeleteDC(dc);
    return 1;
}

UINT_PTR CALLBACK PrintHookFunc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    static const int kHidden[] = {1136, 1091, 1154, 1092, 1041};
    if (message == WM_INITDIALOG) {
        for (int id : kHidden)
            if (HWND item = GetDlgItem(dialog, id))
                ShowWindow(item, SW_HIDE);
        CenterWindowOnScreen(dialog);
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_PRINTING_HELP) {
        ShowReportHelp(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK PrintingDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
    case WM_USER:
        SetDlgItemInt(dialog, IDC_PRINTING_FROM, LOWORD(lParam), FALSE);
        SetDlgItemInt(dialog, IDC_PRINTING_TO, HIWORD(lParam), FALSE);
        if (message == WM_INITDIALOG)
            CenterWindowOnScreen(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL)
            g_cancelled = 1;
        else if (LOWORD(wParam) == IDC_PRINTING_HELP)
            ShowReportHelp(dialog, 0);
        return TRUE;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE)
            g_cancelled = 1;
        return FALSE;
    case WM_DESTROY:
        g_cancelled = 1;
        g_printingDialog = nullptr;
        return FALSE;
    }
    return FALSE;
}

BOOL CALLBACK AbortFunc(HDC, int error) {
    if (error != 0) {
        DeskMessageBox(nullptr, "AbortFunc != 0", kErrorCaption, MB_OK);
        return FALSE;
    }
    MSG message;
    while (!g_cancelled && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (!g_printingDialog || !IsDialogMessageA(g_printingDialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return !g_cancelled;
}
