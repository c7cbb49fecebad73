// The log source of a report run: the profile's kept log files opened for
// the report's range, the overlap test, and the DNS cache and window the
// run's look-ups need.
#include "dns/dns_cache.h"
#include "dns/dns_ring.h"
#include "core/engine_state.h"
#include "core/progress_callback.h"
#include "ovcore/fetch.h"
#include "ovcore/fileinfo.h"
#include "ovcore/report_run.h"

namespace {

int CALLBACK StopWhenAsked(void) {
    return CallProgressCallback(TRUE, 0, "", 0, -1, 0) == PROGRESS_STOP;
}

// Opens files for the range and tells whether their servers' files overlap.
// 0, REPORT_ERROR_NO_LOGS (nothing open), REPORT_ERROR_OVERLAP or
// REPORT_ERROR_OVERLAP_HISTORY (files left open).
WORD OpenForRange(const AnalysisProfile* profile, FileInfo* files, ORB_TIME start, ORB_TIME end) {
    FileInfo_CloseAll(files);
    int stop = 0;
    if (FileInfo_Open(profile->LogFileFormat, files, start, end, nullptr, &stop, StopWhenAsked) ==
        0)
        return REPORT_ERROR_NO_LOGS;
    WORD servers = 0;
    BOOL overlap = FALSE;
    FileInfo_CheckOverlap(files, &servers, &overlap, REPORT_OVERLAP_TOLERANCE);
    if (!overlap)
        return 0;
    return profile->SwiftmereFlag != SWIFTMERE_NONE ? REPORT_ERROR_OVERLAP_HISTORY
                                                    : REPORT_ERROR_OVERLAP;
}

BOOL IsRemote(const ServerList* servers) {
    DWORD protocol = ServerList_GetProtocol(servers);
    return protocol == SERVER_PROTOCOL_FTP || protocol == SERVER_PROTOCOL_HTTP;
}

} // namespace

ORB_EXPORT(short)
RemoteADT_Cre8Report(AnalysisProfile* profile, const char*, ORB_TIME start, ORB_TIME end, DWORD,
                     DWORD, char* logPath, HWND, int* dnsMode, DWORD, WORD* error) {
    WORD scratchError = 0;
    int scratchMode = 0;
    if (!error)
        error = &scratchError;
    if (!dnsMode)
        dnsMode = &scratchMode;
    *error = 0;
    if (!profile)
        return ORB_FAIL;
    *dnsMode = profile->DNSLookup;
    if (IsRemote(&profile->Servers)) {
        if (!Fetch_HasFetchedLogs())
            return ORB_FAIL;
        if (logPath && profile->Servers.dwCount)
            lstrcpynA(logPath, profile->Servers.lpServers[0]->szPath, MAX_PATH);
    }
    if (FileInfo_GetFileCount(&profile->LogFiles) == 0)
        return ORB_FAIL;
    *error = OpenForRange(profile, &profile->LogFiles, start, end);
    if (*error != 0 && *error != REPORT_ERROR_OVERLAP) {
        FileInfo_CloseAll(&profile->LogFiles);
        return ORB_FAIL;
    }
    if (!Engine_State().networkBound)
        *dnsMode = DNS_MODE_OFF;
    if (*dnsMode == DNS_MODE_OFF)
        return ORB_OK;
    DNSCache_EnsureOpen();
    if (!DnsLookup_Threaded())
        CreateDNSWindow();
    return ORB_OK;
}

ORB_EXPORT(short) RemoteADT_CloseReport(FileInfo* logFiles) {
    if (logFiles)
        FileInfo_CloseAll(logFiles);
    // Nothing to close for the DNS window: it lives as long as the process.
    ORB_FreeURL(nullptr);
    return ORB_OK;
}

ORB_EXPORT(short)
ORB_CheckFileOverLap(AnalysisProfile* profile, ORB_TIME start, ORB_TIME end, WORD* code) {
    WORD scratch = 0;
    if (!code)
        code = &scratch;
    *code = REPORT_ERROR_NO_LOGS;
    FileInfo* files = FileInfo_New();
    if (profile && files && FileInfo_CopyFrom(files, &profile->LogFiles)) {
        *code = OpenForRange(profile, files, start, end);
        FileInfo_CloseAll(files);
    }
    FileInfo_Free(files);
    return ORB_OK;
}
