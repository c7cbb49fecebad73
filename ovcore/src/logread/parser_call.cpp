#include "logread/parser_call.h"
#include "logparse/parsers.h"
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
    BOOL ok = parse && parse(record, &ctx, &res);
    outcome->consumed = res.dwConsumed;
    outcome->notRecord = res.bNotRecord;
    outcome->rebase = res.bRebase;
    return ok;
}

void ParserCall_FileOpened(LogFile* file) {
    char text[kOpeningText];
    DWORD got = 0;
    SeekLogSource(file->hSource, 0, FILE_BEGIN);
    if (!ReadLogSource(file->hSource, text, sizeof(text), &got, nullptr))
        got = 0;
    SeekLogSource(file->hSource, 0, FILE_BEGIN);
    DWORD mark = Utf8MarkLength(text, got);
    if (W3C_ScanOpeningText(&file->lpW3CMap, text + mark, got - mark))
        file->dwFormatHint = 11;
}

void ParserCall_FileClosed(LogFile* file) {
    W3CFieldMap_Free(file->lpW3CMap);
    file->lpW3CMap = nullptr;
}

void ParserCall_CatchUpW3C(LogFile* file, ULONGLONG position) {
    ULONGLONG at = 0;
    BOOL lineStart = TRUE;
    while (at < position) {
        char* text = nullptr;
        DWORD length = 0;
        if (LogFile_ReadLineAt(file, at, &text, &length) != 3)
            return;
        DWORD mark = at == 0 ? Utf8MarkLength(text, length) : 0;
        if (mark) {
            at = mark;
            continue;
        }
        const char* lf = (const char*)memchr(text, '\n', length);
        DWORD line = lf ? (DWORD)(lf - text) + 1 : length; // over-long lines come in pieces
        BOOL directive = lineStart && lf && text[0] == '#';
        lineStart = lf != nullptr;
        if (directive) {
            DWORD end = (DWORD)(lf - text);
            if (end > 0 && text[end - 1] == '\r')
                --end;
            if (!W3C_ApplyDirective(&file->lpW3CMap, text, end))
                return;
        }
        at += line;
    }
}
