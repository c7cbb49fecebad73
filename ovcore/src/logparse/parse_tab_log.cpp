// Tab-separated lines in GMT (format code 5): date-time, client, server,
// (passed over), user, method, URL, referrer, (passed over), agent, status,
// bytes, last column.
#include "logparse/parse_common.h"

BOOL ParseTabLogLine(HitRecord* rec, const LineParseContext* ctx, LineParseResult* res) {
    LineScan s(rec, ctx);
    DWORD consumed = FirstLineLengthFrom(rec->lpLine, s.end, ctx->dwLength);
    // The date-time text runs on into the client column: its tab is not cut.
    rec->lpszDateTime = s.line;
    DWORD tab = s.Find('\t');
    if (tab >= s.end)
        return RejectLine(res, consumed);
    s.pos = tab + 1;
    char* col[11];
    if (!s.CutColumns('\t', col, 11)) // a line end before the twelfth tab
        return RejectLine(res, consumed);
    rec->lpszClientAddr = col[0];
    rec->lpszServerAddr = DashOrText(col[1]);
    if (col[3][0] == '-' && col[3][1] == 0)
        col[3][0] = '.';
    rec->lpszUserName = col[3];
    rec->lpszMethod = col[4];
    CleanUrlField(col[5]);
    rec->lpszUrl = col[5];
    rec->lpszReferrer = col[6];
    rec->lpszUserAgent = DashOrText(col[8]);
    rec->lpszStatus = col[9];
    rec->lpszBytesOut = col[10];
    DWORD cursor = s.end + 1;
    char* protocol = AppendLineText(rec, &cursor, "HTTP/1.0");
    if (!protocol)
        return RejectLine(res, consumed);
    rec->lpszProtocol = protocol;
    if (!FinishParsedLine(5, rec))
        return RejectLine(res, consumed);
    return AcceptLine(res, consumed);
}
