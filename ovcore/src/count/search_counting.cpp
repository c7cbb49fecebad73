// Counting a hit whose referrer is a search engine's result page: the
// engine and each word it was searched with, then the engine and the whole
// phrase. Each count works on its own copy of the referrer, since finding
// the words decodes the text in place.
#include "tables/analysis_tables.h"
#include "tables/item_counters.h"
#include "search_engines.h"

#include <string.h>

namespace {

struct SearchPass {
    char Referrer[SEARCH_REFERRER_MAX + 1];
    const SearchEngine* Engine;
    SearchWords Words;
};

// Whether the first SEARCH_REFERRER_MAX characters of the referrer hold a
// '.', then a '/', then a '?': without them no engine can match, and the
// copy is not needed.
bool MayBeSearch(const char* referrer) {
    const char* p = referrer;
    const char* end = referrer + SEARCH_REFERRER_MAX;
    for (; p < end && *p && *p != '.'; ++p)
        ;
    for (; p < end && *p && *p != '/'; ++p)
        ;
    for (; p < end && *p && *p != '?'; ++p)
        ;
    return p < end && *p == '?';
}

// Finds the engine of the hit's referrer; false when it is no search.
bool StartPass(const RunContext* context, const HitRecord* hit, SearchPass* pass) {
    if (!hit || !hit->lpszReferrer || !context->Period.TopTablesPtr ||
        !MayBeSearch(hit->lpszReferrer))
        return false;
    lstrcpynA(pass->Referrer, hit->lpszReferrer, sizeof pass->Referrer);
    const char* text = nullptr;
    pass->Engine = FindSearchEngine(context->SearchEngines, pass->Referrer, &text);
    if (!pass->Engine)
        return false;
    StartSearchWords(&pass->Words, pass->Referrer + (text - pass->Referrer));
    return true;
}

// The item of name in table number, counted once; null when memory is short.
AnalysisItem* CountName(RunContext* context, int number, const char* name, DWORD interval,
                        int newVisit) {
    AnalysisTable* table = &context->Period.TopTablesPtr[number];
    DWORD index = AddTableItem(table, name);
    if (index == 0)
        return nullptr;
    AnalysisItem* item = table->lpItems[index - 1];
    TableItem_CountHit(item, interval, newVisit);
    g_ReportTableKeywords[number].Empty = 0;
    return item;
}

void LowerCase(char* text) {
    for (; *text; ++text)
        if (*text >= 'A' && *text <= 'Z')
            *text += 'a' - 'A';
}

bool IsJoiningWord(const char* text) {
    return strcmp(text, "and") == 0 || strcmp(text, "or") == 0;
}

// Counts the searched text (a word or the phrase) and links it both ways to
// the engine's item. False when memory is short.
bool CountSearched(RunContext* context, int number, char* text, AnalysisItem* engine,
                   DWORD interval, int newVisit) {
    LowerCase(text);
    if (!text[0] || IsJoiningWord(text))
        return true;
    AnalysisItem* item = CountName(context, number, text, interval, newVisit);
    return item && LinkItems(item, engine, newVisit);
}

// Loads the engine list, finds the hit's engine and counts it in the engine
// table. 0 when the list cannot be loaded, else 1 with *engine the engine's
// item, or null when the hit is no search (or memory is short).
int CountEngine(ReportHandle* report, RunContext* context, HitRecord* hit, int table,
                DWORD interval, int newVisit, SearchPass* pass, AnalysisItem** engine) {
    *engine = nullptr;
    if (!LoadSearchEngines(report, context))
        return 0;
    if (StartPass(context, hit, pass))
        *engine = CountName(context, table, pass->Engine->Name, interval, newVisit);
    return 1;
}

} // namespace

int CountSearchEngineHit(ReportHandle* report, RunContext* context, HitRecord* hit, DWORD interval,
                         int newVisit) {
    SearchPass pass;
    AnalysisItem* engine;
    if (!CountEngine(report, context, hit, TopSearchKeywords, interval, newVisit, &pass, &engine))
        return 0;
    char word[SEARCH_WORD_MAX + 1];
    while (engine && NextSearchWord(&pass.Words, word, sizeof word))
        if (!CountSearched(context, TopSearchEngines, word, engine, interval, newVisit))
            break;
    return 1;
}

int CountSearchPhrase(ReportHandle* report, RunContext* context, HitRecord* hit, DWORD interval,
                      int newVisit) {
    SearchPass pass;
    AnalysisItem* engine;
    if (!CountEngine(report, context, hit, TopSearchPhraseEngines, interval, newVisit, &pass,
                     &engine))
        return 0;
    if (!engine)
        return 1;
    char phrase[SEARCH_PHRASE_MAX];
    size_t length = 0;
    char word[SEARCH_WORD_MAX + 1];
    phrase[0] = 0;
    while (NextSearchWord(&pass.Words, word, sizeof word)) {
        size_t wordLength = strlen(word);
        size_t joined = length + (length ? 1 : 0) + wordLength;
        if (joined >= SEARCH_PHRASE_MAX)
            break;
        if (length)
            phrase[length++] = ' ';
        memcpy(phrase + length, word, wordLength + 1);
        length = joined;
    }
    CountSearched(context, TopSearchKeyPhrases, phrase, engine, interval, newVisit);
    return 1;
}
