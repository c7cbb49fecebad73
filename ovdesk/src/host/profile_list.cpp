// The loaded-profile list and the host's profile enumeration.
#include "host/profile_list.h"
#include "host/host_callbacks.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "ovkit/text_copy.h"

namespace {
struct ProfileArray {
    AnalysisProfile** Items;
    DWORD Count;
};
ProfileArray g_loaded = {nullptr, 0};
ProfileArray g_building = {nullptr, 0};
BOOL g_enumerating = FALSE;
HWND g_hostWindow = nullptr;

int Append(ProfileArray& list, AnalysisProfile* profile) {
    AnalysisProfile** grown =
        (AnalysisProfile**)realloc(list.Items, (list.Count + 1) * sizeof(AnalysisProfile*));
    if (!grown)
        return 0;
    grown[list.Count++] = profile;
    list.Items = grown;
    return 1;
}

void FreeProfiles(ProfileArray& list) {
    for (DWORD i = 0; i < list.Count; ++i)
        AnalysisProfile_Free(list.Items[i]);
    free(list.Items);
    list = {nullptr, 0};
}

} // namespace

int AppendLoadedProfile(AnalysisProfile* profile) {
    return Append(g_loaded, profile);
}

int RemoveLoadedProfile(AnalysisProfile* profile) {
    for (DWORD i = 0; i < g_loaded.Count; ++i) {
        if (g_loaded.Items[i] != profile)
            continue;
        memmove(&g_loaded.Items[i], &g_loaded.Items[i + 1],
                (g_loaded.Count - i - 1) * sizeof(AnalysisProfile*));
        --g_loaded.Count;
        return 1;
    }
    return 0;
}

AnalysisProfile** GetLoadedProfiles(void) {
    return g_loaded.Items;
}
DWORD GetLoadedProfileCount(void) {
    return g_loaded.Count;
}
BOOL IsProfileEnumerationRunning(void) {
    return g_enumerating;
}

void FreeLoadedProfiles(void) {
    FreeProfiles(g_loaded);
    FreeProfiles(g_building);
    g_enumerating = FALSE;
}

void FillProfileListEntry(ProfileListEntry* entry, AnalysisProfile* profile) {
    entry->One1 = 1;
    entry->One2 = 1;
    OvkitCopyText(entry->Description, profile->Description);
    char display[SERVERLIST_DISPLAYNAME_SIZE] = "";
    ServerList_GetDisplayName(&profile->Servers, display);
    OvkitCopyText(entry->ServerText, display);
    snprintf(entry->FileName, sizeof entry->FileName, "%s.%s", profile->BaseName,
             profile->Extension);
    entry->LogSizeKB = profile->LogSizeKB;
    if (profile->LogInfoValid || profile->FirstLogTime || profile->LastLogTime) {
        entry->FirstLogTime = profile->FirstLogTime;
        entry->LastLogTime = profile->LastLogTime;
    } else if (profile->DatabaseFirstTime && profile->DatabaseLastTime) {
        entry->FirstLogTime = profile->DatabaseFirstTime;
        entry->LastLogTime = profile->DatabaseLastTime;
    } else {
        entry->FirstLogTime = entry->LastLogTime = 0;
    }
    entry->Realtime = profile->RealtimeAnalysis ? 1 : 0;
    entry->DatabaseAndRealtime = profile->SwiftmereFlag && profile->RealtimeAnalysis ? 1 : 0;
    entry->Profile = profile;
}

int __cdecl LogFindProfile(HWND host, DWORD_PTR, DWORD_PTR, ProfileListEntry** entry) {
    *entry = nullptr;
    g_hostWindow = host;
    g_enumerating = TRUE;
    AnalysisProfile* profile =
        LogGetNextProfile(g_loaded.Items, g_loaded.Count, (DWORD_PTR)HostRefresh());
    if (!profile) {
        // The walk is over: the new list replaces the old one, whose
        // profiles the engine has handed over and which the host no longer shows.
        FreeProfiles(g_loaded);
        g_loaded = g_building;
        g_building = {nullptr, 0};
        g_enumerating = FALSE;
        return HOST_END;
    }
    ProfileListEntry* made = (ProfileListEntry*)AllocHostRecord(sizeof(ProfileListEntry));
    if (!made || !Append(g_building, profile)) {
        FreeHostRecord(made);
        AnalysisProfile_Free(profile);
        return HOST_NO_MEMORY;
    }
    FillProfileListEntry(made, profile);
    *entry = made;
    return HOST_DONE;
}

int __cdecl LogRefreshProfile(DWORD_PTR, ProfileListEntry* entry) {
    if (!entry || !entry->Profile)
        return HOST_NO_MEMORY;
    LogFastRefresh(entry->Profile, g_loaded.Items, g_loaded.Count, HostRefresh());
    FillProfileListEntry(entry, entry->Profile);
    return HOST_DONE;
}

HWND GetHostWindow(void) {
    return g_hostWindow;
}
