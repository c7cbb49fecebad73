// Advertising keywords: the views and clicks of each ad of the ads table,
// looked up by the ad's name in the ad-views and ad-clicks tables.
#include <string.h>

#include "header_call.h"
#include "keyword_text.h"
#include "table_keywords.h"
#include "table_values.h"

struct AdFigures {
    const AnalysisTable* ads;
    const AnalysisTable* views;
    const AnalysisTable* clicks;
};

// Hits (or users) of the named ad in one table.
static ULONGLONG AdCount(const AnalysisTable* table, const char* name, bool users) {
    return users ? FindItemUsersByName(table, name) : FindItemHitsByName(table, name);
}

// Sum over the ads first..end of their counts in one table.
static ULONGLONG AdsSum(const AdFigures& f, const AnalysisTable* table, DWORD end, bool users) {
    return users ? SumUsersOfNamesInTable(f.ads, 0, end, table)
                 : SumHitsOfNamesInTable(f.ads, 0, end, table);
}

// One ad's figure: "Views_" or "Clicks_" then "Hits", "Users" or
// "AsPercent"; "ClickThru_" then "Hits" or "Users".
static void AdValue(const HeaderCall& call, const AdFigures& f, const char* name,
                    const char* word) {
    bool clicks = CompareKeywordPrefix(word, "Clicks_") == 0;
    if (CompareKeywordPrefix(word, "ClickThru_") == 0) {
        bool users = KeywordIsIndexed(word + 10, "Users");
        if (users || KeywordIsIndexed(word + 10, "Hits"))
            SetHeaderPercent(call, (double)AdCount(f.clicks, name, users),
                             (double)AdCount(f.views, name, users));
        return;
    }
    if (!clicks && CompareKeywordPrefix(word, "Views_") != 0)
        return;
    const AnalysisTable* table = clicks ? f.clicks : f.views;
    const char* figure = word + (clicks ? 7 : 6);
    if (KeywordIsIndexed(figure, "Hits"))
        SetHeaderCount(call, AdCount(table, name, false));
    else if (KeywordIsIndexed(figure, "Users"))
        SetHeaderCount(call, AdCount(table, name, true));
    else if (KeywordIsIndexed(figure, "AsPercent"))
        SetHeaderPercent(call, (double)AdCount(table, name, false),
                         (double)AdsSum(f, table, TABLE_ALL_ITEMS, false));
}

// The total forms sum over the ads the template shows (at most all ads).
static int AdTotal(const HeaderCall& call, const AdFigures& f, const char* word) {
    DWORD shown = g_ReportTableKeywords[TopAds].BracketCount + 1;
    bool clicks = CompareKeywordPrefix(word, "Clicks_Total") == 0;
    if (CompareKeywordPrefix(word, "ClickThru_Total") == 0) {
        bool users = KeywordIs(word + 15, "Users");
        SetHeaderPercent(call, (double)AdsSum(f, f.clicks, shown, users),
                         (double)AdsSum(f, f.views, shown, users));
        return 1;
    }
    if (!clicks && CompareKeywordPrefix(word, "Views_Total") != 0)
        return 0;
    const AnalysisTable* table = clicks ? f.clicks : f.views;
    const char* figure = word + (clicks ? 12 : 11);
    if (KeywordIs(figure, "Hits"))
        SetHeaderCount(call, AdsSum(f, table, shown, false));
    else if (KeywordIs(figure, "Users"))
        SetHeaderCount(call, AdsSum(f, table, shown, true));
    else if (KeywordIs(figure, "AsPercent"))
        SetHeaderPercent(call, (double)AdsSum(f, table, shown, false),
                         (double)AdsSum(f, table, TABLE_ALL_ITEMS, false));
    return 1;
}

int EvaluateAdsKeyword(const HeaderCall& call) {
    const char* k = call.keyword;
    if (CompareKeywordPrefix(k, "TopAds") != 0)
        return 0;
    if (k[6] != '_')
        return EvaluateHeaderTable(call, "TopAds", TopAds, 0);
    char name[KEYWORD_VALUE_SIZE];
    char desc[40];
    const char* open = strrchr(k, '[');
    FormatValueText(desc, sizeof(desc), "TopAdsDesc%s", open ? open : "");
    HeaderCall nameCall = call;
    nameCall.keyword = desc;
    nameCall.value = name;
    nameCall.size = sizeof(name);
    DWORD ignored = 0;
    nameCall.markerFlag = &ignored;
    EvaluateHeaderTable(nameCall, "TopAds", TopAds, 0);
    if (!name[0])
        return 1;
    AdFigures f = {RunTable(call.run, TopAds), RunTable(call.run, TopAdViews),
                   RunTable(call.run, TopAdClicks)};
    if (!AdTotal(call, f, k + 7))
        AdValue(call, f, name, k + 7);
    return 1;
}
