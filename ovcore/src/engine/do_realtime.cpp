// A report from the history database: the days of the range are brought up
// to date and merged, the report language's words replace the stored ones,
// and the report is written as the summary of a log run is.
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include "core/engine_state.h"
#include "core/progress_callback.h"
#include "history/database_report.h"
#include "logparse/w3c_warning.h"
#include "ovcore/logpath.h"
#include "ovcore/profile_file.h"
#include "write/relabel_words.h"
#include "write/run_report_services.h"
#include "write/summary_error.h"
#include "summary_frame.h"
#include "write/template_writer.h"
#include "count/accumulate.h"
#include "run/run_setup.h"
#include "write/report_output.h"

#define REALTIME_NO_REPORT 1

namespace {

struct RealtimeCall {
    ReportHandle* report;
    HGLOBAL sections; // locked while the call runs
};

// Every way out: the database run released, the section block unlocked and
// the callbacks restored.
WORD Finish(RealtimeCall& call, WORD code) {
    FreeDatabaseReportContext(call.report, 1);
    free(call.report);
    if (call.sections)
        GlobalUnlock(call.sections);
    RestoreProgressCallbacks();
    return code;
}

void Expand(char* path, const char* given) {
    lstrcpynA(path, given ? given : "", MAX_PATH);
    NormalizeLogPathAt(path, MAX_PATH, Engine_State().dataFolder, time(nullptr));
}

// The fetched copy of remote logs when there is one, else the profile's.
const ServerList* UpdateServers(AnalysisProfile* profile) {
    DWORD protocol = ServerList_GetProtocol(&profile->Servers);
    ServerList* fetched = Engine_State().fetchServerList;
    bool remote = protocol == SERVER_PROTOCOL_FTP || protocol == SERVER_PROTOCOL_HTTP;
    return remote && fetched ? fetched : &profile->Servers;
}

// The report language's words; the stored item names and day texts are
// brought into them. When that fails the run keeps the words it had.
void TakeLanguageWords(ReportHandle* report, RunContext* run) {
    ReportIniSettings* words = ReadReportLanguageWords(report);
    if (!words)
        return;
    ReportIniSettings* previous = run->Language;
    run->Language = words;
    if (previous && !RelabelRunContextWords(run, previous)) {
        run->Language = previous;
        FreeSummaryArrays(words);
        return;
    }
    FreeSummaryArrays(previous);
}

} // namespace

ORB_EXPORT(WORD)
ORB_DoRealtime(AnalysisProfile* profile, const char* outputPath, const char* styleName,
               ORB_PEEKPROC peek, ORB_STATUSPROC status, WORD mode, ORB_TIME start, ORB_TIME end,
               ORB_AFTERREADPROC afterRead, const char* language, HGLOBAL sections,
               DWORD sectionCount, const char* title, DWORD updateOnly, DWORD reserved) {
    (void)reserved;
    ClearSummaryError();
    W3C_ForgetWarnedFiles();
    RealtimeCall call = {(ReportHandle*)calloc(1, sizeof(ReportHandle)), nullptr};
    InstallProgressCallback(NULL, peek);
    Engine_SetAbort(FALSE);
    if (!call.report || !profile) {
        SetSummaryError(SUMMARY_TEXT_NO_MEMORY, nullptr);
        return Finish(call, REALTIME_NO_REPORT);
    }
    ReportHandle* report = call.report;
    report->Profile = profile;
    const TemplateSection* list = sections ? (const TemplateSection*)GlobalLock(sections) : nullptr;
    call.sections = list ? sections : nullptr;
    report->Sections = list;
    report->SectionCount = list ? (WORD)sectionCount : 0;
    SetReportTopCounts(report->Sections, report->SectionCount);
    report->CallerWord = profile->wRangeCode; // 1: the report's grid is the range's own
    lstrcpynA(report->StyleName, styleName ? styleName : "", MAX_PATH);

    char profilePath[MAX_PATH], output[MAX_PATH], logPath[MAX_PATH] = "";
    GenerateOrbisFilePath(profilePath, profile);
    Expand(output, outputPath);
    if (profile->Servers.dwCount && profile->Servers.lpServers[0])
        Expand(logPath, profile->Servers.lpServers[0]->szPath);
    if (profile->SwiftmereFlag == SWIFTMERE_NONE)
        return Finish(call, 0);

    WORD code = RunDatabaseReport(profile, profilePath, start, end, logPath, output, report,
                                  UpdateServers(profile), status, (int)updateOnly);
    RunContext* run = report->Run;
    if (run && run->Output && title)
        lstrcpynA(run->Output->ReportTitle, title, MAX_PATH);
    if (updateOnly)
        return Finish(call, code);
    if (code == DBREPORT_STOPPED)
        return Finish(call, DBREPORT_STOPPED);
    if (code != DBREPORT_DONE || !run || !run->Output)
        return Finish(call, REALTIME_NO_REPORT);

    run->SortSetting = ReadSortSetting(report->StyleName);
    SortAndTrimReportTables(run, 0);
    if (mode == 3)
        lstrcpynA(run->Output->OutputPath, outputPath ? outputPath : "", MAX_PATH);
    if (afterRead)
        afterRead();
    if (language && *language) {
        DeletePreparedTemplate(run);
        lstrcpynA(report->Language, language, REPORT_LANGUAGE_TEXT);
        PrepareReportTemplate(report, run);
    }
    TakeLanguageWords(report, run);
    WriteTemplateReport(report, run, status);
    return Finish(call, 0);
}
