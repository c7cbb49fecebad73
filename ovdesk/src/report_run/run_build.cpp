// The report from the logs: the engine run, its polling and the summary.
#include "report_run/run_steps.h"
#include "report_run/overlap_notice.h"
#include "report_run/progress_dialog.h"
#include "report_run/progress_messages.h"
#include "report_run/report_delivery.h"
#include "report_dialog/create_report_dialog.h"
#include "desk_services.h"
#include "ids_host.h"
#include "ids_report_run.h"
#include "ovcore/ovcore.h"
#include <cstdio>

namespace {
enum { REPORT_KIND_SUMMARY = 6, LISTING_WIDTH = 76, SUMMARY_ERROR_SIZE = 512 };
enum { ERROR_NO_HISTORY_OVERLAP = 0x8005, ERROR_TOO_MANY = 0x8007, ERROR_NEED_CLUSTER = 0x8008 };

// The history-database overlap message, one server or several.
void HistoryOverlapMessage(const ReportRunJob& job) {
    UINT id = ServerList_Count(&job.Profile->Servers) > 1 ? IDS_OVERLAP_SERVERS : IDS_OVERLAP_FILES;
    char format[LOADTEXT_SLOT_SIZE], text[LOADTEXT_SLOT_SIZE + PROFILE_DESCRIPTION_SIZE];
    snprintf(text, sizeof text, LoadText(id, format, sizeof format), job.Profile->Description);
    RunMessage(job, IDS_DISABLE_HISTORY_CAPTION, 0, text);
}

void CreateFailed(const ReportRunJob& job, WORD error) {
    CloseProgressDialog();
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    UINT captionId = 0;
    UINT textId = CreateFailureTextId(error, &captionId);
    if (textId)
        RunMessage(job, captionId, textId);
    else
        HistoryOverlapMessage(job);
}

void ShowLinesRead(ReportHandle* report) {
    static char format[64];
    if (!format[0])
        LoadText(IDS_LINES_PROCESSED, format, sizeof format);
    char line[96];
    snprintf(line, sizeof line, format, (long)ADT_GetReportRecCount(report));
    SetProgressStatus(line);
}

// Peeks the run to its end or until the cancel word is set.
void PollReport(ReportHandle* report) {
    HWND progress = GetProgressDialog();
    while (RunState().CancelWord == RUN_GOING) {
        DWORD refreshed = 0;
        WORD record = 0;
        if (ORB_PeekReport(report, &refreshed, &record) != 0)
            break;
        if (refreshed) {
            DWORD percent = ADT_GetReportDonePercent(report);
            UpdateProgressPercent((int)percent);
            if (percent && progress)
                SendMessageA(progress, PROGRESS_SHOW_STOP, 0, 0);
            ShowLinesRead(report);
        }
        PumpWhenDue();
    }
}

// A report whose writer left a reason although it finished the output file
// (a style's logo or background picture missing): the report is complete,
// the reason a warning. Kept, so that a remote request's report is not replaced.
void WarnOfWriterReason(const ReportRunJob& job, const char* reason) {
    DisplayReportError(job.Dialog, nullptr, reason, 0, 0, 1);
}

// 1 when the writer finished the report's output file (the writer names it
// among its files only then); any reason it left is a warning. Else 0, the
// failure reported.
int WriteSummary(const ReportRunJob& job, ReportHandle* report) {
    HWND progress = GetProgressDialog();
    UpdateProgressPercent(0);
    SetProgressCaption(LoadTextSlot(IDS_BUILDING_SUMMARY, 1));
    SetProgressStatus(LoadTextSlot(IDS_CREATING_OUTPUT, 1));
    if (progress)
        EnableWindow(GetDlgItem(progress, IDC_PROGRESS_STOP), FALSE);
    PumpMessages();
    // A stop asked for the report of what was read: the writer must not see it as a cancel.
    RunState().CancelWord = RUN_GOING;
    void* written = ORB_DoSummary(report, SummaryPeekMessageCallback, UpdateStatusCallback);
    char reason[SUMMARY_ERROR_SIZE] = "";
    ORB_GetSummaryErrMsg(reason);
    if (written && HasProcessedFile(&RunState().Files, job.OutputFile)) {
        if (reason[0])
            WarnOfWriterReason(job, reason);
        return 1;
    }
    CloseProgressDialog();
    PumpMessages();
    char text[SUMMARY_ERROR_SIZE + 96];
    if (reason[0]) {
        char tail[96];
        snprintf(text, sizeof text, "%s%s", reason,
                 LoadText(IDS_DOCUMENT_IN_USE, tail, sizeof tail));
        RunMessage(job, IDS_SUMMARY_CAPTION, 0, text);
    } else {
        RunMessage(job, IDS_SUMMARY_CAPTION, IDS_COULD_NOT_BUILD);
    }
    return 0;
}

// Before a run over a history database: its logs must not overlap.
StepResult CheckHistoryRun(ReportRunJob& job) {
    if (!job.Profile->SwiftmereFlag)
        return STEP_GO_ON;
    WORD code = 0;
    ORB_CheckFileOverLap(job.Profile, job.Start, job.End, &code);
    if (code == ERROR_NO_HISTORY_OVERLAP) {
        CloseProgressDialog();
        HistoryOverlapMessage(job);
        return STEP_END_DONE;
    }
    if (job.Request && job.Request->RunMode == RUN_MODE_REALTIME) {
        // The engine of this build has no history-database writer.
        CloseProgressDialog();
        RunMessage(job, 0, IDS_REALTIME_FAILED);
        return STEP_END_DONE;
    }
    job.Profile->wRangeCode = job.RangeIndex;
    SetProgressCaption(LoadTextSlot(IDS_BUILDING_REPORT, 1));
    RunState().CancelWord = RUN_GOING;
    return STEP_GO_ON;
}
} // namespace

UINT CreateFailureTextId(WORD error, UINT* captionId) {
    static const struct {
        WORD Error;
        UINT Caption;
        UINT Text;
    } kMessages[] = {
        {REPORT_ERROR_NO_LOGS, IDS_NO_DATA_IN_RANGE_CAPTION, IDS_NO_DATA_IN_RANGE},
        {ERROR_NO_HISTORY_OVERLAP, IDS_DISABLE_HISTORY_CAPTION, 0},
        {ERROR_TOO_MANY, IDS_TOO_MANY_SERVERS_CAPTION, IDS_TOO_MANY_SERVERS},
        {ERROR_NEED_CLUSTER, IDS_NEED_CLUSTER_CAPTION, IDS_NEED_CLUSTER},
    };
    for (const auto& row : kMessages)
        if (row.Error == error) {
            *captionId = row.Caption;
            return row.Text;
        }
    *captionId = IDS_NO_DATA_CAPTION;
    return IDS_NO_REPORT;
}

StepResult BuildReport(ReportRunJob& job) {
    StepResult history = CheckHistoryRun(job);
    if (history != STEP_GO_ON)
        return history;
    LoadReportSections(job);
    WORD error = 0;
    WORD rangeCode = job.Profile->LogInfoValid == 1 ? 1 : job.RangeIndex;
    ReportHandle* report = ORB_Cre8Report(
        job.Progress, job.Profile, job.SetName, job.Profile->Description, job.OutputFile,
        LISTING_WIDTH, rangeCode, job.Start, job.End, REPORT_KIND_SUMMARY, 0, job.StyleName,
        job.LanguageName, g_ReportTitle, job.Sections, job.SectionCount, 0, &error);
    if (!report) {
        CreateFailed(job, error);
        FreeReportSections(job);
        return STEP_END_FAILED;
    }
    if (error == REPORT_ERROR_OVERLAP && !job.Profile->DontShowOverlapMsg && !job.Unattended &&
        !IsDeskUnattended())
        ShowOverlapNotice(job.Dialog, job.Profile);
    if (job.Progress)
        EnableWindow(GetDlgItem(job.Progress, IDC_PROGRESS_CANCEL), TRUE);
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    PollReport(report);
    StepResult result = STEP_END_FAILED;
    if (RunState().CancelWord == RUN_CANCEL) {
        CloseProgressDialog();
        if (job.Unattended)
            RunMessage(job, 0, IDS_CANCELLED);
    } else if (WriteSummary(job, report)) {
        job.ReportWritten = TRUE;
        UpdateProgressPercent(100);
        DeliverReport(job);
        result = STEP_END_DONE;
    }
    ORB_CloseReport(report, nullptr);
    FreeReportSections(job);
    return result;
}
