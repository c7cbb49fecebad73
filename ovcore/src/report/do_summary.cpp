// The end of a log-analysis run: the tables are closed and ordered, the
// report language's words loaded, and the report written.
#include <string.h>

#include "core/engine_state.h"
#include "ovcore/report_writer.h"
#include "ovcore/settings.h"
#include "report/summary_frame.h"
#include "report/summary_error.h"
#include "report/template_writer.h"
#include "run/accumulate.h"
#include "settings/install_folder.h"

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
        report->Run->SortSetting = ReadSortSetting(report->SecondCallerText);
    RunContext* run = EndSummaryContext(report);
    if (!run) {
        RestoreCallbacks();
        return NULL;
    }
    InstallPeekCallback(peek);
    report->Run = run;
    LoadLanguageWords(report, run);
    WriteTemplateReport(report, run, status);
    RestoreCallbacks();
    return run;
}
