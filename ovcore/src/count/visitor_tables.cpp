// The visitor table (visits and their filter), the users and authenticated
// users, and bandwidth by server.
#include "hit_updaters.h"
#include "ovcore/logread.h"

#include <stdlib.h>

#include "filter/hit_filter.h"
#include "tables/table_lookup.h"

// The client's address counted into a table, as the run's store keeps it
// once for the visitor and user tables (a copy of the table's own when
// memory is short).
static DWORD InsertHost(HitPass* pass, int kind, int* created, AnalysisTable* table,
                        const char* preferredName, DWORD time, DWORD cachedTime, DWORD maxCached,
                        DWORD topLimit) {
    RunContext* run = pass->run;
    if (!pass->storedHost)
        pass->storedHost = RunStoredName(run, pass->hit->szClientAddr);
    if (pass->storedHost)
        return InsertStoredTableItem(kind, created, &run->Accum.Tables, table, pass->storedHost,
                                     preferredName, time, cachedTime, topLimit);
    return InsertTableItem(kind, created, &run->Accum.Tables, table, pass->hit->szClientAddr,
                           preferredName, time, cachedTime, maxCached, topLimit, 0);
}

int CountVisitor(HitPass* pass, BOOL* ended) {
    RunContext* run = pass->run;
    HitRecord* hit = pass->hit;
    *ended = FALSE;
    int created = 0;
    AnalysisTable* visitors = run->Period.TopUsersPtr;
    // A closed visit stays on the top list (the visits with the fewest hits
    // give way to the aggregate row when it is full), so that the report can
    // list the run's longest visits and not only those still open at its end.
    DWORD r = InsertHost(pass, TABLE_KIND_VISITOR, &created, visitors, hit->lpszCookie, hit->dwTime,
                         run->CachedTime, run->MaxCachedCount, run->MaxTopCount);
    if (!r) {
        pass->failedTable = "visitors";
        return 0;
    }
    AnalysisItem* v = visitors->lpItems[r - 1];
    if (created || hit->wFormat == LOGFMT_REFERRER) {
        const ProfileFilter* chain = run->Profile ? run->Profile->Filters : nullptr;
        if (!FilterVisit(chain, hit)) {
            v->ovBanned |= VISITOR_REJECTED;
            *ended = TRUE;
            return 1;
        }
        if (created) {
            ++run->Period.TodaysUsers;
            if (pass->interval < ANALYSIS_INTERVALS)
                ++run->Period.NewVisits[pass->interval];
        }
    }
    if (v->ovBanned & VISITOR_REJECTED) {
        *ended = TRUE;
        return 1;
    }
    TableItem_CountInterval(v, pass->interval);
    v->ovTotalBytes += double(hit->dwBytes);
    pass->visitor = v;
    pass->visitorBlocks = TableLookup_BlockPool(visitors, 1);
    pass->newVisit = created;
    return 1;
}

int CountBandwidth(HitPass* pass) {
    const HitRecord* hit = pass->hit;
    if (!TableUsed(TopBandwidth) || !hit->dwBytes)
        return 1;
    const ServerInfo* server = ServerList_Get(pass->run->Servers, hit->wServerIndex);
    AnalysisItem* item =
        CountRunItem(pass, TopBandwidth, server ? server->szName : "", pass->newVisit);
    if (!item)
        return 0;
    if (hit->bSuccess && hit->dwStatus != 304 && pass->interval < ANALYSIS_INTERVALS) {
        if (!item->lpExtra) {
            item->lpExtra = calloc(ANALYSIS_INTERVALS, sizeof(double));
            if (!item->lpExtra) {
                pass->failedTable = g_ReportTableKeywords[TopBandwidth].Keyword;
                return 0;
            }
            item->ovTopNamesCount = ANALYSIS_INTERVALS;
        }
        ((double*)item->lpExtra)[pass->interval] += double(hit->dwBytes);
    }
    item->ovTotalBytes += double(hit->dwBytes);
    return 1;
}

int CountHostUser(HitPass* pass) {
    if (!TableUsed(TopUsers))
        return 1;
    RunContext* run = pass->run;
    DWORD r = InsertHost(pass, TABLE_KIND_PLAIN, nullptr, RunTableOf(run, TopUsers), nullptr, 0, 0,
                         run->MaxCachedCount, run->MaxTopCount);
    if (!r) {
        pass->failedTable = g_ReportTableKeywords[TopUsers].Keyword;
        return 0;
    }
    g_ReportTableKeywords[TopUsers].Empty = 0;
    TableItem_CountHit(RunTableOf(run, TopUsers)->lpItems[r - 1], pass->interval, pass->newVisit);
    return 1;
}

int CountAuthUser(HitPass* pass) {
    const HitRecord* hit = pass->hit;
    if (!TableUsed(TopAuthUsers) || !hit->lpszUserName || !hit->lpszUserName[0])
        return 1;
    AnalysisItem* item = CountRunItem(pass, TopAuthUsers, hit->lpszUserName, 0);
    if (!item)
        return 0;
    // A user again after the cache time is a new session of that user.
    if (hit->dwTime > item->ovLastDateTime) {
        if ((unsigned long long)hit->dwTime - item->ovLastDateTime > pass->run->CachedTime)
            TableItem_CountSecondInterval(item, pass->interval);
        item->ovLastDateTime = hit->dwTime;
    }
    return 1;
}
