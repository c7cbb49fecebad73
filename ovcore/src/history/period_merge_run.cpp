// One stored day merged into a report's run context, and which tables the
// report then shows.
#include <initializer_list>

#include "tables/analysis_tables.h"
#include "tables/table_select.h"
#include "history/period_merge.h"
#include "ovcore/report_numbers.h"
#include "ovcore/settings.h"
#include "count/accumulate.h"

static void LeaveOut(int table) {
    g_ReportTableKeywords[table].Used = 0;
    g_ReportTableKeywords[table].Empty = 1;
}

static bool TooBig(const AnalysisTable* table) {
    return table->ovCount > (DWORD)GetBigTableCutoff();
}

int MergeVisitorTableItems(RunContext* report, AnalysisTable* to, AnalysisTable* from,
                           const PeriodPlace* place) {
    DWORD slots = from->lpItems ? from->ovCount + from->DeleteCount : 0;
    // The report's table gets a rest row when the day's has one (as a log
    // run's table of the same kind would), named as a log run names it.
    int rest = slots && from->lpItems[0] && from->lpItems[0]->ovOverflow == 1;
    if (!to->lpItems && rest && !InitTable(&report->Accum.Tables, to, 1))
        return 0;
    MergeTopNamesakes(from, TABLE_KIND_VISITOR);
    slots = from->lpItems ? from->ovCount + from->DeleteCount : 0;
    // Every slot but the rest row: a day's table need not have one, and
    // then its item 0 is a visitor like the others.
    for (DWORD i = 0; i < slots; ++i) {
        const AnalysisItem* item = from->lpItems[i];
        if (!item || item->ovDeleted || !item->ovString || item->ovOverflow == 1)
            continue;
        DWORD n = AddTableItem(to, item->ovString, rest);
        if (!n || !MergeItemCounts(report, to->lpItems[n - 1], item, TABLE_KIND_PLAIN, place))
            return 0;
    }
    return 1;
}

static void CloseOpenVisits(RunContext* period) {
    AnalysisTable* visitors = period->Period.TopUsersPtr;
    DWORD slots = visitors && visitors->lpItems ? visitors->ovCount + visitors->DeleteCount : 0;
    for (DWORD i = 0; i < slots; ++i)
        if (visitors->lpItems[i] && !visitors->lpItems[i]->ovDeleted)
            CloseVisit(period, visitors->lpItems[i]);
}

static int MergePaths(RunContext* report, RunContext* period, const PeriodPlace* place) {
    if (TooBig(&report->Period.TopTablesPtr[TopPaths]) ||
        GetModuleProfileInt("Defaults", "DisableTopPathsThroughSite", 0) == 1) {
        LeaveOut(TopPaths);
        return 1;
    }
    return MergeTopPaths(report, period, place);
}

int MergePeriodIntoRunContext(RunContext* report, RunContext* period, const PeriodPlace* place,
                              DWORD percentLow, DWORD percentHigh, MergeProgressProc progress) {
    CloseOpenVisits(period);
    MergeTemplateCounters(&report->Period, &period->Period);
    MergeHourArrays(report, period, place);
    AnalysisTable* r = report->Period.TopTablesPtr;
    AnalysisTable* p = period->Period.TopTablesPtr;
    for (int t = 0; t < RUN_TABLE_COUNT; ++t) {
        int ok = 1;
        if (t == TopCompanies || t == TopUsers) {
            if (TooBig(&r[t]))
                LeaveOut(t);
            else
                ok = MergeVisitorTableItems(report, &r[t], &p[t], place);
        } else if (t != TopPaths) {
            ok = MergeTableItems(report, t, &r[t], &p[t], place);
        }
        if (!ok)
            return 0;
        DWORD percent = percentLow + t * (percentHigh - percentLow) / RUN_TABLE_COUNT;
        if (progress && !progress(percent))
            return 0;
    }
    return MergePaths(report, period, place);
}

void MarkReportTables(RunContext* report) {
    AnalysisTable* r = report->Period.TopTablesPtr;
    for (int t = 0; t < RUN_TABLE_COUNT; ++t) {
        g_ReportTableKeywords[t].Used = 1;
        g_ReportTableKeywords[t].Empty = 0;
    }
    for (int t : {TopCompanies, TopUsers, TopPaths})
        if (TooBig(&r[t]))
            LeaveOut(t);
    // Lists that hold only the aggregate row say nothing.
    for (int t : {TopReferers, TopBrowsers, TopPlatforms, TopReferingSites})
        if (r[t].ovCount == 1)
            LeaveOut(t);
    for (int t = 0; t < RUN_TABLE_COUNT; ++t)
        if (r[t].ovCount == 0)
            LeaveOut(t);
}
