// The profile sheet and the database maintenance dialog through the host's
// codes, and their pictures.
#include "host_profile.h"
#include "host_pictures.h"
#include <commctrl.h>
#include <cstdio>
#include <string>

namespace {
enum { PICTURE_TICK_MS = 300, PICTURE_TICKS = 400, MAX_PAGES = 16 };
// The property sheet's tab control (tabs) and Next button (wizard), and the
// maintenance dialog's list of days.
enum { SHEET_TAB_ITEM = 12320, SHEET_NEXT_ITEM = 12324, MAINTENANCE_ITEM = 1062 };
// The text item of a message box.
enum { MESSAGE_TEXT_ITEM = 0xFFFF };

struct PictureRun {
    std::string Prefix;
    bool Sheet;    // a property sheet, else the maintenance dialog
    bool PressOk;  // ends the sheet with OK rather than Cancel
    int Page;      // next sheet index to show
    int LastShown; // sheet index of the last picture
    bool Redrawn;
    bool Done;
    int Ticks;
    int Written;
    bool Refused; // a box came up: the pages stop there
};
PictureRun g_run;

// A message box that came up (a page refused to be left): its text goes to
// stderr, and it is answered with its default button.
bool AnswerMessageBox() {
    HWND box = WindowWithItem(MESSAGE_TEXT_ITEM);
    if (!box)
        return false;
    char text[512] = "";
    GetDlgItemTextA(box, MESSAGE_TEXT_ITEM, text, sizeof text);
    fprintf(stderr, "ovhost: message: %s\n", text);
    PostMessageA(box, WM_KEYDOWN, VK_RETURN, 0);
    return true;
}

void EndSheet(HWND sheet) {
    PictureRun& run = g_run;
    run.Done = true;
    if (!run.Sheet)
        PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
    else
        PostMessageA(sheet, PSM_PRESSBUTTON, run.PressOk && !run.Refused ? PSBTN_OK : PSBTN_CANCEL,
                     0);
}

// One tick: let the window paint once, take the picture of the page shown,
// then turn to the next page; past the last one, end the window.
void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD) {
    PictureRun& run = g_run;
    if (run.Done || ++run.Ticks > PICTURE_TICKS) {
        KillTimer(nullptr, timer);
        return;
    }
    if (AnswerMessageBox()) {
        run.Refused = true;
        return;
    }
    HWND window = run.Sheet ? WindowWithItem(SHEET_TAB_ITEM) : WindowWithItem(MAINTENANCE_ITEM);
    if (!window && run.Sheet)
        window = WindowWithItem(SHEET_NEXT_ITEM);
    if (!window)
        return;
    if (!run.Redrawn) {
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        run.Redrawn = true;
        return;
    }
    run.Redrawn = false;
    int shown = run.Sheet ? (int)SendMessageA(window, PSM_HWNDTOINDEX,
                                              SendMessageA(window, PSM_GETCURRENTPAGEHWND, 0, 0), 0)
                          : 0;
    if (shown != run.LastShown) {
        run.LastShown = shown;
        run.Written +=
            WritePicture((run.Prefix + std::to_string(run.Written + 1) + ".bmp").c_str()) ? 1 : 0;
    }
    // The next index; a page whose rule fails is skipped by the sheet, and
    // a refusal or the end of the table ends the pictures.
    if (!run.Sheet || run.Refused || run.Page >= MAX_PAGES ||
        !SendMessageA(window, PSM_SETCURSEL, ++run.Page, 0))
        EndSheet(window);
}

void StartPictures(const char* prefix, bool sheet, bool pressOk) {
    g_run = PictureRun();
    g_run.Prefix = prefix;
    g_run.Sheet = sheet;
    g_run.PressOk = pressOk;
    g_run.LastShown = -1;
}
} // namespace

int EditProfileByCode(HostSession& session, int code, ProfileListEntry* entry,
                      const char* picturePrefix) {
    HostEntry function = session.Entry(code);
    if (!function) {
        fprintf(stderr, "ovhost: the plug-in cannot edit profiles\n");
        return 1;
    }
    // Code 2 and code 4 share one declaration.
    static_assert(sizeof(decltype(&HostEditProfile)) == sizeof(decltype(&HostCopyProfile)), "");
    bool editing = code == 2 && entry;
    if (picturePrefix)
        StartPictures(picturePrefix, true, editing);
    UINT_PTR timer = picturePrefix ? SetTimer(nullptr, 0, PICTURE_TICK_MS, Tick) : 0;
    ProfileListEntry* made = nullptr;
    int result =
        code == 2 ? reinterpret_cast<decltype(&HostEditProfile)>(function)(nullptr, entry, &made)
                  : reinterpret_cast<decltype(&HostCopyProfile)>(function)(nullptr, entry, &made);
    if (timer)
        KillTimer(nullptr, timer);
    printf("result\t%d\n", result);
    const ProfileListEntry* saved = made ? made : result == HOST_DONE ? entry : nullptr;
    if (saved)
        printf("saved\t%s\t%s\n", saved->Description, saved->FileName);
    if (made)
        HeapFree(GetProcessHeap(), 0, made);
    if (picturePrefix)
        return g_run.Written > 0 && g_run.LastShown >= 0 && result != HOST_NO_MEMORY ? 0 : 1;
    return result == HOST_DONE ? 0 : 1;
}

int MaintainDatabases(HostSession& session, const char* picturePrefix) {
    auto maintain = reinterpret_cast<decltype(&HostDatabaseMaintenance)>(session.Entry(21));
    if (!maintain) {
        fprintf(stderr, "ovhost: the plug-in has no database maintenance\n");
        return 1;
    }
    if (picturePrefix)
        StartPictures(picturePrefix, false, false);
    UINT_PTR timer = picturePrefix ? SetTimer(nullptr, 0, PICTURE_TICK_MS, Tick) : 0;
    maintain(nullptr);
    if (timer)
        KillTimer(nullptr, timer);
    return !picturePrefix || g_run.Written == 1 ? 0 : 1;
}
