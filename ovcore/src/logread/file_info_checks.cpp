// FileInfo: the overlap check between files of one server, and the sampling
// of first and last records used to judge a date format.
#include "ovcore/fileinfo.h"
#include "ovcore/logread.h"
#include "logread/record_probe.h"
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

// The first record from position 0, then the last one that starts in the
// last 100,000 bytes, read line by line backwards; one probe for both, so a
// W3C log's directives are read once.
void SampleTimes(LogFile* f, BOOL* haveFirst, DWORD* first, BOOL* haveLast, DWORD* last) {
    RecordProbe probe(f);
    *haveFirst = probe.ReadAt(0, kSampleWindow);
    if (*haveFirst)
        *first = probe.Record()->dwTime;
    ULONGLONG size = LogFile_GetSize(f);
    *haveLast = *haveFirst && probe.ReadLast(size > kLastRecordSpan ? size - kLastRecordSpan : 0);
    if (*haveLast)
        *last = probe.Record()->dwTime;
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
        if (f && LogFile_Open(f, e->szPath, formatHint, LOGFILE_RANDOM))
            SampleTimes(f, &haveFirst, &a, &haveLast, &b);
        ULONGLONG size = f ? LogFile_GetSize(f) : 0;
        LogFile_Free(f);
        BOOL bad = !haveFirst || !haveLast || b < a;
        if (bad)
            *error = TRUE;
        if (bad && stopOnError)
            return FALSE;
        if (!haveFirst || !haveLast)
            continue;
        if (b < a) { // the file spans from the earlier of its two records
            DWORD t = a;
            a = b;
            b = t;
        }
        if (*first == 0 || a < *first)
            *first = a;
        if (*last == 0 || b > *last)
            *last = b;
        *totalKB += (DWORD)((size + 1023) / 1024);
    }
    return TRUE;
}
