// Completion of a parsed hit: cookie, status, success, byte count.
#include "ovcore/hitrecord.h"
#include "core/engine_settings.h"
#include "logparse/ascii_text.h"
#include "logparse/line_end.h"
#include "logparse/parse_engine.h"
#include "ovkit/text_copy.h"
#include <string.h>

// digits "." digits "." digits "." digits "-" digits "." digits; only the
// first digit of the last run is looked at.
static bool HasVisitorIdShape(const char* p) {
    static const char kSeps[] = "...-.";
    for (int run = 0; run < 6; ++run) {
        if (!IsAsciiDigit(*p))
            return false;
        if (run == 5)
            return true;
        while (IsAsciiDigit(*p))
            ++p;
        if (*p != kSeps[run])
            return false;
        ++p;
    }
    return true;
}

// The value of the first name=value pair with the visitor-id shape, cut in
// place at its ";"; null when none has it.
static char* FindVisitorIdValue(char* cookie) {
    for (char* pair = cookie; pair && *pair;) {
        char* next = strchr(pair, ';');
        char* eq = strchr(pair, '=');
        if (eq && (!next || eq < next)) {
            char* value = eq + 1;
            while (*value == ' ')
                ++value;
            if (HasVisitorIdShape(value)) {
                if (next)
                    *next = 0;
                return value;
            }
        }
        pair = next ? next + 1 : nullptr;
        while (pair && *pair == ' ')
            ++pair;
    }
    return nullptr;
}

static void CompleteCookie(HitRecord* rec) {
    const NetSettings& s = Engine_Settings().net;
    if (!rec->lpszCookie)
        return;
    DashToEmpty(rec->lpszCookie, &rec->lpszCookie);
    if (!s.CookieEnable)
        rec->lpszCookie = HitRecord_EmptyText;
    if (!s.CookieValidate || !rec->lpszCookie[0])
        return;
    if (strchr(rec->lpszCookie, '='))
        rec->lpszCookie = FindVisitorIdValue(rec->lpszCookie);
    else if (!HasVisitorIdShape(rec->lpszCookie))
        rec->lpszCookie = HitRecord_EmptyText;
}

void CompleteHitRecord(HitRecord* rec) {
    DashToEmpty(rec->lpszReferrer, &rec->lpszReferrer);
    CompleteCookie(rec);
    rec->dwStatus = ParseDecimalSaturated(rec->lpszStatus);
    DWORD cls = rec->dwStatus / 100;
    if (cls == 2 || cls == 3)
        rec->bSuccess = 1;
    else if (cls == 0)
        rec->bSuccess = StartsWithNoCase(rec->lpszProtocol, "ftp", 3) ? 1 : 0;
    else
        rec->bSuccess = 0;
    const char* bytes = rec->wMethod == HIT_METHOD_PUT ? rec->lpszBytesIn : rec->lpszBytesOut;
    rec->dwBytes = bytes[0] == '-' ? 0 : ParseDecimalSaturated(bytes);
    rec->dwSize = sizeof(HitRecord);
    rec->dwTimeCopy = rec->dwTime;
}

void FitClientAddress(HitRecord* rec) {
    const char* text = rec->lpszClientAddr ? rec->lpszClientAddr : "";
    size_t len = TextLength(text);
    if (text == rec->szClientAddr) {
        rec->szClientAddr[59] = 0; // already in place
    } else if (len < 60) {
        memcpy(rec->szClientAddr, text, len + 1);
    } else {
        // Keep the tail of a long host name: start at a "." so that the
        // copy (at most 59 characters) holds whole name parts.
        rec->szClientAddr[0] = 0;
        const char* start = nullptr;
        const char* lastDot = nullptr;
        for (const char* p = text + len; p > text;) {
            --p;
            if (*p != '.')
                continue;
            if ((size_t)(text + len - p) >= 56) {
                start = lastDot ? lastDot : text;
                break;
            }
            lastDot = p;
        }
        if (start) {
            strncpy(rec->szClientAddr, start, 59);
            rec->szClientAddr[59] = 0;
        }
    }
    if (!rec->szClientAddr[0])
        OvkitCopyText(rec->szClientAddr, LogParse_UnknownText());
    LogParse_SetUnresolvedNames(rec);
}
