// Host code 7: creating and editing a scheduled event. The dialog works on a
// copy, so Cancel leaves the event and its file as they were.
#include "schedule/schedule_events.h"
#include "schedule/schedule_files.h"
#include "schedule/schedule_summary_dialog.h"
#include "desk_services.h"
#include "host/host_callbacks.h"
#include "host/profile_list.h"
#include "resource_ids.h"
#include <cstdio>
#include <ctime>

namespace {
INT_PTR RunSummaryDialog(HWND owner, ScheduleListEntry* working) {
    const DLGTEMPLATE* dialogTemplate = GetDialogTemplate(IDD_SCHEDULE_SUMMARY);
    if (!dialogTemplate)
        return -1;
    return DialogBoxIndirectParamA(GetPluginInstance(), dialogTemplate, owner,
                                   SchedulerEditSummaryDlg, (LPARAM)working);
}

void SettleActive(ScheduleEvent* event) {
    if (IsScheduleEventSpent(event, (DWORD)time(nullptr)))
        event->Active = 0;
}

int EditStored(HWND owner, ScheduleListEntry* entry, ScheduleListEntry** out) {
    ScheduleEvent* event = entry->Event;
    if (event->ActivityType != DEFINITION_SUMMARY)
        return HOST_NO_MEMORY;
    ScheduleEvent copy = *event;
    ScheduleListEntry working = *entry;
    working.Event = &copy;
    if (RunSummaryDialog(owner, &working) != 1)
        return HOST_NO_MEMORY;
    copy.Active = 1;
    SettleActive(&copy);
    *event = copy;
    WriteScheduleEventFile(event->FilePath, event, "Main");
    FillScheduleListEntry(event, working.HostHandle, event->Remote == EVENT_REALTIME, entry);
    *out = entry;
    return HOST_DONE;
}

int CreateNew(HWND owner, ScheduleListEntry** out) {
    if (!GetLoadedProfileCount())
        return HOST_NO_MEMORY;
    AnalysisProfile* first = GetLoadedProfiles()[0];
    ScheduleEvent event = {};
    ScheduleListEntry working = {};
    working.Event = &event;
    HostFindProfileProc find = HostFindProfile();
    if (find)
        find(first, &working.HostHandle);
    event.ActivityType = DEFINITION_SUMMARY;
    snprintf(event.SetName, sizeof event.SetName, "%s", first->BaseName);
    snprintf(event.SetExtension, sizeof event.SetExtension, "%s", first->Extension);
    snprintf(event.SetDescription, sizeof event.SetDescription, "%s", first->Description);
    event.Version = 256;
    event.Active = 1;
    event.Time = (DWORD)time(nullptr) + 300;
    if (!NextScheduleFileName(event.FilePath, sizeof event.FilePath))
        return HOST_NO_MEMORY;
    if (RunSummaryDialog(owner, &working) != 1)
        return HOST_NO_MEMORY;
    SettleActive(&event);
    ScheduleListEntry* entry = (ScheduleListEntry*)AllocHostRecord(sizeof(ScheduleListEntry));
    if (!entry || !AddScheduleEvent(&event)) {
        FreeHostRecord(entry);
        return HOST_NO_MEMORY;
    }
    ScheduleEvent* added = GetLastScheduleEvent();
    WriteScheduleEventFile(added->FilePath, added, "Main");
    FillScheduleListEntry(added, working.HostHandle, 0, entry);
    *out = entry;
    return HOST_DONE;
}
} // namespace

int __cdecl EditScheduleEvent(HWND owner, ScheduleListEntry* entry, ScheduleListEntry** out) {
    if (!out)
        return HOST_NO_MEMORY;
    *out = nullptr;
    if (entry && entry->Event)
        return EditStored(owner, entry, out);
    return CreateNew(owner, out);
}
