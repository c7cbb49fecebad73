// Conversion of broken-down times into the engine's hit-time convention.
#include "ovcore/hittime.h"
#include <atomic>
#include <stdlib.h>
#include <string.h>
#include <time.h>

// Days of a month (0-11) of a year since 1900.
static int DaysInMonth(int mon, int year) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int y = 1900 + year;
    bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return mon == 1 && leap ? 29 : kDays[mon];
}

// The upper year is the last whole year that time values hold (they end in
// February 2106). A day the month does not have is refused: the conversion
// would move the hit into the next month.
BOOL IsValidHitTime(const struct tm* t) {
    return t->tm_mon >= 0 && t->tm_mon <= 11 && t->tm_year >= 93 && t->tm_year <= 205 &&
           t->tm_mday >= 1 && t->tm_mday <= DaysInMonth(t->tm_mon, t->tm_year) && t->tm_hour >= 0 &&
           t->tm_hour <= 23 && t->tm_min >= 0 && t->tm_min <= 59 && t->tm_sec >= 0 &&
           t->tm_sec <= 59;
}

// The day of the last conversion, packed into one word that any thread may
// read or replace whole: year (8 bits), month (4), day (5), start of the day.
static std::atomic<unsigned long long> g_lastDay{0};

static unsigned long long DayKey(const struct tm* t) {
    return ((unsigned long long)t->tm_year << 9) | ((unsigned long long)t->tm_mon << 5) |
           (unsigned long long)t->tm_mday;
}

// The time value of valid fields. Hits come in time order, so the day is
// nearly always the last one's: its start is kept and only the clock added.
static ORB_TIME FieldsToTime(struct tm* t) {
    if (!IsValidHitTime(t))
        return Y2K_mkGMT(t);
    unsigned long long key = DayKey(t), last = g_lastDay.load(std::memory_order_relaxed);
    ORB_TIME start;
    if (last != 0 && (last >> 32) == key) {
        start = (ORB_TIME)last;
    } else {
        struct tm midnight = {};
        midnight.tm_year = t->tm_year;
        midnight.tm_mon = t->tm_mon;
        midnight.tm_mday = t->tm_mday;
        start = Y2K_mkGMT(&midnight);
        if (start == ORB_TIME_INVALID)
            return ORB_TIME_INVALID;
        g_lastDay.store((key << 32) | start, std::memory_order_relaxed);
    }
    unsigned long long value =
        (unsigned long long)start + t->tm_hour * 3600 + t->tm_min * 60 + t->tm_sec;
    return value >= ORB_TIME_INVALID ? ORB_TIME_INVALID : (ORB_TIME)value;
}

ORB_TIME HitTime_FromLocalFields(struct tm* t) {
    return FieldsToTime(t);
}

// Seconds the local zone lies west of UTC, daylight saving not counted.
static long long ZoneBias() {
    _tzset();
    return _timezone;
}

// Whether the local zone keeps daylight saving time at these GMT fields.
static bool IsDaylightAt(const struct tm* t) {
    struct tm local = *t;
    if (local.tm_year < 70)
        local.tm_year += 100;
    local.tm_isdst = -1;
    return _mktime64(&local) != -1 && local.tm_isdst > 0;
}

// The zone's offset for one hour of GMT fields, kept for the next call: hits
// come in time order, so the hour rarely changes, and asking the C runtime
// takes its lock twice. The zone is known by what the runtime's last _tzset
// left (bias, daylight flag, names): cheap to read on every line, where
// looking TZ up walks the whole environment.
struct ZoneKey {
    long bias = 0;
    int daylight = 0;
    char names[2][16] = {{0}, {0}};
};

static ZoneKey CurrentZoneKey() {
    ZoneKey key;
    key.bias = _timezone;
    key.daylight = _daylight;
    for (int i = 0; i < 2; ++i)
        strncpy(key.names[i], _tzname[i] ? _tzname[i] : "", sizeof key.names[i] - 1);
    return key;
}

static bool SameZone(const ZoneKey& a) {
    if (a.bias != _timezone || a.daylight != _daylight)
        return false;
    for (int i = 0; i < 2; ++i)
        if (strncmp(a.names[i], _tzname[i] ? _tzname[i] : "", sizeof a.names[i] - 1) != 0)
            return false;
    return true;
}

struct ZoneHour {
    int year = -1, mon = 0, mday = 0, hour = 0;
    ZoneKey zone;
    long long offset = 0; // seconds to subtract from the GMT value
};

static long long ZoneOffsetAt(const struct tm* t) {
    static thread_local ZoneHour cache;
    if (cache.year == t->tm_year && cache.mon == t->tm_mon && cache.mday == t->tm_mday &&
        cache.hour == t->tm_hour && SameZone(cache.zone))
        return cache.offset;
    long long offset = ZoneBias() - (IsDaylightAt(t) ? 3600 : 0);
    cache.year = t->tm_year;
    cache.mon = t->tm_mon;
    cache.mday = t->tm_mday;
    cache.hour = t->tm_hour;
    cache.zone = CurrentZoneKey(); // after ZoneBias's _tzset
    cache.offset = offset;
    return offset;
}

ORB_TIME HitTime_FromGmtFields(struct tm* t) {
    long long offset = ZoneOffsetAt(t);
    ORB_TIME gmt = FieldsToTime(t);
    if (gmt == ORB_TIME_INVALID)
        return ORB_TIME_INVALID;
    long long value = (long long)gmt - offset;
    if (value < 0 || value >= (long long)ORB_TIME_INVALID)
        return ORB_TIME_INVALID;
    return (ORB_TIME)value;
}

ORB_TIME HitTime_FromUnixSeconds(long long seconds) {
    if (seconds < 0)
        return ORB_TIME_INVALID;
    __time64_t value = seconds;
    struct tm fields;
    if (_gmtime64_s(&fields, &value) != 0 || !IsValidHitTime(&fields))
        return ORB_TIME_INVALID;
    return HitTime_FromGmtFields(&fields);
}

ORB_TIME HitTime_Now() {
    __time64_t now = _time64(nullptr);
    struct tm fields;
    if (_localtime64_s(&fields, &now) != 0)
        return ORB_TIME_INVALID;
    return Y2K_mkGMT(&fields);
}
