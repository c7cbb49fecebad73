// Built-in English wording of REPORT.INI (private).
#pragma once
#include <windows.h>

namespace reportini {

// One single-text key of REPORT.INI with its built-in default.
struct TextKey {
    const char* section;
    const char* key;
    const char* def;
};

extern const TextKey kReturnCodeKeys[21];
extern const TextKey kGenericKeys[5];
extern const TextKey kIpTypeKeys[4];
extern const TextKey kSuffixKeys[9];
extern const TextKey kLegendKeys[9];
extern const TextKey kIntlKeys[4]; // sDate, sTime, generated-on and activity formats

// The weekday and month name lists.
extern const TextKey kShortWeekdaysKey;
extern const TextKey kLongWeekdaysKey;
extern const TextKey kShortMonthsKey;
extern const TextKey kLongMonthsKey;

extern const char kDefaultAfterHours[];
extern const char kDefaultWorkHours[];

// One row of the built-in interval-scale table, used when [Interval] Count
// is 0. Rows 9-12 label day intervals (reports under 8, 15, 29 days and
// longer), 17 the twelve months of a year and 18 the 24 months of two.
struct DefaultScale {
    const char* name;
    WORD count;
    DWORD seconds;
    const char* labelFormat;
    const char* rangeFormat;
};
extern const DefaultScale kDefaultScales[];
extern const int kDefaultScaleCount;

} // namespace reportini
