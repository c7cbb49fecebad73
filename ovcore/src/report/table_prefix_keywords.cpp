// Keywords that name a statistics table by its prefix, and the diagnostic
// totals over all tables.
#include <string.h>

#include "report/header_call.h"
#include "report/keyword_text.h"
#include "report/table_keywords.h"

// Prefixes that read another table than their own name says, or read it in
// reverse order; longer prefixes stand before those they begin with.
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
    {"TopUserSessions", NO_TABLE_NUMBER, 0},
    {"TopCompanies", TopCompanies, 1},
    {"TopBottom", TopDocuments, 0},
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

// The prefix, table number and order the keyword's table is read with;
// null when no table prefix begins the keyword.
static const char* PrefixTable(const char* keyword, int* number, int* order) {
    for (const auto& row : kPrefixTables) {
        if (CompareKeywordPrefix(keyword, row.prefix) == 0) {
            *number = row.number;
            *order = row.order;
            return row.prefix;
        }
    }
    *number = TableOfPrefix(keyword);
    *order = 0;
    return *number < 0 ? nullptr : g_ReportTableKeywords[*number].Keyword;
}

int EvaluateTablePrefixKeyword(const HeaderCall& call) {
    if (KeywordIs(call.keyword, "ServerStatsEndChapter") && ServerCount(call.run) <= 1) {
        SetHeaderMarker(call, "%%RemoveChapter%%");
        return 1;
    }
    int number = 0, order = 0;
    const char* prefix = PrefixTable(call.keyword, &number, &order);
    return prefix ? EvaluateHeaderTable(call, prefix, number, order) : 0;
}

const AnalysisTable* FindKeywordTable(const RunContext* run, const char* keyword, int* order) {
    int number = 0;
    if (!PrefixTable(keyword, &number, order))
        return nullptr;
    return number == NO_TABLE_NUMBER ? RunUserSessionsTable(run) : RunTable(run, number);
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
