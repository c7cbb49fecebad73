// Building a bar from its button specs, and taking it down again.
#include <algorithm>
#include <cstring>
#include <new>

#include "bar_internal.h"
#include "button_defs.h"
#include "options.h"
#include "ovkit/bitmaps.h"
#include "ovkit/strutil.h"

namespace bandolet {

void RegisterBar(BandoletBar* bar);
void UnregisterBar(BandoletBar* bar);

namespace {

constexpr UINT kWatermarkId = 128;
constexpr UINT kPatternId = 100;

HBITMAP LoadPicture(HINSTANCE module, UINT id) {
    if (!id)
        return nullptr;
    return static_cast<HBITMAP>(
        LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

void LoadText(UINT id, HINSTANCE module, char* out) {
    out[0] = '\0';
    if (id)
        OVKIT_GetString(id, module, out);
}

// Loads the bitmaps of the kinds the options use; false when one is missing.
bool LoadButtonBitmaps(const ButtonSpec& s, DWORD o, const Display& d, BandoletButton* b) {
    bool large = (o & BANDOLET_LARGE) != 0;
    bool small = (o & BANDOLET_SMALL) != 0;
    if (!large && !small)
        return true;
    // An added button's pictures are its definition's, shared by every bar.
    auto take = [&](int kind) {
        HBITMAP h = nullptr;
        if (SharedPicture(s, kind, !d.few16, &h))
            b->shared = true;
        else
            h = LoadPicture(s.bitmapModule, s.bitmaps[kind]);
        return h;
    };
    b->normal = take(large ? (d.few16 ? kLarge16 : kLarge) : kSmall);
    b->disabled = take(large ? kLargeDisabled : kSmallDisabled);
    if (large && (o & BANDOLET_HIGHLIGHT))
        b->rest = take(kHighlight);
    if (large && (o & BANDOLET_SHADOWS))
        b->shadow = take(kShadow);
    return b->normal && b->disabled && (b->rest || !(large && (o & BANDOLET_HIGHLIGHT))) &&
           (b->shadow || !(large && (o & BANDOLET_SHADOWS)));
}

void FreeButton(BandoletButton* b) {
    if (b->shared)
        return;
    for (HBITMAP h : {b->normal, b->rest, b->shadow, b->disabled})
        if (h)
            DeleteObject(h);
}

void FreeBar(BandoletBar* bar) {
    for (int i = 0; i < bar->count; ++i)
        FreeButton(&bar->buttons[i]);
    for (HGDIOBJ h : {static_cast<HGDIOBJ>(bar->font), static_cast<HGDIOBJ>(bar->watermark),
                      static_cast<HGDIOBJ>(bar->pattern), static_cast<HGDIOBJ>(bar->patternBitmap)})
        if (h)
            DeleteObject(h);
    delete[] bar->buttons;
    delete[] bar->specs;
    delete[] bar->commands;
    delete bar;
}

HFONT IconTitleFont() {
    LOGFONTA lf = {};
    if (!SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof lf, &lf, 0))
        return nullptr;
    return CreateFontIndirectA(&lf);
}

// Text height and widest caption in the bar's font.
void MeasureText(BandoletBar* bar, int* widest) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bar->font);
    TEXTMETRICA tm = {};
    GetTextMetricsA(dc, &tm);
    bar->textHeight = (bar->options & BANDOLET_TEXT) ? tm.tmHeight : 0;
    *widest = 0;
    for (int i = 0; i < bar->count && (bar->options & BANDOLET_TEXT); ++i) {
        SIZE size = {};
        const char* c = bar->buttons[i].caption;
        if (!bar->buttons[i].separator && !bar->buttons[i].scroll &&
            GetTextExtentPoint32A(dc, c, static_cast<int>(strlen(c)), &size))
            *widest = std::max(*widest, static_cast<int>(size.cx));
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
}

void ComputeSizes(BandoletBar* bar) {
    int e = GetSystemMetrics(SM_CXEDGE), ey = GetSystemMetrics(SM_CYEDGE);
    bool frame = (bar->options & BANDOLET_FRAME) != 0;
    for (int i = 0; i < bar->count; ++i)
        if (bar->buttons[i].normal && !bar->buttons[i].separator && !bar->buttons[i].scroll) {
            OVKIT_GetBitmapSize(bar->buttons[i].normal, &bar->bitmapWidth, &bar->bitmapHeight);
            break;
        }
    int widest = 0;
    MeasureText(bar, &widest);
    bar->buttonWidth = std::max(bar->bitmapWidth, widest) + 2 * e + 10;
    bar->buttonHeight = bar->bitmapHeight + 2 * ey + bar->textHeight + 8;
    bar->height = bar->buttonHeight + 2 * ey + (frame ? 2 * ey : 0);
    bar->marginLeft = frame ? 2 * e : e;
    bar->marginTop = frame ? 2 * ey : ey;
    int sum = 0;
    for (int i = 0; i < bar->count; ++i)
        if (!bar->buttons[i].scroll)
            sum += bar->buttons[i].separator ? 4 : bar->buttonWidth;
    int tail = 2 * e + (frame ? 2 * e : 0);
    // A scrollable bar may be as narrow as one button beside its scroll column.
    bar->minWidth =
        bar->marginLeft + tail +
        ((bar->options & BANDOLET_SCROLLABLE) ? bar->buttonWidth + 2 * bar->scrollWidth : sum);
}

void AddScrollButtons(BandoletBar* bar, HINSTANCE module) {
    bool large = (bar->options & BANDOLET_LARGE) != 0;
    UINT arrows[2][2] = {{303, 305}, {304, 306}};
    for (int k = 0; k < 2; ++k) {
        BandoletButton& b = bar->buttons[bar->count++];
        b.command = k ? BANDOLET_CMD_SCROLL_RIGHT : BANDOLET_CMD_SCROLL_LEFT;
        b.normal = LoadPicture(module, arrows[large ? 0 : 1][k]);
        b.scroll = b.enabled = b.autoRepeat = true;
        b.hidden = true;
        LoadText(k ? 358 : 357, module, b.tooltip);
    }
    int w = 0, h = 0;
    OVKIT_GetBitmapSize(bar->buttons[bar->count - 1].normal, &w, &h);
    bar->scrollWidth = w + 2 * GetSystemMetrics(SM_CXEDGE) + 2;
}

// Builds the button records; false (with the reason in *why) on failure.
bool BuildButtons(BandoletBar* bar, const Display& d, const char** why) {
    DWORD o = bar->options;
    bar->buttons = new (std::nothrow) BandoletButton[bar->specCount + 2]();
    bar->commands = new (std::nothrow) UINT[bar->specCount + 1]();
    if (!bar->buttons || !bar->commands)
        return *why = "Insufficient memory.", false;
    int shown = 0;
    for (int i = 0; i < bar->specCount; ++i) {
        const ButtonSpec& s = bar->specs[i];
        bool separator = s.command == BANDOLET_CMD_SEPARATOR;
        if (separator && !(o & BANDOLET_SEPARATORS))
            continue;
        BandoletButton& b = bar->buttons[bar->count++];
        b.command = s.command;
        b.separator = separator;
        b.enabled = true;
        if (!separator) {
            if (!LoadButtonBitmaps(s, o, d, &b))
                return *why = "Unable to load a bitmap resource.", false;
            if (o & BANDOLET_TEXT)
                LoadText(s.caption, s.captionModule, b.caption);
            if (o & BANDOLET_TOOLTIPS)
                LoadText(s.tooltip, s.tooltipModule, b.tooltip);
        }
        if (!IsOwnCommand(s.command))
            bar->commands[shown++] = s.command;
    }
    if (o & BANDOLET_SCROLLABLE)
        AddScrollButtons(bar, LibraryModule());
    return true;
}

bool LoadBarPictures(BandoletBar* bar, const char** why) {
    HINSTANCE m = LibraryModule();
    if (bar->options & BANDOLET_WATERMARK) {
        bar->watermark = LoadPicture(m, kWatermarkId);
        if (!bar->watermark)
            return *why = "Unable to load a bitmap resource.", false;
        OVKIT_GetBitmapSize(bar->watermark, &bar->watermarkWidth, &bar->watermarkHeight);
    }
    if (bar->options & BANDOLET_TOOLTIPS) {
        bar->patternBitmap = LoadPicture(m, kPatternId);
        bar->pattern = bar->patternBitmap ? CreatePatternBrush(bar->patternBitmap) : nullptr;
        if (!bar->pattern)
            return *why = "Unable to create a pattern brush.", false;
    }
    return true;
}

void ChooseLeftmost(BandoletBar* bar, UINT leftmost) {
    UINT first = bar->commands[0];
    bar->leftmost = first;
    if (!(bar->options & BANDOLET_SCROLLABLE))
        return;
    for (int i = 0; bar->commands[i]; ++i)
        if (bar->commands[i] == leftmost)
            bar->leftmost = leftmost;
}

} // namespace

BandoletBar* CreateBar(HWND parent, const ButtonSpec* specs, int count, DWORD options,
                       UINT leftmost, const char* ownFile) {
    DestroyBar(parent);
    Display d = CurrentDisplay();
    BandoletBar* bar = new (std::nothrow) BandoletBar();
    ButtonSpec* copy = new (std::nothrow) ButtonSpec[count > 0 ? count : 1];
    const char* why = "Insufficient memory.";
    if (bar && copy) {
        std::copy(specs, specs + count, copy);
        bar->specs = copy;
        copy = nullptr;
        bar->specCount = count;
        bar->parent = parent;
        bar->hot = bar->pressed = bar->tipButton = -1;
        if (ownFile)
            lstrcpynA(bar->iniFile, ownFile, MAX_PATH);
        bar->options =
            options ? NormaliseOptions(options, d) : ReadToolbarOptions(options, bar->iniFile);
        bar->font = IconTitleFont();
        if (BuildButtons(bar, d, &why) && LoadBarPictures(bar, &why)) {
            ComputeSizes(bar);
            ChooseLeftmost(bar, leftmost);
            bar->window =
                CreateWindowExA(0, kFrameClass, kFrameClass, WS_CHILD | WS_CLIPSIBLINGS, 0, 0,
                                bar->minWidth, bar->height, parent, nullptr, LibraryModule(), bar);
            if (!bar->window)
                why = "Unable to create toolbar frame window.";
        }
    }
    delete[] copy;
    if (!bar || !bar->window) {
        if (bar)
            FreeBar(bar);
        Warn(parent, why);
        return nullptr;
    }
    RegisterBar(bar);
    SetWindowLongPtrA(parent, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(bar));
    AddToolbarMenu(parent);
    RECT rc = {};
    GetClientRect(parent, &rc);
    ResizeBar(bar, rc.right - rc.left);
    PostMessageA(bar->window, WM_QUERYNEWPALETTE, 0, 0);
    PostMessageA(parent, BANDOLET_MSG_CREATED, 0, 0);
    ShowWindow(bar->window, SW_SHOWNA);
    return bar;
}

void DestroyBar(HWND parent) {
    BandoletBar* bar = BarOf(parent);
    if (!bar)
        return;
    UnregisterBar(bar);
    ShowWindow(bar->window, SW_HIDE);
    DestroyWindow(bar->window);
    SetWindowLongPtrA(parent, GWLP_USERDATA, 0);
    FreeBar(bar);
}

} // namespace bandolet
