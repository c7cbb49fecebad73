// Where the buttons go: from the leftmost one, with the scroll buttons shown
// when the bar is too narrow for them all or scrolled.
#include "bar_internal.h"
#include "options.h"

namespace bandolet {

namespace {

constexpr int kHiddenOffset = 10000;

bool Scrollable(const BandoletBar* bar) {
    return (bar->options & BANDOLET_SCROLLABLE) != 0;
}

int Plain(const BandoletBar* bar) {
    return bar->count - (Scrollable(bar) ? 2 : 0);
}

void Hide(BandoletButton* b) {
    b->hidden = true;
    OffsetRect(&b->rect, -kHiddenOffset - b->rect.right, 0);
}

// A button, not a separator nor a scroll button, next to index in direction step.
int NextButton(const BandoletBar* bar, int index, int step) {
    for (int i = index + step; i >= 0 && i < Plain(bar); i += step)
        if (!bar->buttons[i].separator)
            return i;
    return -1;
}

void PlaceScrollColumn(BandoletBar* bar, bool shown) {
    int w = bar->scrollWidth;
    int half = bar->buttonHeight / 2;
    for (int k = 0; k < 2; ++k) {
        BandoletButton& b = bar->buttons[Plain(bar) + k];
        int top = bar->marginTop + k * half;
        SetRect(&b.rect, bar->width - 2 * w, top, bar->width - w, top + half);
        b.hidden = !shown;
        if (!shown)
            Hide(&b);
    }
    bar->scrollShown = shown;
}

} // namespace

int ButtonIndex(const BandoletBar* bar, UINT command) {
    for (int i = 0; i < bar->count; ++i)
        if (bar->buttons[i].command == command && !bar->buttons[i].separator)
            return i;
    return -1;
}

void LayOut(BandoletBar* bar) {
    int first = ButtonIndex(bar, bar->leftmost);
    if (first < 0)
        first = 0;
    int x = bar->marginLeft;
    for (int i = 0; i < Plain(bar); ++i) {
        BandoletButton& b = bar->buttons[i];
        int w = b.separator ? 4 : bar->buttonWidth;
        SetRect(&b.rect, x, bar->marginTop, x + w, bar->marginTop + bar->buttonHeight);
        b.hidden = false;
        if (i < first)
            Hide(&b);
        else
            x += w;
    }
    if (Scrollable(bar)) {
        int last = Plain(bar) - 1;
        bool needed = first > 0 || (last >= 0 && bar->buttons[last].rect.right > bar->width);
        PlaceScrollColumn(bar, needed);
        for (int i = 0; needed && i < Plain(bar); ++i)
            if (!bar->buttons[i].hidden &&
                bar->buttons[i].rect.right >= bar->width - 2 * bar->scrollWidth)
                Hide(&bar->buttons[i]);
        // Each way is open only while a button lies beyond the leftmost.
        bar->buttons[Plain(bar)].enabled = NextButton(bar, first, -1) >= 0;
        bar->buttons[Plain(bar) + 1].enabled = NextButton(bar, first, 1) >= 0;
    }
    if (bar->window)
        InvalidateRect(bar->window, nullptr, FALSE);
}

void ResizeBar(BandoletBar* bar, int width) {
    bar->width = width > bar->minWidth ? width : bar->minWidth;
    SetWindowPos(bar->window, nullptr, 0, 0, bar->width, bar->height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    LayOut(bar);
}

bool ScrollBar(BandoletBar* bar, bool right) {
    if (bar->scrollBusy || !Scrollable(bar))
        return false;
    int now = ButtonIndex(bar, bar->leftmost);
    int next = NextButton(bar, now < 0 ? 0 : now, right ? 1 : -1);
    if (next < 0)
        return false;
    bar->scrollBusy = true;
    bar->leftmost = bar->buttons[next].command;
    LayOut(bar);
    WriteLeftmost(bar->options, bar->iniFile, bar->leftmost);
    bar->scrollBusy = false;
    return true;
}

void RedrawButton(BandoletBar* bar, int index) {
    if (index >= 0 && index < bar->count)
        InvalidateRect(bar->window, &bar->buttons[index].rect, FALSE);
}

} // namespace bandolet
