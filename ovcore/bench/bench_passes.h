// The timed passes of the read benchmark over one log file.
#pragma once
#include "ovcore/ovcore_base.h"

struct BenchPass {
    ULONGLONG lines; // records (reader) or lines (plain loop)
    ULONGLONG bytes; // size of the file read
    double seconds;
    double cpuSeconds; // the thread's own processor time, steadier on a busy machine
    ULONGLONG check;   // sum over the fields, so that no work is optimised away
};

// Every record through the report run's road: the file list opened for the
// whole time span, then FileInfo_ReadNext until it is exhausted, each record
// freed as the run frees it. FALSE when the file cannot be opened.
BOOL RunReportReaderPass(const char* path, BenchPass* out);
// The record reader alone: LogRecord_ReadNextCounted from position 0 into
// one record that keeps its line buffer. *skipped: lines skipped.
BOOL RunRecordReaderPass(const char* path, BenchPass* out, DWORD* skipped);
// Reads the file in 1 MB blocks, splits lines at LF and fields at blanks.
BOOL RunPlainPass(const char* path, BenchPass* out);

// Marks the start and end of a timed pass: wall clock and thread time.
struct PassClock {
    LARGE_INTEGER wall;
    ULONGLONG cpu; // 100 ns units
};
void ReadPassClock(PassClock* clock);
// Sets out->seconds and out->cpuSeconds from two marks.
void SetPassTimes(const PassClock& from, const PassClock& to, BenchPass* out);
