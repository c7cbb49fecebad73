// Technical statistics, form and status counters, and the chapters of the
// general, activity and technical statistics (which have no table).
#include "header_call.h"
#include "keyword_text.h"
#include "table_keywords.h"
#include "table_values.h"

static ULONGLONG SumPeriod(const DWORD (&values)[ANALYSIS_INTERVALS]) {
    ULONGLONG sum = 0;
    for (DWORD value : values)
        sum += value;
    return sum;
}

static int StatusCounter(const HeaderCall& call) {
    static const struct {
        const char* word;
        DWORD PeriodBlock::*counter;
    } kCounters[] = {
        {"WebServerError_500", &PeriodBlock::Failed500},
        {"WebServerError_501", &PeriodBlock::Failed501},
        {"WebServerError_502", &PeriodBlock::Failed502},
        {"WebServerError_503", &PeriodBlock::Failed503},
        {"WebClientError_400", &PeriodBlock::Failed400},
        {"WebClientError_401", &PeriodBlock::Failed401},
        {"WebClientError_402", &PeriodBlock::Failed402},
        {"WebClientError_403", &PeriodBlock::Failed403},
        {"WebClientError_404", &PeriodBlock::Failed404},
    };
    for (const auto& row : kCounters) {
        if (KeywordIs(call.keyword, row.word)) {
            SetHeaderCount(call, call.run->Period.*row.counter);
            return 1;
        }
    }
    return 0;
}

static int FormCounter(const HeaderCall& call) {
    const PeriodBlock& period = call.run->Period;
    DWORD failed = period.FailedFormHits;
    DWORD submitted = period.FormHits;
    if (KeywordIs(call.keyword, "FormsSubmittedSuccess"))
        SetHeaderCount(call, submitted > failed ? submitted - failed : 0);
    else if (KeywordIs(call.keyword, "FormsSubmittedFailed"))
        SetHeaderCount(call, failed);
    else if (KeywordIs(call.keyword, "FormsSubmittedFailedAsPercent"))
        SetHeaderPercent(call, failed, submitted);
    else
        return 0;
    return 1;
}

static int TechnicalFigure(const HeaderCall& call) {
    static const char* const kWords[] = {
        "TechnicalStatsTotalHits",  "TechnicalStatsSuccessfulHits",
        "TechnicalStatsFailedHits", "TechnicalStatsFailedHitsAsPercent",
        "TechnicalStatsCachedHits", "TechnicalStatsCachedHitsAsPercent",
    };
    int word = -1;
    for (int i = 0; i < 6 && word < 0; ++i)
        if (KeywordIs(call.keyword, kWords[i]))
            word = i;
    if (word < 0)
        return 0;
    if (RunHasNoVisitors(call.run)) {
        SetHeaderMarker(call, "%%Remove%%");
        return 1;
    }
    const PeriodBlock& period = call.run->Period;
    ULONGLONG hits = SumPeriod(period.Hits);
    ULONGLONG failed = SumPeriod(period.FailedHits);
    ULONGLONG cached = SumPeriod(period.NotModifiedHits);
    switch (word) {
    case 0:
        SetHeaderCount(call, hits);
        break;
    case 1:
        SetHeaderCount(call, hits > failed ? hits - failed : 0);
        break;
    case 2:
        SetHeaderCount(call, failed);
        break;
    case 3:
        SetHeaderPercent(call, (double)failed, (double)hits);
        break;
    case 4:
        SetHeaderCount(call, cached);
        break;
    default:
        SetHeaderPercent(call, (double)cached, (double)hits);
        break;
    }
    return 1;
}

int EvaluateTechnicalKeyword(const HeaderCall& call) {
    if (StatusCounter(call) || FormCounter(call) || TechnicalFigure(call))
        return 1;
    if (CompareKeywordPrefix(call.keyword, "TechnicalStats") != 0)
        return 0;
    if (KeywordIs(call.keyword, "TechnicalStatsEndChapter") ||
        KeywordIs(call.keyword, "TechnicalStatsEndSection"))
        SetHeaderMarker(call, "%%Keep%%");
    else
        EvaluateTableKeyword(call.report, call.run, call.value, call.size, call.keyword,
                             "TechnicalStats", nullptr, TechnicalStats, 0, call.markerFlag,
                             call.status);
    return 1;
}

// Total hits of a search table.
static void SearchTableHits(const HeaderCall& call, int number) {
    SetHeaderCount(call, SumTableHits(RunTable(call.run, number), 0, TABLE_ALL_ITEMS));
}

int EvaluateStatsChapterKeyword(const HeaderCall& call) {
    const char* k = call.keyword;
    if (KeywordIs(k, "GeneralStatsHeaderSearchEnginesHits"))
        SearchTableHits(call, TopSearchKeywords);
    else if (KeywordIs(k, "GeneralStatsSearchKeywordsHits"))
        SearchTableHits(call, TopSearchEngines);
    else if (KeywordIs(k, "GeneralStatsHeaderSearchPhraseEnginesHits"))
        SearchTableHits(call, TopSearchPhraseEngines);
    else if (KeywordIs(k, "GeneralStatsSearchKeyPhrasesHits"))
        SearchTableHits(call, TopSearchKeyPhrases);
    else if (KeywordIs(k, "GeneralStatsEndChapter") || KeywordIs(k, "GeneralStatsEndSection") ||
             KeywordIs(k, "ActivityStatsEndChapter") || KeywordIs(k, "ActivityStatsEndSection"))
        SetHeaderMarker(call, "%%Keep%%");
    else if (KeywordIs(k, "GeneralStatsBeginChapter") ||
             KeywordIsIndexed(k, "GeneralStatsBeginSection"))
        EvaluateTableKeyword(call.report, call.run, call.value, call.size, k, "GeneralStats",
                             nullptr, GeneralStats, 0, call.markerFlag, call.status);
    else if (CompareKeywordPrefix(k, "ActivityStats") == 0)
        EvaluateTableKeyword(call.report, call.run, call.value, call.size, k, "ActivityStats",
                             nullptr, ActivityStats, 0, call.markerFlag, call.status);
    else if (CompareKeywordPrefix(k, "GeneralStats") != 0)
        return 0;
    return 1;
}
