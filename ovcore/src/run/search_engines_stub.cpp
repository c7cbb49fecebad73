// Until the engine list is read no referrer is a search engine.
#include "run/search_engines.h"

int CountSearchEngineHit(ReportHandle*, RunContext*, HitRecord*, DWORD, int) {
    return 1;
}
int CountSearchPhrase(ReportHandle*, RunContext*, HitRecord*, DWORD, int) {
    return 1;
}
void FreeSearchEngines(SearchEngine*) {}
