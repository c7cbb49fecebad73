// A stored day loaded for a report from the history database, and the
// release of such a report's run.
#include <string.h>

#include "history/database_report.h"
#include "count/accumulate.h"
#include "count/hit_updaters.h"
#include "run/run_setup.h"

// The period's context is made once per report: a copy of the report's
// settings (the day's visits are closed with them). Each day empties it.
static int ReadyPeriodContext(ReportHandle* period, const ReportHandle* source) {
    if (!period->Run)
        return CopyRunContext(period, source, 0);
    RunContext* run = period->Run;
    FreePeriodTables(run);
    FreeAccumulateState(run);
    DWORD size = run->Period.dwSize, version = run->Period.dwVersion;
    memset(&run->Period, 0, sizeof(run->Period));
    run->Period.dwSize = size;
    run->Period.dwVersion = version;
    run->Period.QuietestDayHits = run->Period.QuietestDayUsers = 0xFFFFFFFF;
    return 1;
}

int LoadPeriodForReport(HistoryDatabase* handle, const MasterEntry* entry, ReportHandle* period,
                        const ReportHandle* source, const char* profilePath, const char* logPath,
                        int* hasData) {
    if (hasData)
        *hasData = 0;
    if (!ReadyPeriodContext(period, source))
        return DBREPORT_BAD_PERIOD;
    int read = ReadPeriod(entry, handle, period, profilePath);
    if (read == PERIOD_BAD)
        TellUnreadablePeriod(handle, entry);
    if (read == PERIOD_BAD || (read != PERIOD_LOADED && !MakeEmptyPeriodTables(period->Run)))
        return DBREPORT_BAD_PERIOD;
    if (hasData)
        *hasData = read == PERIOD_LOADED;
    RunContext* run = period->Run;
    BindRunTables(run);
    lstrcpynA(period->LogPath, logPath ? logPath : "", MAX_PATH);
    SetPeriodIntervals(PERIOD_DAY, &run->Intervals);
    run->Intervals.FirstStart = run->Intervals.RangeStart = entry->Start;
    run->Intervals.RangeEnd = entry->End;
    run->CountByMonth = 0;
    return DBREPORT_DONE;
}

void FreeDatabaseReportContext(ReportHandle* report, int flag) {
    (void)flag;
    if (report)
        FinishReport(report);
}
