// One report run, from Start (or a scheduled event) to the delivered file.
#include "report_run/run_steps.h"
#include "report_run/progress_dialog.h"
#include "report_run/remote_status.h"
#include "report_run/report_delivery.h"
#include "desk_services.h"
#include "ids_report_run.h"
#include "ovcore/ovcore.h"

namespace {
enum { PUMP_INTERVAL_MS = 30 };
RunOutcome g_lastRunOutcome = RUN_NO_REPORT;
char g_progressCaption[LOADTEXT_SLOT_SIZE];

BOOL NobodyAnswers(const ReportRunRequest* request) {
    return request && (request->Event || request->RunMode == RUN_MODE_REALTIME);
}

StepResult OpenProgress(ReportRunJob& job) {
    UINT caption = job.Profile->SwiftmereFlag && job.Profile->RealtimeAnalysis
                       ? IDS_BUILDING_REPORT
                       : IDS_COLLECTING_SUMMARY;
    LoadText(caption, g_progressCaption, sizeof g_progressCaption);
    job.Progress =
        ShowProgressDialog(job.Dialog, &RunState().CancelWord, g_progressCaption, SW_SHOWNORMAL);
    PumpMessages();
    UpdateProgressPercent(0);
    return STEP_GO_ON;
}

StepResult RunSteps(ReportRunJob& job) {
    StepResult (*const steps[])(ReportRunJob&) = {PrepareOutputFile, CheckOutputFolder,
                                                  OpenProgress, FetchLogs, BuildReport};
    for (auto step : steps) {
        StepResult result = step(job);
        if (result != STEP_GO_ON)
            return result;
    }
    return STEP_END_DONE;
}
} // namespace

void RunMessage(const ReportRunJob& job, UINT captionId, UINT textId, const char* text) {
    DisplayReportError(job.Dialog, nullptr, text, captionId, textId, 0);
}

void PumpWhenDue(void) {
    static DWORD last = 0;
    DWORD now = GetTickCount();
    if (now - last < PUMP_INTERVAL_MS)
        return;
    last = now;
    PumpMessages();
}

RunOutcome LastRunOutcome(void) {
    return g_lastRunOutcome;
}

int LastRunWroteReport(void) {
    return g_lastRunOutcome != RUN_NO_REPORT;
}

int RunReport(HWND dialog, HWND rangePage, AnalysisProfile* profile, WORD rangeIndex,
              WORD destinationKind, const char* outputName, const char* ftpUserName,
              const char* ftpPassword, const char* styleName, const char* languageName,
              ReportRunRequest* request) {
    g_lastRunOutcome = RUN_NO_REPORT;
    if (!profile)
        return 0;
    BeginRunState(request, profile);
    ResetRemotePercentClock();
    ReportRunJob job = {};
    job.Dialog = dialog;
    job.RangePage = rangePage;
    job.Profile = profile;
    job.RangeIndex = rangeIndex;
    job.Destination = destinationKind;
    job.OutputName = outputName ? outputName : "";
    job.FtpUserName = ftpUserName;
    job.FtpPassword = ftpPassword;
    job.StyleName = styleName && *styleName ? styleName : "(Default)";
    job.LanguageName = languageName;
    job.Request = request;
    job.Start = 0;
    job.End = 0xFFFFFFFF; // the whole log unless the Range page says otherwise
    job.Unattended = NobodyAnswers(request);

    StepResult result = RunSteps(job);
    CloseProgressDialog();

    ORB_FreeURL(profile);
    FinishRemoteRequest(job);
    ORB_DeleteTempZIPFiles(profile->BaseName);
    if (job.ReportWritten)
        g_lastRunOutcome = job.DeliveryFailed ? RUN_NOT_DELIVERED : RUN_REPORT_DELIVERED;
    EndRunState();
    return result == STEP_END_DONE ? 1 : 0;
}
