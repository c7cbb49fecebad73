// The end of a log-analysis run: the tables are closed and ordered, the
// report language's words loaded, and the report written.
#include <string.h>

#include "core/progress_callback.h"
#include "logread/engine_link.h"
#include "ovcore/report_writer.h"
#include "ovcore/settings.h"
#include "summary_frame.h"
#include "write/summary_error.h"
#include "write/template_writer.h"
#include "count/accumulate.h"
#include "settings/install_folder.h"
#include "write/report_output.h"

// The report language's words replace the run's; on failure the run keeps
// the words it had.
static void LoadLanguageWords(ReportHandle* report, RunContext* run) {
    ReportIniSettings* words = ReadReportLanguageWords(report);
    if (!words)
        return;
    FreeSummaryArrays(run->Language);
    run->Language = words;
}

ORB_EXPORT(void*) ORB_DoSummary(ReportHandle* report, ORB_PEEKPROC peek, ORB_STATUSPROC status) {
    ClearSummaryError();
    if (!report) {
        SetSummaryError(SUMMARY_TEXT_NO_MEMORY, NULL);
        return NULL;
    }
    InstallFolder_EnsureSet();
    if (report->Run)
        report->Run->SortSetting = ReadSortSetting(report->StyleName);
    RunContext* run = EndSummaryContext(report);
    if (!run) {
        RestoreProgressCallbacks();
        return NULL;
    }
    // While the report is written the caller's callback is the only one.
    InstallProgressCallback(NULL, peek);
    report->Run = run;
    // A run the user stopped is reported from what was read, without the
    // slow parts.
    if (LogRead_IsCancelled() && run->Output)
        run->Output->Keywords.Cancelled = TRUE;
    LoadLanguageWords(report, run);
    WriteTemplateReport(report, run, status);
    RestoreProgressCallbacks();
    return run;
}
