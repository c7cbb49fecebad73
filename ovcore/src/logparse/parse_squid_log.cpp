// Squid proxy lines (format code 13): "936201234.567 120 1.2.3.4
// TCP_MISS/200 2326 GET http://www.x.com/a.html - DIRECT/10.0.0.1 text/html".
// The seconds are true UTC and converted like every other GMT log.
#include "logparse/parse_common.h"
#include "ovcore/hittime.h"
#include <stdlib.h>
#include <string.h>

namespace {

// Cuts a 'scheme://host' front: the scheme becomes the protocol, the URL
// keeps the "/" behind the host so that it matches the other formats.
void SplitProxyUrl(HitRecord* rec, char* url) {
    char* sep = strstr(url, "://");
    if (!sep) {
        rec->lpszUrl = url;
        return;
    }
    *sep = 0;
    rec->lpszProtocol = url;
    char* path = strchr(sep + 3, '/');
    rec->lpszUrl = path ? path : HitRecord_EmptyText;
}

} // namespace

BOOL ParseSquidLogLine(HitRecord* rec, const LineParseContext* ctx, LineParseResult* res) {
    LineScan s(rec, ctx);
    DWORD consumed = FirstLineLengthFrom(rec->lpLine, s.end, ctx->dwLength);
    char* word[8];
    for (int i = 0; i < 8; ++i)
        if (!(word[i] = s.CutField(' ')))
            return RejectLine(res, consumed);
    ORB_TIME t = HitTime_FromUnixSeconds(_strtoi64(word[0], nullptr, 10));
    char* slash = strchr(word[3], '/');
    if (t == ORB_TIME_INVALID || !slash)
        return RejectLine(res, consumed);
    rec->dwTime = t;
    rec->lpszDateTime = word[0];
    rec->lpszClientAddr = word[2];
    rec->lpszStatus = slash + 1;
    rec->lpszBytesOut = word[4];
    rec->lpszMethod = word[5];
    UnescapeURLText(word[6]);
    SplitProxyUrl(rec, word[6]);
    rec->lpszUserName = DashOrText(word[7]);
    rec->lpszCookie = nullptr;
    int method = MethodCodeFromText(rec->lpszMethod);
    rec->wMethod = (WORD)(method < 0 ? HIT_METHOD_OTHER : method);
    FitClientAddress(rec);
    CompleteHitRecord(rec);
    return AcceptLine(res, consumed);
}
