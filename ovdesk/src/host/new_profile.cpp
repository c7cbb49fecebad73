// The new-profile path of the host's code 2, with the remote log finder.
#include "host/new_profile.h"

#include <cstdio>
#include <new>

#include "desk_services.h"
#include "host/host_callbacks.h"
#include "host/profile_list.h"
#include "log_sources/remote_log_search.h"
#include "ovcore/ovcore.h"
#include "profile_sheet/profile_sheet.h"

namespace {
void RefreshLoaded(AnalysisProfile* profile) {
    LogFastRefresh(profile, GetLoadedProfiles(), GetLoadedProfileCount(), HostRefresh());
}

// Appends profile to the loaded list and describes it in a new host record;
// null without memory (the profile is then freed).
ProfileListEntry* ListNewProfile(AnalysisProfile* profile) {
    ProfileListEntry* entry = (ProfileListEntry*)AllocHostRecord(sizeof(ProfileListEntry));
    if (!entry || !AppendLoadedProfile(profile)) {
        FreeHostRecord(entry);
        AnalysisProfile_Free(profile);
        return nullptr;
    }
    RefreshLoaded(profile);
    FillProfileListEntry(entry, profile);
    return entry;
}

// Found log index as a profile of its own, handed to the host; 0 without memory.
int AddFurtherProfile(const SeekmoleRequest* request, int index) {
    AnalysisProfile* profile = AnalysisProfile_New();
    if (!profile)
        return 0;
    if (ORB_CreateOrbisEntry(profile) != 0 ||
        !FillProfileFromFoundLog(0, profile, request, index)) {
        AnalysisProfile_Free(profile);
        return 0;
    }
    ORB_UpdateOrbisEntry(profile);
    ProfileListEntry* entry = ListNewProfile(profile);
    if (!entry)
        return 0;
    HostAddProfileProc add = HostAddProfile();
    if (add)
        add(entry); // the host owns the record now
    else
        FreeHostRecord(entry);
    return 1;
}

void DeleteProfileFile(AnalysisProfile* profile) {
    char fileName[2 * PROFILE_BASENAME_SIZE + 2];
    snprintf(fileName, sizeof fileName, "%s.%s", profile->BaseName, profile->Extension);
    ORB_DeleteSet(profile, fileName, 0, 0);
}

// Nothing was found: the user describes the profile on the sheet.
int DescribeOnSheet(HWND host, AnalysisProfile* working) {
    int sheet = RunProfileSheet(host, working, PROFILE_SHEET_NEW, GetLoadedProfiles(),
                                GetLoadedProfileCount());
    if (sheet == PROFILE_SHEET_OK) {
        ORB_UpdateOrbisEntry(working);
        return HOST_DONE;
    }
    DeleteProfileFile(working);
    return sheet == PROFILE_SHEET_CANCELLED ? HOST_CANCELLED : HOST_NO_MEMORY;
}
} // namespace

int AddFoundLogProfiles(HWND host, AnalysisProfile* working, const SeekmoleRequest* request) {
    if (!FillProfileFromFoundLog(0, working, request, 0))
        return HOST_NO_MEMORY;
    ORB_UpdateOrbisEntry(working);
    DeskMessageBox(host,
                   "Ostrevane successfully located your log file(s). Report profile(s) for your "
                   "log file(s) have been added.",
                   "Log Files Found", MB_OK | MB_ICONINFORMATION);
    int count = request->FoundCount < SEEKMOLE_MAX_LOGS ? request->FoundCount : SEEKMOLE_MAX_LOGS;
    for (int index = 1; index < count; ++index)
        if (!AddFurtherProfile(request, index))
            return HOST_NO_MEMORY;
    return HOST_DONE;
}

int NewHostProfile(HWND host, ProfileListEntry** newEntry) {
    AnalysisProfile* working = AnalysisProfile_New();
    SeekmoleRequest* request = new (std::nothrow) SeekmoleRequest;
    if (!working || !request) {
        AnalysisProfile_Free(working);
        delete request;
        return HOST_NO_MEMORY;
    }
    working->SwiftmereFlag = SWIFTMERE_NONE;
    if (ORB_CreateOrbisEntry(working) != 0) {
        AnalysisProfile_Free(working);
        delete request;
        return HOST_NO_MEMORY;
    }
    PrepareSeekmoleRequest(request);
    int found = FindRemoteLogs(host, request);
    int result;
    if (found == REMOTE_LOGS_FOUND) {
        result = AddFoundLogProfiles(host, working, request);
    } else if (found == REMOTE_LOGS_CANCELLED) {
        // A cancelled search ends the new profile: nothing goes on to the sheet.
        DeleteProfileFile(working);
        result = HOST_CANCELLED;
    } else {
        result = DescribeOnSheet(host, working);
    }
    delete request;
    if (result != HOST_DONE) {
        AnalysisProfile_Free(working);
        return result;
    }
    ProfileListEntry* entry = ListNewProfile(working);
    if (!entry)
        return HOST_NO_MEMORY;
    *newEntry = entry;
    return HOST_DONE;
}
