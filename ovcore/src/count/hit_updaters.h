// What the per-hit updaters share: the hit in hand with its interval and
// visit, the run's tables and the counting helpers. Each updater returns 1
// (done or not applicable) or 0 (a table update failed: out of memory).
#pragma once
#include "tables/item_counters.h"
#include "ovcore/company.h"
#include "run/report_handle.h"

// ovBanned bits of a visitor item.
#define VISITOR_REJECTED 0x02 // the visit failed the visitor filter

// One hit on its way through the updaters.
struct HitPass {
    ReportHandle* report;
    RunContext* run;
    HitRecord* hit;
    DWORD interval;
    int newVisit;
    AnalysisItem* visitor;    // null for failed hits
    BlockPool* visitorBlocks; // the visitor table's sub-list blocks (null: the heap's)
    BOOL hasCompany;
    CompanyRecord company; // valid when hasCompany
    // Page name of the hit (run->Hits.PageName) and what it is.
    char extension[MAX_PATH]; // the page's extension without its dot, or ""
    // The page name with and without its query, and the client's address,
    // as the run's store keeps them (RunStoredName); null until made. The
    // tables take these names without a copy (RunTableIndex tells them by
    // their pointers).
    const char* storedPage;
    const char* storedPageWithoutQuery;
    const char* storedHost;
    BOOL isForm, isDocument, isUpload;
    const char* failedTable; // keyword of the table whose update failed
};

inline BOOL TableUsed(int table) {
    return g_ReportTableKeywords[table].Used != 0;
}
inline AnalysisTable* RunTableOf(RunContext* run, int table) {
    return run->Period.TopTablesPtr + table;
}

// The run's kept copy of name (name_store.h; the store is made on first
// use), so that the tables that take it hash it once and share it; null
// when memory is short.
const char* RunStoredName(RunContext* run, const char* name);
// 1 when name is one of the pass's stored names.
bool IsStoredName(const HitPass* pass, const char* name);
// The item number of name in table (made when new; the table's empty flag
// is cleared); -1 when memory is short (pass->failedTable is set), also when
// name is null (a stored name that could not be made).
LONG RunTableIndex(HitPass* pass, int table, const char* name);
// The item number of a key of a table whose keys are a small fixed set, kept
// in *slot as item plus one: the key's first hit looks up the name that
// name(buffer, size) gives, so items are made and numbered as by name; later
// hits skip the name and the hash. -1 when memory is short.
template <typename NameFn> LONG KeyedTableIndex(HitPass* pass, int table, LONG* slot, NameFn name) {
    if (*slot)
        return *slot - 1;
    char text[MAX_PATH];
    LONG index = RunTableIndex(pass, table, name(text, sizeof text));
    if (index >= 0)
        *slot = index + 1;
    return index;
}
// The same as the item; null when memory is short.
AnalysisItem* RunTableItem(HitPass* pass, int table, const char* name);
// RunTableItem, then the hit at the pass's interval, and a user when users.
AnalysisItem* CountRunItem(HitPass* pass, int table, const char* name, int users);
// The same, with the hit's server counted on the item too.
int CountRunItemWithServer(HitPass* pass, int table, const char* name);
// Text helpers of the per-hit path (ASCII letters fold; no locale look-ups).
// 1 when equal without regard to case; the first n characters only for
// SameTextPrefix.
bool SameText(const char* a, const char* b);
bool SameTextPrefix(const char* text, const char* prefix, size_t n);
// Language texts, never null.
const char* RunText(const char* text);

// Day accounting and the per-period counters (period_counts.cpp).
void CountDay(RunContext* run, DWORD time);
void CountPeriodHit(HitPass* pass);

// Page name of the hit into run->Hits (page_name.cpp); pass gets the
// extension. The home-page counter.
void BuildPageName(HitPass* pass);
void CountHomePage(HitPass* pass);

// Updaters in the order AccumulateHit calls them.
int CountVisitor(HitPass* pass, BOOL* ended);
int CountBandwidth(HitPass* pass);
int CountFailedHit(HitPass* pass);
int CountHostUser(HitPass* pass);
void MatchIntranet(HitPass* pass);
void LookupCompany(HitPass* pass);
int CountAds(HitPass* pass);
int CountEntryPage(HitPass* pass);
int CountDocument(HitPass* pass);
int CountDownloadOrUpload(HitPass* pass);
int CountExtension(HitPass* pass);
int CountDirectory(HitPass* pass);
int CountReferrer(HitPass* pass);
int CountReferringSite(HitPass* pass);
int CountAuthUser(HitPass* pass);
int CountAgent(HitPass* pass);
int CountSuffix(HitPass* pass);
int CountGeography(HitPass* pass);
int CountCompany(HitPass* pass);
int CountWeekday(HitPass* pass);
int CountHour(HitPass* pass);
int CountForm(HitPass* pass);

// Page time of a visitor reaching a document (form 0) or a form (form 1).
void CountPageTime(HitPass* pass, LONG pageItem, int form);
// Drops the agent cache (its item numbers no longer hold once tables move).
void ForgetAgents(RunContext* run);
// Drops every kept item number (agents, fixed and keyed items, the name
// memos): the tables' items are about to move.
void ForgetItemNumbers(RunContext* run);
// Frees the agent cache and the company entries.
void FreeAccumulateState(RunContext* run);
