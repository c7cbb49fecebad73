// The slider control: painting, the value and the drag.
#include "control_procs.h"
#include "control_support.h"
#include "ovkit/memory.h"
#include "ovkit/slider.h"
#include "ovkit/startup.h"
#include "ovkit/ui_helpers.h"
#include <windowsx.h>

using namespace ovkit_detail;

namespace {

struct SliderState {
    char caption[256];
    HFONT font;
    WORD value;
    WORD thumbWidth;
    WORD thumbHeight;
    LONG thumbPos;
    LONG lowest;
    LONG highest;
    LONG dragging;
};

const int kThumbWidth = 10;
const int kTrackTop = 4;
const int kTrackBottom = 6; // the ticks live in this margin
const int kTickStep = 8;

SliderState* StateOf(HWND slider) {
    return static_cast<SliderState*>(ControlState(slider));
}

int ClientWidth(HWND slider) {
    RECT client;
    GetClientRect(slider, &client);
    return client.right;
}

LONG Clamp(LONG at, LONG low, LONG high) {
    return at < low ? low : at > high ? high : at;
}

// The thumb's left edge for the stored value.
LONG ThumbPosForValue(const SliderState& s, int clientWidth) {
    LONG at = 0;
    if (s.value > 1)
        at = static_cast<LONG>(static_cast<long long>(clientWidth - s.thumbWidth) * s.value / 100);
    return Clamp(at, s.lowest, s.highest);
}

// The value for a thumb at its left edge at: 1 .. 100, never 0.
WORD ValueForThumbPos(const SliderState& s, LONG at, int clientWidth) {
    if (at >= s.highest)
        return 100;
    int span = clientWidth - s.thumbWidth;
    if (at <= s.lowest || span <= 0)
        return 1;
    LONG value = static_cast<LONG>(static_cast<long long>(at - s.lowest) * 100 / span);
    return static_cast<WORD>(value < 1 ? 1 : value > 100 ? 100 : value);
}

void DrawTrack(HDC dc, const SliderState& s, const RECT& track) {
    HGDIOBJ oldFont = s.font ? SelectObject(dc, s.font) : nullptr;
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    int shown = s.value > 100 ? 100 : s.value;
    int split = track.right * shown / 100;
    int textY = track.top + (track.bottom - track.top - metrics.tmHeight) / 2;
    DrawSplitText(dc, track, split, track.right / 2, textY, s.caption);
    if (oldFont)
        SelectObject(dc, oldFont);
    OVKIT_DrawBlackFrame(dc, &track);
    // Sunken: light along the bottom, dark inside the top and left.
    Line(dc, track.left, track.bottom, track.right, track.bottom, GetSysColor(COLOR_BTNHIGHLIGHT));
    Line(dc, track.left + 1, track.top + 1, track.right - 1, track.top + 1, RGB(0, 0, 0));
    Line(dc, track.left + 1, track.top + 1, track.left + 1, track.bottom - 1, RGB(0, 0, 0));
}

void DrawTicks(HDC dc, const RECT& track) {
    int count = (track.right - track.left) / kTickStep + 1;
    for (int i = 0; i < count; ++i) {
        int x = track.left + i * kTickStep;
        Line(dc, x, track.bottom + 1, x, track.bottom + kTrackBottom, GetSysColor(COLOR_BTNSHADOW));
        Line(dc, x + 1, track.bottom + 1, x + 1, track.bottom + kTrackBottom,
             GetSysColor(COLOR_BTNHIGHLIGHT));
    }
}

void DrawThumb(HDC dc, const SliderState& s) {
    RECT thumb = {s.thumbPos, 0, s.thumbPos + s.thumbWidth, s.thumbHeight};
    FillSys(dc, thumb, COLOR_BTNFACE);
    OVKIT_DrawBlackFrame(dc, &thumb);
    // Raised: light inside the top and left, shadow inside the right and bottom.
    COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    Line(dc, thumb.left + 1, thumb.top + 1, thumb.right - 2, thumb.top + 1, light);
    Line(dc, thumb.left + 1, thumb.top + 1, thumb.left + 1, thumb.bottom - 2, light);
    Line(dc, thumb.right - 2, thumb.top + 1, thumb.right - 2, thumb.bottom - 1, shadow);
    Line(dc, thumb.left + 1, thumb.bottom - 2, thumb.right - 1, thumb.bottom - 2, shadow);
}

void Paint(HWND slider, HDC dc) {
    SliderState* s = StateOf(slider);
    if (!s)
        return;
    RECT client;
    GetClientRect(slider, &client);
    s->thumbPos = ThumbPosForValue(*s, client.right);
    Offscreen off(dc, client.right, client.bottom);
    HDC draw = off.dc() ? off.dc() : dc;
    FillSys(draw, client, COLOR_BTNFACE);
    RECT track = {client.left + s->thumbWidth / 2, client.top + kTrackTop,
                  client.right - s->thumbWidth / 2, client.bottom - kTrackBottom};
    DrawTrack(draw, *s, track);
    DrawTicks(draw, track);
    DrawThumb(draw, *s);
    off.BlitTo(dc);
}

void Repaint(HWND slider) {
    InvalidateRect(slider, nullptr, FALSE);
    UpdateWindow(slider);
}

// Puts the thumb centred under client x and takes the value from it.
void MoveThumbTo(HWND slider, SliderState* s, int x) {
    int width = ClientWidth(slider);
    s->thumbPos = Clamp(x - s->thumbWidth / 2, s->lowest, s->highest);
    s->value = ValueForThumbPos(*s, s->thumbPos, width);
    Repaint(slider);
}

// Keeps the cursor where a thumb centred under it stays inside the slider.
void ConfineCursor(HWND slider, const SliderState& s) {
    RECT area;
    GetClientRect(slider, &area);
    area.left += s.thumbWidth / 2;
    area.right -= s.thumbWidth / 2 - 1;
    area.top += 1;
    area.bottom -= 1;
    MapWindowPoints(slider, nullptr, reinterpret_cast<POINT*>(&area), 2);
    ClipCursor(&area);
}

// Follows the mouse until the button is released, the capture is lost, the
// drag is cancelled (WM_CANCELMODE) or the window goes. The cursor is always
// set free at the end.
void Drag(HWND slider, SliderState* s) {
    s->dragging = 1;
    SetCapture(slider);
    ConfineCursor(slider, *s);
    MSG msg;
    for (;;) {
        if (!GetMessageA(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.hwnd == slider && msg.message == WM_LBUTTONUP) {
            MoveThumbTo(slider, s, GET_X_LPARAM(msg.lParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        if (!IsWindow(slider)) {
            ClipCursor(nullptr);
            return; // the state went with the window
        }
        if (!s->dragging || GetCapture() != slider)
            break;
    }
    ClipCursor(nullptr);
    s->dragging = 0;
    if (GetCapture() == slider)
        ReleaseCapture();
}

bool OnThumb(const SliderState& s, int x, int y, int clientHeight) {
    return x >= s.thumbPos && x < s.thumbPos + s.thumbWidth && y >= 0 &&
           y < clientHeight - kTrackBottom;
}

void OnButtonDown(HWND slider, int x, int y) {
    SliderState* s = StateOf(slider);
    if (!s || s->dragging)
        return;
    RECT client;
    GetClientRect(slider, &client);
    if (!OnThumb(*s, x, y, client.bottom))
        MoveThumbTo(slider, s, x);
    Drag(slider, s);
}

void OnMouseMove(HWND slider, int x, int y) {
    SliderState* s = StateOf(slider);
    if (!s)
        return;
    if (s->dragging) {
        MoveThumbTo(slider, s, x);
        return;
    }
    RECT client;
    GetClientRect(slider, &client);
    POINT at = {x, y};
    if (PtInRect(&client, at)) {
        if (GetCapture() != slider)
            SetCapture(slider);
    } else if (GetCapture() == slider) {
        ReleaseCapture();
    }
}

void EndDrag(HWND slider) {
    SliderState* s = StateOf(slider);
    if (s)
        s->dragging = 0;
}

void OnDestroy(HWND slider) {
    SliderState* s = StateOf(slider);
    if (s && s->font)
        DeleteObject(s->font);
    HGLOBAL block = reinterpret_cast<HGLOBAL>(SetWindowLongPtrA(slider, 0, 0));
    OVKIT_UnlockAndFree(&block);
}

HFONT CreateSliderFont() {
    int height = GetSystemMetrics(SM_CYCAPTION) / 4 * 3;
    return CreateFontA(-height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_STRING_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                       VARIABLE_PITCH | FF_SWISS, "Small Fonts");
}

} // namespace

LRESULT CALLBACK OvkitSliderProc(HWND slider, UINT message, WPARAM wParam, LPARAM lParam) {
    if (HandlePaint(slider, message, wParam, Paint))
        return 0;
    switch (message) {
    case WM_CREATE:
        SetWindowLongPtrA(
            slider, 0,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
        return 0;
    case OVKIT_SLIDER_SETVALUE:
        if (SliderState* s = StateOf(slider)) {
            s->value = static_cast<WORD>(wParam);
            Repaint(slider);
        }
        return 0;
    case OVKIT_SLIDER_GETVALUE: {
        SliderState* s = StateOf(slider);
        return s ? s->value : 0;
    }
    case WM_GETFONT: {
        SliderState* s = StateOf(slider);
        return s ? reinterpret_cast<LRESULT>(s->font) : 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
        OnButtonDown(slider, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(slider, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_CANCELMODE:
        EndDrag(slider);
        break;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != slider)
            EndDrag(slider);
        break;
    case WM_DESTROY:
        EndDrag(slider);
        OnDestroy(slider);
        return 0;
    }
    return DefWindowProcA(slider, message, wParam, lParam);
}

HWND OVKIT_CALL OVKIT_CreateSliderControl(HWND parent, int x, int y, int width, int height,
                                          const char* caption) {
    short left = static_cast<short>(x), top = static_cast<short>(y);
    short cx = static_cast<short>(width), cy = static_cast<short>(height);
    HGLOBAL block = nullptr;
    auto* s = static_cast<SliderState*>(OVKIT_AllocAndLock(&block, sizeof(SliderState)));
    if (!s)
        return nullptr;
    lstrcpynA(s->caption, caption ? caption : "", sizeof s->caption);
    s->font = CreateSliderFont();
    s->thumbWidth = kThumbWidth;
    s->thumbHeight = static_cast<WORD>(cy);
    s->lowest = 0;
    s->highest = cx - kThumbWidth;
    HWND slider = CreateWindowExA(0, OVKIT_ClassNames[4], "", WS_CHILD | WS_VISIBLE, left, top, cx,
                                  cy, parent, nullptr, OVKIT_GetInstance(), block);
    if (!slider) {
        if (s->font)
            DeleteObject(s->font);
        OVKIT_UnlockAndFree(&block);
    }
    return slider;
}
