// The small entry functions of the host interface.
#include "ovdesk/host_interface.h"
#include "desk_services.h"
#include "startup/plugin_state.h"
#include "host/host_callbacks.h"
#include "resource_ids.h"
#include "ovcore/ovcore.h"
#include "ovkit/pathutil.h"
#include <cstdio>
#include <cstring>

int __cdecl HostShutDown(void) {
    ShutDownPlugin();
    return HOST_DONE;
}

int __cdecl HostStopRealtime(DWORD_PTR, DWORD_PTR value) {
    ORB_AbortRealtimeAnalysis((ORB_UPDATEENDPROC)value);
    return HOST_DONE;
}

const char* __cdecl LogGetProfileHelp(DWORD_PTR, DWORD_PTR) {
    return LoadTextSlot(IDS_PROFILE_HELP, 4);
}

int __cdecl HostTemplateFolder(char* title, char* templateFolder, char* settingsPath) {
    if (title)
        strcpy(title, "Log Analyzer");
    if (templateFolder) {
        char local[MAX_PATH] = "";
        OVKIT_GetLocalDirectory(nullptr, local);
        snprintf(templateFolder, MAX_PATH, "%sovdesk\\template\\", local);
    }
    if (settingsPath) {
        char main[MAX_PATH] = "";
        ORB_GetMainPath(main);
        snprintf(settingsPath, MAX_PATH, "%sovdesk.ini", main);
    }
    return HOST_DONE;
}

int __cdecl HostReturnZero(void) {
    return 0;
}

int __cdecl HostClusterFlag(ProfileListEntry* entry) {
    if (!entry || !entry->Profile)
        return 0;
    return ServerList_GetIsCluster(&entry->Profile->Servers) ? 1 : 0;
}
