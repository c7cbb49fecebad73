#include "logread/parser_call.h"
#include "logparse/parsers.h"
#include "logparse/w3c_warning.h"
#include "ovcore/logread.h"
#include <string.h>

namespace {
const DWORD kOpeningText = 4096;

// Bytes of the UTF-8 mark that some editors and servers put before a file's
// first line (0 when there is none): the first line begins behind it.
DWORD Utf8MarkLength(const char* text, DWORD length) {
    return length >= 3 && memcmp(text, "\xEF\xBB\xBF", 3) == 0 ? 3 : 0;
}
} // namespace

BOOL ParserCall_HasParser(int code) {
    return code >= 0 && GetLineParser((DWORD)code) != nullptr;
}

BOOL ParserCall_Run(int code, LogFile* file, HitRecord* record, DWORD initialRead,
                    ParseOutcome* outcome) {
    LineParseContext ctx = {record->dwLineSize - HIT_LINE_SPARE, &file->lpW3CMap, initialRead != 0};
    LineParseResult res = {};
    LineParserFn parse = GetLineParser((DWORD)code);
    W3C_SetWarningSource(file->szPath);
    BOOL ok = parse && parse(record, &ctx, &res);
    W3C_SetWarningSource(nullptr);
    outcome->consumed = res.dwConsumed;
    outcome->notRecord = res.bNotRecord;
    outcome->rebase = res.bRebase;
    return ok;
}

namespace {
// The file's first bytes, behind a UTF-8 mark: *start and their length.
DWORD ReadOpeningText(LogFile* file, char (&text)[kOpeningText], const char** start) {
    DWORD got = 0;
    SeekLogSource(file->hSource, 0, FILE_BEGIN);
    if (!ReadLogSource(file->hSource, text, sizeof(text), &got, nullptr))
        got = 0;
    SeekLogSource(file->hSource, 0, FILE_BEGIN);
    DWORD mark = Utf8MarkLength(text, got);
    *start = text + mark;
    return got - mark;
}
} // namespace

void ParserCall_FileOpened(LogFile* file) {
    char text[kOpeningText];
    const char* start = nullptr;
    DWORD length = ReadOpeningText(file, text, &start);
    W3C_SetWarningSource(file->szPath);
    if (W3C_ScanOpeningText(&file->lpW3CMap, start, length))
        file->dwFormatHint = LOGFMT_W3C;
    W3C_SetWarningSource(nullptr);
}

void ParserCall_FileClosed(LogFile* file) {
    W3CFieldMap_Free(file->lpW3CMap);
    file->lpW3CMap = nullptr;
}

BOOL ParserCall_RestoreOpeningW3C(LogFile* file) {
    char text[kOpeningText];
    const char* start = nullptr;
    DWORD length = ReadOpeningText(file, text, &start);
    W3CFieldMap* opening = W3CFieldMap_New();
    if (!opening)
        return FALSE;
    opening->bWarned = 1; // the open has shown its message
    BOOL parsed = W3C_ScanOpeningText(&opening, start, length);
    if (!file->lpW3CMap)
        file->lpW3CMap = W3CFieldMap_New();
    W3CFieldMap* map = file->lpW3CMap;
    if (map) {
        DWORD warned = map->bWarned;
        if (parsed)
            *map = *opening;
        else
            W3C_SetDefaultFields(map);
        map->bWarned = warned;
        map->szDate[0] = 0;
    }
    W3CFieldMap_Free(opening);
    return map != nullptr;
}
