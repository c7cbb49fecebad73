// Pipe-separated lines (format code 12): "991010 135536|client|GET /a.html|
// x|status|user|bytes|cookie|referrer|agent".
#include "logparse/parse_common.h"
#include <string.h>

BOOL ParsePipeLogLine(HitRecord* rec, const LineParseContext* ctx, LineParseResult* res) {
    LineScan s(rec, ctx);
    DWORD consumed = FirstLineLengthFrom(rec->lpLine, s.end, ctx->dwLength);
    char* col[9];
    if (!s.CutColumns('|', col, 9)) // a line end before the user agent
        return RejectLine(res, consumed);
    rec->lpszDateTime = col[0];
    rec->lpszClientAddr = col[1];
    char* request = col[2];
    while (*request == ' ')
        ++request;
    char* blank = strchr(request, ' ');
    if (blank) {
        *blank = 0;
        char* url = blank + 1;
        while (*url == ' ')
            ++url;
        CleanUrlField(url);
        rec->lpszUrl = url;
    }
    rec->lpszMethod = request;
    rec->lpszStatus = col[4];
    rec->lpszUserName = DashOrText(col[5]);
    rec->lpszBytesOut = col[6];
    rec->lpszCookie = col[7];
    rec->lpszReferrer = col[8];
    rec->lpszUserAgent = DashOrText(s.CutAt(s.end));
    DWORD cursor = s.end + 1;
    char* protocol = AppendLineText(rec, &cursor, "HTTP/1.0");
    if (!protocol)
        return RejectLine(res, consumed);
    rec->lpszProtocol = protocol;
    if (!FinishParsedLine(12, rec))
        return RejectLine(res, consumed);
    return AcceptLine(res, consumed);
}
