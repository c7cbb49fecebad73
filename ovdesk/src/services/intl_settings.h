// The [intl] values behind the date and time texts, and the texts made and
// read with given values (the public functions read the values at each call).
#pragma once
#include <ctime>

struct IntlSettings {
    int Order; // 0 month-day-year, 1 day-month-year, 2 year-month-day
    char DateSeparator;
    char TimeSeparator;
};

// Settings from the raw values: an order outside 0..2 counts as 0; only the
// first character of a separator counts; an empty one takes the default.
IntlSettings MakeIntlSettings(int iDate, const char* sDate, const char* sTime);
// The current [intl] settings of Windows.
IntlSettings ReadIntlSettings(void);
// Texts of a broken-down time (null: both "N/A"), DATE_TEXT_SIZE bytes each.
void FormatIntlTexts(const struct tm* when, const IntlSettings& settings, char* timeText,
                     char* dateText);
// ParseDateTimeText with given settings and today's date.
void ParseIntlTexts(const IntlSettings& settings, const struct tm& today, const char* timeText,
                    const char* dateText, int* hour, int* minute, int* second, int* month, int* day,
                    int* year);
// IsValidDateText with given settings.
int IsValidIntlDate(const IntlSettings& settings, const char* dateText);
