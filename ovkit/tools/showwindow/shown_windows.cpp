#include "shown_windows.h"
#include "ovkit/clickable.h"
#include "ovkit/popup.h"
#include "ovkit/progress.h"
#include "ovkit/slider.h"

namespace {

bool OpenProgress(HWND host) {
    static int cancel = 0;
    HWND dialog = OVKIT_OpenProgressBar(host, "Creating report", "Reading access.log", "%d%% done",
                                        SW_SHOW, &cancel);
    if (!dialog)
        return false;
    SendMessageA(dialog, OVKIT_PB_SETTOTAL, 200, 0);
    SendMessageA(dialog, OVKIT_PB_SETPOS, 84, 0);
    return true;
}

bool OpenPopup(HWND host) {
    static OvkitPopupRecord record;
    RECT rect;
    GetWindowRect(host, &rect);
    HWND popup = OVKIT_CreatePopupWindow(host, 0, "Opens the report in your browser",
                                         (rect.left + rect.right) / 2, rect.top + 80,
                                         OVKIT_POPUP_CENTRE_X, &record);
    if (!popup)
        return false;
    // Keep it open for the picture.
    KillTimer(popup, OVKIT_POPUP_CLOSE_TIMER);
    record.timerFlag = 0;
    return true;
}

bool OpenSlider(HWND host) {
    HWND slider = OVKIT_CreateSliderControl(host, 20, 30, 320, 26, "Update every 60 minutes");
    if (!slider)
        return false;
    SendMessageA(slider, OVKIT_SLIDER_SETVALUE, 60, 0);
    return true;
}

bool OpenClickable(HWND host) {
    static OvkitClickItem items[4];
    static OvkitClickPage pages[3];
    const WORD ids[4] = {1, 2, OVKIT_CLICK_NEXT, OVKIT_CLICK_CLOSE};
    for (int i = 0; i < 4; ++i) {
        items[i].id = ids[i];
        items[i].hot = {(i % 2) * 80, (i / 2) * 48, (i % 2) * 80 + 80, (i / 2) * 48 + 48};
    }
    lstrcpyA(pages[1].title, "Choose a report");
    pages[1].items = items;
    pages[1].itemCount = 4;
    pages[1].bitmapId = SHOW_IDB_MENU;
    pages[1].bitmapModule = GetModuleHandleA(nullptr);
    return OVKIT_CreateClickableWindow("", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 100, 100, host,
                                       nullptr, 0, &pages[1]) != nullptr;
}

} // namespace

const ShownWindow kShownWindows[] = {
    {"progress", "the progress dialog", OpenProgress},
    {"popup", "the quick-help popup", OpenPopup},
    {"slider", "the slider", OpenSlider},
    {"clickable", "the clickable picture window", OpenClickable},
    {nullptr, nullptr, nullptr},
};
