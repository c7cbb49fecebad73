// Opening, saving and deleting profile files by name in the registered data
// folder.
#include <string.h>

#include "ovcore/history.h"
#include "ovcore/profile_file.h"
#include "profile/profile_file_io.h"

static LONG g_listChanges;

// Data folder + name; false when unknown or too long.
static bool InDataFolder(const char* name, char* path) {
    if (!name || !ProfileFile_DataFolder(path) || strlen(path) + strlen(name) >= MAX_PATH)
        return false;
    strcat(path, name);
    return true;
}

AnalysisProfile* ORB_CALL ORB_GetSet(const char* fileName) {
    char path[MAX_PATH];
    if (!InDataFolder(fileName, path))
        return nullptr;
    AnalysisProfile* profile = AnalysisProfile_New();
    if (profile && ReadOrbisFile(path, profile) == 0) {
        AnalysisProfile_Free(profile);
        return nullptr;
    }
    return profile;
}

WORD ORB_CALL ORB_PutSet(AnalysisProfile* lpProfile) {
    return ORB_UpdateOrbisEntry(lpProfile) == 0 ? 0 : ORB_ENTRY_FAILED;
}

WORD ORB_CALL ORB_DeleteSet(AnalysisProfile* lpProfile, const char* fileName, int flag,
                            WORD /*ignored*/) {
    char path[MAX_PATH];
    if (InDataFolder(fileName, path)) {
        if (lpProfile && lpProfile->SwiftmereFlag && flag == 1)
            ORB_DeleteRealtimeDatabase(lpProfile);
        DeleteFileA(path);
        char* dot = strrchr(path, '.');
        if (dot && lstrcmpiA(dot, ".wlp") == 0) {
            strcpy(dot, ".DIR");
            DeleteFileA(path);
        }
    }
    InterlockedIncrement(&g_listChanges);
    return 0;
}

DWORD ORB_CALL ORB_QuerySetListChange(void) {
    return (DWORD)g_listChanges;
}

const char* ORB_CALL ORB_GetTemplateFilename(void) {
    return MAIN_TEMPLATE_NAME;
}
