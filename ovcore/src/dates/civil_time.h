// Calendar arithmetic on UTC seconds, independent of the time zone and of
// the runtime's 32-bit limits.
#pragma once
#include <stdint.h>
#include <time.h>

// Seconds since 1970 of a broken-down time read as UTC; fields out of range
// carry over as mktime's do (month 12 is January of the next year).
int64_t Civil_ToSeconds(const struct tm& t);
// Broken-down UTC time of seconds since 1970 (wday, yday filled, isdst 0).
void Civil_FromSeconds(int64_t seconds, struct tm* t);
