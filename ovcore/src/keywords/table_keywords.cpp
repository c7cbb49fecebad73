// Row cells, totals and diagnostic figures of a table keyword. The suffix
// is the first word of the list that the text behind the prefix starts
// with, so longer words stand before the words they begin with.
#include "table_keywords.h"

#include <stdio.h>
#include <string.h>

#include "tables/analysis_tables.h"
#include "core/text_cache.h"
#include "graphs/graph_draw.h"
#include "ovcore/registration.h"
#include "ovcore/report_numbers.h"
#include "keyword_text.h"
#include "table_call.h"
#include "table_values.h"
#include "run/run_setup.h"
#include "ovkit/text_copy.h"
#include "write/report_output.h"
#include "tables/item_tail.h"

#define SECTION_STATUS_TEXT 5598
#define MAX_RANKED_VALUES 256

static void SetCount(const TableCall& c, ULONGLONG count) {
    FormatCount(count, c.value, (int)c.size);
}

static void SetPercent(const TableCall& c, double part, double whole) {
    FormatPercent(part, whole, c.value, (int)c.size);
}

static ULONGLONG TableHits(const TableCall& c) {
    return SumTableHits(c.table, 0, TABLE_ALL_ITEMS);
}

const char* RowName(const TableCall& c) {
    const AnalysisItem* item = GetTableRowItem(c.table, c.order, c.n);
    return item ? item->ovString : "";
}

const char* ServerNameAt(const RunContext* run, DWORD m) {
    const ServerList* servers = run ? run->Servers : nullptr;
    if (!servers || !servers->lpServers || m >= servers->dwCount || !servers->lpServers[m])
        return nullptr;
    return servers->lpServers[m]->szName;
}

// Index of the value of row n with the m-th largest count (ties in stored
// order), or -1.
static int RankedValueIndex(const TableCall& c, DWORD m) {
    const AnalysisItem* item = GetTableRowItem(c.table, c.order, c.n);
    DWORD count = item && item->lpExtra && c.kind == TABLE_KIND_SERVERS ? item->ovTopNamesCount : 0;
    if (count > MAX_RANKED_VALUES)
        count = MAX_RANKED_VALUES;
    const DWORD* values = (const DWORD*)(item ? item->lpExtra : nullptr);
    for (DWORD i = 0; i < count; ++i) {
        DWORD rank = 0;
        for (DWORD j = 0; j < count; ++j)
            if (values[j] > values[i] || (values[j] == values[i] && j < i))
                ++rank;
        if (rank == m)
            return (int)i;
    }
    return -1;
}

// Last row the template shows of this table.
static DWORD LastRowShown(const TableCall& c) {
    if (c.number == NO_TABLE_NUMBER)
        return g_UserSessionsKeyword.BracketCount;
    if (c.number < 0 || c.number >= RUN_TABLE_COUNT)
        return 0;
    return g_ReportTableKeywords[c.number].BracketCount;
}

// Adds one figure of the rows shown (rows 0 to the last shown that exist).
template <typename Sum, typename Figure>
static Sum SumRowsShown(const TableCall& c, Figure figure) {
    Sum sum = 0;
    DWORD last = LastRowShown(c);
    for (DWORD row = 0; c.table && row <= last && row < c.table->ovCount; ++row)
        if (const AnalysisItem* item = GetTableRowItem(c.table, c.order, row))
            sum += figure(item);
    return sum;
}

static ULONGLONG HitsShown(const TableCall& c) {
    return SumRowsShown<ULONGLONG>(c, [](const AnalysisItem* item) { return item->ovTotalByHits; });
}

static ULONGLONG NameBytes(const AnalysisTable* table) {
    ULONGLONG bytes = 0;
    for (DWORD i = 0; table && table->lpItems && i < table->ovCount; ++i)
        if (table->lpItems[i] && table->lpItems[i]->ovString)
            bytes += strlen(table->lpItems[i]->ovString) + 1;
    return bytes;
}

static void ServerHits(const TableCall& c) {
    SetCount(c, GetTableItemValue(c.table, c.kind, c.order, c.n, c.m));
}
static void ServerHitsSorted(const TableCall& c) {
    int index = RankedValueIndex(c, c.m);
    if (index >= 0)
        SetCount(c, GetTableItemValue(c.table, c.kind, c.order, c.n, (DWORD)index));
}
static void Hits(const TableCall& c) {
    SetCount(c, GetTableItemHits(c.table, c.order, c.n));
}
static void ServerAsPercent(const TableCall& c) {
    SetPercent(c, GetTableItemValue(c.table, c.kind, c.order, c.n, c.m), (double)TableHits(c));
}
static void AsPercent(const TableCall& c) {
    SetPercent(c, GetTableItemHits(c.table, c.order, c.n), (double)TableHits(c));
}
static void Users(const TableCall& c) {
    SetCount(c, GetTableItemUsers(c.table, c.order, c.n));
}
static void ServerName2Sorted(const TableCall& c) {
    const char* name = ServerNameAt(c.run, c.m);
    int index = name ? RankedValueIndex(c, c.m) : -1;
    if (index >= 0)
        OvkitCopyText(c.value, c.size, ServerNameAt(c.run, (DWORD)index));
}
static void ServerName2(const TableCall& c) {
    OvkitCopyText(c.value, c.size, ServerNameAt(c.run, c.m));
}
static void IntervalHits(const TableCall& c) {
    SetCount(c, SumTableIntervalHits(c.table, 0, c.n));
}
static void IntervalUsers(const TableCall& c) {
    SetCount(c, SumTableIntervalUsers(c.table, 0, c.n));
}
// A visit's length is its summed time on pages; other rows show their
// average time on a page.
static void Time(const TableCall& c) {
    const AnalysisItem* visit =
        c.number == NO_TABLE_NUMBER ? GetTableRowItem(c.table, c.order, c.n) : nullptr;
    FormatDuration(visit ? ItemTimeOnPages(visit) : GetTableItemAverage(c.table, c.order, c.n),
                   c.value, c.size);
}
static void TotalHits(const TableCall& c) {
    SetCount(c, HitsShown(c));
}
static void TotalUsers(const TableCall& c) {
    SetCount(c, SumRowsShown<ULONGLONG>(
                    c, [](const AnalysisItem* item) { return item->ovTotalByUsers; }));
}
static void TotalAsPercent(const TableCall& c) {
    SetPercent(c, (double)HitsShown(c), (double)TableHits(c));
}
static void Bytes(const TableCall& c) {
    FormatByteCount(GetTableItemBytes(c.table, c.order, c.n), c.value, c.size);
}
static void TotalBytes(const TableCall& c) {
    SetCount(c, SumRowsShown<ULONGLONG>(
                    c, [](const AnalysisItem* item) { return KilobytesOf(item->ovTotalBytes); }));
}
static void NonCachedAsPercent(const TableCall& c) {
    SetPercent(c, GetTableItemNonCached(c.table, c.order, c.n),
               GetTableItemHits(c.table, c.order, c.n));
}
static void NonCachedBytes(const TableCall& c) {
    FormatByteCount(GetTableItemDoubleSum(c.table, c.kind, c.order, c.n), c.value, c.size);
}
static void TotalNonCachedBytes(const TableCall& c) {
    int kind = c.kind;
    DWORD last = LastRowShown(c);
    ULONGLONG sum = 0;
    for (DWORD row = 0; row <= last; ++row)
        sum += KilobytesOf(GetTableItemDoubleSum(c.table, kind, c.order, row));
    SetCount(c, sum);
}
static void DebugTableName(const TableCall& c) {
    OvkitCopyText(c.value, c.size, c.prefix);
}
static void DebugElemCount(const TableCall& c) {
    SetCount(c, c.table->ovCount);
}
static void DebugElemTopCount(const TableCall& c) {
    SetCount(c, c.table->TopCount);
}
static void DebugElemDelCount(const TableCall& c) {
    SetCount(c, c.table->DeleteCount);
}
static void DebugElemNameSize(const TableCall& c) {
    SetCount(c, NameBytes(c.table));
}
static void DebugElemSize(const TableCall& c) {
    SetCount(c, (ULONGLONG)c.table->ovCount * ANALYSIS_ITEM_SIZE);
}

struct SuffixRow {
    const char* word;
    bool needsRow; // read only for a row that exists and has a name
    void (*proc)(const TableCall&);
};

static const SuffixRow kSuffixes[] = {
    {"ServerHits2", true, ServerHits},
    {"ServerHitsSorted", true, ServerHitsSorted},
    {"ServerHits", true, ServerHits},
    {"Hits", true, Hits},
    {"ServerAsPercent", true, ServerAsPercent},
    {"AsPercent", true, AsPercent},
    {"Users", true, Users},
    {"ServerName2Sorted", true, ServerName2Sorted},
    {"ServerName2", true, ServerName2},
    {"IntervalHits", false, IntervalHits},
    {"IntervalUsers", false, IntervalUsers},
    {"Time", true, Time},
    {"TotalHits", false, TotalHits},
    {"TotalUsers", false, TotalUsers},
    {"TotalAsPercent", false, TotalAsPercent},
    {"Bytes", true, Bytes},
    {"TotalBytes", false, TotalBytes},
    {"NonCachedAsPercent", true, NonCachedAsPercent},
    {"NonCachedBytes", true, NonCachedBytes},
    {"TotalNonCachedBytes", false, TotalNonCachedBytes},
    {"DebugTableName", false, DebugTableName},
    {"DebugTable", false, DebugTableName},
    {"DebugElemCount", false, DebugElemCount},
    {"DebugElemTopCount", false, DebugElemTopCount},
    {"DebugElemDelCount", false, DebugElemDelCount},
    {"DebugElemNameSize", false, DebugElemNameSize},
    {"DebugElemSize", false, DebugElemSize},
};

// The first keyword of a table tells the status callback which section the
// writer has reached.
static void ReportSectionStart(RunContext* run, const char* prefix, ReportStatusProc status) {
    char* last = run && run->Output ? run->Output->Keywords.LastTablePrefix : nullptr;
    if (!last || _stricmp(last, prefix) == 0)
        return;
    OvkitCopyText(last, sizeof(run->Output->Keywords.LastTablePrefix), prefix);
    if (!status)
        return;
    const char* format = LoadCachedString(SECTION_STATUS_TEXT);
    if (strcmp(format, ORB_STRING_NOT_FOUND) == 0)
        format = "Section %s";
    char text[300];
    FormatValueText(text, sizeof(text), format, prefix);
    status(0, text, 0);
}

int EvaluateTableKeyword(ReportHandle* report, RunContext* run, char* value, DWORD size,
                         const char* keyword, const char* prefix, AnalysisTable* table,
                         int tableNumber, int order, DWORD* markerFlag, ReportStatusProc status) {
    OvkitCopyText(value, size, "");
    if (!value || !keyword || !prefix || CompareKeywordPrefix(keyword, prefix) != 0)
        return 0;
    ReportSectionStart(run, prefix, status);
    const char* suffix = keyword + strlen(prefix);
    if (EvaluateTableMarker(suffix, tableNumber, value, size, markerFlag) || !table)
        return 0;
    DWORD n = GetBracketNumber(keyword), m = GetBracketSecondNumber(keyword);
    TableCall call = {run,   table,  tableNumber, TableKindOfNumber(tableNumber),
                      order, prefix, keyword,     n,
                      m,     value,  size,        markerFlag};
    if (EvaluateSearchDetailKeyword(call, suffix) || EvaluateRowNameKeyword(call, suffix))
        return 0;
    if (CompareKeywordPrefix(suffix, "Graph") == 0 ||
        CompareKeywordPrefix(suffix, "NoeditGraph") == 0) {
        EvaluateGraphKeyword(call, report, status);
        return 0;
    }
    for (const SuffixRow& row : kSuffixes) {
        if (CompareKeywordPrefix(suffix, row.word) != 0)
            continue;
        if (!row.needsRow || GetTableRowItem(table, order, call.n))
            row.proc(call);
        return 0;
    }
    return 0;
}
