#include "history/database_update.h"
#include "ovcore/logread.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "core/message_sink.h"
#include "core/progress_callback.h"
#include "ovcore/registration.h"
#include "count/accumulate.h"
#include "run/run_setup.h"

// How far out of time order a log's lines may be: a server writes a line when
// its request ends, stamped with the time it began.
static const ORB_TIME kLineDisorder = 600;

static UpdateCountProc g_count;
static DWORD g_highestPercent; // only rises within one update
static DWORD g_lines;

void ResetUpdateProgress(void) {
    g_highestPercent = 0;
    g_lines = 0;
}

void SetUpdateCounter(UpdateCountProc count) {
    g_count = count;
}

static int HandOn(DnsRun* run, HitRecord* hit) {
    ReportHandle* report = (ReportHandle*)run->owner;
    return g_count ? g_count(report, hit) : AccumulateGuard(report, hit);
}

ORB_TIME GetPeriodDataLimit(PeriodHitSource* source, ORB_TIME current, ORB_TIME start, ORB_TIME end,
                            int* moreData) {
    ORB_TIME first = 0, last = 0, from = current ? current : start;
    *moreData = 0;
    if (!source->TimeRange(source->Context, &first, &last) || last <= from)
        return 0;
    *moreData = 1;
    return last <= end ? last - 1 : end;
}

static DWORD DonePercent(PeriodHitSource* source, DWORD count, DWORD index) {
    if (count == 0)
        count = 1;
    DWORD percent = index * 100 / count + source->DonePercent(source->Context) / count;
    if (percent > 100)
        percent = 100;
    if (percent < g_highestPercent)
        percent = g_highestPercent;
    return g_highestPercent = percent;
}

static int AskToGoOn(void* hostEntry, const char* label, DWORD percent) {
    int answer =
        CallProgressCallback(FALSE, (int)(INT_PTR)hostEntry, label, (int)g_lines, (int)percent, 0);
    if (answer == PROGRESS_STOP || Engine_IsAborted()) {
        Engine_SetAbort(TRUE);
        return 0;
    }
    return 1;
}

static void Status(UpdateStatusProc status, const char* label) {
    char text[300];
    if (!status)
        return;
    snprintf(text, sizeof(text), LoadCachedString(5673), label, (int)g_lines);
    status(0, text, 0);
}

// The hit's time, or 0 to skip it; records of referrer and agent logs take
// the last time seen.
static ORB_TIME HitTime(const HitRecord* hit, ORB_TIME lastSeen) {
    if (hit->wFormat == LOGFMT_REFERRER || hit->wFormat == LOGFMT_AGENT)
        return lastSeen;
    return hit->dwTime;
}

static void PrepareRun(ReportHandle* report, const MasterEntry* entry) {
    RunContext* run = report->Run;
    SetPeriodIntervals(PERIOD_DAY, &run->Intervals);
    run->Intervals.FirstStart = run->Intervals.RangeStart = entry->Start;
    run->Intervals.RangeEnd = entry->End;
    report->ReportKind = REPORT_KIND_TABLES;
    report->Dns.reportKind = REPORT_KIND_TABLES;
    report->Dns.handOn = HandOn;
    report->Dns.owner = report;
}

int AnalyzeLogIntoDatabase(void* hostEntry, const MasterEntry* entry, PeriodHitSource* source,
                           ReportHandle* report, DWORD periodCount, DWORD periodIndex,
                           UpdateStatusProc status, ORB_TIME* reached, int* moreData) {
    ORB_TIME from = entry->Current ? entry->Current : entry->Start;
    *reached = from;
    *moreData = 0;
    // Servers write lines out of order: the period's hits may lie a little
    // before its first line or behind its last one.
    ORB_TIME readFrom = from > kLineDisorder ? from - kLineDisorder : 0;
    ORB_TIME readEnd =
        entry->End < (ORB_TIME)-1 - kLineDisorder ? entry->End + kLineDisorder : (ORB_TIME)-1;
    if (!source->Position(source->Context, readFrom, readEnd))
        return ANALYZE_FAILED;
    ORB_TIME limit = GetPeriodDataLimit(source, entry->Current, entry->Start, entry->End, moreData);
    char label[64];
    FormatDatabasePeriodLabel(PERIOD_DAY, entry->Start, label);
    if (!AskToGoOn(hostEntry, label, DonePercent(source, periodCount, periodIndex))) {
        AbandonDNSFifo();
        return ANALYZE_ABORTED;
    }
    PrepareRun(report, entry);
    int result = ANALYZE_NOTHING;
    ORB_TIME lastSeen = 0;
    HitRecord* hit;
    while (limit && source->Next(source->Context, &hit)) {
        ORB_TIME time = HitTime(hit, lastSeen);
        // An empty period takes its first second too. Hits of other periods,
        // and those past the limit (a later update takes them), are passed
        // over: a line behind them may still belong here.
        bool stored = entry->Current ? time <= from : time < from;
        if (time == 0 || stored || time > limit)
            continue;
        lastSeen = time;
        if (hit->lpszServerAddr && strcmp(hit->lpszServerAddr, "-") != 0)
            lstrcpynA(hit->szServerAddr, hit->lpszServerAddr, sizeof(hit->szServerAddr));
        if (QueueHitForDNS(&report->Dns, hit) != 1 || CheckDNS(&report->Dns) == DNS_CHECK_FAILED)
            return ANALYZE_FAILED;
        result = ANALYZE_ADDED;
        if (++g_lines % 500 == 0)
            Status(status, label);
        if (!AskToGoOn(hostEntry, label, DonePercent(source, periodCount, periodIndex)))
            return ANALYZE_ABORTED;
    }
    if (limit > *reached)
        *reached = limit;
    return result;
}

// Hands on every hit still in the ring. 1, or 0 when stopped or failed.
static int DrainRing(ReportHandle* report) {
    for (;;) {
        int state = CheckDNS(&report->Dns);
        if (state == DNS_CHECK_FAILED)
            return 0;
        if (state != DNS_CHECK_PENDING && state != DNS_CHECK_BUSY)
            return 1;
        Sleep(10);
        if (Engine_IsAborted())
            return 0;
    }
}

// The day's stored tables in a run context made from the settings, as a
// log run counts with them (document types, language words, limits).
// UPDATE_WRITTEN, or UPDATE_BAD_PERIOD (told to the user) or UPDATE_FAILED.
static int OpenPeriodRun(ReportHandle* report, AnalysisProfile* profile, const MasterEntry* entry,
                         HistoryDatabase* handle, const char* profilePath) {
    report->Profile = profile;
    report->StartTime = entry->Start;
    report->EndTime = entry->End;
    SetPeriodReportNames(report, profilePath);
    SetReportDataPaths(report);
    if (!SetupCountingContext(report))
        return UPDATE_FAILED;
    int read = ReadPeriod(entry, handle, report, profilePath);
    if (read == PERIOD_BAD) {
        TellUnreadablePeriod(handle, entry);
        return UPDATE_BAD_PERIOD;
    }
    if (read != PERIOD_LOADED && !MakeEmptyPeriodTables(report->Run))
        return UPDATE_FAILED;
    BindRunTables(report->Run);
    return UPDATE_WRITTEN;
}

static int Fail(ReportHandle* report, int* detail, int code, int abandon) {
    if (abandon)
        AbandonDNSFifo();
    FreePeriodReport(report);
    *detail = code;
    return 0;
}

int AddToCurrentDatabase(AnalysisProfile* profile, PeriodHitSource* source, HistoryDatabase* handle,
                         DWORD n, void* hostEntry, DWORD periodCount, DWORD periodIndex,
                         const char* profilePath, int* detail, UpdateStatusProc status) {
    ReportHandle* report = (ReportHandle*)calloc(1, sizeof(ReportHandle));
    if (!report || n >= handle->EntryCount) {
        free(report);
        *detail = UPDATE_FAILED;
        return 0;
    }
    MasterEntry entry = handle->Entries[n];
    int opened = OpenPeriodRun(report, profile, &entry, handle, profilePath);
    if (opened != UPDATE_WRITTEN)
        return Fail(report, detail, opened, 0);
    report->Dns.dnsMode = profile ? profile->DNSLookup : 0;
    report->Dns.filters = profile ? profile->Filters : nullptr;
    ORB_TIME reached;
    int moreData;
    int result = AnalyzeLogIntoDatabase(hostEntry, &entry, source, report, periodCount, periodIndex,
                                        status, &reached, &moreData);
    if (result == ANALYZE_FAILED || result == ANALYZE_ABORTED)
        return Fail(report, detail, result == ANALYZE_FAILED ? UPDATE_FAILED : UPDATE_ABORTED, 1);
    if (!DrainRing(report))
        return Fail(report, detail, Engine_IsAborted() ? UPDATE_ABORTED : UPDATE_FAILED, 1);
    ORB_TIME current = reached >= entry.End ? entry.End + 1 : reached;
    // A day that got nothing stays empty (0) until it is complete.
    if (result != ANALYZE_ADDED && entry.Current == 0 && current <= entry.End)
        current = 0;
    // More to add only when the day is complete and the logs go on: a day
    // left open holds all the logs have to give for now.
    int more = current == entry.End + 1 && moreData;
    *detail = more ? UPDATE_MORE_DATA : UPDATE_NOTHING_NEW;
    if (result == ANALYZE_ADDED) {
        int written;
        if (!CommitPeriod(handle, n, report->Run, current, &written))
            return Fail(report, detail, UPDATE_WRITE_ERROR, 0);
        *detail = more ? UPDATE_MORE_DATA : UPDATE_WRITTEN;
    } else if (current != entry.Current && !SetMasterEntryCurrent(handle, n, current)) {
        return Fail(report, detail, UPDATE_WRITE_ERROR, 0);
    }
    FreePeriodReport(report);
    return 1;
}
