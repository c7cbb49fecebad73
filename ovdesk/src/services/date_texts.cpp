// Date and time texts in the order and with the separators of the Windows
// [intl] settings.
#include "services/intl_settings.h"
#include "desk_services.h"
#include "ovkit/intl_texts.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
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

// A year as years since 1900: four digits as written (Windows' own short
// date form has them), two digits below 70 in the 2000s, 70 to 99 in the
// 1900s; today's value (already since 1900) stays.
int YearSince1900(int year) {
    if (year >= 1900)
        return year - 1900;
    return year < 70 ? year + 100 : year;
}
} // namespace

void ParseIntlTexts(const IntlSettings& s, const struct tm& today, const char* timeText,
                    const char* dateText, int* hour, int* minute, int* second, int* month, int* day,
                    int* year) {
    int t[3] = {0, 0, 0};
    SplitNumbers(timeText, s.TimeSeparator, t);
    *hour = t[0];
    *minute = t[1];
    *second = t[2];
    int values[3] = {today.tm_mon, today.tm_mday, today.tm_year};    // month, day, year
    static const int slot[3][3] = {{0, 1, 2}, {1, 0, 2}, {2, 0, 1}}; // field -> value
    int d[3];
    int found = SplitNumbers(dateText, s.DateSeparator, d);
    for (int field = 0; field < found; ++field) {
        int index = slot[s.Order][field];
        values[index] = index == 0 ? d[field] - 1 : d[field];
    }
    values[2] = YearSince1900(values[2]);
    *month = values[0];
    *day = values[1];
    *year = values[2];
}

int IsValidIntlDate(const IntlSettings& s, const char* dateText) {
    int d[3];
    if (!dateText || SplitNumbers(dateText, s.DateSeparator, d) < 3)
        return 0;
    static const int monthField[3] = {0, 1, 1}, dayField[3] = {1, 0, 2}, yearField[3] = {2, 2, 0};
    int month = d[monthField[s.Order]], day = d[dayField[s.Order]], year = d[yearField[s.Order]];
    if (month < 1 || month > 12 || day < 1)
        return 0;
    // Two digits, or four within the times a report can cover.
    if (year < 0 || (year > 99 && (year < 1970 || year > 2105)))
        return 0;
    return day <= (month == 2 ? 29 : 31);
}

void desk::FormatUtcTimeTexts(char* timeText, char* dateText, time_t value) {
    OvkitFormatIntlTexts(value < 0 ? nullptr : gmtime(&value), OvkitReadIntlSettings(), timeText,
                         dateText);
}

void desk::FormatLocalTimeTexts(char* timeText, char* dateText, time_t value) {
    OvkitFormatIntlTexts(value < 0 ? nullptr : localtime(&value), OvkitReadIntlSettings(), timeText,
                         dateText);
}

void ParseDateTimeText(const char* timeText, const char* dateText, int* hour, int* minute,
                       int* second, int* month, int* day, int* year) {
    time_t now = time(nullptr);
    struct tm today = *localtime(&now);
    ParseIntlTexts(OvkitReadIntlSettings(), today, timeText, dateText, hour, minute, second, month,
                   day, year);
}

int IsValidDateText(const char* dateText) {
    return IsValidIntlDate(OvkitReadIntlSettings(), dateText);
}

int IsValidTimeText(const char* timeText) {
    int t[3];
    if (!timeText || SplitNumbers(timeText, OvkitReadIntlSettings().TimeSeparator, t) < 3)
        return 0;
    return t[0] >= 0 && t[0] < 24 && t[1] >= 0 && t[1] < 60 && t[2] >= 0 && t[2] < 60;
}
