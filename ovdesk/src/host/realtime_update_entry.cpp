// Host code 13: brings a profile's history database up to date, after
// switching off what cannot work for its logs.
#include "ovdesk/host_interface.h"
#include "host/host_callbacks.h"
#include "desk_services.h"
#include "ovcore/ovcore.h"
#include <cstdio>

namespace {
void Warn(const char* format, const AnalysisProfile* profile) {
    char text[600];
    snprintf(text, sizeof text, format, profile->Description);
    DeskMessageBox(nullptr, text, OVDESK_CAPTION, MB_OK | MB_ICONWARNING);
}

void SwitchOffDatabase(AnalysisProfile* profile) {
    profile->SwiftmereFlag = SWIFTMERE_NONE;
    profile->RealtimeAnalysis = 0;
    ORB_UpdateOrbisEntry(profile);
}
} // namespace

int __cdecl HostRealtimeUpdate(HWND, ProfileListEntry* entry) {
    if (!entry || !entry->Profile)
        return HOST_NO_MEMORY;
    AnalysisProfile* profile = entry->Profile;
    if (profile->RealtimeAnalysis && (profile->SourceFlags & (SOURCE_ZIP | SOURCE_GZIP))) {
        Warn("The '%s' real-time log profile\r\nincludes ZIP or GZ files,\r\nwhich can not be "
             "analyzed in 'real-time'.\r\nDisabling real-time analysis on that log profile.",
             profile);
        profile->RealtimeAnalysis = 0;
        ORB_UpdateOrbisEntry(profile);
    } else if (profile->SwiftmereFlag && (profile->SourceFlags & SOURCE_ODBC)) {
        Warn("The '%s' log profile specifies an ODBC data source. There is no performance "
             "benefit to maintaining databases on ODBC data sources. Disabling the database "
             "option for that log profile.",
             profile);
        SwitchOffDatabase(profile);
    }
    WORD code = 0;
    ORB_CheckFileOverLap(profile, 0, (ORB_TIME)-1, &code);
    if (code == REPORT_ERROR_OVERLAP_HISTORY) {
        Warn(profile->Servers.dwCount < 2
                 ? "The '%s' log profile specifies log files that have starting and ending times "
                   "that overlap. Swiftmere (tm) is not supported for this overlapping files. "
                   "Disabling the database option for that log profile."
                 : "The '%s' log profile specifies log files on at least one of the servers that "
                   "have starting and ending times that overlap.  Swiftmere (tm) is not supported "
                   "for this overlapping files. Disabling the database option for that log "
                   "profile.",
             profile);
        SwitchOffDatabase(profile);
    }
    if (!profile->RealtimeAnalysis && !profile->SwiftmereFlag)
        return HOST_NOTHING_TO_DO;
    return ORB_UpdateRealtime((DWORD_PTR)entry, profile,
                              (ORB_UPDATEPROGRESSPROC)HostRealtimeProgress());
}
