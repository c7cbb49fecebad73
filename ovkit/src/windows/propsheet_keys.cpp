// The property sheet's keyboard: Tab and Shift+Tab round a fixed ring of the
// tab control, the page's controls, OK, Cancel and Help.
#include "propsheet_window.h"

namespace {

// The ring in Tab order.
enum RingSlot { TabSlot, PageSlot, OkSlot, CancelSlot, HelpSlot, SlotCount };

bool CanFocus(HWND window) {
    return window && IsWindowEnabled(window) && IsWindowVisible(window);
}

bool IsOrHolds(HWND window, HWND focus) {
    return window && (window == focus || IsChild(window, focus));
}

HWND FirstTabStop(HWND page) {
    return page ? GetNextDlgTabItem(page, nullptr, FALSE) : nullptr;
}

HWND LastTabStop(HWND page) {
    HWND first = FirstTabStop(page);
    return first ? GetNextDlgTabItem(page, first, TRUE) : nullptr;
}

} // namespace

HWND CPropSheet::NextInRing(HWND focus, bool back) const {
    HWND page = ShownPage();
    const HWND slots[SlotCount] = {m_pTab->GetHandle(), page, ButtonWindow(Ok),
                                   ButtonWindow(Cancel), ButtonWindow(Help)};
    int slot = -1;
    for (int i = 0; i < SlotCount; ++i) {
        if (i != PageSlot && slots[i] == focus)
            slot = i;
    }
    if (slot < 0 && page && IsChild(page, focus)) {
        // Inside the page only a move that would wrap round leaves it.
        HWND edge = back ? FirstTabStop(page) : LastTabStop(page);
        if (!IsOrHolds(edge, focus))
            return nullptr;
        slot = PageSlot;
    }
    if (slot < 0)
        return nullptr;
    for (int step = 1; step < SlotCount; ++step) {
        slot = (slot + (back ? SlotCount - 1 : 1)) % SlotCount;
        HWND candidate = slot != PageSlot ? slots[slot]
                         : back           ? LastTabStop(page)
                                          : FirstTabStop(page);
        if (CanFocus(candidate))
            return candidate;
    }
    return nullptr;
}

BOOL CPropSheet::HandleKey(MSG* message) {
    HWND page = ShownPage();
    if (message->message == WM_KEYDOWN && message->wParam == VK_TAB) {
        const bool back = (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
        if (HWND target = NextInRing(GetFocus(), back)) {
            SetFocus(target);
            return TRUE;
        }
    }
    return page ? IsDialogMessageA(page, message) : FALSE;
}

OVKIT_EXPORT(BOOL) IsPropertySheetMessage(HWND sheet, MSG* message) {
    CPropSheet* current = CPropSheet::Current();
    if (!current || !message || !sheet || current->GetHandle() != sheet)
        return FALSE;
    return current->HandleKey(message);
}
