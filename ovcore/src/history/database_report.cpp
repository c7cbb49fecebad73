// RunDatabaseReport: the range clamped to the data, the update pass over its
// days, and the merge of the stored days into the report's run context.
#include "history/database_report.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "core/progress_callback.h"
#include "history/database_update.h"
#include "history/period_merge.h"
#include "history/report_grid.h"
#include "ovcore/fileinfo.h"
#include "ovcore/logpath.h"
#include "ovcore/registration.h"
#include "run/run_setup.h"

#define DAY 86400u

namespace {

// The caller's status callback, for the update pass's C-convention one.
ORB_STATUSPROC g_status;

void PassStatus(int flag, const char* text, int kind) {
    if (g_status)
        g_status(flag, text, kind);
}

void TellDay(UINT id, const MasterEntry& entry) {
    char label[64], text[300];
    if (!g_status)
        return;
    FormatDatabasePeriodLabel(PERIOD_DAY, entry.Start, label);
    snprintf(text, sizeof(text), LoadCachedString(id), label, 0);
    g_status(0, text, 0);
}

int GoOn(DWORD percent) {
    if (CallProgressCallback(FALSE, 0, nullptr, 0, (int)percent, 0) == PROGRESS_STOP)
        Engine_SetAbort(TRUE);
    return !Engine_IsAborted();
}

struct Span {
    ORB_TIME first = 0, last = 0; // of the logs; 0 when they cannot be read
};

// The profile's logs as the update's source (listed when the profile holds
// no list yet), and their first and last times.
void OpenLogs(AnalysisProfile* profile, const ServerList* servers, PeriodHitSource* source,
              Span* logs) {
    if (FileInfo_GetFileCount(&profile->LogFiles) == 0 && servers)
        DetectLogDateFormat(nullptr, profile, servers, 0, 0, TRUE);
    MakeLogFileSource(profile, source);
    if (!source->Context || !source->TimeRange(source->Context, &logs->first, &logs->last))
        logs->first = logs->last = 0;
}

ORB_TIME SmallerNonZero(ORB_TIME a, ORB_TIME b) {
    return !a ? b : !b ? a : a < b ? a : b;
}

// The range cut to the data of the logs and of the database.
void ClampRange(const AnalysisProfile* profile, const Span& logs, ORB_TIME* start, ORB_TIME* end) {
    ORB_TIME lower = SmallerNonZero(logs.first, profile->DatabaseFirstTime);
    if (lower > *start)
        *start = lower;
    ORB_TIME db = profile->DatabaseLastTime;
    ORB_TIME upper = logs.last && db ? (logs.last > db ? logs.last : db)
                     : logs.last     ? logs.last
                                     : db;
    if (upper && upper < *end)
        *end = upper;
}

// The entries of the range: the first that ends at or after start, and the
// first from there that ends at or after end (else the last). 0 when no
// entry reaches the range.
int FindEntries(HistoryDatabase* db, ORB_TIME start, ORB_TIME end, DWORD* first, DWORD* last) {
    DWORD n = 0;
    while (n < db->EntryCount && db->Entries[n].End < start)
        ++n;
    if (n == db->EntryCount || db->Entries[n].Start > end)
        return 0;
    *first = n;
    while (n + 1 < db->EntryCount && db->Entries[n].End < end)
        ++n;
    *last = n;
    return 1;
}

int Close(HistoryDatabase* db, int code, int abandon) {
    if (abandon)
        AbandonDNSFifo();
    CloseHistoryDatabase(db);
    return code;
}

// Adds what the logs hold beyond the stored data to each open day of the
// range. DBREPORT_DONE, or the code to end with (the database closed).
int UpdateDays(AnalysisProfile* profile, const char* profilePath, PeriodHitSource* source,
               const Span& logs, HistoryDatabase* db, DWORD first, DWORD last) {
    ResetUpdateProgress();
    for (DWORD n = first; logs.first && n <= last; ++n) {
        const MasterEntry& e = db->Entries[n];
        if (e.End < logs.first || e.Start > logs.last || e.Current > e.End)
            continue;
        TellDay(5673, e);
        int detail = 0;
        if (AddToCurrentDatabase(profile, source, db, n, nullptr, last - first + 1, n - first,
                                 profilePath, &detail, PassStatus)) {
            ExtendDatabaseTimeRange(profile, &db->Entries[n]);
            continue;
        }
        // A day that failed is left as it was; the report cannot go on
        // without it when it was stopped, could not be read or stored.
        if (detail == UPDATE_ABORTED)
            return Close(db, DBREPORT_STOPPED, 0);
        if (detail == UPDATE_WRITE_ERROR || detail == UPDATE_BAD_PERIOD)
            return Close(db, DBREPORT_BAD_PERIOD, 0);
    }
    return DBREPORT_DONE;
}

// The database opened to update it; while another program updates it, a
// report reads the days stored so far. Null (the user told) on failure.
HistoryDatabase* OpenDatabase(AnalysisProfile* profile, const char* profilePath, const Span& logs,
                              int updateOnly) {
    HistoryDatabase* db = OpenHistoryDatabase(profile, profilePath, logs.first, logs.last, 1);
    if (!db && !updateOnly && HistoryOpenFailure() == HISTORY_OPEN_LOCKED) {
        db = OpenHistoryDatabaseToRead(profile, profilePath);
        if (db && g_status)
            g_status(0,
                     "The history database is being updated by another program: the report "
                     "shows the days stored so far.",
                     0);
    }
    if (!db)
        TellHistoryOpenFailure();
    return db;
}

// The month table is process-wide and stays as the last range computation
// left it: it serves only the range it was made for (its first second to
// its last), never a later range that merely lies within it.
void ApplyMonthTable(RunContext* run, ORB_TIME askedStart, ORB_TIME askedEnd) {
    const RealtimeMonthTable* m = GetRealtimeMonthTable();
    if (!m->Months || askedStart != m->Bounds[0] || askedEnd != m->Bounds[m->Months] - 1)
        return;
    run->CountByMonth = 1;
    run->Intervals.Count = (WORD)m->Months;
    memcpy(run->MonthStarts, m->Bounds, (m->Months + 1) * sizeof(ORB_TIME));
}

// The report's handle and run context, as a log run over the range has them.
int PrepareReport(ReportHandle* report, const char* profilePath, ORB_TIME start, ORB_TIME end,
                  const ORB_TIME asked[2], const char* logPath, const char* outputPath) {
    SetPeriodReportNames(report, profilePath);
    SetReportDataPaths(report);
    lstrcpynA(report->LogPath, logPath ? logPath : "", MAX_PATH);
    lstrcpynA(report->OutputFolder, outputPath ? outputPath : "", REPORT_OUTPUT_FOLDER);
    report->StartTime = start;
    report->EndTime = end;
    report->ReportKind = REPORT_KIND_TABLES;
    if (!SetupRunContext(report, 1))
        return 0;
    RunContext* run = report->Run;
    if (report->CallerWord == 1) {
        SetReportIntervalsForRange(run, start, end);
        SetReportRangeText(report);
    }
    ApplyMonthTable(run, asked[0], asked[1]);
    return 1;
}

// Merges the stored days first..last into the report. DBREPORT_DONE,
// DBREPORT_NO_DATA, or the code to end with.
int MergeDays(ReportHandle* report, ReportHandle* day, HistoryDatabase* db, DWORD first, DWORD last,
              ORB_TIME start, const char* profilePath, const char* logPath) {
    DWORD count = last - first + 1;
    int hadData = 0;
    for (DWORD n = first; n <= last; ++n) {
        DWORD low = (n - first) * 100 / count, next = (n + 1 - first) * 100 / count;
        if (!GoOn(low))
            return DBREPORT_STOPPED;
        const MasterEntry& e = db->Entries[n];
        TellDay(5674, e);
        if (e.Current == 0)
            continue;
        int loaded = 0;
        if (LoadPeriodForReport(db, &e, day, report, profilePath, logPath, &loaded) !=
            DBREPORT_DONE)
            return DBREPORT_BAD_PERIOD;
        PeriodPlace place = {n - first, e.Start, n == first ? FirstHourOffset(start, e.Start) : 0};
        DWORD high = next > low + 1 ? next - 1 : low;
        if (!MergePeriodIntoRunContext(report->Run, day->Run, &place, low, high, GoOn))
            return DBREPORT_STOPPED;
        hadData |= loaded;
    }
    return hadData ? DBREPORT_DONE : DBREPORT_NO_DATA;
}

} // namespace

WORD RunDatabaseReport(AnalysisProfile* profile, const char* profilePath, ORB_TIME start,
                       ORB_TIME end, const char* logPath, const char* outputPath,
                       ReportHandle* report, const ServerList* servers, ORB_STATUSPROC status,
                       int updateOnly) {
    if (end % DAY == 0)
        --end;
    const ORB_TIME asked[2] = {start, end};
    if (!profile || !report || profile->SwiftmereFlag == SWIFTMERE_NONE)
        return DBREPORT_NO_DATABASE;
    g_status = status;
    PeriodHitSource source;
    Span logs;
    OpenLogs(profile, servers, &source, &logs);
    HistoryDatabase* db = OpenDatabase(profile, profilePath, logs, updateOnly);
    DWORD first = 0, last = 0;
    int code = DBREPORT_NO_MASTER;
    if (db) {
        GetDatabaseTimeRange(profile);
        ClampRange(profile, logs, &start, &end);
        if (!FindEntries(db, start, end, &first, &last))
            code = Close(db, updateOnly ? DBREPORT_DONE : DBREPORT_NO_DATA, 0);
        else if (db->ReadOnly)
            code = DBREPORT_DONE; // the days as they are stored
        else if ((code = UpdateDays(profile, profilePath, &source, logs, db, first, last)) ==
                     DBREPORT_DONE &&
                 updateOnly)
            Close(db, code, 0);
    }
    CloseLogFileSource(&source);
    // From here on the database is open only when the report is to be made.
    if (code != DBREPORT_DONE || updateOnly)
        return (WORD)code;
    if (!GoOn(0))
        return (WORD)Close(db, DBREPORT_STOPPED, 1);
    if (!PrepareReport(report, profilePath, start, end, asked, logPath, outputPath))
        return (WORD)Close(db, DBREPORT_STOPPED, 0);
    ReportHandle* day = (ReportHandle*)calloc(1, sizeof(ReportHandle));
    code = day ? MergeDays(report, day, db, first, last, start, profilePath, logPath)
               : DBREPORT_STOPPED;
    FreeDatabaseReportContext(day, 1);
    free(day);
    Close(db, code, 0);
    g_status = nullptr;
    if (code == DBREPORT_DONE || code == DBREPORT_NO_DATA) {
        MarkReportTables(report->Run);
        GoOn(100);
    }
    return (WORD)code;
}
