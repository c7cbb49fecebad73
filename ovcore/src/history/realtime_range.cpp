// Report ranges of a report from the history database: a range code (today,
// last week, this quarter, ...) becomes a start and an end time. All times
// follow the engine's convention (wall clock read as GMT), so the calendar
// work is on UTC dates and "now" is the local wall clock read as GMT.
#include <string.h>
#include <time.h>

#include "dates/civil_time.h"
#include "ovcore/history.h"

static RealtimeMonthTable g_months;

const RealtimeMonthTable* GetRealtimeMonthTable(void) {
    return &g_months;
}

namespace {

struct tm Broken(ORB_TIME time) {
    struct tm t;
    Civil_FromSeconds((int64_t)time, &t);
    return t;
}

ORB_TIME Whole(struct tm t) {
    return (ORB_TIME)Civil_ToSeconds(t);
}

ORB_TIME LocalNow() {
    time_t now = time(nullptr);
    struct tm* local = localtime(&now);
    if (!local)
        return (ORB_TIME)now;
    struct tm t = *local;
    t.tm_isdst = 0;
    return Y2K_mkGMT(&t);
}

struct Range {
    struct tm start, end;
};

void DayStart(struct tm* t) {
    t->tm_hour = t->tm_min = t->tm_sec = 0;
}
void DayEnd(struct tm* t) {
    t->tm_hour = 23;
    t->tm_min = t->tm_sec = 59;
}

// Days from the start of r.start: the range from its day back (or forward).
void Days(Range* r, int startOffset, int endOffset) {
    r->start.tm_mday += startOffset;
    r->end = r->start;
    r->end.tm_mday += endOffset - startOffset;
}

// Months: first month (relative to R's, aligned to `align` months), count.
void Months(Range* r, int back, int align, int count) {
    r->start.tm_mon -= r->start.tm_mon % align;
    r->start.tm_mon -= back;
    r->start.tm_mday = 1;
    r->start = Broken(Whole(r->start)); // carries a negative month into the year before
    r->end = r->start;
    r->end.tm_mon += count;
    r->end.tm_mday = 0; // the last day of the month before
}

// The calendar part of a code, 5-24, with R in r->start.
void Shape(int code, Range* r) {
    int sunday = -r->start.tm_wday;
    switch (code) {
    case 5:
    case 6:
        Days(r, 0, 0);
        break;
    case 7:
    case 8:
        Days(r, sunday, sunday + 6);
        break;
    case 9:
        Days(r, -6, 0);
        break;
    case 12:
        Days(r, -13, 0);
        break;
    case 15:
        Days(r, -29, 0);
        break;
    case 10:
        Days(r, sunday - 7, sunday + 6);
        break;
    case 11:
        Days(r, sunday - 14, sunday - 1);
        break;
    case 13:
        Months(r, 0, 1, 1);
        break;
    case 14:
        Months(r, 1, 1, 1);
        break;
    case 16:
        Months(r, 0, 3, 3);
        break;
    case 17:
        Months(r, 3, 3, 3);
        break;
    case 18:
        Months(r, 0, 6, 6);
        break;
    case 19:
        Months(r, 6, 6, 6);
        break;
    case 20:
    case 21:
        Months(r, r->start.tm_mon, 1, 12);
        break;
    case 22:
    case 23:
        Months(r, r->start.tm_mon + 12, 1, 12);
        break;
    case 24:
        Months(r, r->start.tm_mon + 12, 1, 24);
        break;
    }
    DayStart(&r->start);
    DayEnd(&r->end);
}

// The now-relative code a code of the *end (25-41) or *start (42-48) family
// stands for.
int BaseCode(int code) {
    static const int kFromStart[] = {5, 7, 10, 13, 16, 20, 21};
    if (code >= 25 && code <= 37)
        return code - 20;
    if (code >= 38 && code <= 41)
        return code - 18;
    if (code >= 42 && code <= 48)
        return kFromStart[code - 42];
    return code;
}

void BuildMonthTable(ORB_TIME start, int months) {
    memset(&g_months, 0, sizeof(g_months));
    struct tm t = Broken(start);
    DayStart(&t);
    t.tm_mday = 1;
    t.tm_mon = 0;
    for (int m = 0; m <= months; ++m) {
        struct tm month = t;
        month.tm_mon += m;
        g_months.Bounds[m] = Whole(month);
    }
    g_months.Months = months;
}

// Codes 2-4: the last 15 minutes, hour or 12 hours up to now, unless the
// data start later than that.
void RecentRange(int code, ORB_TIME now, ORB_TIME* start, ORB_TIME* end) {
    static const ORB_TIME kStep[] = {60, 300, 3600}, kBack[] = {840, 3300, 39600};
    ORB_TIME from = now - now % kStep[code - 2] - kBack[code - 2];
    *start = *start <= from ? from : now;
    *end = now;
}

} // namespace

extern "C" void __cdecl ORB_CalculateRealtimeReportRange(int code, ORB_TIME* start, ORB_TIME* end) {
    if (!start || !end)
        return;
    memset(&g_months, 0, sizeof(g_months));
    ORB_TIME now = LocalNow();
    if (code >= 2 && code <= 4) {
        RecentRange(code, now, start, end);
        return;
    }
    ORB_TIME reference = code >= 25 && code <= 41 ? *end : code >= 42 && code <= 48 ? *start : now;
    int base = BaseCode(code);
    if (base == 6)
        reference -= 86400;
    else if (base == 8)
        reference -= 604800;
    Range r;
    r.start = r.end = Broken(reference);
    if (base >= 5 && base <= 24)
        Shape(base, &r);
    *start = Whole(r.start);
    *end = Whole(r.end);
    if (base == 21 || base == 23)
        BuildMonthTable(*start, 12);
    else if (base == 24)
        BuildMonthTable(*start, 24);
}
