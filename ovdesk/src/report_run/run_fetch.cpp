// The log fetch of a run and its range.
#include "report_run/run_steps.h"
#include "report_run/progress_dialog.h"
#include "report_dialog/range_page.h"
#include "desk_services.h"
#include "ids_report_run.h"
#include "ovcore/ovcore.h"
#include <cstdio>

namespace {
enum { FETCH_POLL_MS = 30 };

void ShowFetchPercent(UrlFetchHandle handle) {
    // The engine does not cap its transfer percent.
    WORD percent = ORB_GetURLDonePercent(handle);
    UpdateProgressPercent(percent > 100 ? 100 : percent);
}

// The copy-listing a cancelled fetch leaves behind ("<data>\<base>.dir").
void DeleteFetchListing(const AnalysisProfile* profile) {
    char datfiles[MAX_PATH] = "", listing[MAX_PATH];
    ORB_GetDatfilesPath(datfiles);
    int n = snprintf(listing, sizeof listing, "%s%s.dir", datfiles, profile->BaseName);
    if (n > 0 && n < (int)sizeof listing)
        DeleteFileA(listing);
}

bool LogFiguresKnown(const AnalysisProfile* p) {
    return p->LogSizeKB || p->FirstLogTime || p->LastLogTime || p->DatabaseFirstTime ||
           p->DatabaseLastTime;
}

enum { SERVER_PATH_SIZE = 300 };

// The log path of the profile's first server into path (SERVER_PATH_SIZE).
void FirstLogPath(AnalysisProfile* profile, char* path) {
    path[0] = '\0';
    if (ServerList_Count(&profile->Servers) > 0)
        ServerList_GetPath(&profile->Servers, 0, path);
}

// A fetch that could not start or could not read the logs: the engine's
// reason, or the general one.
StepResult FetchFailed(const ReportRunJob& job) {
    CloseProgressDialog();
    PumpMessages();
    char reason[FETCH_ERROR_SIZE] = "";
    ORB_GetURLErrMsg(reason);
    RunMessage(job, IDS_TRANSFER_CAPTION, IDS_TRANSFER_ERROR, reason[0] ? reason : nullptr);
    return STEP_END_FAILED;
}

StepResult LogNotOpened(const ReportRunJob& job) {
    CloseProgressDialog();
    PumpMessages();
    char reason[FETCH_ERROR_SIZE] = "";
    ORB_GetURLErrMsg(reason);
    if (reason[0]) {
        RunMessage(job, IDS_TRANSFER_CAPTION, 0, reason);
        return STEP_END_FAILED;
    }
    // Files that were found but hold no readable record are not a missing log.
    if (job.Profile->LogFiles.wcNumFiles > 0) {
        RunMessage(job, IDS_INVALID_LOG_CAPTION, IDS_INVALID_LOG);
        return STEP_END_FAILED;
    }
    char format[LOADTEXT_SLOT_SIZE], path[SERVER_PATH_SIZE],
        text[LOADTEXT_SLOT_SIZE + SERVER_PATH_SIZE];
    FirstLogPath(job.Profile, path);
    snprintf(text, sizeof text, LoadText(IDS_OPEN_LOG_FAILED, format, sizeof format), path);
    RunMessage(job, IDS_OPEN_LOG_CAPTION, 0, text);
    return STEP_END_FAILED;
}

StepResult Cancelled(const ReportRunJob& job) {
    CloseProgressDialog();
    if (job.Unattended)
        RunMessage(job, 0, IDS_CANCELLED);
    return STEP_END_FAILED;
}
} // namespace

StepResult FetchLogs(ReportRunJob& job) {
    ReportRunState& state = RunState();
    snprintf(job.SetName, sizeof job.SetName, "%s.%s", job.Profile->BaseName,
             job.Profile->Extension);
    UrlFetchHandle handle = nullptr;
    SetCursor(LoadCursor(nullptr, IDC_WAIT));
    short opened = ORB_OpenURL(job.Progress, job.SetName, &handle);
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    if (opened != 0)
        return FetchFailed(job);
    while (state.CancelWord == RUN_GOING && ORB_PeekURL() == 0) {
        ShowFetchPercent(handle);
        PumpMessages();
        Sleep(FETCH_POLL_MS);
    }
    ShowFetchPercent(handle);
    if (state.CancelWord == RUN_CANCEL) {
        ORB_CloseURL(job.Progress, handle, job.Profile);
        DeleteFetchListing(job.Profile);
        return Cancelled(job);
    }
    short closed = ORB_CloseURL(job.Progress, handle, job.Profile);
    // A cancel that came while the logs were being settled still cancels.
    if (state.CancelWord == RUN_CANCEL)
        return Cancelled(job);
    if (closed != 0)
        return LogNotOpened(job);
    if (!LogFiguresKnown(job.Profile)) {
        CloseProgressDialog();
        RunMessage(job, IDS_INVALID_LOG_CAPTION, IDS_INVALID_LOG);
        return STEP_END_FAILED;
    }
    state.CancelWord = RUN_GOING;
    // Without a Range page (a caller with no dialog) the run covers the whole log.
    if (job.RangePage) {
        ShowReportRange(job.RangePage, job.RangeIndex, job.Profile);
        ReadReportRange(job.RangePage, &job.Start, &job.End, job.Profile);
    }
    if (job.End < job.Start) {
        CloseProgressDialog();
        RunMessage(job, IDS_BAD_RANGE_CAPTION, IDS_BAD_RANGE);
        return STEP_END_FAILED;
    }
    return STEP_GO_ON;
}
