// Pictures of the scheduler's dialogs.
#include "host_schedule_pictures.h"
#include "host_pictures.h"
#include "host_schedule.h"
#include "ids_schedule.h"
#include <cstdio>
#include <cstring>

namespace {
enum { PICTURE_TICK_MS = 300, PICTURE_TICKS = 200 };

struct PictureRun {
    const char* Picture;
    int Item;  // a control that only the wanted dialog has
    bool Mail; // chooses the mailto: destination first
    bool Redrawn;
    bool Done;
    int Ticks;
    int Written;
};
PictureRun g_run;

void PrepareDialog(HWND dialog) {
    if (g_run.Mail) {
        SendDlgItemMessageA(dialog, IDC_SCHED_KIND, CB_SETCURSEL, 2, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SCHED_KIND, CBN_SELCHANGE),
                     (LPARAM)GetDlgItem(dialog, IDC_SCHED_KIND));
        SetDlgItemTextA(dialog, IDC_SCHED_MAIL, "webmaster@example.com");
    }
    // The add dialog shows its first line chosen.
    SendDlgItemMessageA(dialog, IDC_SCHED_MEMORIZED, LB_SETCURSEL, 0, 0);
}

// One tick: let the dialog paint once, take its picture, cancel it.
void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD) {
    PictureRun& run = g_run;
    if (run.Done || ++run.Ticks > PICTURE_TICKS) {
        KillTimer(nullptr, timer);
        return;
    }
    HWND dialog = WindowWithItem(run.Item);
    if (!dialog)
        return;
    if (!run.Redrawn) {
        PrepareDialog(dialog);
        RedrawWindow(dialog, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        run.Redrawn = true;
        return;
    }
    run.Written += WritePicture(run.Picture) ? 1 : 0;
    run.Done = true;
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

int Fail(const char* text) {
    fprintf(stderr, "ovhost: %s\n", text);
    return 1;
}

int EditEvent(HostSession& session, bool stored) {
    auto edit = reinterpret_cast<decltype(&EditScheduleEvent)>(session.Entry(7));
    if (!edit)
        return Fail("the plug-in cannot edit scheduled events");
    ScheduleListEntry* entry = nullptr;
    if (stored) {
        std::string error;
        if (!LoadHostSchedule(session, &error))
            return Fail(error.c_str());
        if (GetHostState().Schedule.empty())
            return Fail("no stored scheduled event to edit");
        entry = GetHostState().Schedule.front();
    }
    ScheduleListEntry* out = nullptr;
    edit(nullptr, entry, &out);
    return 0;
}

int AddEvent() {
    HMODULE plugin = GetModuleHandleA("ovdesk.dll");
    auto procedure = plugin ? reinterpret_cast<decltype(&SchedulerAddDlg)>(reinterpret_cast<void*>(
                                  GetProcAddress(plugin, "SchedulerAddDlg")))
                            : nullptr;
    if (!procedure)
        return Fail("the plug-in has no add-event dialog");
    ScheduleEvent event = {};
    if (DialogBoxParamA(plugin, MAKEINTRESOURCEA(IDD_SCHEDULER_ADD), nullptr, procedure,
                        (LPARAM)&event) == -1)
        return Fail("the add-event dialog could not be shown");
    return 0;
}
} // namespace

int PictureScheduleDialog(HostSession& session, const char* kind, const char* picture) {
    bool add = strcmp(kind, "add") == 0;
    bool stored = strcmp(kind, "edit") == 0;
    bool mail = strcmp(kind, "mail") == 0;
    if (!add && !stored && !mail && strcmp(kind, "new") != 0)
        return Fail("unknown scheduler dialog (new, edit, mail or add)");
    g_run = PictureRun();
    g_run.Picture = picture;
    // The add dialog's kind buttons; the Schedule Report dialog's profile combo.
    g_run.Item = add ? IDC_ADD_KIND_MSS : IDC_SCHED_PROFILE;
    g_run.Mail = mail;
    UINT_PTR timer = SetTimer(nullptr, 0, PICTURE_TICK_MS, Tick);
    int result = add ? AddEvent() : EditEvent(session, stored);
    KillTimer(nullptr, timer);
    if (result == 0 && g_run.Written != 1)
        return Fail("no picture of the scheduler dialog was written");
    return result;
}

int RunSchedulePictures(int argc, char** argv, const std::string& folder) {
    if (argc != 4) {
        Fail("usage: ovhost.exe --schedule-picture new|edit|mail|add PICTURE.bmp");
        return 2;
    }
    HostSession session;
    std::string error;
    if (!session.Open(folder, &error, false) || !session.ListProfiles(&error)) {
        Fail(error.c_str());
        return 3;
    }
    int result = PictureScheduleDialog(session, argv[2], argv[3]);
    session.Close();
    return result;
}
