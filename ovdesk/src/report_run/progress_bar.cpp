// The "ovdesk Progress Bar" window class: a percentage bar with a centred
// text, its state in a movable block whose handle is the first extra word.
#include "report_run/progress_dialog.h"
#include "report_run/progress_messages.h"
#include <cstdio>

namespace {
enum { BAR_FORMAT_SIZE = 256, BAR_FLAG_HIDE_AT_ZERO = 1, BAR_FLAG_OWNS_FONT = 2 };

#pragma pack(push, 1)
struct ProgressBarState {
    WORD Maximum;
    WORD Position;
    char Format[BAR_FORMAT_SIZE];
    HFONT Font;
    WORD Flags;
};
#pragma pack(pop)
#if !defined(_WIN64)
static_assert(sizeof(ProgressBarState) == 266, "bar state layout");
#endif

HGLOBAL StateBlock(HWND bar) {
    return (HGLOBAL)GetWindowLongPtrA(bar, 0);
}

// Applies one setting; repeats of the current value change nothing.
template <typename T> void SetBarValue(HWND bar, T ProgressBarState::*field, T value) {
    HGLOBAL block = StateBlock(bar);
    ProgressBarState* state = block ? (ProgressBarState*)GlobalLock(block) : nullptr;
    if (!state)
        return;
    bool changed = state->*field != value;
    state->*field = value;
    GlobalUnlock(block);
    if (changed) {
        InvalidateRect(bar, nullptr, FALSE);
        UpdateWindow(bar);
    }
}

void SetBarFormat(HWND bar, const char* format) {
    HGLOBAL block = StateBlock(bar);
    ProgressBarState* state = block ? (ProgressBarState*)GlobalLock(block) : nullptr;
    if (!state)
        return;
    char copy[BAR_FORMAT_SIZE];
    lstrcpynA(copy, format ? format : "", sizeof copy);
    bool changed = lstrcmpA(copy, state->Format) != 0;
    lstrcpyA(state->Format, copy);
    GlobalUnlock(block);
    if (changed) {
        InvalidateRect(bar, nullptr, FALSE);
        UpdateWindow(bar);
    }
}

void PaintBar(HWND bar, HDC dc, const ProgressBarState& state) {
    RECT client;
    GetClientRect(bar, &client);
    char text[BAR_FORMAT_SIZE + 16] = "";
    int fill = 0;
    bool unset = state.Maximum == 0xFFFF || state.Position == 0xFFFF;
    bool hidden = (state.Flags & BAR_FLAG_HIDE_AT_ZERO) && state.Position == 0;
    if (!unset && !hidden) {
        snprintf(text, sizeof text, state.Format[0] ? state.Format : "%d%%", (int)state.Position);
        if (state.Maximum && state.Position)
            fill = MulDiv(client.right,
                          state.Position > state.Maximum ? state.Maximum : state.Position,
                          state.Maximum);
    }
    HGDIOBJ oldFont = state.Font ? SelectObject(dc, state.Font) : nullptr;
    SIZE x;
    GetTextExtentPoint32A(dc, "X", 1, &x);
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    int tx = client.right / 2, ty = (client.bottom - x.cy) / 2;
    int length = lstrlenA(text);
    RECT done = {0, 0, fill, client.bottom};
    SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(COLOR_WINDOW));
    ExtTextOutA(dc, tx, ty, ETO_OPAQUE | ETO_CLIPPED, &done, text, length, nullptr);
    RECT rest = {fill, 0, client.right, client.bottom};
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    ExtTextOutA(dc, tx, ty, ETO_OPAQUE | ETO_CLIPPED, &rest, text, length, nullptr);
    if (oldFont)
        SelectObject(dc, oldFont);
}

LRESULT OnPaint(HWND bar) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(bar, &ps);
    HGLOBAL block = StateBlock(bar);
    ProgressBarState* state = block ? (ProgressBarState*)GlobalLock(block) : nullptr;
    if (state) {
        PaintBar(bar, dc, *state);
        GlobalUnlock(block);
    }
    EndPaint(bar, &ps);
    return 0;
}

void OnDestroy(HWND bar) {
    HGLOBAL block = StateBlock(bar);
    if (!block)
        return;
    ProgressBarState* state = (ProgressBarState*)GlobalLock(block);
    if (state && (state->Flags & BAR_FLAG_OWNS_FONT) && state->Font)
        DeleteObject(state->Font);
    if (state)
        GlobalUnlock(block);
    GlobalFree(block);
    SetWindowLongPtrA(bar, 0, 0);
}
} // namespace

LRESULT CALLBACK ProgressBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(ProgressBarState));
        ProgressBarState* state = block ? (ProgressBarState*)GlobalLock(block) : nullptr;
        if (!state) {
            if (block)
                GlobalFree(block);
            return -1; // no state: the window is not made
        }
        state->Maximum = 0xFFFF;
        state->Position = 0xFFFF;
        GlobalUnlock(block);
        SetWindowLongPtrA(bar, 0, (LONG_PTR)block);
        return 0;
    }
    case BAR_SET_POSITION:
    case WM_USER:
    case BAR_SET_POSITION_OFFICE:
        SetBarValue(bar, &ProgressBarState::Position, (WORD)wParam);
        return 0;
    case BAR_SET_MAXIMUM:
        SetBarValue(bar, &ProgressBarState::Maximum, (WORD)wParam);
        return 0;
    case BAR_SET_FORMAT:
        SetBarFormat(bar, (const char*)lParam);
        return 0;
    case BAR_SET_FONT:
        SetBarValue(bar, &ProgressBarState::Font, (HFONT)lParam);
        return 0;
    case BAR_SET_FLAGS:
        SetBarValue(bar, &ProgressBarState::Flags, (WORD)wParam);
        return 0;
    case BAR_GET_POSITION: {
        HGLOBAL block = StateBlock(bar);
        ProgressBarState* state = block ? (ProgressBarState*)GlobalLock(block) : nullptr;
        LRESULT position = state ? (LRESULT)(short)state->Position : -1;
        if (state)
            GlobalUnlock(block);
        return position;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return OnPaint(bar);
    case WM_DESTROY:
        OnDestroy(bar);
        return 0;
    }
    return DefWindowProcA(bar, message, wParam, lParam);
}
