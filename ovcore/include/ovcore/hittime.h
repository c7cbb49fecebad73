// Hit times and the date formats of log lines.
//
// A hit time is the wall-clock time of the analysing machine read as UTC
// (see dates.h). Lines in server-local time are converted with Y2K_mkGMT;
// lines in GMT are moved to local wall-clock time with the time-zone bias and
// the daylight flag. Arithmetic is 64-bit; results are unsigned 32-bit.
#pragma once
#include "ovcore/ovcore_base.h"
#include "ovcore/dates.h"
#include <time.h>

struct HitRecord;

// Date-format codes: month/day/year, day/month/year, year/month/day, and the
// same three orders for logs written in GMT.
#define LOGDATE_MDY 8
#define LOGDATE_DMY 9
#define LOGDATE_YMD 10
#define LOGDATE_MDY_GMT 34
#define LOGDATE_DMY_GMT 35
#define LOGDATE_YMD_GMT 36

// 1 when month 0-11, year 93-205 (1993-2105), a day the month has (29
// February in leap years only), hour 0-23, minute and second 0-59; else 0.
BOOL IsValidHitTime(const struct tm* t);

// The engine-wide current date-format code: keeps 8, 9, 10, 34, 35, 36 (answer
// 1) and stores 0 for anything else (answer 0).
ORB_EXPORT(BOOL) SetLogDateFormat(DWORD code);
DWORD GetLogDateFormat();

// Numeric date and time ("12/03/99 13:45:01") in the order of the current
// code, defaultOrder (0 month, 1 day, 2 year first) when it is 0. Missing
// clock words ("12/03/99", "12/03/99 13:55") count as 0; the three date words
// are required. Fills t (cleared first); answers IsValidHitTime(t).
BOOL ParseNumericDateTime(const char* text, int defaultOrder, struct tm* t);

// Converts the record's lpszDateTime by the line's format code into dwTime.
// 1 on success; 0 rejects the line (dwTime untouched).
BOOL SetHitTime(DWORD formatCode, HitRecord* rec);

// Broken-down times (year since 1900, month 0-11) to hit times;
// ORB_TIME_INVALID when the conversion fails.
ORB_TIME HitTime_FromLocalFields(struct tm* t);
ORB_TIME HitTime_FromGmtFields(struct tm* t);
// Seconds since 1970 in true UTC (Squid, Open Market) to a hit time;
// ORB_TIME_INVALID outside 1993-2105 (IsValidHitTime).
ORB_TIME HitTime_FromUnixSeconds(long long seconds);
// The current time as a hit time.
ORB_TIME HitTime_Now();
