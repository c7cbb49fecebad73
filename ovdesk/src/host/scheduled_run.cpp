// Host code 11: runs a scheduled event. Everything it says goes to the
// host's status line and the scheduler log; no box waits.
#include "ovdesk/host_interface.h"
#include "desk_services.h"
#include "host/host_callbacks.h"
#include "host/profile_list.h"
#include "host/scheduled_run.h"
#include "host/status_record.h"
#include "definitions/report_definitions.h"
#include "report_dialog/create_report_dialog.h"
#include "report_run/report_run.h"
#include "schedule/schedule_events.h"
#include "view_log/view_log.h"
#include "resource_ids.h"
#include "ovkit/schedlog.h"
#include <cstdio>
#include <cstring>

namespace {
const char kCouldNotBuild[] = "Could NOT build the summary.";

// The event's profile: from the loaded list by file name, else read anew
// (owned then by *read, which the caller frees).
AnalysisProfile* FindEventProfile(const ScheduleEvent& event, AnalysisProfile** read) {
    *read = nullptr;
    AnalysisProfile** loaded = GetLoadedProfiles();
    for (DWORD i = 0; i < GetLoadedProfileCount(); ++i)
        if (_stricmp(loaded[i]->BaseName, event.SetName) == 0 &&
            _stricmp(loaded[i]->Extension, event.SetExtension) == 0)
            return loaded[i];
    char fileName[MAX_PATH];
    snprintf(fileName, sizeof fileName, "%s.%s", event.SetName, event.SetExtension);
    *read = ORB_GetSet(fileName);
    return *read;
}

// Runs the Create Report dialog hidden; its result, or -1 when it cannot be made.
INT_PTR RunHiddenReportDialog(HWND host, ReportRunRequest* request) {
    const DLGTEMPLATE* dialogTemplate = GetDialogTemplate(CREATE_REPORT_TEMPLATE);
    if (!dialogTemplate)
        return -1;
    CreateReportParams params = {};
    params.Request = request;
    return DialogBoxIndirectParamA(GetPluginInstance(), dialogTemplate, host, CreateReportDlg,
                                   (LPARAM)&params);
}

// Runs the View Log File dialog hidden over the event's memorized view; its
// result, or -1 when it cannot be made.
INT_PTR RunHiddenViewDialog(HWND host, ReportRunRequest* request) {
    const DLGTEMPLATE* dialogTemplate = GetDialogTemplate(IDD_VIEW_LOG);
    if (!dialogTemplate)
        return -1;
    return DialogBoxIndirectParamA(GetPluginInstance(), dialogTemplate, host, SetReportDlg,
                                   (LPARAM)request);
}

// Runs the event's activity; 1 when its report was written and delivered,
// else 0 with the reason. A run that ends well without a report (a realtime
// request, overlapping logs of a history database) or whose mail or upload
// failed has failed for whoever scheduled it.
int RunActivity(HWND host, ReportRunRequest* request, char* reason, size_t reasonSize) {
    snprintf(reason, reasonSize, "%s", kCouldNotBuild);
    if (request->Event->ActivityType == DEFINITION_VIEW)
        return RunHiddenViewDialog(host, request) == 1 ? 1 : 0;
    if (request->Event->ActivityType != DEFINITION_SUMMARY)
        return 0;
    ShowHostStatus("Building Scheduled Report...");
    INT_PTR result = RunHiddenReportDialog(host, request);
    ShowHostStatus("Complete.");
    if (result == 1 && LastRunOutcome() == RUN_REPORT_DELIVERED)
        return 1;
    if (result != -1 && GetLastRunMessage()[0])
        snprintf(reason, reasonSize, "%s", GetLastRunMessage());
    return 0;
}

void ReportOutcome(const ScheduleEvent& event, int success, const char* reason) {
    char line[600];
    snprintf(line, sizeof line, "(%s)", success ? "Success" : "Failed");
    ShowHostStatus(line);
    HINSTANCE module = GetLanguageModule();
    if (success) {
        OVKIT_WriteSchedulerLogFile(module, nullptr, "Success");
        return;
    }
    snprintf(line, sizeof line, "\tReason:\t%s", reason);
    ShowHostStatus(line);
    OVKIT_WriteSchedulerLogFile(module, "\tFailed", reason);
    // A remote requester waits on its status record: tell it no report came.
    if (event.Remote == EVENT_REMOTE_REQUEST)
        WriteStatusRecord(event.SaveAsFilename, STATUS_FAILED, reason);
}

void ForgetRemoteRequest(ScheduleListEntry* entry) {
    ScheduleEvent* event = entry->Event;
    if (!event || event->Remote != EVENT_REMOTE_REQUEST)
        return;
    char path[MAX_PATH];
    if (FindReportDefinition(DEFINITION_SUMMARY, event->Server, event->SetName, event->SetExtension,
                             event->Memorized, nullptr, path, 0))
        DeleteReportDefinition(path);
    RemoveScheduleEvent(event);
    entry->Event = nullptr;
}
} // namespace

int RunScheduledEvent(HWND host, ScheduleListEntry* entry, char* reason, size_t reasonSize) {
    snprintf(reason, reasonSize, "%s", kCouldNotBuild);
    if (!entry || !entry->Event)
        return 0;
    ScheduleEvent event = *entry->Event;
    char line[120];
    snprintf(line, sizeof line, "\t\t\t%s", event.SetDescription);
    OVKIT_WriteSchedulerLogFile(GetLanguageModule(), line, nullptr);
    ShowHostStatus("Building...");
    AnalysisProfile* read = nullptr;
    AnalysisProfile* source = FindEventProfile(event, &read);
    AnalysisProfile working = {};
    AnalysisProfile_Init(&working);
    int success = 0;
    if (!source) {
        snprintf(reason, reasonSize, "The profile %s.%s could not be read.", event.SetName,
                 event.SetExtension);
    } else if (AnalysisProfile_CopyNonRuntime(&working, source)) {
        PumpMessages();
        ReportRunRequest request = {
            &event, &working, GetLoadedProfiles(), GetLoadedProfileCount(),
            (WORD)(event.Remote == EVENT_REALTIME ? RUN_MODE_REALTIME : RUN_MODE_SCHEDULED)};
        success = RunActivity(host, &request, reason, reasonSize);
    }
    ReportOutcome(event, success, reason);
    ForgetRemoteRequest(entry);
    AnalysisProfile_FreeInternals(&working);
    AnalysisProfile_Free(read);
    return success;
}

int __cdecl HostRunScheduledEvent(HWND host, ScheduleListEntry* entry) {
    char reason[500];
    SetDeskUnattended(TRUE);
    RunScheduledEvent(host, entry, reason, sizeof reason);
    SetDeskUnattended(FALSE);
    return HOST_DONE;
}
