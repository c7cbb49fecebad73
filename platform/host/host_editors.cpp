// The list editors and the report-language editor through the host, and
// their pictures.
#include "host_editors.h"
#include "host_pictures.h"
#include "ovdesk/language_editor.h"
#include <commctrl.h>
#include <cstdio>
#include <cstring>
#include <string>

namespace {
enum { PICTURE_TICK_MS = 300, PICTURE_TICKS = 200 };
// Items that tell each window: the list views, the sheet's tab control, and
// a field of each add or find dialog.
enum {
    INTRANET_LIST = 8220,
    INTRANET_ADD = 24001,
    INTRANET_FIELD = 8109,
    ADVIEWS_LIST = 8271,
    ADVIEWS_ADD = 24011,
    ADVIEWS_FIELD = 8126,
    SHEET_TABS = 12320,
    LANGUAGE_FIND = 24106,
    FIND_FIELD = 21022,
};

struct EditorPictures {
    std::string Prefix;
    int MainItem;   // a child of the editor's window
    int OpenItem;   // the command that opens the second dialog
    int SecondItem; // a child of that dialog
    bool Sheet;
    int Step; // 0 editor, 1 second dialog, 2 done
    bool Redrawn;
    int Ticks;
    int Written;
};
EditorPictures g_pictures;

bool Picture(HWND window) {
    if (!g_pictures.Redrawn) {
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        g_pictures.Redrawn = true;
        return false;
    }
    g_pictures.Redrawn = false;
    std::string name = g_pictures.Prefix + std::to_string(g_pictures.Written + 1) + ".bmp";
    g_pictures.Written += WritePicture(name.c_str()) ? 1 : 0;
    return true;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD) {
    EditorPictures& run = g_pictures;
    HWND main = WindowWithItem(run.MainItem);
    if (run.Step >= 2 || ++run.Ticks > PICTURE_TICKS || !main) {
        if (run.Ticks > PICTURE_TICKS) {
            KillTimer(nullptr, timer);
            if (main)
                PostMessageA(main, WM_CLOSE, 0, 0);
        }
        return;
    }
    HWND target = main;
    if (run.Sheet)
        target = (HWND)SendMessageA(main, PSM_GETCURRENTPAGEHWND, 0, 0);
    if (run.Step == 0) {
        if (Picture(main)) {
            run.Step = 1;
            PostMessageA(target, WM_COMMAND, run.OpenItem, 0);
        }
        return;
    }
    HWND second = WindowWithItem(run.SecondItem);
    if (second && Picture(second)) {
        run.Step = 2;
        KillTimer(nullptr, timer);
        PostMessageA(second, WM_COMMAND, IDCANCEL, 0);
        if (run.Sheet)
            PostMessageA(main, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        else
            PostMessageA(main, WM_COMMAND, IDOK, 0);
    }
}
} // namespace

bool IsListEditorCommand(const char* option) {
    return strcmp(option, "--intranet") == 0 || strcmp(option, "--adviews") == 0 ||
           strcmp(option, "--language") == 0;
}

int OpenListEditor(HostSession& session, const char* option, const char* picturePrefix) {
    bool language = strcmp(option, "--language") == 0;
    bool intranet = strcmp(option, "--intranet") == 0;
    g_pictures = EditorPictures();
    if (picturePrefix) {
        g_pictures.Prefix = picturePrefix;
        g_pictures.Sheet = language;
        g_pictures.MainItem = language ? SHEET_TABS : intranet ? INTRANET_LIST : ADVIEWS_LIST;
        g_pictures.OpenItem = language ? LANGUAGE_FIND : intranet ? INTRANET_ADD : ADVIEWS_ADD;
        g_pictures.SecondItem = language ? FIND_FIELD : intranet ? INTRANET_FIELD : ADVIEWS_FIELD;
    }
    UINT_PTR timer = picturePrefix ? SetTimer(nullptr, 0, PICTURE_TICK_MS, Tick) : 0;
    int result = 0;
    if (language) {
        auto show = reinterpret_cast<decltype(&ShowLanguageEditorSheet)>(
            GetProcAddress(GetModuleHandleA("ovdesk.dll"), "ShowLanguageEditorSheet"));
        result = show ? (int)show(nullptr) : -1;
    } else {
        auto list =
            reinterpret_cast<decltype(&HostIntranetList)>(session.Entry(intranet ? 17 : 18));
        static_assert(sizeof(decltype(&HostIntranetList)) == sizeof(decltype(&HostAdViewsList)),
                      "codes 17 and 18 share one declaration");
        result = list ? list(nullptr) : -1;
    }
    if (timer)
        KillTimer(nullptr, timer);
    printf("result\t%d\n", result);
    if (picturePrefix)
        return g_pictures.Written == 2 ? 0 : 1;
    return result >= 0 ? 0 : 1;
}
