// W3C field map: "#Fields:" directives and the per-file step at open.
#include "logparse/w3c_map.h"
#include "logparse/w3c_warning.h"
#include <stdlib.h>
#include <string.h>

// Entry 4 also names "s-ip"; the later entry 15 wins, as for every name
// that occurs twice.
static const char* const kFieldNames[W3C_FIELD_COUNT] = {
    "date",        "time",        "c-ip",           "cs-username", "s-ip",     "cs-method",
    "cs-uri-stem", "sc-status",   "cs-uri-query",   "sc-bytes",    "cs-bytes", "cs(User-Agent)",
    "cs(Cookie)",  "cs(Referer)", "s-computername", "s-ip"};

static const char kDefaultFields[] = "time c-ip cs-method cs-uri-stem sc-status\n";
static const char kFullFields[] =
    "date time c-ip cs-username s-sitename s-computername s-ip cs-method cs-uri-stem "
    "cs-uri-query sc-status sc-win32-status sc-bytes cs-bytes time-taken s-port cs-version "
    "cs(User-Agent) cs(Cookie) cs(Referer)\n";

W3CFieldMap* W3CFieldMap_New() {
    W3CFieldMap* map = (W3CFieldMap*)calloc(1, sizeof(W3CFieldMap));
    if (map)
        W3C_ResetMap(map);
    return map;
}

void W3CFieldMap_Free(W3CFieldMap* map) {
    free(map);
}

void W3C_ResetMap(W3CFieldMap* map) {
    for (int i = 0; i < W3C_MAX_COLUMNS; ++i)
        map->aiColumn[i] = W3C_COLUMN_NONE;
    map->dwColumns = 0;
    map->dwDeclared = 0;
    map->bHasDate = map->bHasTime = 0;
}

static int FieldIndex(const char* name, size_t len) {
    int found = W3C_COLUMN_UNKNOWN;
    for (int i = 0; i < W3C_FIELD_COUNT; ++i)
        if (strlen(kFieldNames[i]) == len && memcmp(kFieldNames[i], name, len) == 0)
            found = i;
    return found;
}

BOOL W3C_ParseFields(W3CFieldMap* map, const char* text, DWORD length) {
    W3C_ResetMap(map);
    DWORD i = 0;
    bool ended = false;
    while (i < length && !ended) {
        DWORD start = i;
        while (i < length && text[i] != ' ' && text[i] != '\t' && text[i] != '\r' &&
               text[i] != '\n' && text[i] != 0)
            ++i;
        if (i < length && (text[i] == '\r' || text[i] == '\n' || text[i] == 0))
            ended = true;
        if (i > start) {
            int index = FieldIndex(text + start, i - start);
            if (index == W3C_DATE)
                map->bHasDate = 1;
            if (index == W3C_TIME)
                map->bHasTime = 1;
            // Columns past the map's room are ignored in every line.
            if (map->dwColumns < W3C_MAX_COLUMNS)
                map->aiColumn[map->dwColumns++] = index;
            map->dwDeclared++;
        }
        if (!ended)
            ++i;
    }
    if (!ended || map->dwColumns == 0 || !map->bHasTime) {
        W3C_WarnInvalidFormat(map);
        map->aiColumn[0] = W3C_COLUMN_NONE;
        return FALSE;
    }
    map->bFieldsSeen = 1;
    return TRUE;
}

void W3C_SetDefaultFields(W3CFieldMap* map) {
    W3C_ParseFields(map, kDefaultFields, sizeof(kDefaultFields) - 1);
}

void W3C_SetFullFields(W3CFieldMap* map) {
    W3C_ParseFields(map, kFullFields, sizeof(kFullFields) - 1);
}

// Offset of `directive` at the start of a line of the text, or -1.
static long FindAtLineStart(const char* text, DWORD length, const char* directive) {
    size_t n = strlen(directive);
    for (DWORD i = 0; i + n <= length; ++i) {
        bool lineStart = i == 0 || text[i - 1] == '\r' || text[i - 1] == '\n';
        if (lineStart && memcmp(text + i, directive, n) == 0)
            return (long)i;
    }
    return -1;
}

BOOL W3C_IsDirective(const char* text, DWORD length) {
    return FindAtLineStart(text, length, "#Version: ") >= 0 ||
           FindAtLineStart(text, length, "#Date: ") >= 0 ||
           FindAtLineStart(text, length, "#Fields: ") >= 0;
}

BOOL W3C_ScanOpeningText(W3CFieldMap** slot, const char* text, DWORD length) {
    long at = FindAtLineStart(text, length, "#Fields: ");
    if (at < 0)
        return FALSE;
    if (!*slot && !(*slot = W3CFieldMap_New()))
        return FALSE;
    DWORD skip = (DWORD)at + 9;
    if (W3C_ParseFields(*slot, text + skip, length - skip))
        return TRUE;
    W3CFieldMap_Free(*slot);
    *slot = nullptr;
    return FALSE;
}
