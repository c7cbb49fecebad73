// Numbers as reports write them, and small report settings.
#pragma once
#include "ovcore/ovcore_base.h"

// A count with a comma before every third digit from the right
// ("1,234,567"), cut to size characters with the NUL. Returns the number of
// digits.
ORB_EXPORT(int) FormatCount(ULONGLONG value, char* out, int size);

// part as a percentage of whole: "12%", "12.5%" or "12.25%" (truncated to
// hundredths); "0%" when whole is 0.
ORB_EXPORT(void) FormatPercent(double part, double whole, char* out, int size);

// A byte total in kilobytes, rounded up, as a count (totals over 4 GiB
// included). Returns the number of digits.
ORB_EXPORT(int) FormatKilobytes(double bytes, char* out, int size);

// Module settings [Defaults] BigTableCutoff (default 10000): tables with more
// items are not printed. Read on the first call and kept; a stored 0 is read
// again on the next call.
ORB_EXPORT(int) GetBigTableCutoff(void);

// Splits a domain pattern in place at each "." (each becomes a NUL) and
// returns the number of labels (0 for an empty or null text).
ORB_EXPORT(int) SplitDomainLabels(char* text);
