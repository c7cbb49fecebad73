#include "dates/civil_time.h"

// Floor division, for fields below their range.
static int64_t FloorDiv(int64_t a, int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Days since 1970-01-01 of a proleptic Gregorian date (month 1-12).
static int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    const int64_t era = FloorDiv(y, 400);
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

int64_t Civil_ToSeconds(const struct tm& t) {
    int64_t year = 1900 + (int64_t)t.tm_year;
    int64_t month = t.tm_mon;
    year += FloorDiv(month, 12);
    month -= FloorDiv(month, 12) * 12;
    int64_t days = DaysFromCivil(year, month + 1, 1) + (int64_t)t.tm_mday - 1;
    return days * 86400 + (int64_t)t.tm_hour * 3600 + (int64_t)t.tm_min * 60 + t.tm_sec;
}

void Civil_FromSeconds(int64_t seconds, struct tm* t) {
    int64_t days = FloorDiv(seconds, 86400);
    int64_t rest = seconds - days * 86400;
    t->tm_hour = (int)(rest / 3600);
    t->tm_min = (int)(rest % 3600 / 60);
    t->tm_sec = (int)(rest % 60);
    t->tm_wday = (int)(days - FloorDiv(days + 4, 7) * 7 + 4);
    const int64_t z = days + 719468;
    const int64_t era = FloorDiv(z, 146097);
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const int64_t m = mp < 10 ? mp + 3 : mp - 9;
    const int64_t y = yoe + era * 400 + (m <= 2);
    t->tm_year = (int)(y - 1900);
    t->tm_mon = (int)(m - 1);
    t->tm_mday = (int)d;
    t->tm_yday = (int)(days - DaysFromCivil(y, 1, 1));
    t->tm_isdst = 0;
}
