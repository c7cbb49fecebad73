// Report wording of one language, read from REPORT.INI in the ovdesk folder
// with built-in English defaults for every key: weekday and month names,
// status-code texts, labels, working hours, interval scales, country and
// US-state names. The run owns the record; FreeSummaryArrays releases it.
#pragma once
#include "ovcore/ovcore_base.h"

#pragma pack(push, 1)
// One interval scale: the report's time axis when this row is chosen.
struct IntervalScale {
    DWORD Seconds;     // length of one interval
    WORD Count;        // number of intervals
    char* LabelFormat; // FormatIntlDateTime format of an interval's start
    char* Name;        // the scale's name
    char* RangeFormat; // format of the report range's start and end
};
#ifndef _WIN64
static_assert(sizeof(IntervalScale) == 18, "interval scale rows are 18 bytes");
#endif

// One country or US state: its name and its code (at most 9 characters).
#define REPORTINI_CODE_SIZE 10
struct CodeName {
    char* Name;
    char Code[REPORTINI_CODE_SIZE];
};
#ifndef _WIN64
static_assert(sizeof(CodeName) == 14, "country entries are 14 bytes");
#endif
#pragma pack(pop)

#define REPORTINI_MAX_HOURS 24
struct HourList {
    WORD Count;
    WORD Hours[REPORTINI_MAX_HOURS]; // each 0-23
};

struct CodeNameList {
    WORD Count;
    CodeName* Items;
};

// Index of each status text in ReportIniSettings::ReturnCodes.
enum ReturnCodeText {
    RC_200,
    RC_201,
    RC_202,
    RC_203,
    RC_204,
    RC_205,
    RC_300,
    RC_301,
    RC_302,
    RC_303,
    RC_304,
    RC_400,
    RC_401,
    RC_402,
    RC_403,
    RC_404,
    RC_500,
    RC_501,
    RC_502,
    RC_503,
    RC_UNKNOWN, // a printf format with one integer conversion: the code
    RC_COUNT
};
enum GenericText {
    GEN_NOREFERRER,
    GEN_UNKNOWNBROWSER,
    GEN_OTHERS,
    GEN_FAILEDFORMS,
    GEN_SUCCESSFULFORMS,
    GEN_COUNT
};
enum IpTypeText { IPT_NUMERIC, IPT_NONE, IPT_UNKNOWN, IPT_COUNTRYCODE, IPT_COUNT };
enum SuffixText {
    SUF_GOV,
    SUF_MIL,
    SUF_NET,
    SUF_ORG,
    SUF_INT,
    SUF_ARPA,
    SUF_EDU,
    SUF_COM,
    SUF_US,
    SUF_COUNT
};
enum LegendText {
    LEG_TOTAL,
    LEG_UNKNOWN,
    LEG_INTERNATIONAL,
    LEG_DOMESTIC,
    LEG_USERSESSIONS,
    LEG_PERCENT,
    LEG_HITS,
    LEG_BYTES,
    LEG_TOPITEMS,
    LEG_COUNT
};

// Every text pointer is a heap copy owned by the record (null only in a
// record left half filled when memory ran short).
struct ReportIniSettings {
    char* ShortWeekdays[7]; // Sunday first
    char* LongWeekdays[7];
    char* ShortMonths[12];
    char* LongMonths[12];
    char* ReturnCodes[RC_COUNT];
    char* Generic[GEN_COUNT];
    char* IpTypes[IPT_COUNT];
    char* Suffixes[SUF_COUNT];
    char* Legends[LEG_COUNT];
    char* DateSeparator;      // [intl] sDate
    char* TimeSeparator;      // [intl] sTime
    char* GeneratedOnFormat;  // [intl] ReportGeneratedOnTimeFmt
    char* ActivityTimeFormat; // [intl] ReportActivityTimeFmt
    WORD DateOrder;           // [intl] iDate: 0 m-d-y, 1 d-m-y, 2 y-m-d
    HourList AfterHours;
    HourList WorkHours;
    WORD IntervalCount;
    IntervalScale* Intervals; // IntervalCount rows
    CodeNameList Countries;
    CodeNameList States;
};
#ifndef _WIN64
static_assert(sizeof(ReportIniSettings) == 484, "ReportIniSettings is 484 bytes");
#endif

// Most [Interval] scales, countries and states that are read.
#define REPORTINI_MAX_SCALES 64
#define REPORTINI_MAX_CODES 512

// Reads moduleFolder + "REPORT.INI" (moduleFolder ends in a backslash; null:
// the install's ovdesk folder) after loading the language's variables from
// moduleFolder + "Template\<language>.RPL" (null or empty language:
// "ENGLISH"); "<name>" in every value is replaced by that variable. A missing
// file or key gives the built-in defaults; [Interval] Count 0 gives the
// built-in scale table. Stores a new record through out (set before anything
// else is read) and returns 1; 0 when memory ran short, the half-filled
// record then stays in *out for FreeSummaryArrays.
ORB_EXPORT(int)
ReadReportIniSettings(const char* moduleFolder, const char* language, ReportIniSettings** out);

// Releases a record and everything it holds; null allowed.
ORB_EXPORT(void) FreeSummaryArrays(ReportIniSettings* settings);

// The name of the first country (state) whose code equals code without case,
// or code itself when none does. The text lives in a buffer of the engine
// that the next call overwrites; copy it at once.
ORB_EXPORT(const char*) LookupCountryName(const ReportIniSettings* settings, const char* code);
ORB_EXPORT(const char*) LookupStateName(const ReportIniSettings* settings, const char* code);
