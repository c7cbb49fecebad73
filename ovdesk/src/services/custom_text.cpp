// The banner text control "Ostrevane Custom Text".
#include "services/custom_text.h"
#include "startup/startup_parts.h"

namespace {
const char* const kFaces[] = {"Arial", "Times New Roman", "System", "Small Fonts"};

HFONT MakeFont(const CustomTextBlock& b, int height) {
    const char* face = kFaces[b.FontIndex < 4 ? b.FontIndex : 0];
    return CreateFontA(height, 0, 0, 0, b.Bold ? FW_BOLD : FW_NORMAL, b.Italic ? TRUE : FALSE,
                       FALSE, FALSE, ANSI_CHARSET, OUT_CHARACTER_PRECIS, CLIP_DEFAULT_PRECIS,
                       PROOF_QUALITY, VARIABLE_PITCH, face);
}

int TextHeightWith(HDC dc, const CustomTextBlock& b, const char* text, int fontHeight) {
    HFONT font = MakeFont(b, fontHeight);
    if (!font)
        return 0;
    HGDIOBJ old = SelectObject(dc, font);
    RECT box = {0, 0, 1000, 1000};
    DrawTextA(dc, text, -1, &box, DT_CALCRECT | DT_WORDBREAK);
    SelectObject(dc, old);
    DeleteObject(font);
    return box.bottom - box.top;
}

CustomTextBlock* BlockOf(HWND window) {
    return (CustomTextBlock*)GetWindowLongPtrA(window, 0);
}

void Create(HWND window, CustomTextBlock* b) {
    SetWindowLongPtrA(window, 0, (LONG_PTR)b);
    HWND parent = GetParent(window);
    b->Source = GetDlgItem(parent, b->SourceItem);
    if (!b->Source)
        return;
    RECT r;
    GetWindowRect(b->Source, &r);
    MapWindowPoints(nullptr, parent, (POINT*)&r, 2);
    ShowWindow(b->Source, SW_HIDE);
    SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    b->SourceStyle = GetWindowLongA(b->Source, GWL_STYLE);
}

void ChooseFont(HWND window, CustomTextBlock* b) {
    if (b->Height == 0 && b->Source) {
        char text[512];
        GetWindowTextA(b->Source, text, sizeof text);
        RECT client;
        GetClientRect(window, &client);
        HDC dc = GetDC(window);
        b->Height = FitCustomTextHeight(dc, *b, text, client.bottom - client.top);
        ReleaseDC(window, dc);
    }
    b->Font = b->Height ? MakeFont(*b, b->Height) : nullptr;
}

void Paint(HWND window, CustomTextBlock* b) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT r;
    GetClientRect(window, &r);
    bool transparent = b->Flags & CUSTOM_TEXT_TRANSPARENT;
    COLORREF background = b->BackgroundColor ? b->BackgroundColor : GetSysColor(COLOR_BTNFACE);
    if (!transparent) {
        HBRUSH brush = CreateSolidBrush(background);
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    }
    if (!(b->Flags & CUSTOM_TEXT_BLINK_OFF) && b->Source) {
        char text[512];
        GetWindowTextA(b->Source, text, sizeof text);
        HGDIOBJ old = SelectObject(dc, b->Font);
        SetTextColor(dc, b->TextColor ? b->TextColor : GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, background);
        SetBkMode(dc, transparent ? TRANSPARENT : OPAQUE);
        UINT align = (b->SourceStyle & SS_TYPEMASK) == SS_CENTER  ? DT_CENTER
                     : (b->SourceStyle & SS_TYPEMASK) == SS_RIGHT ? DT_RIGHT
                                                                  : DT_LEFT;
        DrawTextA(dc, text, -1, &r, align | DT_VCENTER | DT_SINGLELINE);
        SelectObject(dc, old);
    }
    EndPaint(window, &ps);
}
} // namespace

int FitCustomTextHeight(HDC dc, const CustomTextBlock& block, const char* text, int height) {
    int fontHeight = CUSTOM_TEXT_FIT_START;
    while (fontHeight > 1 && TextHeightWith(dc, block, text, fontHeight) > height)
        --fontHeight;
    return fontHeight;
}

LRESULT CALLBACK CustomTextProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CustomTextBlock* b = BlockOf(window);
    switch (message) {
    case WM_CREATE:
        b = (CustomTextBlock*)((CREATESTRUCTA*)lParam)->lpCreateParams;
        if (!b)
            return -1;
        Create(window, b);
        ChooseFont(window, b);
        if (!b->Font)
            return -1; // no font, no control
        if (b->Flags & CUSTOM_TEXT_BLINK)
            SetTimer(window, CUSTOM_TEXT_BLINK_TIMER, 500, nullptr);
        return 0;
    case WM_TIMER:
        if (b && wParam == CUSTOM_TEXT_BLINK_TIMER) {
            b->Flags ^= CUSTOM_TEXT_BLINK_OFF;
            InvalidateRect(window, nullptr, FALSE);
        }
        return 0;
    case WM_PAINT:
        if (b) {
            Paint(window, b);
            return 0;
        }
        break;
    case WM_DESTROY:
        if (b && b->Font) {
            DeleteObject(b->Font);
            b->Font = nullptr;
        }
        KillTimer(window, CUSTOM_TEXT_BLINK_TIMER);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
