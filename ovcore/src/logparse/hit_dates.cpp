// Date texts of the line formats and the engine-wide date-format code.
#include "ovcore/hittime.h"
#include "ovcore/hitrecord.h"
#include "ovcore/logread.h"
#include "core/engine_settings.h"
#include "logparse/ascii_text.h"
#include <string.h>

static DWORD g_dwLogDateFormat = 0;

static bool IsKnownDateFormat(DWORD code) {
    return (code >= LOGDATE_MDY && code <= LOGDATE_YMD) ||
           (code >= LOGDATE_MDY_GMT && code <= LOGDATE_YMD_GMT);
}

ORB_EXPORT(BOOL) SetLogDateFormat(DWORD code) {
    g_dwLogDateFormat = IsKnownDateFormat(code) ? code : 0;
    return g_dwLogDateFormat != 0;
}

DWORD GetLogDateFormat() {
    return g_dwLogDateFormat;
}

namespace {

// A view of one word of a date text.
struct Word {
    const char* p;
    int len;
};

// Splits text (at most maxChars) at any character of seps, runs of
// separators counting as one; extraSeps join after `switchAfter` words.
int SplitWords(const char* text, int maxChars, const char* seps, const char* extraSeps,
               int switchAfter, Word* out, int maxWords) {
    // Separator tables: seps alone, then seps and extraSeps.
    bool early[256] = {}, late[256] = {};
    for (const char* p = seps; *p; ++p)
        early[(unsigned char)*p] = late[(unsigned char)*p] = true;
    for (const char* p = extraSeps; *p; ++p)
        late[(unsigned char)*p] = true;
    int n = 0;
    int i = 0;
    while (i < maxChars && text[i] && n < maxWords) {
        const bool* table = n >= switchAfter ? late : early;
        auto isSep = [table](char c) { return table[(unsigned char)c]; };
        if (isSep(text[i])) {
            ++i;
            continue;
        }
        int start = i;
        while (i < maxChars && text[i] && !isSep(text[i]))
            ++i;
        out[n++] = Word{text + start, i - start};
    }
    return n;
}

// Leading decimal digits of a word; -1 when it has none.
int WordNumber(const Word& w) {
    int n = 0, digits = 0;
    for (int i = 0; i < w.len && w.p[i] >= '0' && w.p[i] <= '9' && digits < 9; ++i, ++digits)
        n = n * 10 + (w.p[i] - '0');
    return digits ? n : -1;
}

int WordYear(const Word& w) {
    char text[16];
    int n = w.len < 15 ? w.len : 15;
    memcpy(text, w.p, n);
    text[n] = 0;
    return TwoDigitYear(text);
}

// Signed decimal zone word ("+0100", "-0700"); none gives 0.
long WordZone(const Word* w) {
    if (!w)
        return 0;
    int i = 0;
    bool neg = false;
    if (i < w->len && (w->p[i] == '+' || w->p[i] == '-'))
        neg = w->p[i++] == '-';
    long n = 0;
    for (; i < w->len && w->p[i] >= '0' && w->p[i] <= '9'; ++i)
        n = n * 10 + (w->p[i] - '0');
    return neg ? -n : n;
}

void SetClock(struct tm* t, const Word* w) {
    t->tm_hour = WordNumber(w[0]);
    t->tm_min = WordNumber(w[1]);
    t->tm_sec = WordNumber(w[2]);
}

// Whether text begins with the shape: 'd' a digit, 'a' any byte but a
// separator of the date words, anything else itself. Stops at a shorter text's end.
bool MatchesShape(const char* text, const char* shape) {
    for (; *shape; ++text, ++shape) {
        char c = *text;
        bool ok = *shape == 'd'   ? c >= '0' && c <= '9'
                  : *shape == 'a' ? c != 0 && c != '/' && c != ':' && c != ' '
                                  : c == *shape;
        if (!ok)
            return false;
    }
    return true;
}

// MatchesShape(text, "dd/aaa/dddd:dd:dd:dd") written out: every line's date
// passes here.
bool HasCommonLogDateShape(const char* t) {
    auto d = [t](int i) { return IsAsciiDigit(t[i]); };
    auto a = [t](int i) { return t[i] != 0 && t[i] != '/' && t[i] != ':' && t[i] != ' '; };
    return d(0) && d(1) && t[2] == '/' && a(3) && a(4) && a(5) && t[6] == '/' && d(7) && d(8) &&
           d(9) && d(10) && t[11] == ':' && d(12) && d(13) && t[14] == ':' && d(15) && d(16) &&
           t[17] == ':' && d(18) && d(19);
}

// The usual "10/Oct/1999:13:55:36 -0700" (or without its zone) read at fixed
// places, as the word split below would read it; false for any other shape.
bool ParseFixedCommonLogDate(const char* text, struct tm* t, bool* isGmt) {
    if (!HasCommonLogDateShape(text))
        return false;
    bool zoned = text[20] == ' ' && (text[21] == '+' || text[21] == '-') &&
                 MatchesShape(text + 22, "dddd") && text[26] == 0;
    if (!zoned && text[20] != 0)
        return false;
    t->tm_mday = (text[0] - '0') * 10 + (text[1] - '0');
    t->tm_mon = MonthFromName(text + 3);
    t->tm_year = TwoDigitYear(text + 7);
    t->tm_hour = (text[12] - '0') * 10 + (text[13] - '0');
    t->tm_min = (text[15] - '0') * 10 + (text[16] - '0');
    t->tm_sec = (text[18] - '0') * 10 + (text[19] - '0');
    *isGmt = !zoned || StartsWith(text + 22, "0000", 4);
    return true;
}

// "10/Oct/1999:13:55:36 -0700" or "Tue, 12 Mar 1999 13:45:01 +0100".
// Answers whether the fields were read; *isGmt when the zone is 0 or absent.
bool ParseCommonLogDate(const char* text, struct tm* t, bool* isGmt) {
    if (ParseFixedCommonLogDate(text, t, isGmt))
        return t->tm_mon >= 0 && t->tm_year >= 0;
    const char* slash = strchr(text, '/');
    const char* comma = strchr(text, ',');
    bool weekdayFirst = comma && (!slash || comma < slash);
    Word w[8];
    int n;
    if (weekdayFirst) {
        n = SplitWords(text, 64, ", :", "", 0, w, 8);
        if (n < 7)
            return false;
        t->tm_mday = WordNumber(w[1]);
        t->tm_mon = MonthFromName(w[2].p);
        t->tm_year = WordYear(w[3]);
        SetClock(t, w + 4);
        *isGmt = WordZone(n > 7 ? &w[7] : nullptr) == 0;
    } else {
        n = SplitWords(text, 64, "/: ", "", 0, w, 7);
        if (n < 6)
            return false;
        t->tm_mday = WordNumber(w[0]);
        t->tm_mon = MonthFromName(w[1].p);
        t->tm_year = WordYear(w[2]);
        SetClock(t, w + 3);
        *isGmt = WordZone(n > 6 ? &w[6] : nullptr) == 0;
    }
    return t->tm_mon >= 0 && t->tm_year >= 0;
}

// "Oct 10 13:55:36 1999": month name, day, clock, year.
bool ParseBlankLogDate(const char* text, struct tm* t) {
    Word w[6];
    if (SplitWords(text, 64, ": ", "", 0, w, 6) < 6)
        return false;
    t->tm_mon = MonthFromName(w[0].p);
    t->tm_mday = WordNumber(w[1]);
    SetClock(t, w + 2);
    t->tm_year = WordYear(w[5]);
    return t->tm_mon >= 0 && t->tm_year >= 0;
}

int TwoDigits(const char* p) {
    if (p[0] < '0' || p[0] > '9' || p[1] < '0' || p[1] > '9')
        return -1;
    return (p[0] - '0') * 10 + (p[1] - '0');
}

// "991010 135536": fixed positions.
bool ParsePipeLogDate(const char* text, struct tm* t) {
    if (strnlen(text, 13) < 13)
        return false;
    char year[3] = {text[0], text[1], 0};
    t->tm_year = TwoDigits(text) < 0 ? -1 : TwoDigitYear(year);
    t->tm_mon = TwoDigits(text + 2) - 1;
    t->tm_mday = TwoDigits(text + 4);
    t->tm_hour = TwoDigits(text + 7);
    t->tm_min = TwoDigits(text + 9);
    t->tm_sec = TwoDigits(text + 11);
    return true;
}

DWORD GmtTwin(DWORD code) {
    return code >= LOGDATE_MDY && code <= LOGDATE_YMD ? code + (LOGDATE_MDY_GMT - LOGDATE_MDY)
                                                      : code;
}

} // namespace

BOOL ParseNumericDateTime(const char* text, int defaultOrder, struct tm* t) {
    const OvkitIntlSettings& intl = Engine_Settings().intl;
    memset(t, 0, sizeof(*t));
    DWORD code = g_dwLogDateFormat;
    int order = defaultOrder;
    if (code == LOGDATE_MDY || code == LOGDATE_MDY_GMT)
        order = 0;
    else if (code == LOGDATE_DMY || code == LOGDATE_DMY_GMT)
        order = 1;
    else if (code == LOGDATE_YMD || code == LOGDATE_YMD_GMT)
        order = 2;
    char seps[8];
    const char* base = IsKnownDateFormat(code) ? ".,/- " : ", ";
    strcpy(seps, base);
    size_t n = strlen(seps);
    seps[n] = intl.DateSeparator;
    seps[n + 1] = 0;
    char timeSeps[2] = {intl.TimeSeparator, 0};
    Word w[6];
    // The date-time column of a tab log runs on into the next column: the
    // text ends at its tab, so that a short clock never reads the client
    // address as its seconds.
    int length = 0;
    while (length < 49 && text[length] && text[length] != '\t')
        ++length;
    int count = SplitWords(text, length, seps, timeSeps, 3, w, 6);
    // A date without its time ("12/03/99", or "13:55" without seconds)
    // counts the missing clock words as 0; a date without all three of its
    // own words is no date.
    if (count < 3)
        return FALSE;
    for (int i = count; i < 6; ++i)
        w[i] = Word{"0", 1};
    const int kIndex[3][3] = {{1, 0, 2}, {0, 1, 2}, {2, 1, 0}}; // day, month, year positions
    t->tm_mday = WordNumber(w[kIndex[order][0]]);
    t->tm_mon = WordNumber(w[kIndex[order][1]]) - 1;
    t->tm_year = WordYear(w[kIndex[order][2]]);
    SetClock(t, w + 3);
    return IsValidHitTime(t);
}

BOOL SetHitTime(DWORD formatCode, HitRecord* rec) {
    struct tm t;
    memset(&t, 0, sizeof(t));
    const char* text = rec->lpszDateTime ? rec->lpszDateTime : "";
    bool gmt = false;
    bool read = false;
    switch (formatCode) {
    case LOGFMT_COMMON:
        read = ParseCommonLogDate(text, &t, &gmt);
        break;
    case LOGFMT_BLANK:
        read = ParseBlankLogDate(text, &t);
        break;
    case LOGFMT_PIPE:
        read = ParsePipeLogDate(text, &t);
        break;
    case LOGFMT_COMMA:
        read = ParseNumericDateTime(text, Engine_Settings().intl.Order, &t) != 0;
        break;
    case LOGFMT_TAB:
        g_dwLogDateFormat = GmtTwin(g_dwLogDateFormat);
        read = ParseNumericDateTime(text, Engine_Settings().intl.Order, &t) != 0;
        gmt = true;
        break;
    default:
        break;
    }
    if (!read || !IsValidHitTime(&t))
        return FALSE;
    ORB_TIME value = gmt ? HitTime_FromGmtFields(&t) : HitTime_FromLocalFields(&t);
    if (value == ORB_TIME_INVALID)
        return FALSE;
    rec->dwTime = value;
    return TRUE;
}
