// Date and time texts in the order and with the separators of the Windows
// [intl] settings, read at each call.
#include "desk_services.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
struct IntlSettings {
    int Order; // 0 month-day-year, 1 day-month-year, 2 year-month-day
    char DateSeparator;
    char TimeSeparator;
};

char FirstCharacter(const char* key, char fallback) {
    char value[8];
    GetProfileStringA("intl", key, "", value, sizeof value);
    // Only one character separates fields; a longer setting gives its first.
    return value[0] ? value[0] : fallback;
}

IntlSettings ReadIntl(void) {
    IntlSettings s;
    s.Order = GetProfileIntA("intl", "iDate", 0);
    if (s.Order < 0 || s.Order > 2)
        s.Order = 0;
    s.DateSeparator = FirstCharacter("sDate", '/');
    s.TimeSeparator = FirstCharacter("sTime", ':');
    return s;
}

void FormatTexts(const struct tm* when, char* timeText, char* dateText) {
    if (!when) {
        snprintf(timeText, DATE_TEXT_SIZE, "N/A");
        snprintf(dateText, DATE_TEXT_SIZE, "N/A");
        return;
    }
    IntlSettings s = ReadIntl();
    int month = when->tm_mon + 1, day = when->tm_mday, year = when->tm_year % 100;
    int first = month, second = day, third = year;
    if (s.Order == 1) {
        first = day;
        second = month;
    } else if (s.Order == 2) {
        first = year;
        second = month;
        third = day;
    }
    snprintf(dateText, DATE_TEXT_SIZE, "%02d%c%02d%c%02d", first, s.DateSeparator, second,
             s.DateSeparator, third);
    snprintf(timeText, DATE_TEXT_SIZE, "%02d%c%02d%c%02d", when->tm_hour, s.TimeSeparator,
             when->tm_min, s.TimeSeparator, when->tm_sec);
}

// Splits text at separator into up to three numbers; the count found.
int SplitNumbers(const char* text, char separator, int out[3]) {
    int count = 0;
    const char* p = text;
    while (p && *p && count < 3) {
        out[count++] = atoi(p);
        p = strchr(p, separator);
        if (p)
            ++p;
    }
    return count;
}
} // namespace

void FormatUtcDateTime(char* timeText, char* dateText, time_t value) {
    FormatTexts(value < 0 ? nullptr : gmtime(&value), timeText, dateText);
}

void FormatLocalDateTime(char* timeText, char* dateText, time_t value) {
    FormatTexts(value < 0 ? nullptr : localtime(&value), timeText, dateText);
}

void ParseDateTimeText(const char* timeText, const char* dateText, int* hour, int* minute,
                       int* second, int* month, int* day, int* year) {
    time_t now = time(nullptr);
    const struct tm* today = localtime(&now);
    IntlSettings s = ReadIntl();
    int t[3] = {0, 0, 0};
    SplitNumbers(timeText, s.TimeSeparator, t);
    *hour = t[0];
    *minute = t[1];
    *second = t[2];
    int d[3];
    int found = SplitNumbers(dateText, s.DateSeparator, d);
    int values[3] = {today->tm_mon, today->tm_mday, today->tm_year}; // month, day, year
    static const int slot[3][3] = {{0, 1, 2}, {1, 0, 2}, {2, 0, 1}}; // field -> value index
    for (int field = 0; field < found; ++field) {
        int index = slot[s.Order][field];
        values[index] = index == 0 ? d[field] - 1 : d[field];
    }
    if (values[2] < 70)
        values[2] += 100;
    *month = values[0];
    *day = values[1];
    *year = values[2];
}

int IsValidDateText(const char* dateText) {
    IntlSettings s = ReadIntl();
    int d[3];
    if (!dateText || SplitNumbers(dateText, s.DateSeparator, d) < 3)
        return 0;
    int month = s.Order == 1 ? d[1] : s.Order == 2 ? d[1] : d[0];
    int day = s.Order == 1 ? d[0] : s.Order == 2 ? d[2] : d[1];
    if (month < 1 || month > 12 || day < 1)
        return 0;
    return day <= (month == 2 ? 29 : 31);
}

int IsValidTimeText(const char* timeText) {
    IntlSettings s = ReadIntl();
    int t[3];
    if (!timeText || SplitNumbers(timeText, s.TimeSeparator, t) < 3)
        return 0;
    return t[0] >= 0 && t[0] < 24 && t[1] >= 0 && t[1] < 60 && t[2] >= 0 && t[2] < 60;
}
