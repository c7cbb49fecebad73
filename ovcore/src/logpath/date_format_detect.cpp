// Settling the date-format code of a profile's logs by sampling the first
// and last record of every file.
#include "ovcore/fileinfo.h"
#include "ovcore/hittime.h"
#include "ovcore/logpath.h"
#include "ovcore/profile_file.h"
#include "core/engine_settings.h"
#include "logpath/profile_name.h"

namespace {

struct Sample {
    DWORD first, last, totalKB;
    BOOL complete; // every file gave a first and a last record, in order
};

Sample SampleWith(FileInfo* info, DWORD code, BOOL stopOnError) {
    SetLogDateFormat(code);
    Sample s = {0, 0, 0, FALSE};
    BOOL error = FALSE;
    BOOL all = LogSampleRecords(info, 0, stopOnError, &s.first, &s.last, &s.totalKB, &error);
    s.complete = all && !error;
    return s;
}

void StoreSample(AnalysisProfile* profile, const Sample& s) {
    profile->FirstLogTime = s.first;
    profile->LastLogTime = s.last;
    profile->LogSizeKB = s.totalKB;
}

BOOL IsKnownCode(DWORD code) {
    return code == LOGDATE_MDY || code == LOGDATE_DMY || code == LOGDATE_YMD ||
           code == LOGDATE_MDY_GMT || code == LOGDATE_DMY_GMT || code == LOGDATE_YMD_GMT;
}

// Tries the two orders the default order did not cover; the first that reads
// every file becomes the profile's code and is written to its file.
void TryOtherOrders(AnalysisProfile* profile, FileInfo* info) {
    int order = Engine_Settings().intl.Order;
    const DWORD tries[2] = {order == 0 ? (DWORD)LOGDATE_DMY : (DWORD)LOGDATE_MDY,
                            order == 2 ? (DWORD)LOGDATE_DMY : (DWORD)LOGDATE_YMD};
    for (DWORD code : tries) {
        Sample s = SampleWith(info, code, TRUE);
        if (!s.complete)
            continue;
        StoreSample(profile, s);
        profile->LogFileFormat = code;
        ORB_UpdateOrbisEntry(profile);
        return;
    }
}

} // namespace

BOOL DetectLogDateFormat(HWND hostArg, AnalysisProfile* profile, const ServerList* servers,
                         DWORD /*reserved1*/, DWORD /*reserved2*/, BOOL unpack) {
    if (!profile)
        return FALSE;
    FileInfo* info = FileInfo_New();
    char name[PROFILE_FILENAME_SIZE];
    DWORD flags = 0;
    if (!info ||
        FileInfo_OpenServerList(hostArg, ProfileFileName(profile, name), &flags,
                                profile->ODBCDataSource, servers, info, unpack, nullptr) == 0) {
        // No stale list may stand in for logs that are gone.
        FileInfo_Clear(&profile->LogFiles);
        if (info)
            FileInfo_Free(info);
        return FALSE;
    }
    DWORD stored = profile->LogFileFormat;
    FileInfo_CopyFrom(&profile->LogFiles, info);
    profile->LogFiles.wSourceKind = info->wSourceKind;
    // Try 1 looks at every file, so that a partial result can still be kept.
    Sample first = SampleWith(info, stored, FALSE);
    StoreSample(profile, first);
    if (!first.complete && !IsKnownCode(stored))
        TryOtherOrders(profile, info);
    SetLogDateFormat(profile->LogFileFormat);
    FileInfo_Free(info);
    return TRUE;
}
