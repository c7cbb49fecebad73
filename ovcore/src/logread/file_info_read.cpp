// FileInfo: opening the files for a time range and the merged reading.
#include "ovcore/fileinfo.h"
#include "ovcore/logread.h"
#include "logparse/record_pool.h"
#include "logread/w3c_places.h"
#include "ovkit/ovassert.h"
#include <string.h>

namespace {

const DWORD kWindow = 100000;

BOOL IsOpenEntry(const LogFileEntry* e) {
    return LogFile_IsOpen(&e->logFile) && e->wState == LOGREAD_RECORD && e->lpRecord;
}

void CloseEntry(LogFileEntry* e) {
    HitRecord_Free(e->lpRecord);
    e->lpRecord = nullptr;
    e->wState = LOGREAD_NONE;
    LogFile_Close(&e->logFile);
}

// Reads the entry's next record at its position inside its range. A search
// window that ends without a record (an over-long line, a long run of blank
// lines) is not the end of the file: the search goes on from where it stopped,
// where the rest of an over-long line reads as one line.
void Refill(LogFileEntry* e) {
    e->lpRecord = nullptr;
    e->wState = LOGREAD_NONE;
    HitRecord* r = nullptr;
    while (e->qwPosition < e->qwEndPos) {
        if (!r && !(r = RecordPool_Take()))
            return;
        ULONGLONG at = e->qwPosition, next = at;
        int state = LogRecord_ReadNext(&e->logFile, at, r, &next, kWindow, 0);
        e->qwPosition = next;
        if (state == LOGREAD_RECORD) {
            if (next > e->qwEndPos)
                break;
            r->wServerIndex = e->wServerIndex;
            e->lpRecord = r;
            e->wState = LOGREAD_RECORD;
            return;
        }
        if (next <= at)
            break; // no headway: a read error or no memory for the line
    }
    HitRecord_Free(r);
}

// Range, times and first record of one entry; FALSE when it is to be skipped.
BOOL OpenEntry(FileInfo* info, LogFileEntry* e, DWORD hint, DWORD start, DWORD end) {
    e->qwStartPos = e->qwEndPos = 0;
    e->dwFirstTime = e->dwLastTime = 0;
    LogFile* f = &e->logFile;
    if (!LogFile_Open(f, e->szPath, hint, LOGFILE_RANDOM) || LogFile_GetSize(f) == 0)
        return FALSE;
    ULONGLONG first, last;
    DWORD firstTime, lastTime;
    if (!LogFile_FindTimeRange(f, start, end, &first, &last, &firstTime, &lastTime, nullptr,
                               nullptr))
        return FALSE;
    BOOL w3c = LogFile_GetFormatHint(f) == LOGFMT_W3C || LogFile_GetFormat(f) == LOGFMT_W3C;
    if (!LogFile_Open(f, e->szPath, hint, LOGFILE_SEQUENTIAL))
        return FALSE;
    // The open loads the file's first "#Fields:"; a range that starts later
    // needs the directives in force there.
    if (w3c && first > 0 && !W3CPlaces(f).Apply(first, FALSE))
        return FALSE;
    e->qwStartPos = e->qwPosition = first;
    e->qwEndPos = last;
    e->dwFirstTime = firstTime;
    e->dwLastTime = lastTime;
    info->qwTotalBytes += last - first;
    Refill(e);
    return e->wState == LOGREAD_RECORD;
}

} // namespace

LogFileEntry* FileInfo_PickNextFile(FileInfo* info, const LogFileEntry* excluded) {
    LogFileEntry* best = nullptr;
    for (WORD i = 0; i < info->wcNumFiles; i++) {
        LogFileEntry* e = info->lpFiles[i];
        if (e == excluded || !IsOpenEntry(e))
            continue;
        if (!best || e->lpRecord->dwTime < best->lpRecord->dwTime)
            best = e;
    }
    return best;
}

int FileInfo_Open(DWORD formatHint, FileInfo* info, DWORD start, DWORD end, char* firstPath,
                  int* stopResult, FileInfoStopPoll stopPoll) {
    OV_ASSERT(info && info->wcNumOpen == 0);
    if (!info)
        return 0;
    info->qwTotalBytes = info->qwRecordsRead = 0;
    info->dwFirstTime = (DWORD)-1;
    info->dwLastTime = 0;
    info->iFirstFile = info->iLastFile = -1;
    info->lpCurrent = info->lpNext = nullptr;
    for (WORD i = 0; i < info->wcNumFiles; i++) {
        if (stopPoll && stopResult && (*stopResult = stopPoll()) != 0) {
            FileInfo_CloseAll(info);
            return 0;
        }
        LogFileEntry* e = info->lpFiles[i];
        if (!OpenEntry(info, e, formatHint, start, end)) {
            CloseEntry(e);
            continue;
        }
        info->wcNumOpen++;
        if (e->dwFirstTime < info->dwFirstTime) {
            info->dwFirstTime = e->dwFirstTime;
            info->iFirstFile = (short)i;
        }
        if (e->dwLastTime > info->dwLastTime) {
            info->dwLastTime = e->dwLastTime;
            info->iLastFile = (short)i;
        }
    }
    if (info->wcNumOpen == 0)
        return 0;
    if (firstPath)
        lstrcpynA(firstPath, info->lpFiles[0]->szPath, MAX_PATH);
    info->lpCurrent = FileInfo_PickNextFile(info, nullptr);
    info->lpNext = FileInfo_PickNextFile(info, info->lpCurrent);
    return info->wcNumOpen;
}

int FileInfo_ReadNext(void*, FileInfo* info, HitRecord** record) {
    OV_ASSERT(info != NULL);
    *record = nullptr;
    LogFileEntry* cur = info ? info->lpCurrent : nullptr;
    if (!cur || !IsOpenEntry(cur))
        return LOGREAD_NONE;
    *record = cur->lpRecord;
    int state = cur->wState;
    Refill(cur);
    if (cur->wState != LOGREAD_RECORD) {
        CloseEntry(cur);
        info->lpCurrent = info->lpNext;
        info->lpNext = info->lpCurrent ? FileInfo_PickNextFile(info, info->lpCurrent) : nullptr;
    } else if (info->lpNext && cur->lpRecord->dwTime > info->lpNext->lpRecord->dwTime) {
        info->lpCurrent = info->lpNext;
        info->lpNext = FileInfo_PickNextFile(info, info->lpCurrent);
    }
    if (state == LOGREAD_RECORD)
        info->qwRecordsRead++;
    return state;
}

void FileInfo_CloseAll(FileInfo* info) {
    for (WORD i = 0; info && i < info->wcNumFiles; i++)
        CloseEntry(info->lpFiles[i]);
    if (info) {
        info->wcNumOpen = 0;
        info->lpCurrent = info->lpNext = nullptr;
    }
}

BOOL FileInfo_GetTimeSpan(DWORD formatHint, FileInfo* info, DWORD* first, DWORD* last,
                          BOOL* outOfOrder) {
    OV_ASSERT(info);
    if (outOfOrder)
        *outOfOrder = FALSE;
    if (!info)
        return FALSE;
    if (info->wcNumOpen) {
        *first = info->dwFirstTime;
        *last = info->dwLastTime;
        return TRUE;
    }
    BOOL any = FALSE;
    for (WORD i = 0; i < info->wcNumFiles; i++) {
        DWORD a, b;
        ULONGLONG pos;
        const char* path = info->lpFiles[i]->szPath;
        if (!GetLogFileFirstTime(path, formatHint, &a, &pos) ||
            !GetLogFileLastTime(path, formatHint, &b, &pos))
            continue;
        if (b < a) { // a log whose last line is older than its first
            DWORD t = a;
            a = b;
            b = t;
            if (outOfOrder)
                *outOfOrder = TRUE;
        }
        if (!any || a < *first)
            *first = a;
        if (!any || b > *last)
            *last = b;
        any = TRUE;
    }
    return any;
}

BOOL FileInfo_GetTimeRange(DWORD formatHint, FileInfo* info, DWORD* first, DWORD* last) {
    return FileInfo_GetTimeSpan(formatHint, info, first, last, nullptr);
}

ULONGLONG FileInfo_GetBytesRead(const FileInfo* info) {
    OV_ASSERT(info && info->wcNumOpen > 0);
    ULONGLONG read = 0;
    for (WORD i = 0; info && i < info->wcNumFiles; i++) {
        const LogFileEntry* e = info->lpFiles[i];
        if (e->qwEndPos != 0 && e->qwPosition > e->qwStartPos)
            read += (e->qwPosition < e->qwEndPos ? e->qwPosition : e->qwEndPos) - e->qwStartPos;
    }
    return read;
}

DWORD FileInfo_GetDonePercent(const FileInfo* info) {
    if (!info || info->qwTotalBytes == 0)
        return 100;
    return (DWORD)(FileInfo_GetBytesRead(info) * 100 / info->qwTotalBytes);
}
