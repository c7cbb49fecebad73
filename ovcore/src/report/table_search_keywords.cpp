// The detail families of the search tables: row n names one kind (an
// engine, a keyword or a phrase) and its sub-entry m the other.
#include "ovcore/report_numbers.h"
#include "report/keyword_text.h"
#include "report/search_detail_values.h"
#include "report/table_call.h"
#include "report/table_values.h"

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

static void DetailValue(const TableCall& c, const DetailFamily& family, const char* suffix) {
    if (!GetTableRowItem(c.table, 0, c.n))
        return;
    if (CompareKeywordPrefix(suffix, family.rowWord) == 0) {
        SetValueText(c.value, c.size, RowName(c));
        return;
    }
    const SearchDetail* detail = GetRankedSearchDetail(c.table, c.n, c.m);
    if (!detail)
        return;
    if (CompareKeywordPrefix(suffix, family.subWord) == 0)
        SetValueText(c.value, c.size, detail->lpName);
    else if (CompareKeywordPrefix(suffix, "Hits") == 0)
        FormatCount(detail->dwHits, c.value, (int)c.size);
    else if (CompareKeywordPrefix(suffix, "AsPercent") == 0)
        FormatPercent(detail->dwHits, (double)SumTableHits(c.table, 0, TABLE_ALL_ITEMS), c.value,
                      (int)c.size);
    else if (CompareKeywordPrefix(suffix, "Users") == 0)
        FormatCount(detail->dwSessions, c.value, (int)c.size);
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
