#include "ovkit/schedlog.h"
#include <cstdio>

void OvkitFormatIntlTexts(const struct tm& when, int iDate, const char* sDate, const char* sTime,
                          char* timeText, char* dateText) {
    // Two digits of the year: "99" for 1999, "26" for 2026.
    int year = (when.tm_year + 1900) % 100;
    int month = when.tm_mon + 1;
    int day = when.tm_mday;
    int first = month, second = day, third = year;
    if (iDate == 1) {
        first = day;
        second = month;
    } else if (iDate == 2) {
        first = year;
        second = month;
        third = day;
    }
    std::snprintf(dateText, OVKIT_INTL_TEXT_SIZE, "%02d%s%02d%s%02d", first, sDate, second, sDate,
                  third);
    std::snprintf(timeText, OVKIT_INTL_TEXT_SIZE, "%02d%s%02d%s%02d", when.tm_hour, sTime,
                  when.tm_min, sTime, when.tm_sec);
}

void OVKIT_FormatIntlDate(int local, char* timeText, char* dateText, time_t value) {
    struct tm* when = local == 1 ? std::localtime(&value) : std::gmtime(&value);
    if (!when) {
        std::snprintf(timeText, OVKIT_INTL_TEXT_SIZE, "N/A");
        std::snprintf(dateText, OVKIT_INTL_TEXT_SIZE, "N/A");
        return;
    }
    struct tm copy = *when;
    int iDate = static_cast<int>(GetProfileIntA("intl", "iDate", 0));
    char sDate[2] = "/";
    char sTime[2] = ":";
    GetProfileStringA("intl", "sDate", "/", sDate, sizeof sDate);
    GetProfileStringA("intl", "sTime", ":", sTime, sizeof sTime);
    OvkitFormatIntlTexts(copy, iDate, sDate, sTime, timeText, dateText);
}
