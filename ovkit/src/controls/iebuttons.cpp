#include "bitmaps/color_depth.h"
#include "iebuttons_draw.h"
#include "iebuttons_proc.h"
#include "base/library_resources.h"
#include "ovkit/bitmaps.h"
#include "ovkit/iebuttons.h"
#include "ovkit/startup.h"
#include "ovkit/strutil.h"
#include "ovkit/timers.h"
#include "windows/quick_help.h"
#include <initializer_list>

namespace {

const UINT kHoverTimer = 10000;
const int kHandCursor = 101;

IEButtonsBar* Record(HWND bar) {
    return reinterpret_cast<IEButtonsBar*>(GetWindowLongPtrA(bar, 0));
}

WORD PictureId(const IEButtonsBar* r) {
    return OvkitScreenFewerThan256() ? r->pictureId16 : r->pictureId;
}

void Redraw(HWND window, const IEButtonsBar* r, int index) {
    HDC dc = GetDC(window);
    IeBarDrawButton(r, index, dc);
    ReleaseDC(window, dc);
}

// Sets a state; a state that does not change draws nothing.
void SetState(HWND window, IEButtonsBar* r, int index, WORD state) {
    if (r->buttons[index].state == state)
        return;
    r->buttons[index].state = state;
    Redraw(window, r, index);
}

// The placeholder's place, in the parent's client coordinates.
RECT PlaceholderRect(HWND parent, HWND placeholder) {
    RECT place = {};
    GetWindowRect(placeholder, &place);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

// The background picture stretched into a monochrome bitmap of the bar's size.
HBITMAP MonochromeBackground(const IEButtonsBar* r, int width, int height) {
    HBITMAP source = LoadBitmapA(r->backgroundModule, MAKEINTRESOURCEA(r->backgroundId));
    if (!source)
        return nullptr;
    HBITMAP mono = CreateBitmap(width, height, 1, 1, nullptr);
    HDC dc = mono ? CreateCompatibleDC(nullptr) : nullptr;
    if (dc) {
        HGDIOBJ old = SelectObject(dc, mono);
        OVKIT_StretchBitmap(dc, 0, 0, width, height, source, SRCCOPY);
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    DeleteObject(source);
    return mono;
}

void LayOutButtons(IEButtonsBar* r) {
    TEXTMETRICA metrics = {};
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, r->captionFont);
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    for (int i = 0; i < r->buttonCount; ++i) {
        IEButton& b = r->buttons[i];
        b.rect = {i * r->buttonWidth, 0, (i + 1) * r->buttonWidth, r->barHeight};
        b.state = OVKIT_IEB_NORMAL;
        b.flags = 0;
    }
    r->pictureX = (r->buttonWidth - r->cellWidth) / 2;
    r->pictureY = (r->barHeight - r->cellHeight - metrics.tmHeight) / 2;
}

bool Create(HWND window, IEButtonsBar* r) {
    SetCapture(window);
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(r));
    r->hotButton = OVKIT_IEB_NONE;
    r->quickHelp = nullptr;
    r->quickHelpTimer = 0;
    HWND parent = GetParent(window);
    HWND placeholder = GetDlgItem(parent, r->placeholderId);
    RECT place = PlaceholderRect(parent, placeholder);
    ShowWindow(placeholder, SW_HIDE);
    RECT client = {};
    GetClientRect(parent, &client);
    r->buttonWidth = r->widthDivisions ? client.right / r->widthDivisions : 0;
    r->barHeight = place.bottom - place.top;
    SetWindowPos(window, nullptr, 0, place.top, r->buttonWidth * r->buttonCount, r->barHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);

    r->picture = OVKIT_GetBitmapHandleFromCache(window, PictureId(r), r->module, &r->palette);
    if (!r->picture) {
        MessageBoxA(nullptr, OVKIT_GetString(1, OVKIT_GetInstance(), nullptr), OVKIT_CAPTION,
                    MB_ICONERROR);
        return false;
    }
    if (OvkitGetDisplaySettings().drawSubliminals && OvkitScreenMoreThan256() && r->backgroundId)
        r->background = MonochromeBackground(r, r->buttonWidth * r->buttonCount, r->barHeight);
    r->hand = LoadCursorA(OVKIT_GetInstance(), MAKEINTRESOURCEA(kHandCursor));
    if (!r->hand)
        r->hand = LoadCursorA(nullptr, IDC_HAND);
    r->captionFont =
        CreateFontA(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH, "Arial");
    int width = 0, height = 0;
    OVKIT_GetBitmapSize(r->picture, &width, &height);
    r->cellWidth = r->buttonCount ? width / r->buttonCount : 0;
    r->cellHeight = height / 3;
    LayOutButtons(r);
    // Lights the button that is already under the cursor.
    POINT cursor = {};
    GetCursorPos(&cursor);
    ScreenToClient(window, &cursor);
    PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(cursor.x, cursor.y));
    return true;
}

void Destroy(HWND window, IEButtonsBar* r) {
    if (r->picture)
        OVKIT_DestroyDlgBmp(window, PictureId(r), r->module);
    r->picture = nullptr;
    OvkitCloseQuickHelp(window, &r->quickHelp, &r->quickHelpTimer);
    if (GetCapture() == window)
        ReleaseCapture();
    for (HGDIOBJ* object : {reinterpret_cast<HGDIOBJ*>(&r->background),
                            reinterpret_cast<HGDIOBJ*>(&r->captionFont)}) {
        if (*object)
            DeleteObject(*object);
        *object = nullptr;
    }
    r->hand = nullptr; // a shared cursor: nothing to free
    SetWindowLongPtrA(window, 0, 0);
}

// The enabled button under the point (client coordinates), or -1.
int ButtonAt(HWND window, const IEButtonsBar* r, POINT at) {
    POINT screen = at;
    ClientToScreen(window, &screen);
    if (WindowFromPoint(screen) != window)
        return -1;
    for (int i = 0; i < r->buttonCount; ++i)
        if (PtInRect(&r->buttons[i].rect, at) && r->buttons[i].state != OVKIT_IEB_DISABLED)
            return i;
    return -1;
}

void LeaveAll(HWND window, IEButtonsBar* r) {
    if (r->hotButton != OVKIT_IEB_NONE && r->buttons[r->hotButton].state != OVKIT_IEB_DISABLED) {
        r->buttons[r->hotButton].flags &= ~1;
        SetState(window, r, r->hotButton, OVKIT_IEB_NORMAL);
    }
    r->hotButton = OVKIT_IEB_NONE;
    OvkitCloseQuickHelp(window, &r->quickHelp, &r->quickHelpTimer);
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    if (GetCapture() == window)
        ReleaseCapture();
}

void StartQuickHelp(HWND window, IEButtonsBar* r, int index) {
    int delay = OvkitGetDisplaySettings().quickHelpDelayMs;
    if (!delay)
        return;
    const RECT& b = r->buttons[index].rect;
    r->quickHelpButton = static_cast<WORD>(index);
    r->quickHelpPoint = {(b.left + b.right) / 2, b.bottom};
    r->quickHelpTimer = OVKIT_SetTimerEx(window, kHoverTimer, delay, nullptr) ? 1 : 0;
}

void Mouse(HWND window, IEButtonsBar* r, UINT message, WPARAM keys, LPARAM l) {
    if (!GetActiveWindow())
        return;
    POINT at = {static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
    int index = ButtonAt(window, r, at);
    if (index < 0) {
        LeaveAll(window, r);
        return;
    }
    SetCapture(window);
    SetCursor(r->hand);
    bool press = message == WM_LBUTTONDOWN, release = message == WM_LBUTTONUP;
    if (!press && !release && index == r->hotButton)
        return;
    OvkitCloseQuickHelp(window, &r->quickHelp, &r->quickHelpTimer);
    if (r->hotButton != OVKIT_IEB_NONE && r->hotButton != index) {
        r->buttons[r->hotButton].flags &= ~1;
        if (r->buttons[r->hotButton].state != OVKIT_IEB_DISABLED)
            SetState(window, r, r->hotButton, OVKIT_IEB_NORMAL);
    }
    IEButton& b = r->buttons[index];
    if (release) {
        if (b.flags & 1) {
            b.flags &= ~1;
            PostMessageA(GetParent(window), WM_COMMAND, b.commandId, 0);
        }
        SetState(window, r, index, OVKIT_IEB_NORMAL);
        r->hotButton = OVKIT_IEB_NONE;
        return;
    }
    if (press)
        b.flags |= 1;
    r->hotButton = static_cast<WORD>(index);
    bool down = press || (keys & MK_LBUTTON);
    SetState(window, r, index, down ? OVKIT_IEB_PRESSED : OVKIT_IEB_HOT);
    if (!press)
        StartQuickHelp(window, r, index);
}

void QuickHelp(HWND window, IEButtonsBar* r) {
    OVKIT_KillTimerEx(window, kHoverTimer);
    r->quickHelpTimer = 0;
    if (GetCapture() != window || r->quickHelp || r->quickHelpButton >= r->buttonCount)
        return;
    const IEButton& b = r->buttons[r->quickHelpButton];
    POINT at = r->quickHelpPoint;
    ClientToScreen(window, &at);
    r->quickHelp =
        OvkitOpenQuickHelp(window, OVKIT_GetString(b.captionId, b.module, nullptr), at.x, at.y);
}

int FindCommand(const IEButtonsBar* r, WORD command) {
    for (int i = 0; i < r->buttonCount; ++i)
        if (r->buttons[i].commandId == command)
            return i;
    return -1;
}

void PaintAll(const IEButtonsBar* r, HDC dc) {
    for (int i = 0; i < r->buttonCount; ++i)
        IeBarDrawButton(r, i, dc);
}

} // namespace

LRESULT CALLBACK OvkitIEButtonsProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_CREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(l);
        auto* record = static_cast<IEButtonsBar*>(create->lpCreateParams);
        if (!record || !Create(window, record)) {
            if (record)
                Destroy(window, record);
            return -1;
        }
        return 0;
    }
    IEButtonsBar* r = Record(window);
    if (!r)
        return DefWindowProcA(window, message, w, l);
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        Mouse(window, r, message, w, l);
        return 0;
    case WM_TIMER:
        if (w == kHoverTimer)
            QuickHelp(window, r);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        PaintAll(r, BeginPaint(window, &paint));
        EndPaint(window, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintAll(r, reinterpret_cast<HDC>(w));
        return 0;
    case WM_QUERYNEWPALETTE:
        InvalidateRect(window, nullptr, FALSE);
        return TRUE;
    case WM_PALETTECHANGED:
        if (reinterpret_cast<HWND>(w) != window && reinterpret_cast<HWND>(w) != GetParent(window))
            InvalidateRect(window, nullptr, FALSE);
        return 0;
    case OVKIT_IEB_ENABLE: {
        int index = FindCommand(r, LOWORD(l));
        if (index >= 0)
            SetState(window, r, index, w ? OVKIT_IEB_NORMAL : OVKIT_IEB_DISABLED);
        if (index >= 0 && !w && r->hotButton == index)
            r->hotButton = OVKIT_IEB_NONE;
        return 0;
    }
    case OVKIT_IEB_ISENABLED: {
        int index = FindCommand(r, LOWORD(l));
        return index < 0 ? -1 : r->buttons[index].state != OVKIT_IEB_DISABLED;
    }
    case WM_DESTROY:
        Destroy(window, r);
        return 0;
    default:
        return DefWindowProcA(window, message, w, l);
    }
}

HWND OVKIT_CALL OVKIT_CreateToolbarWindow(const char* name, DWORD style, int x, int y, int width,
                                          int height, HWND parent, UINT id, WORD,
                                          IEButtonsBar* record) {
    return CreateWindowExA(0, "Ostrevane IEButtons", name, style, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), OVKIT_GetInstance(),
                           record);
}
