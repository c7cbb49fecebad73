#include "quick_help.h"
#include "ovkit/popup.h"

namespace {

// One quick-help popup is open at a time; its record lives while it shows.
OvkitPopupRecord g_quickHelp;

} // namespace

HWND OvkitOpenQuickHelp(HWND owner, const char* text, int x, int y) {
    HWND popup =
        OVKIT_CreatePopupWindow(owner, 0, text, x, y, OVKIT_POPUP_CENTRE_X, &g_quickHelp);
    // The popup draws from its record; the window text lets tools read it.
    if (popup)
        SetWindowTextA(popup, g_quickHelp.text);
    return popup;
}

void OvkitCloseQuickHelp(HWND owner, HWND* popup, WORD* timerFlag) {
    OVKIT_DestroyPopup(owner, popup, timerFlag);
}
