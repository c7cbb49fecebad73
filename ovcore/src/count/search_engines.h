// Search engines and the words and phrases searched on them, counted from
// the referrers of a run's hits (keywords.ini in the data folder).
//
// Four tables take part: TopSearchKeywords counts engine names and
// TopSearchEngines the words searched on them; TopSearchPhraseEngines counts
// engine names and TopSearchKeyPhrases the whole phrases. Each word or
// phrase item and its engine item keep SearchDetail links to each other.
#pragma once
#include "run/report_handle.h"

// One text of an engine's ID or keyword-indicator list.
struct SearchString {
    SearchString* Next;
    char* Text;
};

// One engine of keywords.ini. The ID and indicator lists hold their texts
// from the last number to the first, and are tried in that order.
struct SearchEngine {
    SearchEngine* Next; // in the order of the file
    char* Name;         // empty for the node that stands for an empty list
    SearchString* Ids;
    SearchString* Indicators;
};

#define SEARCH_REFERRER_MAX 300 // characters of a referrer looked at
#define SEARCH_WORD_MAX 199     // characters of one word
#define SEARCH_PHRASE_MAX 2048  // a phrase stays shorter than this

// Count tables TopSearchKeywords (engines) and TopSearchEngines (words);
// 0 only when the engine list cannot be loaded, else 1.
int CountSearchEngineHit(ReportHandle* report, RunContext* context, HitRecord* hit, DWORD interval,
                         int newVisit);
// Count tables TopSearchPhraseEngines (engines) and TopSearchKeyPhrases
// (phrases); 0 only when the engine list cannot be loaded, else 1.
int CountSearchPhrase(ReportHandle* report, RunContext* context, HitRecord* hit, DWORD interval,
                      int newVisit);

// Reads keywords.ini of the report's data folder into context->SearchEngines
// unless the run has a list already; a missing file or one without engines
// gives a list that matches nothing, so the file is read once per run.
// 1, or 0 when memory is short (nothing is kept).
int LoadSearchEngines(ReportHandle* report, RunContext* context);
// Reads the engine list of one keywords.ini file. Null when memory is short;
// a file without engines gives the one node that matches nothing.
SearchEngine* ReadSearchEngines(const char* iniPath);
// Frees the list (null allowed).
void FreeSearchEngines(SearchEngine* list);

// The first engine whose ID occurs (case-sensitive) in the referrer's host
// part and one of whose indicators occurs in its query with text behind it;
// *searchText (may be null) then points behind that indicator. Null when the
// referrer is no search: no '.', then '/', then '?'. Only the first
// SEARCH_REFERRER_MAX characters count: callers pass a copy cut there.
const SearchEngine* FindSearchEngine(const SearchEngine* list, const char* referrer,
                                     const char** searchText);

// Walks the words of one search text. The text is the caller's own copy: it
// ends at its first '&', and that part is decoded of its %xx escapes once,
// in place.
struct SearchWords {
    char* Next;
};
void StartSearchWords(SearchWords* words, char* searchText);
// Copies the next word (words split at '"', '=', blank and '+'; trimmed of
// blanks and quotes; shorter than 2 characters skipped; at most
// SEARCH_WORD_MAX characters and size - 1) into buffer. 1, or 0 at the end.
int NextSearchWord(SearchWords* words, char* buffer, DWORD size);

// The link entry of that name in the item's links (case-blind name order),
// made with zero counts when missing. Null when memory is short.
SearchDetail* ItemLinks_FindOrAdd(AnalysisItem* item, const char* name);
// The same operation, used on the word or phrase item.
SearchDetail* ItemLinks_FindOrAddBack(AnalysisItem* item, const char* name);
// One hit (and one visit when newVisit) on the word's link in the engine
// item and on the engine's link in the word item. 1, or 0 when memory is
// short.
int LinkItems(AnalysisItem* wordItem, AnalysisItem* engineItem, int newVisit);
