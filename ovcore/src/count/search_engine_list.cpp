// The engine list of keywords.ini: [SearchEngines] names the engines
// (Engine1, Engine2, ...), and each engine's own section lists the texts of
// its host names (ID1, ...) and of the query parameters that open the
// search words (KeywordIndicator1, ...). Every list ends at its first
// missing key or at the value "NoMore".
#include "search_engines.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

const char kEnd[] = "NoMore";
const DWORD kValueSize = 260;

// The value of key prefix<number>, or false at the end of the list.
bool ReadListValue(const char* ini, const char* section, const char* prefix, int number,
                   char* value) {
    char key[64];
    snprintf(key, sizeof key, "%s%d", prefix, number);
    GetPrivateProfileStringA(section, key, kEnd, value, kValueSize, ini);
    return strcmp(value, kEnd) != 0;
}

// Puts each value of the list at the head of *head (the last read is first).
bool ReadStrings(const char* ini, const char* section, const char* prefix, SearchString** head) {
    char value[kValueSize];
    for (int n = 1; ReadListValue(ini, section, prefix, n, value); ++n) {
        if (!value[0])
            continue;
        SearchString* node = (SearchString*)calloc(1, sizeof(SearchString));
        if (!node)
            return false;
        node->Text = _strdup(value);
        if (!node->Text) {
            free(node);
            return false;
        }
        node->Next = *head;
        *head = node;
    }
    return true;
}

void FreeStrings(SearchString* list) {
    while (list) {
        SearchString* next = list->Next;
        free(list->Text);
        free(list);
        list = next;
    }
}

SearchEngine* NewEngine(const char* name) {
    SearchEngine* engine = (SearchEngine*)calloc(1, sizeof(SearchEngine));
    if (!engine)
        return nullptr;
    engine->Name = _strdup(name);
    if (!engine->Name) {
        free(engine);
        return nullptr;
    }
    return engine;
}

// The engines of [SearchEngines] in file order, without their lists.
bool ReadEngineNames(const char* ini, SearchEngine** list) {
    SearchEngine** tail = list;
    char value[kValueSize];
    for (int n = 1; ReadListValue(ini, "SearchEngines", "Engine", n, value); ++n) {
        if (!value[0])
            continue;
        *tail = NewEngine(value);
        if (!*tail)
            return false;
        tail = &(*tail)->Next;
    }
    return true;
}

bool ReadEngineLists(const char* ini, SearchEngine* list) {
    for (SearchEngine* e = list; e; e = e->Next)
        if (!ReadStrings(ini, e->Name, "ID", &e->Ids))
            return false;
    for (SearchEngine* e = list; e; e = e->Next)
        if (!ReadStrings(ini, e->Name, "KeywordIndicator", &e->Indicators))
            return false;
    return true;
}

// keywords.ini in the report's data folder, or false when there is none.
bool KeywordsPath(const ReportHandle* report, char* path, size_t size) {
    const char* folder = report ? report->DataPath : "";
    size_t length = strnlen(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    const char* slash = folder[length - 1] == '\\' || folder[length - 1] == '/' ? "" : "\\";
    int written = snprintf(path, size, "%.*s%skeywords.ini", (int)length, folder, slash);
    return written > 0 && (size_t)written < size;
}

} // namespace

SearchEngine* ReadSearchEngines(const char* iniPath) {
    SearchEngine* list = nullptr;
    if (iniPath && iniPath[0] &&
        !(ReadEngineNames(iniPath, &list) && ReadEngineLists(iniPath, list))) {
        FreeSearchEngines(list);
        return nullptr;
    }
    // An engine without IDs matches nothing; it marks the list as read.
    return list ? list : NewEngine("");
}

int LoadSearchEngines(ReportHandle* report, RunContext* context) {
    if (!context)
        return 0;
    if (context->SearchEngines)
        return 1;
    char path[MAX_PATH + 16];
    context->SearchEngines = ReadSearchEngines(KeywordsPath(report, path, sizeof path) ? path : "");
    return context->SearchEngines != nullptr;
}

void FreeSearchEngines(SearchEngine* list) {
    while (list) {
        SearchEngine* next = list->Next;
        FreeStrings(list->Ids);
        FreeStrings(list->Indicators);
        free(list->Name);
        free(list);
        list = next;
    }
}

const SearchEngine* FindSearchEngine(const SearchEngine* list, const char* referrer,
                                     const char** searchText) {
    if (!referrer)
        return nullptr;
    const char* dot = strchr(referrer, '.');
    const char* slash = dot ? strchr(dot, '/') : nullptr;
    const char* query = slash ? strchr(slash, '?') : nullptr;
    if (!query)
        return nullptr;
    char host[SEARCH_REFERRER_MAX + 1];
    size_t hostLength = (size_t)(slash - referrer);
    if (hostLength > SEARCH_REFERRER_MAX)
        hostLength = SEARCH_REFERRER_MAX;
    memcpy(host, referrer, hostLength);
    host[hostLength] = 0;

    for (const SearchEngine* e = list; e; e = e->Next) {
        for (const SearchString* id = e->Ids; id; id = id->Next) {
            if (!strstr(host, id->Text))
                continue;
            for (const SearchString* k = e->Indicators; k; k = k->Next) {
                const char* at = strstr(query, k->Text);
                if (at && at[strlen(k->Text)]) {
                    if (searchText)
                        *searchText = at + strlen(k->Text);
                    return e;
                }
            }
        }
    }
    return nullptr;
}
