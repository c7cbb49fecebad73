// The splash dialog: a picture with text scrolling up over it and a marquee
// line below; it ends on a click, or by itself after the text has passed twice.
#include <string>

#include "bandolet/bandolet.h"
#include "options.h"
#include "ovkit/bitmaps.h"
#include "ovkit/pathutil.h"
#include "splash_text.h"
#include "tips.h"

using namespace bandolet;

namespace {

constexpr UINT kDialogId = 129, kOwnPicture = 213;
constexpr UINT_PTR kTickTimer = 1;
constexpr UINT kTickMs = 100;
constexpr int kSpeedDivisor = 6;
constexpr char kMarquee[] = "Ostrevane Web Log Analysis - reports from your web server's logs";

struct Splash {
    std::vector<SplashLine> lines;
    HBITMAP picture = nullptr;
    int width = 0, height = 0;
    RECT text = {}; // the text rectangle, its last line the marquee's
    int lineHeight = 16;
    int charWidth = 6;
    int scrolled = 0; // in sixths of a pixel
    int passes = 0;
    int marqueeX = 0;
    HFONT font = nullptr;
    bool own = false; // the library's own picture and its text rectangle
};

std::string Credits() {
    char folder[MAX_PATH], path[MAX_PATH];
    LibraryFolder(folder);
    std::string text;
    if (OVKIT_ConstructFullFilename(folder, "CREDTLST.TXT", path))
        ReadTextFile(path, &text);
    return text;
}

int TextBottom(const Splash& s) {
    return s.text.bottom - s.lineHeight - 2;
}

void Start(HWND dialog, Splash* s, bool own) {
    s->font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    HDC dc = GetDC(dialog);
    HGDIOBJ old = SelectObject(dc, s->font ? s->font : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA tm = {};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(dialog, dc);
    s->lineHeight = tm.tmHeight > 0 ? tm.tmHeight : 16;
    s->charWidth = tm.tmAveCharWidth > 0 ? tm.tmAveCharWidth : 6;
    if (own)
        SetRect(&s->text, 27, 79, 375, 242);
    else
        SetRect(&s->text, 8, 8, s->width - 16, s->height - 48);
    s->marqueeX = s->text.right;
    RECT frame = {0, 0, s->width, s->height};
    AdjustWindowRectEx(&frame, GetWindowLongA(dialog, GWL_STYLE), FALSE,
                       GetWindowLongA(dialog, GWL_EXSTYLE));
    int w = frame.right - frame.left, h = frame.bottom - frame.top;
    SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h, SWP_NOZORDER);
    SetTimer(dialog, kTickTimer, kTickMs, nullptr);
}

// Moves the text and the marquee one step; false once the text has passed twice.
bool Advance(Splash* s) {
    s->scrolled += s->lineHeight;
    int top = TextBottom(*s) - s->scrolled / kSpeedDivisor;
    int lastBottom = top + static_cast<int>(s->lines.size()) * s->lineHeight;
    if (lastBottom < s->text.top) {
        if (++s->passes >= 2)
            return false;
        s->scrolled = 0;
    }
    s->marqueeX -= s->charWidth;
    return true;
}

void DrawShadowed(HDC dc, int x, int y, const std::string& text, COLORREF colour) {
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, x + 1, y + 1, text.c_str(), static_cast<int>(text.size()));
    SetTextColor(dc, colour);
    TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

int TextWidth(HDC dc, const std::string& text) {
    SIZE size = {};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

void Paint(HWND dialog, Splash* s) {
    PAINTSTRUCT ps;
    HDC target = BeginPaint(dialog, &ps);
    HGDIOBJ oldBitmap = nullptr;
    HDC dc = OVKIT_GetCompatibleBitmap(target, s->width, s->height, &oldBitmap);
    if (dc) {
        OVKIT_StretchBitmap(dc, 0, 0, s->width, s->height, s->picture, SRCCOPY);
        HGDIOBJ oldFont = SelectObject(dc, s->font ? s->font : GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        IntersectClipRect(dc, s->text.left, s->text.top, s->text.right, TextBottom(*s));
        int y = TextBottom(*s) - s->scrolled / kSpeedDivisor;
        for (const SplashLine& line : s->lines) {
            int x = (s->width - TextWidth(dc, line.text)) / 2;
            DrawShadowed(dc, x > 0 ? x : 0, y, line.text, line.colour);
            y += s->lineHeight;
        }
        SelectClipRgn(dc, nullptr);
        IntersectClipRect(dc, s->text.left, s->text.bottom - s->lineHeight, s->text.right,
                          s->text.bottom);
        if (s->marqueeX + TextWidth(dc, kMarquee) < s->text.left)
            s->marqueeX = s->text.right;
        DrawShadowed(dc, s->marqueeX, s->text.bottom - s->lineHeight, kMarquee, RGB(0, 255, 255));
        SelectClipRgn(dc, nullptr);
        SelectObject(dc, oldFont);
        BitBlt(target, 0, 0, s->width, s->height, dc, 0, 0, SRCCOPY);
        HBITMAP bitmap = nullptr;
        OVKIT_DeleteBitmapAndHDC(&dc, &bitmap, &oldBitmap);
    }
    EndPaint(dialog, &ps);
}

INT_PTR CALLBACK SplashDlgProc(HWND dialog, UINT message, WPARAM wp, LPARAM lp) {
    auto* s = reinterpret_cast<Splash*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lp);
        s = reinterpret_cast<Splash*>(lp);
        Start(dialog, s, s->own);
        return TRUE;
    case WM_TIMER:
        if (wp == kTickTimer) {
            if (!Advance(s))
                EndDialog(dialog, 1);
            else
                InvalidateRect(dialog, nullptr, FALSE);
        }
        return TRUE;
    case WM_PAINT:
        Paint(dialog, s);
        return TRUE;
    case WM_ERASEBKGND:
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 1);
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_CLOSE:
        EndDialog(dialog, 1);
        return TRUE;
    case WM_PALETTECHANGED:
        if (reinterpret_cast<HWND>(wp) != dialog)
            InvalidateRect(dialog, nullptr, FALSE);
        return TRUE;
    case WM_DESTROY:
        KillTimer(dialog, kTickTimer);
        return TRUE;
    }
    return FALSE;
}

bool g_showing = false; // one splash at a time

} // namespace

BANDOLET_EXPORT(INT_PTR)
Bandolet_ShowSplash(HWND parent, UINT picture, HINSTANCE module, const char* text) {
    if (g_showing)
        return 0;
    bool own = picture == 0 && module == nullptr;
    Splash s;
    std::string credits = text ? std::string() : Credits();
    s.lines = SplitSplashText(text ? text : credits.c_str());
    s.picture = static_cast<HBITMAP>(LoadImageA(own ? LibraryModule() : module,
                                                MAKEINTRESOURCEA(own ? kOwnPicture : picture),
                                                IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!s.picture)
        return 0;
    OVKIT_GetBitmapSize(s.picture, &s.width, &s.height);
    s.own = own;
    g_showing = true;
    INT_PTR result = DialogBoxParamA(LibraryModule(), MAKEINTRESOURCEA(kDialogId), parent,
                                     SplashDlgProc, reinterpret_cast<LPARAM>(&s));
    g_showing = false;
    DeleteObject(s.picture);
    return result;
}
