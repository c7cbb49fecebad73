// Time values from broken-down times, and back.
#include "ovcore/dates.h"

#include "dates/civil_time.h"

// The largest time value; ORB_TIME_INVALID itself is never a time.
static const int64_t kLastTime = (int64_t)ORB_TIME_INVALID - 1;

static ORB_TIME FromSeconds(int64_t seconds) {
    return seconds < 0 || seconds > kLastTime ? ORB_TIME_INVALID : (ORB_TIME)seconds;
}

// Two-digit years: 0-69 mean 2000-2069.
static void RepairYear(struct tm* t) {
    if (t->tm_year < 70)
        t->tm_year += 100;
}

ORB_EXPORT(ORB_TIME) Y2K_mktime(struct tm* t) {
    if (!t)
        return ORB_TIME_INVALID;
    RepairYear(t);
    __time64_t seconds = _mktime64(t);
    return seconds == -1 ? ORB_TIME_INVALID : FromSeconds(seconds);
}

ORB_EXPORT(ORB_TIME) Y2K_mkGMT(struct tm* t) {
    if (!t)
        return ORB_TIME_INVALID;
    RepairYear(t);
    t->tm_isdst = 0;
    ORB_TIME value = FromSeconds(Civil_ToSeconds(*t));
    if (value != ORB_TIME_INVALID)
        Civil_FromSeconds(value, t);
    return value;
}

ORB_EXPORT(ORB_TIME)
Y2K_mktimeEx(WORD hour, WORD minute, WORD second, WORD month, WORD day, WORD year,
             ORB_TIME* result) {
    struct tm t = {};
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_mon = month;
    t.tm_mday = day;
    t.tm_year = year;
    ORB_TIME value = Y2K_mkGMT(&t);
    if (result)
        *result = value;
    return value;
}

static struct tm g_brokenDown; // the shared result of the two readers

ORB_EXPORT(struct tm*) TimeToGmTm(const ORB_TIME* t) {
    if (!t || *t == ORB_TIME_INVALID)
        return NULL;
    Civil_FromSeconds(*t, &g_brokenDown);
    return &g_brokenDown;
}

ORB_EXPORT(struct tm*) TimeToLocalTm(const ORB_TIME* t) {
    if (!t || *t == ORB_TIME_INVALID)
        return NULL;
    __time64_t seconds = *t;
    struct tm* local = _localtime64(&seconds);
    if (!local)
        return NULL;
    g_brokenDown = *local;
    return &g_brokenDown;
}
