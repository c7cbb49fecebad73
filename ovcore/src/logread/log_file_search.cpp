// Finding records by place and time in a LogFile: line starts, the first and
// last records, and the byte range of a time range by bisection.
#include "ovcore/logread.h"
#include <stdlib.h>
#include <string.h>

namespace {

const DWORD kStep = 8192;
const DWORD kBisectEnd = 1024;
const DWORD kWindow = 100000;
const DWORD kLastWindow = 16384;

ULONGLONG SearchLimit() {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwAllocationGranularity + 4096;
}

// Reads the bytes [from, to) with the file's own source (not its buffer).
DWORD ReadRaw(LogFile* f, ULONGLONG from, char* target, DWORD count) {
    DWORD got = 0;
    SeekLogSource(f->hSource, (LONGLONG)from, FILE_BEGIN);
    if (!ReadLogSource(f->hSource, target, count, &got, nullptr))
        return 0;
    return got;
}

struct Found {
    HitRecord* record;
    ULONGLONG start; // line start of the record
    ULONGLONG after; // position behind it
};

// Reads the next record at position; TRUE with found filled (record kept in found).
BOOL ReadRecord(LogFile* f, ULONGLONG position, DWORD window, Found* found) {
    if (!found->record && !(found->record = HitRecord_New()))
        return FALSE;
    return LogRecord_ReadNextCounted(f, position, found->record, &found->after, window, 1, nullptr,
                                     &found->start) == LOGREAD_RECORD;
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
BOOL SearchRecordByTime(LogFile* f, Direction d, DWORD target, ULONGLONG low, ULONGLONG high,
                        void* flag, LogCancelPoll poll, Found* found, ULONGLONG* answer) {
    ULONGLONG lastStart = LOGFILE_NO_POSITION;
    while (high - low > kBisectEnd) {
        ULONGLONG start = FindLineStartBefore(f, low + (high - low) / 2);
        if (start == lastStart || start <= low || Cancelled(flag, poll))
            break;
        lastStart = start;
        if (!ReadRecord(f, start, kWindow, found) || !IsBelow(d, found->record->dwTime, target))
            high = start;
        else
            low = start;
    }
    BOOL have = FALSE;
    for (ULONGLONG at = low; ReadRecord(f, at, kWindow, found); at = found->after) {
        if (!IsBelow(d, found->record->dwTime, target)) {
            if (d == FIND_START) {
                *answer = found->start;
                return TRUE;
            }
            return have;
        }
        have = TRUE;
        *answer = found->after;
    }
    return d == FIND_END && have;
}

void FreeFound(Found* found) {
    HitRecord_Free(found->record);
    found->record = nullptr;
}

} // namespace

ULONGLONG FindLineStartBefore(LogFile* f, ULONGLONG position) {
    if (!LogFile_IsOpen(f))
        return 0;
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
        if (ReadRaw(f, from, piece, count) != count)
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
    Found found = {};
    LogFile_Seek(f, 0, FILE_BEGIN);
    if (!ReadRecord(f, 0, kWindow, &found)) {
        FreeFound(&found);
        return FALSE;
    }
    *record = found.record;
    *afterPosition = found.after;
    return TRUE;
}

BOOL LogFile_ReadLastRecord(LogFile* f, HitRecord** record, ULONGLONG* linePosition) {
    *record = nullptr;
    if (!LogFile_IsOpen(f))
        return FALSE;
    Found found = {};
    ULONGLONG behind = f->qwFileSize;
    // Each line is tried once: the window ends where the line tried before begins.
    while (behind > 0) {
        ULONGLONG start = FindLineStartBefore(f, behind);
        DWORD window = (DWORD)(behind - start);
        if (ReadRecord(f, start, window ? window : 1, &found)) {
            *record = found.record;
            *linePosition = found.start;
            return TRUE;
        }
        if (start == 0)
            break;
        behind = start;
    }
    FreeFound(&found);
    return FALSE;
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
    HitRecord* first = nullptr;
    HitRecord* last = nullptr;
    ULONGLONG after = 0, lastLine = 0;
    BOOL ok =
        LogFile_ReadFirstRecord(f, &first, &after) && LogFile_ReadLastRecord(f, &last, &lastLine);
    Found found = {};
    if (ok && first->dwTime >= start && first->dwTime <= end) {
        *firstTime = first->dwTime;
    } else if (ok) {
        ok = SearchRecordByTime(f, FIND_START, start, 0, f->qwFileSize, flag, poll, &found,
                                firstPos) &&
             found.record->dwTime <= end;
        if (ok)
            *firstTime = found.record->dwTime;
    }
    if (ok && last->dwTime >= start && last->dwTime <= end) {
        *lastTime = last->dwTime;
    } else if (ok) {
        ULONGLONG behind = 0;
        ok = SearchRecordByTime(f, FIND_END, end, *firstPos, f->qwFileSize, flag, poll, &found,
                                &behind);
        // The scan stops on the first later record: the last good one is re-read.
        HitRecord* good = nullptr;
        ULONGLONG goodStart = FindLineStartBefore(f, behind);
        Found again = {};
        ok = ok && ReadRecord(f, goodStart, (DWORD)(behind - goodStart), &again) &&
             again.record->dwTime >= start;
        if (ok) {
            *lastTime = again.record->dwTime;
            *lastPos = behind;
        }
        good = again.record;
        HitRecord_Free(good);
    }
    FreeFound(&found);
    HitRecord_Free(first);
    HitRecord_Free(last);
    return ok;
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
