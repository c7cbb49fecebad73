// The View Log File dialog through host code 15, and its pictures.
#include "host_view.h"
#include "host_pictures.h"
#include <cstdio>
#include <cstring>
#include <string>

namespace {
enum { PICTURE_TICK_MS = 500, PICTURE_TICKS = 240 };
// The dialogs' own items that tell them apart.
enum { VIEW_LOG_TYPE_ITEM = 19010, VIEWER_TEXT_ITEM = 12055 };

struct PictureRun {
    const char* DialogPicture;
    const char* ViewerPicture;
    int Step; // 0 dialog, 1 viewer, 2 done
    bool Redrawn;
    int Ticks;
    int Written;
};
PictureRun g_pictures;

bool ViewerComplete(HWND viewer) {
    char text[32] = "";
    GetDlgItemTextA(viewer, IDOK, text, sizeof text);
    return strcmp(text, "&Close") == 0;
}

// One tick: find the window of this step, let it paint once, then take
// its picture and press its button.
void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD) {
    PictureRun& run = g_pictures;
    if (run.Step > 1 || ++run.Ticks > PICTURE_TICKS) {
        KillTimer(nullptr, timer);
        return;
    }
    HWND window =
        run.Step == 0 ? WindowWithItem(VIEW_LOG_TYPE_ITEM) : WindowWithItem(VIEWER_TEXT_ITEM);
    if (!window || (run.Step == 1 && !ViewerComplete(window)))
        return;
    if (!run.Redrawn) {
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        run.Redrawn = true;
        return;
    }
    run.Written += WritePicture(run.Step == 0 ? run.DialogPicture : run.ViewerPicture) ? 1 : 0;
    run.Redrawn = false;
    ++run.Step;
    // Start, and later Close: both are the dialogs' IDOK.
    PostMessageA(window, WM_COMMAND, IDOK, 0);
}
} // namespace

int ViewLogFile(HostSession& session, const ProfileListEntry& entry, const char* dialogPicture,
                const char* viewerPicture) {
    auto view = reinterpret_cast<decltype(&HostViewLogFile)>(session.Entry(15));
    if (!view) {
        fprintf(stderr, "ovhost: the plug-in cannot view log files\n");
        return 1;
    }
    g_pictures = {dialogPicture, viewerPicture, 0, false, 0, 0};
    UINT_PTR timer = dialogPicture ? SetTimer(nullptr, 0, PICTURE_TICK_MS, Tick) : 0;
    int result = view(nullptr, const_cast<ProfileListEntry*>(&entry));
    if (timer)
        KillTimer(nullptr, timer);
    if (result != HOST_DONE) {
        fprintf(stderr, "ovhost: the View Log File dialog failed (%d)\n", result);
        return 1;
    }
    int wanted = (dialogPicture ? 1 : 0) + (viewerPicture ? 1 : 0);
    return g_pictures.Written >= wanted ? 0 : 1;
}
