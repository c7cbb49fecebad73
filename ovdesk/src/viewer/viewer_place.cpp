// The viewer's placement (kept in the settings) and its layout on resizing.
#include "viewer/viewer_internal.h"
#include "resource_ids.h"
#include "ovcore/ovcore.h"
#include <cstdio>

namespace {
enum Anchor { STRETCH = 1, MOVE_DOWN = 2, MOVE_RIGHT = 4, WIDEN = 8 };
struct AnchorRow {
    int Id;
    int How;
};
const AnchorRow kAnchors[] = {
    {IDC_VIEW_TEXT, STRETCH},
    {IDC_VIEW_TEXT_FRAME, STRETCH},
    {IDC_VIEW_BOTTOM_FRAME, MOVE_DOWN | WIDEN},
    {IDC_VIEW_LINES_LABEL, MOVE_DOWN | MOVE_RIGHT},
    {IDC_VIEW_LINES, MOVE_DOWN | MOVE_RIGHT},
    {IDOK, MOVE_DOWN | MOVE_RIGHT},
    {IDC_VIEW_PRINT, MOVE_DOWN | MOVE_RIGHT},
    {IDC_VIEW_SAVE, MOVE_DOWN | MOVE_RIGHT},
    {IDC_VIEW_HELP, MOVE_DOWN | MOVE_RIGHT},
    {IDC_VIEW_PROGRESS, MOVE_DOWN},
    {IDC_VIEW_PERCENT, MOVE_DOWN},
    {IDC_VIEW_BUILT, MOVE_DOWN},
    {IDC_VIEW_PAGE_LABEL, MOVE_DOWN},
    {IDC_VIEW_PAGE, MOVE_DOWN},
    {IDC_VIEW_OF, MOVE_DOWN},
    {IDC_VIEW_PAGES, MOVE_DOWN},
    {IDC_VIEW_FIND_TEXT, MOVE_DOWN},
    {IDC_VIEW_FIND_NEXT, MOVE_DOWN},
    {IDC_VIEW_SECTIONS, MOVE_RIGHT},
    {IDC_VIEW_PREVIOUS, MOVE_RIGHT},
    {IDC_VIEW_NEXT, MOVE_RIGHT},
};

void WriteNumber(const char* key, long value) {
    char text[32];
    snprintf(text, sizeof text, "%ld", value);
    WriteModuleProfileString("Report", key, text);
}
} // namespace

void RememberLayout(HWND dialog) {
    ViewerState& viewer = Viewer();
    GetClientRect(dialog, &viewer.Client);
    RECT frame = viewer.Client;
    AdjustWindowRectEx(&frame, (DWORD)GetWindowLongA(dialog, GWL_STYLE), FALSE,
                       (DWORD)GetWindowLongA(dialog, GWL_EXSTYLE));
    viewer.MinTrack.x = frame.right - frame.left + 1;
    viewer.MinTrack.y = frame.bottom - frame.top + 1 + GetSystemMetrics(SM_CYMENU);
}

void PlaceViewer(HWND dialog) {
    long left = GetModuleProfileInt("Report", "WindowLeft", 0);
    long top = GetModuleProfileInt("Report", "WindowTop", 0);
    long width = GetModuleProfileInt("Report", "WindowWidth", 0);
    long height = GetModuleProfileInt("Report", "WindowHeight", 0);
    long screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (width > screenWidth)
        width = screenWidth;
    if (height > screenHeight)
        height = screenHeight;
    if (left < 0 || left > screenWidth)
        left = 0;
    if (top < 0 || top > screenHeight)
        top = 0;
    if (width > 0 && height > 0)
        MoveWindow(dialog, (int)left, (int)top, (int)width, (int)height, TRUE);
}

void StorePlacement(HWND dialog) {
    RECT r;
    if (!GetWindowRect(dialog, &r))
        return;
    WriteNumber("WindowLeft", r.left);
    WriteNumber("WindowTop", r.top);
    WriteNumber("WindowWidth", r.right - r.left);
    WriteNumber("WindowHeight", r.bottom - r.top);
}

void ResizeViewer(HWND dialog) {
    ViewerState& viewer = Viewer();
    RECT now;
    GetClientRect(dialog, &now);
    int dx = (now.right - now.left) - (viewer.Client.right - viewer.Client.left);
    int dy = (now.bottom - now.top) - (viewer.Client.bottom - viewer.Client.top);
    viewer.Client = now;
    if (!dx && !dy)
        return;
    for (const AnchorRow& row : kAnchors) {
        HWND item = GetDlgItem(dialog, row.Id);
        RECT r;
        if (!item || !GetWindowRect(item, &r))
            continue;
        MapWindowPoints(nullptr, dialog, (POINT*)&r, 2);
        if (row.How & (STRETCH | WIDEN))
            r.right += dx;
        if (row.How & STRETCH)
            r.bottom += dy;
        if (row.How & MOVE_DOWN)
            OffsetRect(&r, 0, dy);
        if (row.How & MOVE_RIGHT)
            OffsetRect(&r, dx, 0);
        MoveWindow(item, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
    }
    InvalidateRect(dialog, nullptr, TRUE);
}
