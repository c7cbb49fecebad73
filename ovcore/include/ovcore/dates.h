// Date, time and number helpers.
//
// The time convention: a time value is an unsigned 32-bit count of seconds
// since 1970 (valid to 2106) that reads as the local wall-clock time taken as
// UTC. Conversions of such values use the GMT family below (Y2K_mkGMT,
// Y2K_mktimeEx, TimeToGmTm, FormatUtcDateTime); Y2K_mktime and TimeToLocalTm
// are the real local-time conversions. ORB_TIME_INVALID is never a time.
#pragma once
#include "ovcore/ovcore_base.h"
#include <time.h>

typedef DWORD ORB_TIME;
#define ORB_TIME_INVALID ((ORB_TIME)0xFFFFFFFFu)

struct ReportIniSettings;

// Broken-down local time -> time value. A tm_year below 70 first gets 100
// added (0-69 mean 2000-2069). The struct is normalised in place like
// mktime. ORB_TIME_INVALID when the time lies outside 1970..2106.
ORB_EXPORT(ORB_TIME) Y2K_mktime(struct tm* t);
// The broken-down time read as GMT (same year repair; tm_isdst is set to 0
// and ignored). ORB_TIME_INVALID outside 1970..2106.
ORB_EXPORT(ORB_TIME) Y2K_mkGMT(struct tm* t);
// (hour, minute, second, month 0-11, day, year since 1900 with the same
// repair) read as GMT; the result is also stored through result (may be
// null). ORB_TIME_INVALID when out of range.
ORB_EXPORT(ORB_TIME)
Y2K_mktimeEx(WORD hour, WORD minute, WORD second, WORD month, WORD day, WORD year,
             ORB_TIME* result);
// Broken-down local (localtime) or GMT (gmtime) reading of *t, in a shared
// static result; null for a null pointer, ORB_TIME_INVALID or a failed
// conversion.
ORB_EXPORT(struct tm*) TimeToLocalTm(const ORB_TIME* t);
ORB_EXPORT(struct tm*) TimeToGmTm(const ORB_TIME* t);

// Integer value of at most the first 20 characters of text (0 for null).
ORB_EXPORT(int) FieldToInt(const char* text);
ORB_EXPORT(long) FieldToLong(const char* text);

// strftime-like formatter following the [intl] date order and separators:
// %% %A %a %B %b %D %T %H %M %S %d %m %y %Y %j (1-based) %p; unknown
// conversions are copied literally. Names, order and separators come from
// settings when given, else from the client's strings 5628-5665 and the
// system [intl] values. Writes at most size-1 characters plus the NUL (cut
// when longer); a null t gives an empty text. Returns the length written.
ORB_EXPORT(int)
FormatIntlDateTime(char* out, int size, const char* format, const struct tm* t,
                   const ReportIniSettings* settings);

// Date and time texts of a time value in the Windows [intl] order and
// separators (read at each call): time "hh:mm:ss", date of three two-digit
// fields. Each buffer holds at least 16 characters. A value that cannot be
// converted gives "N/A" in both; an [intl] iDate other than 0-2 writes
// neither. FormatUtcDateTime reads the value as GMT (the time convention),
// FormatLocalDateTime as local time.
ORB_EXPORT(void) FormatUtcDateTime(char* timeText, char* dateText, ORB_TIME value);
ORB_EXPORT(void) FormatLocalDateTime(char* timeText, char* dateText, ORB_TIME value);
