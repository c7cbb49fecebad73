// The quick look at a profile's logs that the profile list shows: size,
// first and last log times, and the kind of source found.
#include "ovcore/fileinfo.h"
#include "ovcore/hittime.h"
#include "ovcore/logpath.h"
#include "logpath/profile_name.h"

namespace {

// The entries with the oldest and the newest non-zero last-write times (the
// first entry for both when no time is known).
void PickOldestNewest(const FileInfo* info, WORD* oldest, WORD* newest) {
    *oldest = *newest = 0;
    DWORD low = 0, high = 0;
    for (WORD i = 0; i < info->wcNumFiles; i++) {
        DWORD t = info->lpFiles[i]->dwFileTime;
        if (t == 0)
            continue;
        if (low == 0 || t < low) {
            low = t;
            *oldest = i;
        }
        if (t > high) {
            high = t;
            *newest = i;
        }
    }
}

WORD KindOfArchive(int archive) {
    return archive == ARCHIVE_ZIP ? FILEINFO_KIND_ZIP : FILEINFO_KIND_GZIP;
}

// The first record of the oldest file and the last of the newest; their
// times become the profile's (a time of 0 keeps the old value).
BOOL ReadLogTimes(AnalysisProfile* profile, const char* oldestPath, const char* newestPath) {
    DWORD first = 0, last = 0;
    ULONGLONG position = 0;
    if (!GetLogFileFirstTime(oldestPath, 0, &first, &position) ||
        !GetLogFileLastTime(newestPath, 0, &last, &position))
        return FALSE;
    if (first && last && last < first) { // a log written out of order
        DWORD t = first;
        first = last;
        last = t;
    }
    if (first)
        profile->FirstLogTime = first;
    if (last)
        profile->LastLogTime = last;
    return TRUE;
}

} // namespace

BOOL ProbeLogSource(AnalysisProfile* profile, const ServerList* servers, WORD* kind) {
    if (kind)
        *kind = LOGPROBE_KIND_NONE;
    SetLogDateFormat(profile->LogFileFormat);
    FileInfo* info = FileInfo_New();
    char name[PROFILE_FILENAME_SIZE];
    DWORD flags = 0;
    BOOL found = FALSE;
    if (info &&
        FileInfo_OpenServerList(nullptr, ProfileFileName(profile, name), &flags,
                                profile->ODBCDataSource, servers, info, FALSE, nullptr) > 0) {
        profile->LogSizeKB = info->dwTotalKB;
        WORD oldest, newest;
        PickOldestNewest(info, &oldest, &newest);
        const char* oldestPath = info->lpFiles[oldest]->szPath;
        const char* newestPath = info->lpFiles[newest]->szPath;
        int oldestArchive = DetectArchiveType(oldestPath);
        int newestArchive = DetectArchiveType(newestPath);
        if (kind)
            *kind = newestArchive   ? KindOfArchive(newestArchive)
                    : oldestArchive ? KindOfArchive(oldestArchive)
                                    : info->wSourceKind;
        if (!oldestArchive && !newestArchive)
            found = ReadLogTimes(profile, oldestPath, newestPath);
    }
    if (info)
        FileInfo_Free(info);
    SetLogDateFormat(0);
    return found;
}
