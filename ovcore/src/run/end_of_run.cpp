// The end of counting: the DNS ring drained, the last day and every visit
// closed, and each table ordered so that the rows the report shows stand
// at the front of its item array.
#include "count/accumulate.h"
#include "count/hit_updaters.h"

#include <stdlib.h>
#include <string.h>

#include "tables/name_store.h"
#include "tables/table_select.h"

#define DRAIN_LIMIT_MS 120000 // look-ups in flight end well before this

namespace {

const int kStep4[] = {Top404Errors,  TopBandwidth, TopForms,     TopDownloads,
                      TopExtensions, TopDirectory, TopCountries, TopSuffixes,
                      TopReferers,   TopBrowsers,  TopPlatforms, TopUsers};
const int kStep6[] = {TopCities,       TopStates,       TopVisitors,
                      TopServerErrors, TopClientErrors, TopFormErrors};
const int kStep8[] = {TopEntry,   TopExit,    TopSinglePage, TopPaths,    TopAds,    TopAdClicks,
                      TopAdViews, TopSpiders, TopNetscape,   TopExplorer, TopUploads};
const int kStep9[] = {TopAuthUsers, TopSearchEngines, TopSearchKeywords, TopSearchKeyPhrases,
                      TopSearchPhraseEngines};

DWORD TopN(int table) {
    return g_ReportTableKeywords[table].TopCount;
}

void SelectTop(RunContext* run, int table, int key) {
    AnalysisTable* t = RunTableOf(run, table);
    SelectTopItems(t, key, TopN(table), 0, t->ovCount);
}

template <size_t N> void SelectEach(RunContext* run, const int (&tables)[N], int key) {
    for (int table : tables)
        SelectTop(run, table, key);
}

// Visitor paths and page records refer to pages by their position.
void NumberItems(AnalysisTable* t) {
    DWORD slots = t->ovCount + t->DeleteCount;
    for (DWORD i = 0; t->lpItems && i < slots; ++i)
        if (t->lpItems[i])
            t->lpItems[i]->ovOriginalIndex = i;
}

// Hands on every hit still in the DNS ring (a stopped run keeps them).
void DrainDnsRing(ReportHandle* report) {
    DWORD start = GetTickCount();
    for (;;) {
        int answer = CheckDNS(&report->Dns);
        if (answer == DNS_CHECK_EMPTY || answer == DNS_CHECK_FAILED)
            return;
        if (GetTickCount() - start > DRAIN_LIMIT_MS)
            return;
        Sleep(1);
    }
}

} // namespace

RunContext* EndSummaryContext(ReportHandle* report) {
    if (!report || !report->Run)
        return nullptr;
    DrainDnsRing(report);
    EndRunTables(report->Run);
    return report->Run;
}

void EndRunTables(RunContext* context) {
    if (!context)
        return;
    CountDay(context, 0);
    AnalysisTable* visitors = context->Period.TopUsersPtr;
    DWORD slots = visitors ? visitors->ovCount + visitors->DeleteCount : 0;
    for (DWORD i = 0; visitors && visitors->lpItems && i < slots; ++i)
        CloseVisit(context, visitors->lpItems[i]);
    SortAndTrimReportTables(context, 1);
}

void SortAndTrimReportTables(RunContext* context, int mergeNamesakes) {
    if (!context || !context->Period.TopTablesPtr)
        return;
    // Item numbers change from here on: the cached ones are looked up again.
    ForgetItemNumbers(context);
    int key = context->SortSetting == 2 ? SORT_BY_USERS : SORT_BY_HITS;
    AnalysisTable* documents = RunTableOf(context, TopDocuments);
    NumberItems(documents);
    NumberItems(RunTableOf(context, TopForms));
    SelectTop(context, TopDocuments, key);
    DWORD top = TopN(TopDocuments) < documents->ovCount ? TopN(TopDocuments) : documents->ovCount;
    SelectBottomItems(documents, key, TopN(TopBottom), top, documents->ovCount);
    SelectEach(context, kStep4, key);
    AnalysisTable* companies = RunTableOf(context, TopCompanies);
    if (mergeNamesakes)
        MergeTopNamesakes(companies, TABLE_KIND_PLAIN);
    SelectTopItems(companies, key, TopN(TopCompanies), 1,
                   companies->ovCount + companies->DeleteCount);
    SelectEach(context, kStep6, key);
    SelectTop(context, TopReferingSites, SORT_BY_USERS);
    SelectEach(context, kStep8, key);
    if (context->Period.TopTablesCount > 36)
        SelectEach(context, kStep9, key);
    AnalysisTable* hours = RunTableOf(context, TopHours);
    SelectTopItems(hours, SORT_BY_NAME, hours->ovCount, 0, hours->ovCount);
    // The visits, longest first, behind their aggregate row.
    AnalysisTable* visitors = context->Period.TopUsersPtr;
    if (visitors && visitors->lpItems)
        SelectTopItems(visitors, SORT_BY_VISIT_LENGTH, visitors->ovCount, 1,
                       visitors->ovCount + visitors->DeleteCount);
}

void ForgetItemNumbers(RunContext* run) {
    AccumulateState& s = run->Accum;
    ForgetAgents(run);
    s.FixedItemsMade = 0;
    memset(s.Memo, 0, sizeof s.Memo);
    memset(s.ServerErrorItems, 0, sizeof s.ServerErrorItems);
    memset(s.ClientErrorItems, 0, sizeof s.ClientErrorItems);
}

void FreeAccumulateState(RunContext* run) {
    ForgetItemNumbers(run);
    free(run->Accum.CompanyEntries);
    run->Accum.CompanyEntries = nullptr;
    run->Accum.CompanyEntriesMade = FALSE;
    run->Accum.DayNumber = 0;
    NameStore_Release(run->Accum.Tables.Names); // tables that keep its names hold it on
    run->Accum.Tables.Names = nullptr;
}
