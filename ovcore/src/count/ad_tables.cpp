// Ad views and ad clicks: an ad-view entry whose words all occur in the
// upper-cased URL.
#include "hit_updaters.h"

#include <string.h>

#define SLOT_AD_VIEWS 8
#define SLOT_AD_CLICKS 9

namespace {

// 1 when the entry has words of the kind and every one occurs in the URL.
// The words lie one after the other, each ended by its NUL: the view
// words first, then the click words.
bool AllWordsIn(const AdViewRecord& e, bool clicks, const char* url) {
    WORD count = clicks ? e.ClickWordCount : e.ViewWordCount;
    if (!count)
        return false;
    const char* word = e.Words;
    const char* end = e.Words + sizeof e.Words;
    for (WORD skip = clicks ? e.ViewWordCount : 0; skip && word < end; --skip)
        word += strnlen(word, size_t(end - word)) + 1;
    for (WORD i = 0; i < count; ++i) {
        if (word >= end)
            return false;
        size_t n = strnlen(word, size_t(end - word));
        if (word + n == end || !strstr(url, word))
            return false;
        word += n + 1;
    }
    return true;
}

int CountAd(HitPass* pass, const char* name, int table, int slot) {
    if (TableUsed(TopAds) && !CountRunItem(pass, TopAds, name, 0))
        return 0;
    if (!TableUsed(table))
        return 1;
    LONG index = RunTableIndex(pass, table, name);
    if (index < 0)
        return 0;
    AnalysisItem* item = RunTableOf(pass->run, table)->lpItems[index];
    TableItem_CountInterval(item, pass->interval);
    if (pass->visitor && SubItemIdFits(index) &&
        AddSubItemIdIn(pass->visitorBlocks, pass->visitor, slot, DWORD(index)))
        TableItem_CountSecondInterval(item, pass->interval);
    return 1;
}

} // namespace

int CountAds(HitPass* pass) {
    const RunContext* run = pass->run;
    if (!run->AdViewCount || !pass->hit->lpszUrl ||
        (!TableUsed(TopAds) && !TableUsed(TopAdViews) && !TableUsed(TopAdClicks)))
        return 1;
    char url[1300];
    lstrcpynA(url, pass->hit->lpszUrl, sizeof url);
    CharUpperA(url);
    for (WORD i = 0; i < run->AdViewCount; ++i) {
        const AdViewRecord& e = run->AdViews[i];
        bool view = AllWordsIn(e, false, url), click = AllWordsIn(e, true, url);
        if (view && !CountAd(pass, e.Name, TopAdViews, SLOT_AD_VIEWS))
            return 0;
        if (click && !CountAd(pass, e.Name, TopAdClicks, SLOT_AD_CLICKS))
            return 0;
        if (view || click)
            return 1;
    }
    return 1;
}
