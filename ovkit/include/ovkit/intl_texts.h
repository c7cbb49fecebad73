// Date and time texts in the Windows [intl] form: the one formatter of the
// system (the scheduler log, the engine's exported texts, the plug-in's
// dialogs). Header only, so nothing crosses a DLL boundary; each caller
// reads the settings it gives.
#pragma once
#include <cstdio>
#include <ctime>

// Size of each text buffer of the date helpers.
const int OVKIT_INTL_TEXT_SIZE = 32;

// The texts of a broken-down time with given settings: iDate 0 month, day,
// year; 1 day, month, year; 2 year, month, day (any other value: as 0);
// sDate and sTime stand between the fields. The year is written as its two
// last digits; each text takes at most OVKIT_INTL_TEXT_SIZE bytes.
inline void OvkitFormatIntlTexts(const struct tm& when, int iDate, const char* sDate,
                                 const char* sTime, char* timeText, char* dateText) {
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
