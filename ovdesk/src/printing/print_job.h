// Printing the viewer's text: the printer's page length, the print itself
// with its "Printing..." dialog, and the print dialog's hook.
#pragma once
#include "printing/print_layout.h"
#include "desk_types.h"

// Lines of that font between the top and bottom margins of a page of the
// default printer; PRINT_DEFAULT_PAGE_LINES without a printer or the font.
// At least 1.
extern "C" __declspec(dllexport) int CALLBACK
    GetPrinterPageLineCount(const char* face, int pointSize, int pitchAndFamily);

// Prints the lines of the viewer's text control. attributes: count
// entries (PRINT_ATTRIBUTE_COUNT), entry 1 the base font. With multi, the
// first call asks for the printer and hands its blocks back in *devNames
// and *devMode; later calls print there without asking; the caller frees
// the blocks (FreePrinterBlocks). 1 when the print was done or attempted,
// 0 when the print dialog was cancelled.
extern "C" __declspec(dllexport) int CALLBACK
    PrintMegaViewerText(HWND text, int count, PrintAttribute* attributes, int tabCount,
                        const WORD* tabColumns, BOOL multi, BOOL first, HGLOBAL* devNames,
                        HGLOBAL* devMode, ReportRunRequest* request);
void FreePrinterBlocks(HGLOBAL* devNames, HGLOBAL* devMode);

extern "C" __declspec(dllexport) UINT_PTR CALLBACK
    PrintHookFunc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
extern "C" __declspec(dllexport) INT_PTR CALLBACK
    PrintingDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
extern "C" __declspec(dllexport) BOOL CALLBACK AbortFunc(HDC dc, int error);
