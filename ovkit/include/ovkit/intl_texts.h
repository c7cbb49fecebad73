// Date and time texts in the Windows [intl] form: the one reader of the
// [intl] settings and the one formatter of the system (the scheduler log, the
// engine, the plug-in's dialogs). Header only, so nothing crosses a DLL
// boundary.
#pragma once
#include "ovkit/ovkit_base.h"
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

// The [intl] values behind the texts.
struct OvkitIntlSettings {
    int Order; // 0 month-day-year, 1 day-month-year, 2 year-month-day
    char DateSeparator;
    char TimeSeparator;
};

// Settings from the raw values: an order outside 0..2 counts as 0; only the
// first character of a separator counts; an empty or missing one takes the
// default ('/', ':'), so that a text always splits back into its fields.
inline OvkitIntlSettings OvkitMakeIntlSettings(int iDate, const char* sDate, const char* sTime) {
    OvkitIntlSettings s;
    s.Order = iDate >= 0 && iDate <= 2 ? iDate : 0;
    s.DateSeparator = sDate && sDate[0] ? sDate[0] : '/';
    s.TimeSeparator = sTime && sTime[0] ? sTime[0] : ':';
    return s;
}

// The current [intl] settings of Windows (iDate, sDate, sTime), read at each
// call.
inline OvkitIntlSettings OvkitReadIntlSettings() {
    char sDate[8], sTime[8];
    GetProfileStringA("intl", "sDate", "/", sDate, sizeof sDate);
    GetProfileStringA("intl", "sTime", ":", sTime, sizeof sTime);
    return OvkitMakeIntlSettings(static_cast<int>(GetProfileIntA("intl", "iDate", 0)), sDate,
                                 sTime);
}

// The texts of a broken-down time with given settings (null: both "N/A").
inline void OvkitFormatIntlTexts(const struct tm* when, const OvkitIntlSettings& s, char* timeText,
                                 char* dateText) {
    if (!when) {
        std::snprintf(timeText, OVKIT_INTL_TEXT_SIZE, "N/A");
        std::snprintf(dateText, OVKIT_INTL_TEXT_SIZE, "N/A");
        return;
    }
    const char dateSeparator[2] = {s.DateSeparator, 0}, timeSeparator[2] = {s.TimeSeparator, 0};
    OvkitFormatIntlTexts(*when, s.Order, dateSeparator, timeSeparator, timeText, dateText);
}
