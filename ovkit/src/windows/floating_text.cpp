#include "ovkit/ui_helpers.h"
#include <cstring>

namespace {

const int kStartHeight = 36;

UINT DrawFormat(UINT flags) {
    UINT format = DT_NOCLIP | DT_NOPREFIX;
    if (flags & OVKIT_FT_WRAP)
        return format | DT_WORDBREAK | DT_CENTER;
    return format | DT_SINGLELINE | DT_CENTER | DT_VCENTER;
}

HFONT MakeFont(int height, UINT flags) {
    return CreateFontA(height, 0, 0, 0, (flags & OVKIT_FT_BOLD) ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                       FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, VARIABLE_PITCH,
                       (flags & OVKIT_FT_ARIAL) ? "Arial" : "Times New Roman");
}

bool TextFits(HDC dc, HFONT font, const RECT& rect, const char* text, UINT flags) {
    RECT measured = rect;
    HGDIOBJ old = SelectObject(dc, font);
    DrawTextA(dc, text, -1, &measured, DrawFormat(flags) | DT_CALCRECT);
    SelectObject(dc, old);
    return measured.bottom - measured.top <= rect.bottom - rect.top &&
           measured.right - measured.left <= rect.right - rect.left;
}

// The largest font of 36, 34, ... pixels whose text fits; null below 3 pixels.
HFONT FittingFont(HDC dc, const RECT& rect, const char* text, UINT flags) {
    for (int height = kStartHeight; height > 2; height -= 2) {
        HFONT font = MakeFont(height, flags);
        if (!font)
            return nullptr;
        if (TextFits(dc, font, rect, text, flags))
            return font;
        DeleteObject(font);
    }
    return nullptr;
}

} // namespace

HFONT OVKIT_CALL OVKIT_FloatingText(HFONT font, HDC dc, const RECT* rect, const char* text,
                                    UINT flags, COLORREF colour, COLORREF shadow) {
    if (!dc || !rect || !text)
        return nullptr;
    if (!font)
        font = FittingFont(dc, *rect, text, flags);
    if (!font)
        return nullptr;
    HGDIOBJ oldFont = SelectObject(dc, font);
    COLORREF oldColour = GetTextColor(dc);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    UINT format = DrawFormat(flags);
    if (flags & OVKIT_FT_SHADOW) {
        RECT offset = *rect;
        OffsetRect(&offset, 1, 1);
        SetTextColor(dc, shadow);
        DrawTextA(dc, text, -1, &offset, format);
    }
    RECT place = *rect;
    SetTextColor(dc, colour);
    DrawTextA(dc, text, -1, &place, format);
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColour);
    SelectObject(dc, oldFont);
    if (flags & OVKIT_FT_DELETE) {
        DeleteObject(font);
        return nullptr;
    }
    return font;
}

void OVKIT_CALL OVKIT_DrawBlackFrame(HDC dc, const RECT* rect) {
    if (dc && rect)
        FrameRect(dc, rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

HFONT OVKIT_CALL OVKIT_GetBoldFaceFont(HWND window) {
    HFONT own = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    LOGFONTA description;
    if (!own || GetObjectA(own, sizeof description, &description) != sizeof description)
        return own;
    description.lfWeight = FW_BOLD;
    HFONT bold = CreateFontIndirectA(&description);
    return bold ? bold : own;
}
