// Keywords that name a statistics table by its prefix, and the diagnostic
// totals over all tables.
#include <string.h>

#include "header_call.h"
#include "keyword_text.h"
#include "table_keywords.h"
#include "table_values.h"

// Prefixes that read another table than their own name says, or read its
// rows in another order; longer prefixes stand before those they begin with.
// The visits and the organisations are ordered behind their aggregate row;
// the least requested pages stand at the end of the documents, least first.
static const struct {
    const char* prefix;
    int number;
    int order;
} kPrefixTables[] = {
    {"ServerStats", TopBandwidth, 0},
    {"TopSearchEnginesKeywordDetail", TopSearchKeywords, 0},
    {"TopSearchEnginesKeyPhraseDetail", TopSearchPhraseEngines, 0},
    {"TopSearchEngines", TopSearchKeywords, 0},
    {"TopSearchKeywordsEngineDetail", TopSearchEngines, 0},
    {"TopSearchKeyPhrasesEngineDetail", TopSearchKeyPhrases, 0},
    {"TopSearchKeywords", TopSearchEngines, 0},
    {"RefererLogTopReferers", TopReferers, 0},
    {"RefererLogTopReferingSites", TopReferingSites, 0},
    {"AgentLogTopBrowsers", TopBrowsers, 0},
    {"AgentLogTopPlatforms", TopPlatforms, 0},
    {"AgentLogTopSpiders", TopSpiders, 0},
    {"AgentLogTopNetscape", TopNetscape, 0},
    {"AgentLogTopExplorer", TopExplorer, 0},
    {"TopUserSessions", NO_TABLE_NUMBER, TABLE_ROWS_AFTER_AGGREGATE},
    {"TopCompanies", TopCompanies, TABLE_ROWS_AFTER_AGGREGATE},
    {"TopBottom", TopDocuments, TABLE_ROWS_FROM_END},
};

static DWORD ServerCount(const RunContext* run) {
    return run->Servers ? run->Servers->dwCount : 0;
}

// The table row whose name is the longest prefix of the keyword, or -1.
static int TableOfPrefix(const char* keyword) {
    int best = -1;
    size_t bestLength = 0;
    for (int i = 0; i < RUN_TABLE_COUNT; ++i) {
        const char* name = g_ReportTableKeywords[i].Keyword;
        if (name && CompareKeywordPrefix(keyword, name) == 0 && strlen(name) > bestLength) {
            best = i;
            bestLength = strlen(name);
        }
    }
    return best;
}

bool FindKeywordTable(const char* keyword, KeywordTable* found) {
    for (const auto& row : kPrefixTables)
        if (CompareKeywordPrefix(keyword, row.prefix) == 0) {
            *found = {row.prefix, row.number, row.order};
            return true;
        }
    int number = TableOfPrefix(keyword);
    if (number < 0)
        return false;
    *found = {g_ReportTableKeywords[number].Keyword, number, TABLE_ROWS_FROM_START};
    return true;
}

int EvaluateTablePrefixKeyword(const HeaderCall& call) {
    if (KeywordIs(call.keyword, "ServerStatsEndChapter") && ServerCount(call.run) <= 1) {
        SetHeaderMarker(call, "%%RemoveChapter%%");
        return 1;
    }
    KeywordTable table;
    if (!FindKeywordTable(call.keyword, &table))
        return 0;
    return EvaluateHeaderTable(call, table.prefix, table.number, table.order);
}

static void AddTableFigures(const AnalysisTable* table, ULONGLONG* items, ULONGLONG* nameBytes) {
    for (DWORD i = 0; table && table->lpItems && i < table->ovCount; ++i) {
        ++*items;
        if (table->lpItems[i] && table->lpItems[i]->ovString)
            *nameBytes += strlen(table->lpItems[i]->ovString) + 1;
    }
}

int EvaluateDebugTotalsKeyword(const HeaderCall& call) {
    const char* k = call.keyword;
    bool count = KeywordIs(k, "TopTotalsDebugElemCount");
    bool names = KeywordIs(k, "TopTotalsDebugElemNameSize");
    bool size = KeywordIs(k, "TopTotalsDebugElemSize");
    if (!count && !names && !size)
        return 0;
    ULONGLONG items = 0, nameBytes = 0;
    for (int i = 0; i < RUN_TABLE_COUNT; ++i)
        AddTableFigures(RunTable(call.run, i), &items, &nameBytes);
    AddTableFigures(RunUserSessionsTable(call.run), &items, &nameBytes);
    SetHeaderCount(call, names ? nameBytes : size ? items * ANALYSIS_ITEM_SIZE : items);
    return 1;
}
