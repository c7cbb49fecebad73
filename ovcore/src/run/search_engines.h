// Search engines and the words and phrases searched on them, counted from
// the referrers of a run's hits (keywords.ini in the data folder).
#pragma once
#include "run/report_handle.h"

struct SearchEngine; // the engine list, kept in the run context

// Count tables TopSearchKeywords (engines) and TopSearchEngines (words);
// 0 only when the engine list cannot be loaded, else 1.
int CountSearchEngineHit(ReportHandle* report, RunContext* context, HitRecord* hit, DWORD interval,
                         int newVisit);
// Count tables TopSearchPhraseEngines (engines) and TopSearchKeyPhrases
// (phrases); 0 only when the engine list cannot be loaded, else 1.
int CountSearchPhrase(ReportHandle* report, RunContext* context, HitRecord* hit, DWORD interval,
                      int newVisit);
// Frees the list (null allowed).
void FreeSearchEngines(SearchEngine* list);
