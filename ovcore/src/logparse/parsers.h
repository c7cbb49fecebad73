// The line parsers of the log formats and their dispatch table.
//
// The record reader copies the text at its read position (up to two lines)
// into the record with HitRecord_SetLine, sets dwValid and wFormat (code 9 as
// 7) and calls the parser of the line's format code:
//
//     LineParseContext ctx = {length, &fileW3CMapSlot, initialRead};
//     LineParseResult res;
//     LineParserFn parse = GetLineParser(code);
//     BOOL ok = parse && parse(rec, &ctx, &res);
//
// Every parser takes the record (its lpLine holds ctx.dwLength bytes of
// text, then HIT_LINE_SPARE zero bytes; the parser cuts fields in place and
// may grow the buffer) and the context, and fills the result:
//   answer 1  the line is a complete record (CompleteHitRecord has run, or the
//             record holds complete defaults); res.dwConsumed is the length
//             of its line(s) with their CR/LF.
//   answer 0  not a record; res.bNotRecord is 1 and res.dwConsumed is the
//             length of the rejected line only (through its own CR/LF;
//             never the line behind it), so the reader may skip exactly that.
//   res.bRebase (codes 3 and 11): restart the search window at this line.
// Codes 9 and 10 arrive with their bracketed date already dropped by the
// reader; code 9 is parsed by the code-7 parser's referrer-only form.
#pragma once
#include "ovcore/hitrecord.h"
#include "logparse/w3c_map.h"

struct LineParseContext {
    DWORD dwLength;          // bytes of text at lpLine (without the spare bytes)
    W3CFieldMap** lppW3CMap; // code 11: the file's own map slot; made here when null
    BOOL bInitialRead;       // the read only looks for a record's time (sampling)
};

struct LineParseResult {
    DWORD dwConsumed;
    BOOL bNotRecord;
    BOOL bRebase;
};

typedef BOOL (*LineParserFn)(HitRecord* rec, const LineParseContext* ctx, LineParseResult* res);

// The parser of a format code: 2-9, 11-13; null for 0, 1, 10 and unknown codes.
LineParserFn GetLineParser(DWORD code);

BOOL ParseCommonLogLine(HitRecord* rec, const LineParseContext* ctx, LineParseResult* res); // 2
BOOL ParseCommaLogLine(HitRecord* rec, const LineParseContext* ctx, LineParseResult* res);  // 3
BOOL ParseBlankLogLine(HitRecord* rec, const LineParseContext* ctx, LineParseResult* res);  // 4
BOOL ParseTabLogLine(HitRecord* rec, const LineParseContext* ctx, LineParseResult* res);    // 5
BOOL ParseKeyBlockLine(HitRecord* rec, const LineParseContext* ctx, LineParseResult* res);  // 6
BOOL ParseReferrerLine(HitRecord* rec, const LineParseContext* ctx, LineParseResult* res);  // 7
BOOL ParseAgentLine(HitRecord* rec, const LineParseContext* ctx, LineParseResult* res);     // 8
BOOL ParseDatedReferrer(HitRecord* rec, const LineParseContext* ctx, LineParseResult* res); // 9
BOOL W3C_ParseRecord(HitRecord* rec, const LineParseContext* ctx, LineParseResult* res);    // 11
BOOL ParsePipeLogLine(HitRecord* rec, const LineParseContext* ctx, LineParseResult* res);   // 12
BOOL ParseSquidLogLine(HitRecord* rec, const LineParseContext* ctx, LineParseResult* res);  // 13
