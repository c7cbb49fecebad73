// The end of a log-analysis run: the tables are closed and ordered, the
// report language's words loaded, and the report written.
#include <string.h>

#include "core/engine_state.h"
#include "ovcore/report_writer.h"
#include "ovcore/settings.h"
#include "report/style_settings.h"
#include "report/summary_error.h"
#include "report/template_writer.h"
#include "run/accumulate.h"
#include "settings/install_folder.h"

// While the report is written the caller's peek callback is the only
// progress callback; afterwards the registered pump is back in slot 3.
static void InstallPeekCallback(ORB_PEEKPROC peek) {
    EngineState& s = Engine_State();
    s.progressSlot1 = NULL;
    s.progressSlot2 = peek;
    s.progressSlot3 = NULL;
}

static void RestoreCallbacks(void) {
    EngineState& s = Engine_State();
    s.progressSlot1 = NULL;
    s.progressSlot2 = NULL;
    s.progressSlot3 = s.registeredPump;
}

static int ReadSortSetting(const char* styleName) {
    char ini[MAX_PATH];
    if (!GetStyleIniPath(ini))
        return 0;
    return (int)GetPrivateProfileIntA(styleName, "Sort By", 0, ini);
}

// The report language's words replace the run's; on failure the run keeps
// the words it had.
static void LoadLanguageWords(ReportHandle* report, RunContext* run) {
    char moduleFolder[MAX_PATH];
    if (!ORB_GetMainPath(moduleFolder))
        return;
    ReportIniSettings* words = NULL;
    if (!ReadReportIniSettings(moduleFolder, report->Language, &words)) {
        FreeSummaryArrays(words);
        return;
    }
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
