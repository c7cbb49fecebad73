// The scheduler log SCHEDLOG.TXT beside the library: one entry per scheduled
// activity and its outcome. ovkit owns the file's name, header and entry
// form; callers supply the texts.
#pragma once
#include "ovkit/intl_texts.h"
#include "ovkit/ovkit_base.h"
#include <ctime>

// Creates the log with its header: string 8013 of the module's string table
// (a format given the local date and time texts), then an empty line.
// Returns 1 when the log already exists (left untouched) or was created;
// -1 when it cannot be created or written.
OVKIT_EXPORT(int) OVKIT_CreateSchedulerLogFile(HINSTANCE module);
// Appends an entry: the first text as a line (when not null), then a tab, at
// most 395 characters of the second text and two line ends (when not null).
// A missing log is created without a header. Returns 1; -1 when the log
// cannot be opened, created or written.
OVKIT_EXPORT(int)
OVKIT_WriteSchedulerLogFile(HINSTANCE module, const char* first, const char* second);
// Writes the full path of SCHEDLOG.TXT (beside the library, whatever module
// is given) into out (MAX_PATH bytes) and returns out; empty when unknown.
OVKIT_EXPORT(char*) OVKIT_GetScheduleLogFilename(HINSTANCE module, char* out);

// Internal helpers of the log.
// 1 when the file or folder exists, else 0.
int OVKIT_FileExists(const char* path);

// The date and time texts of a time value in the Windows [intl] form (iDate
// order, sDate and sTime separators), as local time when local is 1, else as
// UTC; both "N/A" when the value cannot be converted. The year is written as
// its two last digits.
void OVKIT_FormatIntlDate(int local, char* timeText, char* dateText, time_t value);
