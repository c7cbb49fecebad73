// The clickable picture window: pages of a picture with hot rectangles.
#include "bitmaps/color_depth.h"
#include "control_procs.h"
#include "control_support.h"
#include "base/library_resources.h"
#include "ovkit/clickable.h"
#include "ovkit/startup.h"
#include "ovkit/strutil.h"
#include "ovkit/ui_helpers.h"
#include <windowsx.h>

using namespace ovkit_detail;

namespace {

// Private messages of the window.
enum : UINT { kSetUpPage = 2024, kRealisePalette = 3027, kReleasePage = 3030 };
// Commands that close the window.
enum : WPARAM { kCloseByClick = 1, kCloseByRequest = 2 };

OvkitClickPage* PageOf(HWND window) {
    return reinterpret_cast<OvkitClickPage*>(GetWindowLongPtrA(window, 0));
}

HWND OwnerOf(HWND window) {
    HWND owner = GetWindow(window, GW_OWNER);
    return owner ? owner : GetParent(window);
}

SIZE PictureSize(HBITMAP bitmap) {
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

void Close(HWND window, WPARAM command) {
    PostMessageA(window, WM_COMMAND, command, 0);
}

void ClosePopup(HWND window, OvkitClickPage* page) {
    OVKIT_DestroyPopup(window, &page->popup, &page->hoverTimer);
}

// Creates the sunken caption line below the picture; returns the height the
// window grows by.
int AddCaptionLine(HWND window, OvkitClickPage* page, SIZE picture) {
    page->captionFont =
        CreateFontA(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_STRING_PRECIS,
                    CLIP_DEFAULT_PRECIS, PROOF_QUALITY, VARIABLE_PITCH, "Arial");
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, page->captionFont);
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    char text[256];
    const char* caption = OVKIT_GetString(page->captionStringId, page->captionModule, text);
    HWND line =
        CreateWindowExA(0, "static", caption, WS_CHILD | WS_VISIBLE | SS_SUNKEN, 4, picture.cy + 4,
                        picture.cx - 8, metrics.tmHeight + 4, window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(page->captionControlId)),
                        OVKIT_GetInstance(), nullptr);
    SendMessageA(line, WM_SETFONT, reinterpret_cast<WPARAM>(page->captionFont), FALSE);
    return metrics.tmHeight + 12;
}

void PlaceAndShow(HWND window, OvkitClickPage* page, SIZE picture, int extraHeight) {
    RECT frame = {0, 0, picture.cx, picture.cy + extraHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE)));
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowTextA(window, page->title);
    CentreOnScreen(window);
    ShowWindow(window, SW_SHOW);
    PostMessageA(window, kRealisePalette, 0, 0);
    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(window, &cursor);
    PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(cursor.x, cursor.y));
}

void SetUpPage(HWND window, OvkitClickPage* page) {
    SendMessageA(OwnerOf(window), WM_ENTERMENULOOP, FALSE, 0);
    if (!page || (page->flags & OVKIT_PAGE_SET_UP))
        return; // already shown
    page->flags |= OVKIT_PAGE_SET_UP;
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(page));
    page->hoverIndex = -1;
    page->popup = nullptr;
    page->captionFont = nullptr;
    page->bitmap = nullptr;
    page->palette = nullptr;
    page->hand = LoadCursorA(OVKIT_GetInstance(), MAKEINTRESOURCEA(OVKIT_IDC_HAND));
    bool erase = !OvkitScreenMoreThan256() || (page->flags & OVKIT_PAGE_CAPTION_LINE);
    page->flags = erase ? page->flags | OVKIT_PAGE_ERASE : page->flags & ~OVKIT_PAGE_ERASE;
    if (erase) {
        InvalidateRect(window, nullptr, TRUE);
        UpdateWindow(window);
    }
    page->bitmap = static_cast<HBITMAP>(
        LoadImageA(page->bitmapModule, MAKEINTRESOURCEA(page->bitmapId), IMAGE_BITMAP, 0, 0, 0));
    if (!page->bitmap) {
        char text[256];
        MessageBoxA(window, OVKIT_GetString(1, OVKIT_GetInstance(), text), OVKIT_CAPTION,
                    MB_ICONERROR);
        Close(window, kCloseByRequest);
        return;
    }
    SIZE picture = PictureSize(page->bitmap);
    int extra = (page->flags & OVKIT_PAGE_CAPTION_LINE) ? AddCaptionLine(window, page, picture) : 0;
    PlaceAndShow(window, page, picture, extra);
}

// Frees what the shown page holds and marks it as not set up, so that it can
// be shown again later.
void ReleasePage(HWND window, OvkitClickPage* page) {
    if (!page)
        return;
    if (page->bitmap)
        DeleteObject(page->bitmap);
    if (page->palette)
        DeleteObject(page->palette);
    page->bitmap = nullptr;
    page->palette = nullptr;
    ClosePopup(window, page);
    page->hand = nullptr; // a shared resource cursor: nothing to destroy
    if (page->flags & OVKIT_PAGE_CAPTION_LINE) {
        HWND line = GetDlgItem(window, page->captionControlId);
        if (line)
            DestroyWindow(line);
    }
    if (page->captionFont)
        DeleteObject(page->captionFont);
    page->captionFont = nullptr;
    page->hoverIndex = -1;
    page->flags &= ~(OVKIT_PAGE_SET_UP | OVKIT_PAGE_BACKGROUND_DRAWN);
}

void DrawPicture(HWND window, HDC dc) {
    OvkitClickPage* page = PageOf(window);
    if (!page || !page->bitmap)
        return;
    HPALETTE oldPalette = nullptr;
    if (page->palette) {
        oldPalette = SelectPalette(dc, page->palette, TRUE);
        RealizePalette(dc);
    }
    SIZE picture = PictureSize(page->bitmap);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, page->bitmap);
    BitBlt(dc, 0, 0, picture.cx, picture.cy, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    if (oldPalette)
        SelectPalette(dc, oldPalette, TRUE);
    RECT outline = {0, 0, picture.cx, picture.cy + 1};
    OVKIT_DrawBlackFrame(dc, &outline);
}

// A full paint: the next erase draws the background again.
void Paint(HWND window, HDC dc) {
    if (OvkitClickPage* page = PageOf(window))
        page->flags &= ~OVKIT_PAGE_BACKGROUND_DRAWN;
    DrawPicture(window, dc);
}

void RealisePalette(HWND window) {
    OvkitClickPage* page = PageOf(window);
    if (!page || !page->palette)
        return;
    HDC dc = GetDC(window);
    HPALETTE old = SelectPalette(dc, page->palette, FALSE);
    if (RealizePalette(dc))
        InvalidateRect(window, nullptr, FALSE);
    SelectPalette(dc, old, FALSE);
    ReleaseDC(window, dc);
}

int ItemAt(const OvkitClickPage* page, POINT at) {
    for (int i = 0; i < page->itemCount; ++i) {
        if (PtInRect(&page->items[i].hot, at))
            return i;
    }
    return -1;
}

void NoteHover(HWND window, OvkitClickPage* page, int index) {
    ClosePopup(window, page);
    page->hoverIndex = static_cast<SHORT>(index);
    if (index < 0)
        return;
    const OvkitClickItem& item = page->items[index];
    if (!item.helpId && !item.helpText)
        return;
    page->hoverHelpId = item.helpId;
    page->hoverHelpText = item.helpText;
    page->anchorX = (item.hot.left + item.hot.right) / 2;
    page->anchorY = item.hot.bottom;
    int delay = OvkitGetDisplaySettings().quickHelpDelayMs;
    if (delay != 0 && SetTimer(window, OVKIT_HOVER_TIMER, delay, nullptr))
        page->hoverTimer = 1;
}

void OnMouseMove(HWND window, POINT at) {
    OvkitClickPage* page = PageOf(window);
    if (!page || !(page->flags & OVKIT_PAGE_SET_UP) || page->itemCount == 0 || !GetActiveWindow())
        return;
    int index = ItemAt(page, at);
    if (index >= 0) {
        if (GetCapture() != window)
            SetCapture(window);
        SetCursor(page->hand);
    } else {
        page->hoverIndex = -1;
        ClosePopup(window, page);
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
        if (GetCapture() == window)
            ReleaseCapture();
        return;
    }
    if (index != page->hoverIndex)
        NoteHover(window, page, index);
}

void OnHoverTimer(HWND window) {
    KillTimer(window, OVKIT_HOVER_TIMER);
    OvkitClickPage* page = PageOf(window);
    if (!page)
        return;
    page->hoverTimer = 0;
    if (GetCapture() != window || page->popup)
        return;
    char buffer[256];
    const char* text = page->hoverHelpId
                           ? OVKIT_GetString(page->hoverHelpId, page->helpModule, buffer)
                           : page->hoverHelpText;
    POINT anchor = {page->anchorX, page->anchorY};
    ClientToScreen(window, &anchor);
    page->popup = OVKIT_CreatePopupWindow(window, 0, text ? text : "", anchor.x, anchor.y,
                                          OVKIT_POPUP_CENTRE_X, &page->popupRecord);
}

// Shows the page record next to the current one (step -1 or +1) when there is
// one; otherwise closes the window.
void TurnPage(HWND window, OvkitClickPage* page, int step) {
    OvkitClickPage* other = page + step;
    if (!other->title[0]) {
        Close(window, kCloseByClick);
        return;
    }
    SendMessageA(window, kReleasePage, 0, reinterpret_cast<LPARAM>(page));
    SendMessageA(window, kSetUpPage, 0, reinterpret_cast<LPARAM>(other));
}

void OnButtonDown(HWND window, POINT at) {
    OvkitClickPage* page = PageOf(window);
    if (!page)
        return;
    ClosePopup(window, page);
    if (page->itemCount == 0) {
        TurnPage(window, page, +1);
        return;
    }
    int index = ItemAt(page, at);
    if (index < 0) {
        Close(window, kCloseByClick);
        return;
    }
    const OvkitClickItem& item = page->items[index];
    switch (item.id) {
    case OVKIT_CLICK_PREVIOUS:
        TurnPage(window, page, -1);
        return;
    case OVKIT_CLICK_NEXT:
        TurnPage(window, page, +1);
        return;
    case OVKIT_CLICK_CLOSE:
        Close(window, kCloseByClick);
        return;
    }
    HWND target = OwnerOf(window);
    if (item.flags & OVKIT_ITEM_TO_GRANDPARENT)
        target = GetParent(target);
    WORD flags = item.flags; // the owner may turn the page meanwhile
    SendMessageA(target, OVKIT_CLICKABLE_CLICKED, item.id,
                 LOWORD(reinterpret_cast<UINT_PTR>(window)));
    if (flags & OVKIT_ITEM_CLOSE)
        Close(window, kCloseByClick);
}

void OnCreate(HWND window, const CREATESTRUCTA* create) {
    SetCapture(window);
    if (create->hwndParent)
        EnableWindow(create->hwndParent, FALSE);
    auto* page = static_cast<OvkitClickPage*>(create->lpCreateParams);
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(page));
    if (page)
        page->hoverTimer = 0;
    PostMessageA(window, kSetUpPage, 0, reinterpret_cast<LPARAM>(page));
}

void OnDestroy(HWND window) {
    ReleasePage(window, PageOf(window));
    SetWindowLongPtrA(window, 0, 0);
    if (GetCapture() == window)
        ReleaseCapture();
    HWND owner = OwnerOf(window);
    if (!owner)
        return;
    EnableWindow(owner, TRUE);
    SetFocus(owner);
    UpdateWindow(owner);
    PostMessageA(owner, WM_EXITMENULOOP, FALSE, 0);
}

LRESULT OnEraseBackground(HWND window, HDC dc) {
    OvkitClickPage* page = PageOf(window);
    if (!page)
        return 1;
    if (page->flags & OVKIT_PAGE_ERASE) {
        RECT client;
        GetClientRect(window, &client);
        FillSys(dc, client, COLOR_BTNFACE);
    }
    if (page->flags & OVKIT_PAGE_BACKGROUND_DRAWN)
        DrawPicture(window, dc);
    else
        page->flags |= OVKIT_PAGE_BACKGROUND_DRAWN;
    return 1;
}

POINT PointOf(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

} // namespace

LRESULT CALLBACK OvkitClickableProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (HandlePaint(window, message, wParam, Paint))
        return 0;
    switch (message) {
    case WM_CREATE:
        OnCreate(window, reinterpret_cast<CREATESTRUCTA*>(lParam));
        return 0;
    case kSetUpPage:
        SetUpPage(window, reinterpret_cast<OvkitClickPage*>(lParam));
        return 0;
    case kReleasePage:
        ReleasePage(window, reinterpret_cast<OvkitClickPage*>(lParam));
        return 0;
    case kRealisePalette:
    case WM_SETFOCUS:
        RealisePalette(window);
        return 0;
    case WM_QUERYNEWPALETTE:
        PostMessageA(window, kRealisePalette, 0, 0);
        return TRUE;
    case WM_PALETTECHANGED:
        if (reinterpret_cast<HWND>(wParam) != window)
            PostMessageA(window, kRealisePalette, 0, 0);
        return 0;
    case WM_ERASEBKGND:
        return OnEraseBackground(window, reinterpret_cast<HDC>(wParam));
    case WM_MOUSEMOVE:
        OnMouseMove(window, PointOf(lParam));
        return 0;
    case WM_TIMER:
        if (wParam == OVKIT_HOVER_TIMER)
            OnHoverTimer(window);
        return 0;
    case WM_LBUTTONDOWN:
        OnButtonDown(window, PointOf(lParam));
        return 0;
    case WM_CLOSE:
        Close(window, kCloseByRequest);
        return 0;
    case WM_COMMAND:
        if (lParam == 0 && (wParam == kCloseByClick || wParam == kCloseByRequest)) {
            DestroyWindow(window);
            return 0;
        }
        break;
    case WM_DESTROY:
        OnDestroy(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND OVKIT_CALL OVKIT_CreateClickableWindow(const char* title, DWORD style, int x, int y, int width,
                                            int height, HWND owner, HMENU menuOrId, LPARAM,
                                            OvkitClickPage* firstPage) {
    return CreateWindowExA(0, OVKIT_ClassNames[2], title, style, x, y, width, height, owner,
                           menuOrId, OVKIT_GetInstance(), firstPage);
}
