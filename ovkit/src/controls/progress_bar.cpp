// The progress bar control: a percentage text in two colours, split at the
// progress point.
#include "control_procs.h"
#include "control_support.h"
#include "ovkit/memory.h"
#include "ovkit/progress.h"
#include "ovkit/startup.h"
#include <shlwapi.h>

using namespace ovkit_detail;

namespace {

struct ProgressState {
    HFONT font;
    DWORD total;
    DWORD position;
    char text[256];
    WORD style;
};

ProgressState* StateOf(HWND bar) {
    return static_cast<ProgressState*>(ControlState(bar));
}

// Position against total as a whole percentage, 0 .. 100. Wide arithmetic:
// positions of large logs overflow 32 bits when multiplied.
int Percent(const ProgressState& s) {
    if (s.total == 0 || s.position == 0)
        return 0;
    unsigned long long percent = static_cast<unsigned long long>(s.position) * 100 / s.total;
    return percent > 100 ? 100 : static_cast<int>(percent);
}

int DoneWidth(const ProgressState& s, int width) {
    if (s.total == 0 || s.position == 0 || width <= 0)
        return 0;
    unsigned long long done = static_cast<unsigned long long>(s.position) * width / s.total;
    return done > static_cast<unsigned>(width) ? width : static_cast<int>(done);
}

void Paint(HWND bar, HDC dc) {
    ProgressState* s = StateOf(bar);
    if (!s)
        return;
    RECT client;
    GetClientRect(bar, &client);
    Offscreen off(dc, client.right, client.bottom);
    HDC draw = off.dc() ? off.dc() : dc;
    HGDIOBJ oldFont = s->font ? SelectObject(draw, s->font) : nullptr;
    char text[512];
    wnsprintfA(text, sizeof text, s->text, Percent(*s));
    TEXTMETRICA metrics;
    GetTextMetricsA(draw, &metrics);
    int split = Percent(*s) == 0 ? 0 : DoneWidth(*s, client.right);
    DrawSplitText(draw, client, split, client.right / 2, (client.bottom - metrics.tmHeight) / 2,
                  text);
    if (oldFont)
        SelectObject(draw, oldFont);
    off.BlitTo(dc);
}

void Repaint(HWND bar) {
    InvalidateRect(bar, nullptr, FALSE);
    UpdateWindow(bar);
}

void SetPosition(HWND bar, ProgressState* s, DWORD position) {
    if (position == 0 || position > s->position) {
        s->position = position;
        Repaint(bar);
    }
}

void SetText(HWND bar, ProgressState* s, const char* format) {
    if (!format || lstrcmpA(format, s->text) == 0)
        return;
    lstrcpynA(s->text, format, sizeof s->text);
    Repaint(bar);
}

LRESULT OnCreate(HWND bar) {
    HGLOBAL block = nullptr;
    if (!OVKIT_AllocAndLock(&block, sizeof(ProgressState)))
        return -1; // the window is not made
    SetWindowLongPtrA(bar, 0, reinterpret_cast<LONG_PTR>(block));
    return 0;
}

void OnDestroy(HWND bar) {
    ProgressState* s = StateOf(bar);
    if (s && (s->style & OVKIT_PB_OWNFONT) && s->font)
        DeleteObject(s->font);
    HGLOBAL block = reinterpret_cast<HGLOBAL>(SetWindowLongPtrA(bar, 0, 0));
    OVKIT_UnlockAndFree(&block);
}

LRESULT OnControlMessage(HWND bar, ProgressState* s, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case OVKIT_PB_SETPOS:
        SetPosition(bar, s, static_cast<DWORD>(wParam));
        break;
    case OVKIT_PB_SETTOTAL:
        if (wParam == 0 || static_cast<DWORD>(wParam) != s->total) {
            s->total = static_cast<DWORD>(wParam);
            Repaint(bar);
        }
        break;
    case OVKIT_PB_SETFONT:
        if (reinterpret_cast<HFONT>(lParam) != s->font) {
            s->font = reinterpret_cast<HFONT>(lParam);
            Repaint(bar);
        }
        break;
    case OVKIT_PB_SETSTYLE:
        if (static_cast<WORD>(wParam) != s->style) {
            s->style = static_cast<WORD>(wParam);
            Repaint(bar);
        }
        break;
    case OVKIT_PB_SETTEXT:
        SetText(bar, s, reinterpret_cast<const char*>(lParam));
        break;
    case OVKIT_PB_RESTART:
        // A restart may go back: the position is taken whatever it was.
        s->total = 100;
        s->position = 0;
        SetText(bar, s, reinterpret_cast<const char*>(lParam));
        SetPosition(bar, s, static_cast<DWORD>(wParam));
        PumpWaitingMessages();
        break;
    }
    return 0;
}

bool IsControlMessage(UINT message) {
    return message == OVKIT_PB_SETPOS || message == OVKIT_PB_SETTOTAL ||
           message == OVKIT_PB_SETFONT || message == OVKIT_PB_SETSTYLE ||
           message == OVKIT_PB_SETTEXT || message == OVKIT_PB_RESTART;
}

} // namespace

LRESULT CALLBACK OvkitProgressBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
    if (HandlePaint(bar, message, wParam, Paint))
        return 0;
    if (IsControlMessage(message)) {
        ProgressState* s = StateOf(bar);
        return s ? OnControlMessage(bar, s, message, wParam, lParam) : 0;
    }
    switch (message) {
    case WM_CREATE:
        return OnCreate(bar);
    case WM_DESTROY:
        OnDestroy(bar);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    }
    return DefWindowProcA(bar, message, wParam, lParam);
}

HWND OVKIT_CALL OVKIT_CreateProgressBar(HWND dialog, int itemId, HFONT font, const char* format) {
    HWND item = GetDlgItem(dialog, itemId);
    if (!item)
        return nullptr;
    RECT client;
    GetClientRect(item, &client);
    HWND bar =
        CreateWindowExA(0, OVKIT_ClassNames[0], "", WS_CHILD | WS_VISIBLE, 1, 1, client.right - 2,
                        client.bottom - 2, item, nullptr, OVKIT_GetInstance(), nullptr);
    if (!bar)
        return nullptr;
    SendMessageA(bar, OVKIT_PB_SETTEXT, 0, reinterpret_cast<LPARAM>(format));
    SendMessageA(bar, OVKIT_PB_SETFONT, 0, reinterpret_cast<LPARAM>(font));
    return bar;
}
