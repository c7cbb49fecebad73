// Host code 19: the logs of the web servers on this machine, each made into
// a profile, and the box that says how many were added.
#include "log_sources/local_log_search.h"

#include <cstdio>

#include "desk_services.h"
#include "ovdesk/host_interface.h"
#include "ovcore/ovcore.h"
#include "resource_ids.h"

namespace {
typedef bool (*LocalLogFinder)(HKEY root, LocalLogSink sink, void* context);
const LocalLogFinder kFinders[] = {FindIisLogs, FindWebSiteLogs, FindCBuilderLogs,
                                   FindNetscapeLogs};

// A new profile on this machine's log path; true when its file was written.
bool AddLocalProfile(const char* description, const char* path) {
    AnalysisProfile* profile = AnalysisProfile_New();
    if (!profile)
        return false;
    bool added = false;
    if (ORB_CreateOrbisEntry(profile) == 0) {
        snprintf(profile->Description, sizeof profile->Description, "%s", description);
        ServerList_FreeContents(&profile->Servers);
        ServerList_SetProtocol(&profile->Servers, SERVER_PROTOCOL_FILE);
        if (ServerList_AddServer(&profile->Servers, "LocalMachine", path, "", "")) {
            LoadText(IDS_LOCAL_HOMEPAGE_FILES, profile->HomePageDefaults,
                     sizeof profile->HomePageDefaults);
            profile->HomePageBaseDir[0] = '\0';
            profile->HomePageUsername[0] = '\0';
            profile->HomePagePassword[0] = '\0';
            profile->RealtimeAnalysis = 0;
            added = ORB_UpdateOrbisEntry(profile) == 0;
        }
    }
    AnalysisProfile_Free(profile);
    return added;
}

void CountProfile(const char* description, const char* path, void* context) {
    if (AddLocalProfile(description, path))
        ++*static_cast<int*>(context);
}

void ReportFindings(HWND host, bool anyFinder, int added) {
    if (!anyFinder) {
        DeskMessageBox(host,
                       "Ostrevane did not detect any log files.  No IIS, Netscape, O'Reilly, or "
                       "CBuilder web servers were detected on this system.",
                       "No Log Files Detected", MB_OK | MB_ICONINFORMATION);
        return;
    }
    char text[200];
    snprintf(text, sizeof text,
             "Ostrevane found %d log files. These log files will appear in the list of log files "
             "on the main Ostrevane window.",
             added);
    DeskMessageBox(host, text, "Log Files Were Detected", MB_OK | MB_ICONINFORMATION);
}
} // namespace

int FindLocalServerLogsUnder(HWND host, HKEY root) {
    bool anyFinder = false;
    int added = 0;
    for (LocalLogFinder finder : kFinders)
        anyFinder = finder(root, CountProfile, &added) || anyFinder;
    ReportFindings(host, anyFinder, added);
    return anyFinder ? 1 : 2;
}

int __cdecl FindLocalServerLogs(HWND host) {
    return FindLocalServerLogsUnder(host, HKEY_LOCAL_MACHINE);
}
