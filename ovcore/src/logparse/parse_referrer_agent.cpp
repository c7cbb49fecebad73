// Referrer lines (format codes 7 and 9) and user-agent lines (code 8): the
// line gives one or two fields, the rest of the hit is the defaults. These
// logs carry no time: each kind takes the time at which the engine first
// read a line of it.
#include "logparse/parse_common.h"
#include "ovcore/hittime.h"
#include <string.h>

namespace {

ORB_TIME g_referrerClock = 0;
ORB_TIME g_agentClock = 0;

ORB_TIME ClockOnce(ORB_TIME* clock) {
    if (!*clock)
        *clock = HitTime_Now();
    return *clock;
}

// Offset of the first " ->" in the line, or end.
DWORD FindArrow(const LineScan& s) {
    for (DWORD i = s.pos; i + 2 < s.end; ++i)
        if (s.line[i] == ' ' && s.line[i + 1] == '-' && s.line[i + 2] == '>')
            return i;
    return s.end;
}

// The URL behind " ->": passes the run of blanks, "-" and ">", cuts at the line end.
char* UrlBehindArrow(LineScan& s, DWORD arrow) {
    s.pos = arrow;
    while (s.pos < s.end && (s.line[s.pos] == ' ' || s.line[s.pos] == '-' || s.line[s.pos] == '>'))
        ++s.pos;
    return s.CutAt(s.end);
}

// Undated logs of these kinds may still carry a "[date] " in front.
void SkipLeadingDate(LineScan& s) {
    if (s.Peek() != '[')
        return;
    DWORD close = s.Find(']');
    if (close >= s.end)
        return;
    s.pos = close + 1;
    s.SkipBlanks();
}

BOOL FillDefaults(HitRecord* rec, const char* url, const char* referrer, const char* agent,
                  ORB_TIME* clock, LineParseResult* res, DWORD consumed) {
    if (!HitRecord_SetDefaults(rec, rec->lpLine, url, referrer, agent))
        return RejectLine(res, consumed);
    rec->dwTime = ClockOnce(clock);
    return AcceptLine(res, consumed);
}

} // namespace

BOOL ParseReferrerLine(HitRecord* rec, const LineParseContext* ctx, LineParseResult* res) {
    LineScan s(rec, ctx);
    DWORD consumed = FirstLineLengthFrom(rec->lpLine, s.end, ctx->dwLength);
    SkipLeadingDate(s);
    char* referrer = s.line + s.pos;
    DWORD arrow = FindArrow(s);
    if (arrow >= s.end)
        return RejectLine(res, consumed);
    char* url = UrlBehindArrow(s, arrow);
    TrimFieldEnd(s.line, arrow);
    return FillDefaults(rec, url, referrer, nullptr, &g_referrerClock, res, consumed);
}

// The text starts behind the dropped date and its opening double quote:
// 'http://a/" -> /c'. The referrer runs to the closing quote; a " ->"
// behind it gives the URL, else the URL is "/".
BOOL ParseDatedReferrer(HitRecord* rec, const LineParseContext* ctx, LineParseResult* res) {
    LineScan s(rec, ctx);
    DWORD consumed = FirstLineLengthFrom(rec->lpLine, s.end, ctx->dwLength);
    DWORD quote = s.Find('"');
    char* url = nullptr;
    if (quote < s.end) {
        s.pos = quote + 1;
        DWORD arrow = FindArrow(s);
        if (arrow < s.end)
            url = UrlBehindArrow(s, arrow);
        s.line[quote] = 0;
    } else {
        s.line[s.end] = 0;
    }
    return FillDefaults(rec, url, s.line, nullptr, &g_referrerClock, res, consumed);
}

BOOL ParseAgentLine(HitRecord* rec, const LineParseContext* ctx, LineParseResult* res) {
    LineScan s(rec, ctx);
    DWORD consumed = FirstLineLengthFrom(rec->lpLine, s.end, ctx->dwLength);
    SkipLeadingDate(s);
    s.line[s.end] = 0;
    return FillDefaults(rec, nullptr, nullptr, s.line + s.pos, &g_agentClock, res, consumed);
}
