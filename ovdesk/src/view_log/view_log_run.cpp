// The run of the View Log File dialog: fetch, listing, viewer.
#include "view_log/view_log.h"
#include "viewer/viewer_request.h"
#include "report_run/progress_dialog.h"
#include "report_run/run_steps.h"
#include "desk_services.h"
#include "resource_ids.h"
#include "ovcore/ovcore.h"
#include <cstdio>
#include <cstring>

namespace {
enum { LISTING_WIDTH = 76, ERROR_TEXT_SIZE = 200, VIEWER_WAIT_MS = 100 };

void CreateFailed(const ReportRunJob& job, WORD error) {
    char reason[ERROR_TEXT_SIZE + 1] = "", format[LOADTEXT_SLOT_SIZE];
    ADT_GetErrorTxtMsg(error, reason, ERROR_TEXT_SIZE);
    char text[LOADTEXT_SLOT_SIZE + ERROR_TEXT_SIZE];
    snprintf(text, sizeof text, LoadText(IDS_VIEW_CREATE_FAILED, format, sizeof format), reason);
    RunMessage(job, IDS_VIEW_ERROR_CAPTION, 0, text);
}

// Peeks the run until it is over or the viewer is complete or gone.
void PollListing(ReportHandle* report, HWND viewer, const ViewerRequest& request) {
    while (!request.Complete && !request.Closed && IsWindow(viewer)) {
        DWORD refreshed = 0;
        WORD record = 0;
        if (ORB_PeekReport(report, &refreshed, &record) != 0)
            break;
        if (refreshed)
            SendMessageA(viewer, VIEWER_MORE_TEXT, 0, 0);
        PumpWhenDue();
    }
}

// Waits until the viewer closed, or its window is gone.
void WaitForViewer(HWND viewer, const ViewerRequest& request) {
    while (!request.Closed && IsWindow(viewer)) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, VIEWER_WAIT_MS, QS_ALLINPUT);
        PumpMessages();
    }
}

// The viewer over an open listing, until it is closed. 1 unless a scheduled
// run's save failed.
int ShowListing(const ReportRunJob& job, ReportHandle* report, WORD order) {
    ViewerRequest viewer = {};
    viewer.Report = report;
    viewer.ReportKind = order;
    lstrcpynA(viewer.Subject, job.Profile->Description, sizeof viewer.Subject);
    viewer.RunRequest = job.Unattended ? job.Request : nullptr;
    viewer.HelpContext = HELP_VIEWER;
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    HWND window = OpenViewer(job.Dialog, &viewer);
    if (!window)
        return 0;
    PollListing(report, window, viewer);
    if (IsWindow(window))
        SendMessageA(window, VIEWER_COMPLETE, 0, 0);
    BOOL keep = job.Request && job.Request->KeepViewer && *job.Request->KeepViewer;
    if (job.Unattended && !keep && IsWindow(window)) {
        SendMessageA(window, WM_COMMAND, IDC_VIEW_SAVE, 0);
        SendMessageA(window, WM_CLOSE, 0, 0);
    }
    if (!job.Unattended || !keep)
        WaitForViewer(window, viewer);
    if (IsWindow(window))
        DestroyWindow(window);
    SetFocus(job.Dialog);
    return !job.Unattended || keep || viewer.Saved;
}

int ListAndView(ReportRunJob& job, const ViewChoice& choice) {
    char folder[MAX_PATH] = "";
    // The engine puts the buffer files beside itself when given a folder.
    DWORD length = GetCurrentDirectoryA(MAX_PATH - 1, folder);
    if (length == 0 || length >= MAX_PATH - 1)
        strcpy(folder, ".");
    if (folder[strlen(folder) - 1] != '\\')
        strcat(folder, "\\");
    int kind = choice.ViewType == VIEW_TYPE_DETAILED ? VIEW_KIND_DETAILED : VIEW_KIND_STANDARD;
    LoadReportSections(job);
    WORD error = 0;
    ReportHandle* report = ORB_Cre8Report(
        job.Dialog, job.Profile, job.SetName, job.Profile->Description, folder, LISTING_WIDTH,
        job.RangeIndex, job.Start, job.End, kind, choice.OrderBy, "(Default)", "English",
        job.Profile->Description, job.Sections, job.SectionCount, 0, &error);
    int result = 0;
    if (!report)
        CreateFailed(job, error);
    else
        result = ShowListing(job, report, choice.OrderBy);
    ORB_CloseReport(report, nullptr);
    FreeReportSections(job);
    return result;
}
} // namespace

int RunUrlReport(HWND dialog, AnalysisProfile* profile, WORD rangeIndex, const ViewChoice& choice,
                 ReportRunRequest* request) {
    if (!profile)
        return 0;
    BeginRunState(request, profile);
    ReportRunJob job = {};
    job.Dialog = dialog;
    job.RangePage = dialog; // the range fields carry the Range page's ids
    job.Profile = profile;
    job.RangeIndex = rangeIndex;
    job.Request = request;
    job.Start = 0;
    job.End = 0xFFFFFFFF;
    job.Unattended = request && request->Event;
    char caption[LOADTEXT_SLOT_SIZE];
    LoadText(IDS_VIEW_COLLECTING, caption, sizeof caption);
    job.Progress = ShowProgressDialog(dialog, &RunState().CancelWord, caption,
                                      job.Unattended ? SW_HIDE : SW_SHOWNORMAL);
    UpdateProgressPercent(0);
    StepResult fetched = FetchLogs(job);
    CloseProgressDialog();
    int result = fetched == STEP_GO_ON ? ListAndView(job, choice) : 0;
    ORB_FreeURL(profile);
    ORB_DeleteTempZIPFiles(profile->BaseName);
    EndRunState();
    return result;
}
