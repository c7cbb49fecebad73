// The detail families of the search tables: row n names one kind (an
// engine, a keyword or a phrase) and its sub-entry m the other.
#include "ovcore/report_numbers.h"
#include "keyword_text.h"
#include "table_call.h"
#include "table_values.h"
#include "count/search_tables.h"

struct DetailFamily {
    const char* prefix;
    const char* rowWord; // name of the row's own kind
    const char* subWord; // name of the sub-entry's kind
};

static const DetailFamily kFamilies[] = {
    {"TopSearchEnginesKeywordDetail", "EngineName", "KeywordName"},
    {"TopSearchKeywordsEngineDetail", "KeywordName", "EngineName"},
    {"TopSearchEnginesKeyPhraseDetail", "EngineName", "KeyPhraseName"},
    {"TopSearchKeyPhrasesEngineDetail", "KeyPhraseName", "EngineName"},
};

// Reads the run's search tables through their own accessors. Naming the
// row first ranks its sub-entries by count, largest first, so that [n,m]
// is the m-th of them whichever keyword of the row comes first.
static void DetailValue(const TableCall& c, const DetailFamily& family, const char* suffix) {
    // The ranking reorders the row's links in place: the table is the run's.
    AnalysisTable* table = const_cast<AnalysisTable*>(c.table);
    GetTableItemName(table, c.n, 0, c.value, c.size);
    if (!c.value[0] || CompareKeywordPrefix(suffix, family.rowWord) == 0)
        return;
    GetTableSubItemName(table, c.n, c.m, c.value, c.size);
    if (!c.value[0] || CompareKeywordPrefix(suffix, family.subWord) == 0)
        return;
    DWORD hits = GetTableSubItemValue(table, c.n, c.m);
    if (CompareKeywordPrefix(suffix, "Hits") == 0)
        FormatCount(hits, c.value, (int)c.size);
    else if (CompareKeywordPrefix(suffix, "AsPercent") == 0)
        FormatPercent(hits, (double)SumTableHits(table, 0, TABLE_ALL_ITEMS), c.value, (int)c.size);
    else if (CompareKeywordPrefix(suffix, "Users") == 0)
        FormatCount(GetTableSubItemSecondValue(table, c.n, c.m), c.value, (int)c.size);
    else
        c.value[0] = 0;
}

int EvaluateSearchDetailKeyword(const TableCall& c, const char* suffix) {
    for (const DetailFamily& family : kFamilies) {
        if (KeywordIs(c.prefix, family.prefix)) {
            DetailValue(c, family, suffix);
            return 1;
        }
    }
    return 0;
}
