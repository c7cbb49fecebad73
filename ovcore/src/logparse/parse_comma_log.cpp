// Comma-separated service logs of the web and FTP services (format code 3).
#include "logparse/parse_common.h"
#include "ovcore/hittime.h"
#include "ovcore/logread.h"
#include <string.h>

namespace {

bool IsWebOrFtpService(const char* name) {
    return _strnicmp(name, "W3SVC", 5) == 0 || _strnicmp(name, "MSFTPSVC", 8) == 0;
}

// Offsets of the ", " pairs between from and end.
int CommaBlanks(const LineScan& s, DWORD from, DWORD* at, int max) {
    int n = 0;
    for (DWORD i = from; i + 1 < s.end; ++i)
        if (s.line[i] == ',' && s.line[i + 1] == ' ') {
            if (n < max)
                at[n] = i;
            ++n;
        }
    return n;
}

// The column that ends at the ", " at offset stop: from behind the comma
// before it (blanks skipped) to stop.
char* ColumnEndingAt(LineScan& s, DWORD stop) {
    DWORD start = stop;
    while (start > s.pos && s.line[start - 1] != ',')
        --start;
    while (start < stop && s.line[start] == ' ')
        ++start;
    s.line[stop] = 0;
    return s.line + start;
}

void StripOneQuotePair(char** text) {
    char* t = *text;
    size_t n = strlen(t);
    if (n > 0 && t[n - 1] == '"')
        t[n - 1] = 0;
    if (t[0] == '"')
        ++*text;
}

// Columns behind the URL: parameters, or agent, referrer, [cookie,] parameters.
char* ReadColumnsAfterUrl(HitRecord* rec, LineScan& s) {
    DWORD at[64];
    int n = CommaBlanks(s, s.pos, at, 64);
    if (n < 3 || n > 64) {
        s.SkipBlanks();
        return s.CutAt(s.Find(','));
    }
    DWORD last = at[n - 1], beforeLast = at[n - 2];
    char* params = ColumnEndingAt(s, last);
    if (n >= 4) {
        char* cookie = ColumnEndingAt(s, beforeLast);
        StripOneQuotePair(&cookie);
        rec->lpszCookie = cookie;
    }
    s.SkipBlanks();
    char* agent = s.CutAt(s.Find(','));
    s.SkipBlanks();
    char* referrer = s.CutAt(s.Find(','));
    UnescapeURLText(agent);
    UnescapeURLText(referrer);
    rec->lpszUserAgent = DashOrText(agent);
    rec->lpszReferrer = referrer;
    return params;
}

// URL and "?" parameters, written behind the line.
bool JoinUrl(HitRecord* rec, char* url, const char* params, DWORD* cursor) {
    CleanUrlField(url);
    if (!params || !params[0] || strcmp(params, "-") == 0) {
        rec->lpszUrl = url;
        return true;
    }
    char joined[600];
    size_t n = strlen(url);
    memcpy(joined, url, n);
    joined[n++] = '?';
    strncpy(joined + n, params, sizeof(joined) - n - 1);
    joined[sizeof(joined) - 1] = 0;
    char* at = AppendLineText(rec, cursor, joined);
    if (!at)
        return false;
    rec->lpszUrl = at;
    return true;
}

struct CommaFields {
    char* url;
    char* params;
};

// Client, user, date and time (one date-time text), service, server name
// and address, time taken, bytes in and out, status, system status.
bool ReadHead(HitRecord* rec, LineScan& s) {
    char* client = s.CutField(',');
    s.SkipBlanks();
    char* user = s.CutField(',');
    s.SkipBlanks();
    if (!client || !user || s.AtEnd())
        return false;
    rec->lpszClientAddr = client;
    rec->lpszUserName = DashOrText(user);
    // The comma between date and time stays: both are one date-time text.
    char* date = s.line + s.pos;
    DWORD comma = s.Find(',');
    if (comma >= s.end)
        return false;
    s.pos = comma + 1;
    s.SkipBlanks();
    if (!s.CutField(','))
        return false;
    rec->lpszDateTime = date;
    return true;
}

bool ReadService(HitRecord* rec, LineScan& s) {
    char* cols[8];
    for (int i = 0; i < 8; ++i) {
        s.SkipBlanks();
        if (!(cols[i] = s.CutField(',')))
            return false;
    }
    if (!IsWebOrFtpService(cols[0]))
        return false;
    rec->lpszServerName = cols[1];
    rec->lpszServerAddr = strcmp(cols[2], "-") == 0 ? cols[1] : cols[2];
    rec->lpszBytesIn = cols[4];
    rec->lpszBytesOut = cols[5];
    rec->lpszStatus = cols[6];
    return true;
}

} // namespace

BOOL ParseCommaLogLine(HitRecord* rec, const LineParseContext* ctx, LineParseResult* res) {
    LineScan s(rec, ctx);
    DWORD consumed = FirstLineLengthFrom(rec->lpLine, s.end, ctx->dwLength);
    res->bRebase = FALSE;
    if (!ReadHead(rec, s))
        return RejectLine(res, consumed);
    if (ctx->bInitialRead) {
        // Sampling needs only the time.
        if (!SetHitTime(LOGFMT_COMMA, rec))
            return RejectLine(res, consumed);
        return AcceptLine(res, consumed);
    }
    if (!ReadService(rec, s))
        return RejectLine(res, consumed);
    s.SkipBlanks();
    char* method = s.CutField(',');
    s.SkipBlanks();
    char* url = s.CutField(',');
    if (!method || !url)
        return RejectLine(res, consumed);
    rec->lpszMethod = method;
    char* params = ReadColumnsAfterUrl(rec, s);
    DWORD cursor = s.end + 1;
    if (!JoinUrl(rec, url, params, &cursor))
        return RejectLine(res, consumed);
    if (!SetServiceProtocol(rec, &cursor)) {
        res->bRebase = TRUE;
        return RejectLine(res, consumed);
    }
    if (!FinishParsedLine(3, rec))
        return RejectLine(res, consumed);
    return AcceptLine(res, consumed);
}
