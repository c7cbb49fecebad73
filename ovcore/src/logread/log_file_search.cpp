// Finding records by place and time in a LogFile: line starts, the first and
// last records, and the byte range of a time range by bisection.
#include "ovcore/logread.h"
#include "logread/log_file_raw.h"
#include "logread/record_probe.h"
#include "logodbc/odbc_log_source.h"

namespace {

const DWORD kStep = 8192;
const DWORD kBisectEnd = 1024;
const DWORD kWindow = 100000;

ULONGLONG SearchLimit() {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwAllocationGranularity + 4096;
}

BOOL Cancelled(void* flag, LogCancelPoll poll) {
    return flag && poll && poll(flag);
}

enum Direction { FIND_START, FIND_END };

BOOL IsBelow(Direction d, DWORD time, DWORD target) {
    return d == FIND_START ? time < target : time <= target;
}

// Bisection over [low, high) for the record at the target, then a forward scan.
// FIND_START: the line start of the first record not earlier than target.
// FIND_END: the position behind the last record not later than target.
// *time: the time of that record.
BOOL SearchRecordByTime(LogFile* f, RecordProbe& probe, Direction d, DWORD target, ULONGLONG low,
                        ULONGLONG high, void* flag, LogCancelPoll poll, ULONGLONG* answer,
                        DWORD* time) {
    ULONGLONG lastStart = LOGFILE_NO_POSITION;
    while (high - low > kBisectEnd) {
        ULONGLONG start = FindLineStartBefore(f, low + (high - low) / 2);
        if (start == lastStart || start <= low || Cancelled(flag, poll))
            break;
        lastStart = start;
        if (!probe.ReadAt(start, kWindow) || !IsBelow(d, probe.Record()->dwTime, target))
            high = start;
        else
            low = start;
    }
    BOOL have = FALSE;
    for (ULONGLONG at = low; probe.ReadAt(at, kWindow); at = probe.After()) {
        if (!IsBelow(d, probe.Record()->dwTime, target)) {
            if (d == FIND_START) {
                *answer = probe.Start();
                *time = probe.Record()->dwTime;
                return TRUE;
            }
            return have;
        }
        have = TRUE;
        *answer = probe.After();
        *time = probe.Record()->dwTime;
    }
    return d == FIND_END && have;
}

} // namespace

ULONGLONG FindLineStartBefore(LogFile* f, ULONGLONG position) {
    if (!LogFile_IsOpen(f))
        return 0;
    if (LogFile_GetSourceKind(f) == LOGSOURCE_ODBC)
        return ODBCLineStartBefore(f->hSource, position);
    if (position > f->qwFileSize)
        position = f->qwFileSize;
    ULONGLONG limit = SearchLimit();
    ULONGLONG floor = position > limit ? position - limit : 0;
    char piece[kStep];
    BOOL textSeen = FALSE;
    ULONGLONG end = position;
    while (end > floor) {
        DWORD count = (DWORD)(end - floor < kStep ? end - floor : kStep);
        ULONGLONG from = end - count;
        if (LogFile_ReadRaw(f, from, piece, count) != count)
            return 0;
        for (DWORD i = count; i-- > 0;) {
            BOOL lineEnd = piece[i] == '\n' || piece[i] == '\r';
            if (lineEnd && textSeen)
                return from + i + 1;
            textSeen = textSeen || !lineEnd;
        }
        end = from;
    }
    return 0;
}

BOOL LogFile_ReadFirstRecord(LogFile* f, HitRecord** record, ULONGLONG* afterPosition) {
    *record = nullptr;
    if (!LogFile_IsOpen(f))
        return FALSE;
    RecordProbe probe(f);
    LogFile_Seek(f, 0, FILE_BEGIN);
    if (!probe.ReadAt(0, kWindow))
        return FALSE;
    *afterPosition = probe.After();
    *record = probe.Take();
    return TRUE;
}

BOOL LogFile_ReadLastRecord(LogFile* f, HitRecord** record, ULONGLONG* linePosition) {
    *record = nullptr;
    if (!LogFile_IsOpen(f))
        return FALSE;
    RecordProbe probe(f);
    if (!probe.ReadLast(0))
        return FALSE;
    *linePosition = probe.Start();
    *record = probe.Take();
    return TRUE;
}

BOOL LogFile_FindTimeRange(LogFile* f, DWORD start, DWORD end, ULONGLONG* firstPos,
                           ULONGLONG* lastPos, DWORD* firstTime, DWORD* lastTime, void* flag,
                           LogCancelPoll poll) {
    if (Cancelled(flag, poll) || !LogFile_IsOpen(f))
        return FALSE;
    *firstPos = 0;
    *lastPos = f->qwFileSize;
    *firstTime = start;
    *lastTime = end;
    // One probe for every read: the W3C directives it finds serve them all.
    RecordProbe probe(f);
    if (!probe.ReadAt(0, kWindow))
        return FALSE;
    DWORD first = probe.Record()->dwTime;
    if (!probe.ReadLast(0))
        return FALSE;
    DWORD last = probe.Record()->dwTime;
    DWORD found = 0;
    if (first >= start && first <= end)
        *firstTime = first;
    else if (SearchRecordByTime(f, probe, FIND_START, start, 0, f->qwFileSize, flag, poll, firstPos,
                                &found) &&
             found <= end)
        *firstTime = found;
    else
        return FALSE;
    if (last >= start && last <= end) {
        *lastTime = last;
        return TRUE;
    }
    ULONGLONG behind = 0;
    if (!SearchRecordByTime(f, probe, FIND_END, end, *firstPos, f->qwFileSize, flag, poll, &behind,
                            &found) ||
        found < start)
        return FALSE;
    *lastTime = found;
    *lastPos = behind;
    return TRUE;
}

namespace {
BOOL RecordTime(const char* path, DWORD hint, BOOL last, DWORD* time, ULONGLONG* position) {
    LogFile* f = LogFile_New();
    BOOL ok = FALSE;
    if (f && LogFile_Open(f, path, hint, LOGFILE_SEQUENTIAL)) {
        HitRecord* record = nullptr;
        ok = last ? LogFile_ReadLastRecord(f, &record, position)
                  : LogFile_ReadFirstRecord(f, &record, position);
        if (ok)
            *time = record->dwTime;
        HitRecord_Free(record);
    }
    LogFile_Free(f);
    return ok;
}
} // namespace

BOOL GetLogFileFirstTime(const char* path, DWORD hint, DWORD* time, ULONGLONG* position) {
    return RecordTime(path, hint, FALSE, time, position);
}

BOOL GetLogFileLastTime(const char* path, DWORD hint, DWORD* time, ULONGLONG* position) {
    return RecordTime(path, hint, TRUE, time, position);
}
