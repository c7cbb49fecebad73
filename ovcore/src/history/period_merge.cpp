#include "history/period_merge.h"

#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "tables/analysis_tables.h"
#include "history/report_grid.h"
#include "history/top_paths.h"
#include "tables/item_intervals.h"
#include "tables/item_tail.h"

static void KeepDay(bool better, DWORD value, DWORD* kept, char* label, const char* today) {
    if (!better)
        return;
    *kept = value;
    lstrcpynA(label, today, RUN_DATE_TEXT);
}

void MergeTemplateCounters(PeriodBlock* r, const PeriodBlock* p) {
    DWORD hits = p->TodaysHits, users = p->TodaysUsers;
    KeepDay(hits > r->BusiestDayHits, hits, &r->BusiestDayHits, r->BusiestDayByHits, p->Today);
    KeepDay(hits && hits < r->QuietestDayHits, hits, &r->QuietestDayHits, r->QuietestDayByHits,
            p->Today);
    KeepDay(users > r->BusiestDayUsers, users, &r->BusiestDayUsers, r->BusiestDayByUsers, p->Today);
    KeepDay(users && users < r->QuietestDayUsers, users, &r->QuietestDayUsers,
            r->QuietestDayByUsers, p->Today);
    if (!p->TodayDateTime)
        return;
    ++r->DaysCounted;
    int weekday = (int)((p->TodayDateTime / 86400 + 4) % 7); // 1 January 1970 was a Thursday
    if (weekday >= 1 && weekday <= 5) {
        r->WeekdayHits += p->TodaysHits;
        r->WeekdayUsers += p->TodaysUsers;
        ++r->WeekdaysCounted;
    } else {
        r->WeekendHits += p->TodaysHits;
        r->WeekendUsers += p->TodaysUsers;
        ++r->WeekendDaysCounted;
    }
}

void MergeHourArrays(RunContext* report, const RunContext* period, const PeriodPlace* place) {
    static const size_t kCounters[] = {offsetof(PeriodBlock, NewVisits),
                                       offsetof(PeriodBlock, HomeVisits),
                                       offsetof(PeriodBlock, ForeignVisits),
                                       offsetof(PeriodBlock, UnknownVisits),
                                       offsetof(PeriodBlock, Hits),
                                       offsetof(PeriodBlock, HomePageHits),
                                       offsetof(PeriodBlock, NotModifiedHits),
                                       offsetof(PeriodBlock, FailedHits),
                                       offsetof(PeriodBlock, OtherMethodHits)};
    BYTE* r = (BYTE*)&report->Period;
    const BYTE* p = (const BYTE*)&period->Period;
    for (DWORD h = place->SkipHours; h < 24; ++h) {
        LONG slot = HourSlotIndex(report, place->Index, h, place->Start);
        if (slot < 0 || slot >= ANALYSIS_INTERVALS)
            continue;
        for (size_t at : kCounters)
            ((DWORD*)(r + at))[slot] += ((const DWORD*)(p + at))[h];
        report->Period.Bytes[slot] += period->Period.Bytes[h];
    }
    report->Period.DocumentHits += period->Period.DocumentHits;
    report->Period.FormHits += period->Period.FormHits;
    report->Period.FailedFormHits += period->Period.FailedFormHits;
    report->Period.UserSessionsTimeCount += period->Period.UserSessionsTimeCount;
    report->Period.UserSessionsTime += period->Period.UserSessionsTime;
    if (g_ReportTableKeywords[TopServerErrors].Used) {
        report->Period.Failed500 += period->Period.Failed500;
        report->Period.Failed501 += period->Period.Failed501;
        report->Period.Failed502 += period->Period.Failed502;
        report->Period.Failed503 += period->Period.Failed503;
    }
    if (g_ReportTableKeywords[TopClientErrors].Used) {
        report->Period.Failed400 += period->Period.Failed400;
        report->Period.Failed401 += period->Period.Failed401;
        report->Period.Failed402 += period->Period.Failed402;
        report->Period.Failed403 += period->Period.Failed403;
        report->Period.Failed404 += period->Period.Failed404;
    }
}

int MergeItemCounts(RunContext* report, AnalysisItem* to, const AnalysisItem* from, int kind,
                    const PeriodPlace* place) {
    if (kind == TABLE_KIND_BANDWIDTH && from->lpExtra && !to->lpExtra) {
        to->lpExtra = calloc(ANALYSIS_INTERVALS, sizeof(double));
        if (!to->lpExtra)
            return 0;
        to->ovTopNamesCount = ANALYSIS_INTERVALS;
    }
    for (DWORD h = place->SkipHours; h < 24; ++h) {
        LONG slot = HourSlotIndex(report, place->Index, h, place->Start);
        if (slot < 0 || slot >= ANALYSIS_INTERVALS)
            continue;
        // One counter at a time: making the next may move the block.
        if (DWORD hits = ItemHitsAt(from, h)) {
            DWORD* counter = ItemHitSlot(to, (DWORD)slot);
            if (!counter)
                return 0;
            *counter += hits;
        }
        if (DWORD users = ItemUsersAt(from, h)) {
            DWORD* counter = ItemUserSlot(to, (DWORD)slot);
            if (!counter)
                return 0;
            *counter += users;
        }
        if (kind == TABLE_KIND_BANDWIDTH && from->lpExtra && from->ovTopNamesCount > h)
            ((double*)to->lpExtra)[slot] += ((const double*)from->lpExtra)[h];
    }
    to->ovTotalByHits += from->ovTotalByHits;
    to->ovTotalByUsers += from->ovTotalByUsers;
    ItemPageTimes* times = ItemPageTimesOf(to);
    if (times) {
        times->ovTimeOnPages += ItemTimeOnPages(from);
        times->ovTimeOnPagesCount += ItemTimeOnPagesCount(from);
    }
    to->ovNonCachedTotalByHits += from->ovNonCachedTotalByHits;
    to->ovTotalBytes += from->ovTotalBytes;
    return 1;
}

static int MergeServerCounts(AnalysisItem* to, const AnalysisItem* from) {
    if (!from->lpExtra || !from->ovTopNamesCount)
        return 1;
    if (!to->lpExtra) {
        to->lpExtra = calloc(from->ovTopNamesCount, sizeof(DWORD));
        if (!to->lpExtra)
            return 0;
        to->ovTopNamesCount = from->ovTopNamesCount;
    }
    if (to->ovTopNamesCount == from->ovTopNamesCount)
        for (DWORD i = 0; i < from->ovTopNamesCount; ++i)
            ((DWORD*)to->lpExtra)[i] += ((const DWORD*)from->lpExtra)[i];
    return 1;
}

static SearchDetail* FindOrAddDetail(AnalysisItem* item, const char* name) {
    SearchDetail** details = (SearchDetail**)item->lpExtra;
    for (DWORD i = 0; i < item->ovTopNamesCount; ++i)
        if (details[i] && details[i]->lpName && lstrcmpiA(details[i]->lpName, name) == 0)
            return details[i];
    details = (SearchDetail**)realloc(details, (item->ovTopNamesCount + 1) * sizeof(void*));
    if (!details)
        return nullptr;
    item->lpExtra = details;
    SearchDetail* d = (SearchDetail*)calloc(1, sizeof(SearchDetail));
    char* copy = _strdup(name);
    if (!d || !copy) {
        free(d);
        free(copy);
        return nullptr;
    }
    d->dwSize = sizeof(SearchDetail);
    d->dwVersion = ANALYSIS_VERSION;
    d->lpName = copy;
    details[item->ovTopNamesCount++] = d;
    return d;
}

static int MergeSearchDetails(AnalysisItem* to, const AnalysisItem* from) {
    SearchDetail* const* details = (SearchDetail* const*)from->lpExtra;
    for (DWORD i = 0; details && i < from->ovTopNamesCount; ++i) {
        if (!details[i] || !details[i]->lpName)
            continue;
        SearchDetail* d = FindOrAddDetail(to, details[i]->lpName);
        if (!d)
            return 0;
        d->dwHits += details[i]->dwHits;
        d->dwSessions += details[i]->dwSessions;
    }
    return 1;
}

int MergeTableItems(RunContext* report, int tableNumber, AnalysisTable* to,
                    const AnalysisTable* from, const PeriodPlace* place) {
    int kind = TableKindOfNumber(tableNumber);
    DWORD slots = from->lpItems ? from->ovCount + from->DeleteCount : 0;
    // Every slot: live items may stand behind deleted ones.
    for (DWORD i = 0; i < slots; ++i) {
        const AnalysisItem* item = from->lpItems[i];
        if (!item || item->ovDeleted || !item->ovString)
            continue;
        DWORD n = AddTableItem(to, item->ovString);
        if (!n)
            return 0;
        AnalysisItem* target = to->lpItems[n - 1];
        if (!MergeItemCounts(report, target, item, kind, place))
            return 0;
        if (kind == TABLE_KIND_SERVERS && !MergeServerCounts(target, item))
            return 0;
        if (kind == TABLE_KIND_SEARCH && !MergeSearchDetails(target, item))
            return 0;
    }
    return 1;
}

int MergeTopPaths(RunContext* report, RunContext* period, const PeriodPlace* place) {
    AnalysisTable* r = report->Period.TopTablesPtr;
    AnalysisTable* p = period->Period.TopTablesPtr;
    AnalysisTable* paths = &p[TopPaths];
    DWORD slots = paths->lpItems ? paths->ovCount + paths->DeleteCount : 0;
    std::vector<std::string> kept(slots);
    for (DWORD i = 0; i < slots; ++i)
        if (paths->lpItems[i] && paths->lpItems[i]->ovString)
            kept[i] = paths->lpItems[i]->ovString;
    RenumberPagePaths(&r[TopDocuments], &r[TopForms], &p[TopDocuments], &p[TopForms], paths);
    int ok = MergeTableItems(report, TopPaths, &r[TopPaths], paths, place);
    // The renumbered names have the same length: put the old ones back.
    for (DWORD i = 0; i < slots; ++i)
        if (paths->lpItems[i] && paths->lpItems[i]->ovString)
            memcpy(paths->lpItems[i]->ovString, kept[i].c_str(), kept[i].size());
    return ok;
}
