// The walk over the profile files of the data folder, one profile per call.
#include "ovcore/logpath.h"
#include "ovcore/profile_file.h"
#include "core/engine_state.h"
#include <stdio.h>

namespace {

// The walk in progress; INVALID_HANDLE_VALUE between walks.
HANDLE g_walk = INVALID_HANDLE_VALUE;

BOOL NextProfileFile(WIN32_FIND_DATAA* found) {
    if (g_walk != INVALID_HANDLE_VALUE)
        return FindNextFileA(g_walk, found);
    char pattern[MAX_PATH];
    const char* folder = Engine_State().dataFolder;
    if (!folder[0] || snprintf(pattern, sizeof(pattern), "%s*.%s", folder,
                               PROFILE_FILE_EXTENSION) >= (int)sizeof(pattern))
        return FALSE;
    g_walk = FindFirstFileA(pattern, found);
    return g_walk != INVALID_HANDLE_VALUE;
}

void EndWalk() {
    if (g_walk != INVALID_HANDLE_VALUE)
        FindClose(g_walk);
    g_walk = INVALID_HANDLE_VALUE;
}

AnalysisProfile* LoadProfile(const char* fileName) {
    char path[MAX_PATH];
    if (snprintf(path, sizeof(path), "%s%s", Engine_State().dataFolder, fileName) >=
        (int)sizeof(path))
        return nullptr;
    AnalysisProfile* profile = AnalysisProfile_New();
    if (profile && ReadOrbisFile(path, profile) != 4) {
        AnalysisProfile_Free(profile);
        return nullptr;
    }
    return profile;
}

// A loaded profile of the same file keeps its refresh results in the new record.
void TakeOverRefresh(AnalysisProfile* profile, AnalysisProfile** loaded, DWORD count,
                     const char* fileName) {
    for (DWORD i = 0; loaded && i < count; i++) {
        const AnalysisProfile* old = loaded[i];
        char name[PROFILE_BASENAME_SIZE + PROFILE_EXTENSION_SIZE + 2];
        if (!old)
            continue;
        snprintf(name, sizeof(name), "%s.%s", old->BaseName, old->Extension);
        if (lstrcmpiA(name, fileName) != 0)
            continue;
        profile->LogInfoValid = old->LogInfoValid;
        profile->LogSizeKB = old->LogSizeKB;
        profile->FirstLogTime = old->FirstLogTime;
        profile->LastLogTime = old->LastLogTime;
        return;
    }
}

} // namespace

ORB_EXPORT(AnalysisProfile*)
LogGetNextProfile(AnalysisProfile** loaded, DWORD count, DWORD_PTR /*unused*/) {
    WIN32_FIND_DATAA found;
    while (NextProfileFile(&found)) {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        AnalysisProfile* profile = LoadProfile(found.cFileName);
        if (!profile)
            continue;
        TakeOverRefresh(profile, loaded, count, found.cFileName);
        return profile;
    }
    EndWalk();
    return nullptr;
}
