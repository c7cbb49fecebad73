// The viewer's display font: the face and size lists, the sixteen text
// attributes, the tab stops and the printer's page length.
#include "viewer/viewer_internal.h"
#include "printing/print_job.h"
#include "resource_ids.h"
#include "ovcore/ovcore.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
const int kSizes[] = {4, 6, 8, 9, 10, 11, 12, 14, 16, 18, 20, 24};
const COLORREF kColours[] = {RGB(0, 0, 0), RGB(255, 0, 0), RGB(0, 0, 200), RGB(0, 170, 0)};
const BYTE kStyles[] = {0, CSTV_STYLE_BOLD, CSTV_STYLE_ITALIC, CSTV_STYLE_UNDERLINE};

struct PitchSearch {
    int PitchAndFamily;
    BOOL Found;
};

void SelectText(HWND combo, const char* text) {
    LRESULT index = SendMessageA(combo, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)text);
    SendMessageA(combo, CB_SETCURSEL, index == CB_ERR ? 0 : index, 0);
}

// A remembered face this machine lacks: a plain text face, rather than the
// list's first entry (which may be a symbol or math face).
void SelectFace(HWND combo, const char* face) {
    static const char* const kFallbacks[] = {"Arial", "Liberation Sans", "DejaVu Sans", "Tahoma",
                                             "MS Sans Serif"};
    if (SendMessageA(combo, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)face) == CB_ERR)
        for (const char* fallback : kFallbacks)
            if (SendMessageA(combo, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)fallback) != CB_ERR) {
                face = fallback;
                break;
            }
    SelectText(combo, face);
}

// The tab stops of the text: codes 2 in its first line, else every eight
// columns up to 80.
void SetTabStops(HWND dialog, HFONT font) {
    ViewerRequest* request = Viewer().Request;
    HWND text = ViewerText();
    char line[4096] = "";
    SendMessageA(text, CSTV_SETCURLINE, 0, 0);
    int length = LOWORD(SendMessageA(text, CSTV_GETRAWLINE, sizeof line, (LPARAM)line));
    request->TabCount = 0;
    for (int i = 0; i + 1 < length && request->TabCount < CSTV_MAX_TABS; ++i)
        if (line[i] == CSTV_CODE_TAB)
            request->TabColumns[request->TabCount++] = (BYTE)line[++i];
    request->TabsPresent = request->TabCount > 0;
    if (!request->TabsPresent)
        for (WORD column = 8; column <= 80; column += 8)
            request->TabColumns[request->TabCount++] = column;
    HDC dc = GetDC(dialog);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(dialog, dc);
    LONG w = metrics.tmAveCharWidth, pixels[CSTV_MAX_TABS];
    for (int i = 0; i < request->TabCount; ++i)
        pixels[i] = request->TabColumns[i] * (w + w / 3);
    SendMessageA(text, CSTV_SETTABCOUNT, request->TabCount, 0);
    SendMessageA(text, CSTV_SETTABS, request->TabCount, (LPARAM)pixels);
}
} // namespace

extern "C" __declspec(dllexport) int CALLBACK
    FontFamilyFunc(const LOGFONTA* font, const TEXTMETRICA*, DWORD type, LPARAM combo) {
    if (!(type & DEVICE_FONTTYPE) && font->lfFaceName[0] != '@' &&
        SendMessageA((HWND)combo, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)font->lfFaceName) ==
            CB_ERR)
        SendMessageA((HWND)combo, CB_ADDSTRING, 0, (LPARAM)font->lfFaceName);
    return 1;
}

extern "C" __declspec(dllexport) int CALLBACK
    FontFunc(const LOGFONTA*, const TEXTMETRICA*, DWORD type, LPARAM found) {
    if (type & DEVICE_FONTTYPE)
        return 1;
    *(BOOL*)found = TRUE;
    return 0;
}

extern "C" __declspec(dllexport) int CALLBACK
    FontFindPitchAndFamilyFunc(const LOGFONTA* font, const TEXTMETRICA*, DWORD type,
                               LPARAM search) {
    if (type & DEVICE_FONTTYPE)
        return 1;
    ((PitchSearch*)search)->PitchAndFamily = font->lfPitchAndFamily;
    ((PitchSearch*)search)->Found = TRUE;
    return 0;
}

void FillFaceList(HWND dialog, const char* face) {
    HWND combo = GetDlgItem(dialog, IDC_VIEW_FACE);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    HDC dc = GetDC(dialog);
    LOGFONTA all = {};
    all.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExA(dc, &all, (FONTENUMPROCA)FontFamilyFunc, (LPARAM)combo, 0);
    ReleaseDC(dialog, dc);
    SelectFace(combo, face);
}

void FillSizeList(HWND dialog, const char* face, int size) {
    HWND combo = GetDlgItem(dialog, IDC_VIEW_SIZE);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    BOOL found = FALSE;
    HDC dc = GetDC(dialog);
    EnumFontFamiliesA(dc, face, (FONTENUMPROCA)FontFunc, (LPARAM)&found);
    ReleaseDC(dialog, dc);
    if (!found)
        return;
    for (int s : kSizes) {
        char text[8];
        snprintf(text, sizeof text, "%2d", s);
        SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)text);
    }
    char wanted[8];
    snprintf(wanted, sizeof wanted, "%2d", size);
    SelectText(combo, wanted);
}

void ReadFontChoice(HWND dialog, char* face, int* size) {
    HWND faces = GetDlgItem(dialog, IDC_VIEW_FACE), sizes = GetDlgItem(dialog, IDC_VIEW_SIZE);
    LRESULT index = SendMessageA(faces, CB_GETCURSEL, 0, 0);
    LRESULT length = SendMessageA(faces, CB_GETLBTEXTLEN, index == CB_ERR ? 0 : index, 0);
    strcpy(face, "Arial");
    if (length != CB_ERR && length < VIEWER_FACE_SIZE)
        SendMessageA(faces, CB_GETLBTEXT, index == CB_ERR ? 0 : index, (LPARAM)face);
    *size = 8;
    index = SendMessageA(sizes, CB_GETCURSEL, 0, 0);
    char text[16] = "";
    length = SendMessageA(sizes, CB_GETLBTEXTLEN, index == CB_ERR ? 0 : index, 0);
    if (length != CB_ERR && length < (LRESULT)sizeof text) {
        SendMessageA(sizes, CB_GETLBTEXT, index == CB_ERR ? 0 : index, (LPARAM)text);
        *size = atoi(text) > 0 ? atoi(text) : 8;
    }
}

int FacePitchAndFamily(const char* face) {
    PitchSearch search = {DEFAULT_PITCH | FF_DONTCARE, FALSE};
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesA(dc, face, (FONTENUMPROCA)FontFindPitchAndFamilyFunc, (LPARAM)&search);
    ReleaseDC(nullptr, dc);
    return search.PitchAndFamily;
}

void BuildAttributes(const char* face, int size, CstTextAttribute* attributes) {
    int pitch = FacePitchAndFamily(face);
    memset(&attributes[0], 0, sizeof attributes[0]);
    for (int n = 1; n <= CSTV_ATTRIBUTES; ++n) {
        CstTextAttribute& a = attributes[n];
        memset(&a, 0, sizeof a);
        lstrcpynA(a.Face, face, sizeof a.Face);
        a.PointSize = (BYTE)size;
        a.PitchAndFamily = (BYTE)pitch;
        a.Style = kStyles[(n - 1) % 4];
        a.Colour = kColours[(n - 1) / 4];
    }
}

int ApplyViewerFont(HWND dialog, const char* face, int size) {
    ViewerState& viewer = Viewer();
    HWND text = ViewerText();
    CstTextAttribute attributes[CSTV_ATTRIBUTES + 1];
    BuildAttributes(face, size, attributes);
    for (int n = 1; n <= CSTV_ATTRIBUTES; ++n)
        SendMessageA(text, CSTV_SETATTRIBUTE, n, (LPARAM)&attributes[n]);
    HDC dc = GetDC(dialog);
    int height = -MulDiv(size, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(dialog, dc);
    HFONT font =
        CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, attributes[1].PitchAndFamily, face);
    if (!font)
        return 0;
    viewer.Request->LinesPerPage =
        (DWORD)GetPrinterPageLineCount(face, size, attributes[1].PitchAndFamily);
    SendMessageA(text, CSTV_SETPAGELINES, viewer.Request->LinesPerPage, 0);
    SetTabStops(dialog, font);
    SendMessageA(text, WM_SETFONT, (WPARAM)font, TRUE);
    if (viewer.Font)
        DeleteObject(viewer.Font);
    viewer.Font = font;
    return 1;
}

void OnFontChoice(HWND dialog, int control) {
    char face[VIEWER_FACE_SIZE];
    int size = 8;
    ReadFontChoice(dialog, face, &size);
    if (control == IDC_VIEW_FACE) {
        FillSizeList(dialog, face, size);
        ReadFontChoice(dialog, face, &size);
    }
    WriteModuleProfileString("Report", "FontFace", face);
    char text[16];
    snprintf(text, sizeof text, "%d", size);
    WriteModuleProfileString("Report", "FontSize", text);
    ApplyViewerFont(dialog, face, size);
    ShowPageNumbers(dialog);
}
