// The host's profile functions: new or edit, delete, copy.
#include "host/profile_edit.h"
#include "host/profile_list.h"
#include "host/new_profile.h"
#include "host/edit_profile.h"
#include "host/host_callbacks.h"
#include "profile_sheet/profile_sheet.h"
#include "schedule/schedule_realtime.h"
#include <cstdio>

AnalysisProfile* MakeProfileCopy(const AnalysisProfile* source) {
    AnalysisProfile* copy = AnalysisProfile_New();
    if (!copy)
        return nullptr;
    if (!AnalysisProfile_CopyNonRuntime(copy, source)) {
        AnalysisProfile_Free(copy);
        return nullptr;
    }
    // The host shows 80 bytes of a description: the copy's must fit there.
    snprintf(copy->Description, HOST_DESCRIPTION_SIZE, "Copy of %-.72s", source->Description);
    if (copy->SwiftmereFlag == SWIFTMERE_ODBC) {
        copy->SwiftmereFlag = SWIFTMERE_NONE;
        copy->RealtimeAnalysis = 0;
        copy->RealtimeReports = 0;
    }
    return copy;
}

int __cdecl HostEditProfile(HWND host, ProfileListEntry* entry, ProfileListEntry** newEntry) {
    if (newEntry)
        *newEntry = nullptr;
    if (!entry && newEntry) {
        int made = NewHostProfile(host, newEntry);
        if (made == HOST_DONE && *newEntry)
            SyncProfileScheduleEvent((*newEntry)->Profile, GetRealtimeEventSettings(nullptr));
        return made;
    }
    if (!entry || !entry->Profile)
        return HOST_NO_MEMORY;
    RealtimeEventSettings before = GetRealtimeEventSettings(entry->Profile);
    int edited = EditHostProfile(host, entry);
    if (edited == HOST_DONE)
        SyncProfileScheduleEvent(entry->Profile, before);
    return edited;
}

int __cdecl HostDeleteProfile(HWND, ProfileListEntry* entry) {
    if (!entry || !entry->Profile)
        return HOST_DONE;
    AnalysisProfile* profile = entry->Profile;
    if (profile->SwiftmereFlag || profile->RealtimeAnalysis)
        ORB_DeleteRealtimeDatabase(profile);
    char fileName[2 * PROFILE_BASENAME_SIZE + 2];
    snprintf(fileName, sizeof fileName, "%s.%s", profile->BaseName, profile->Extension);
    ORB_DeleteSet(profile, fileName, 1, 0);
    ForgetProfileScheduleEvent(profile);
    if (RemoveLoadedProfile(profile))
        AnalysisProfile_Free(profile);
    entry->Profile = nullptr;
    return HOST_DONE;
}

int __cdecl HostCopyProfile(HWND host, ProfileListEntry* entry, ProfileListEntry** newEntry) {
    *newEntry = nullptr;
    if (!entry || !entry->Profile)
        return HOST_NO_MEMORY;
    AnalysisProfile* copy = MakeProfileCopy(entry->Profile);
    if (!copy)
        return HOST_NO_MEMORY;
    ORB_DuplicateOrbisEntry(entry->Profile, copy);
    char fileName[2 * PROFILE_BASENAME_SIZE + 2];
    snprintf(fileName, sizeof fileName, "%s.%s", copy->BaseName, copy->Extension);
    int sheet = RunProfileSheet(host, copy, PROFILE_SHEET_NEW, GetLoadedProfiles(),
                                GetLoadedProfileCount());
    if (sheet != PROFILE_SHEET_OK) {
        ORB_DeleteSet(copy, fileName, 0, 0);
        AnalysisProfile_Free(copy);
        return sheet == PROFILE_SHEET_CANCELLED ? HOST_CANCELLED : HOST_NO_MEMORY;
    }
    ORB_UpdateOrbisEntry(copy);
    ProfileListEntry* made = (ProfileListEntry*)AllocHostRecord(sizeof(ProfileListEntry));
    if (!made || !AppendLoadedProfile(copy)) {
        FreeHostRecord(made);
        AnalysisProfile_Free(copy);
        return HOST_NO_MEMORY;
    }
    FillProfileListEntry(made, copy);
    *newEntry = made;
    return HOST_DONE;
}
