// FileInfo: the overlap check between files of one server, and the sampling
// of first and last records used to judge a date format.
#include "ovcore/fileinfo.h"
#include "ovcore/logread.h"
#include <stdlib.h>

namespace {

const DWORD kSampleWindow = 16384;
const ULONGLONG kLastRecordSpan = 100000;

int CompareFirstTime(const void* a, const void* b) {
    DWORD x = (*(const LogFileEntry* const*)a)->dwFirstTime;
    DWORD y = (*(const LogFileEntry* const*)b)->dwFirstTime;
    return x < y ? -1 : x > y ? 1 : 0;
}

BOOL ServerOverlaps(const FileInfo* info, WORD server, DWORD tolerance, LogFileEntry** scratch) {
    DWORD n = 0;
    for (WORD i = 0; i < info->wcNumFiles; i++) {
        LogFileEntry* e = info->lpFiles[i];
        if (e->wServerIndex == server && LogFile_IsOpen(&e->logFile))
            scratch[n++] = e;
    }
    qsort(scratch, n, sizeof(*scratch), CompareFirstTime);
    for (DWORD i = 1; i < n; i++)
        if ((ULONGLONG)scratch[i - 1]->dwLastTime > (ULONGLONG)scratch[i]->dwFirstTime + tolerance)
            return TRUE;
    return FALSE;
}

BOOL FirstSample(LogFile* f, DWORD* time) {
    HitRecord* r = HitRecord_New();
    ULONGLONG after = 0;
    BOOL ok = r && LogRecord_ReadNext(f, 0, r, &after, kSampleWindow, 1) == LOGREAD_RECORD;
    if (ok)
        *time = r->dwTime;
    HitRecord_Free(r);
    return ok;
}

// Steps back line by line from the end, over at most the last 100,000 bytes.
BOOL LastSample(LogFile* f, DWORD* time) {
    ULONGLONG size = LogFile_GetSize(f);
    ULONGLONG floor = size > kLastRecordSpan ? size - kLastRecordSpan : 0;
    HitRecord* r = HitRecord_New();
    BOOL ok = FALSE;
    for (ULONGLONG behind = size; r && !ok && behind > floor;) {
        ULONGLONG start = FindLineStartBefore(f, behind);
        ULONGLONG after = 0;
        DWORD window = (DWORD)(behind - start);
        ok = LogRecord_ReadNext(f, start, r, &after, window ? window : 1, 1) == LOGREAD_RECORD;
        if (ok)
            *time = r->dwTime;
        if (start == 0)
            break;
        behind = start;
    }
    HitRecord_Free(r);
    return ok;
}

} // namespace

void FileInfo_CheckOverlap(const FileInfo* info, WORD* serverCount, BOOL* overlap,
                           DWORD tolerance) {
    *serverCount = info->wcNumServers;
    *overlap = FALSE;
    LogFileEntry** scratch = (LogFileEntry**)malloc((info->wcNumFiles + 1) * sizeof(*scratch));
    for (WORD s = 0; scratch && s < info->wcNumServers && !*overlap; s++)
        *overlap = ServerOverlaps(info, s, tolerance, scratch);
    free(scratch);
}

BOOL LogSampleRecords(FileInfo* info, DWORD formatHint, BOOL stopOnError, DWORD* first, DWORD* last,
                      DWORD* totalKB, BOOL* error) {
    for (WORD i = 0; i < info->wcNumFiles; i++) {
        LogFileEntry* e = info->lpFiles[i];
        LogFile* f = LogFile_New();
        DWORD a = 0, b = 0;
        BOOL haveFirst = FALSE, haveLast = FALSE;
        if (f && LogFile_Open(f, e->szPath, formatHint, LOGFILE_RANDOM)) {
            haveFirst = FirstSample(f, &a);
            haveLast = haveFirst && LastSample(f, &b);
        }
        ULONGLONG size = f ? LogFile_GetSize(f) : 0;
        LogFile_Free(f);
        BOOL bad = !haveFirst || !haveLast || b < a;
        if (bad)
            *error = TRUE;
        if (bad && stopOnError)
            return FALSE;
        if (!haveFirst || !haveLast)
            continue;
        if (*first == 0 || a < *first)
            *first = a;
        if (*last == 0 || b > *last)
            *last = b;
        *totalKB += (DWORD)((size + 1023) / 1024);
    }
    return TRUE;
}
