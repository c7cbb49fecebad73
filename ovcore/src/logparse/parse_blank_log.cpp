// Blank-separated lines with a weekday date (format code 4):
// "Sun Oct 10 13:55:36 1999 server client GET /a.html HTTP/1.0".
#include "logparse/parse_common.h"
#include <string.h>

namespace {

// Offset of the first blank, "<", ">" or line end from s.pos.
DWORD UrlEnd(const LineScan& s) {
    DWORD i = s.pos;
    while (i < s.end && s.line[i] != ' ' && s.line[i] != '<' && s.line[i] != '>')
        ++i;
    return i;
}

} // namespace

BOOL ParseBlankLogLine(HitRecord* rec, const LineParseContext* ctx, LineParseResult* res) {
    LineScan s(rec, ctx);
    DWORD consumed = FirstLineLengthFrom(rec->lpLine, s.end, ctx->dwLength);
    if (s.Peek() == '/' || !s.CutField(' ')) // the weekday
        return RejectLine(res, consumed);
    s.SkipBlanks();
    char* date = s.line + s.pos;
    for (int word = 0; word < 3; ++word) {
        DWORD blank = s.Find(' ');
        if (blank >= s.end)
            return RejectLine(res, consumed);
        s.pos = blank;
        s.SkipBlanks();
    }
    if (!s.CutField(' ')) // the year ends the date-time text
        return RejectLine(res, consumed);
    rec->lpszDateTime = date;
    char* server = s.CutField(' ');
    char* client = s.CutField(' ');
    char* method = s.CutField(' ');
    s.SkipBlanks();
    if (!server || !client || !method || s.AtEnd())
        return RejectLine(res, consumed);
    rec->lpszServerAddr = DashOrText(server);
    rec->lpszClientAddr = client;
    rec->lpszMethod = method;
    char* url = s.CutAt(UrlEnd(s));
    while (s.pos < s.end && (s.line[s.pos] == ' ' || s.line[s.pos] == '<' || s.line[s.pos] == '>'))
        ++s.pos;
    if (s.AtEnd())
        return RejectLine(res, consumed);
    CleanUrlField(url);
    rec->lpszUrl = url;
    DWORD protoEnd = UrlEnd(s);
    rec->lpszProtocol = s.CutAt(protoEnd); // anything behind it is passed over
    DWORD cursor = s.end + 1;
    char* status = AppendLineText(rec, &cursor, "200");
    char* bytes = status ? AppendLineText(rec, &cursor, "0") : nullptr;
    if (!bytes)
        return RejectLine(res, consumed);
    rec->lpszStatus = rec->lpLine + (cursor - 6);
    rec->lpszBytesOut = rec->lpLine + (cursor - 2);
    if (!FinishParsedLine(4, rec))
        return RejectLine(res, consumed);
    return AcceptLine(res, consumed);
}
