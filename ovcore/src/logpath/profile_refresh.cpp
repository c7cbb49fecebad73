// The profile list's refresh of one profile.
#include "ovcore/fileinfo.h"
#include "ovcore/logpath.h"

namespace {

// The source flag of the kind the probe found; without one, the protocol's.
WORD SourceFlagOf(WORD kind, DWORD protocol) {
    switch (kind) {
    case FILEINFO_KIND_PLAIN:
        return SOURCE_PLAIN;
    case FILEINFO_KIND_ZIP:
        return SOURCE_ZIP;
    case FILEINFO_KIND_ODBC:
        return SOURCE_ODBC;
    case FILEINFO_KIND_GZIP:
        return SOURCE_GZIP;
    }
    switch (protocol) {
    case SERVER_PROTOCOL_FTP:
        return SOURCE_FTP;
    case SERVER_PROTOCOL_HTTP:
        return SOURCE_HTTP;
    case SERVER_PROTOCOL_ODBC:
        return SOURCE_ODBC;
    }
    return 0; // a file profile whose logs were not found
}

// Widens the log times with the history database's (a log time of 0 is
// unknown and takes the database's).
void WidenWithDatabase(AnalysisProfile* profile) {
    DWORD first = profile->DatabaseFirstTime;
    DWORD last = profile->DatabaseLastTime;
    if (first && (profile->FirstLogTime == 0 || first < profile->FirstLogTime))
        profile->FirstLogTime = first;
    if (last > profile->LastLogTime)
        profile->LastLogTime = last;
}

} // namespace

ORB_EXPORT(int)
LogFastRefresh(AnalysisProfile* profile, AnalysisProfile** /*loaded*/, DWORD /*count*/,
               LOGREFRESHPROC progress) {
    if (!profile)
        return 1;
    if (progress)
        progress(profile->Description);
    WORD kind = LOGPROBE_KIND_NONE;
    BOOL found = ProbeLogSource(profile, &profile->Servers, &kind);
    DWORD protocol = profile->Servers.dwProtocol;
    WORD flag = SourceFlagOf(kind, protocol);
    // Archives, ODBC and remote logs are measured only when they are read.
    BOOL measured =
        flag == SOURCE_PLAIN && protocol != SERVER_PROTOCOL_FTP && protocol != SERVER_PROTOCOL_HTTP;
    profile->LogInfoValid = (BYTE)(found && measured);
    profile->SourceFlags |= flag;
    // The history database's own range is refreshed by the database code;
    // the times it last stored widen the log times here.
    WidenWithDatabase(profile);
    return 1;
}
