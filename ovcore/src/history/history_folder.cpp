// Where a profile keeps its history database.
#include <string.h>

#include "history/history_db.h"
#include "ovcore/profile_file.h"
#include "ovkit/text_copy.h"

const char* PeriodFolderName(int kind) {
    static const char* const kNames[] = {"daily", "weekly", "monthly", "quartrly", "yearly"};
    return kind >= PERIOD_DAY && kind <= PERIOD_YEAR ? kNames[kind] : nullptr;
}

static int FolderFromProfilePath(const AnalysisProfile* profile, const char* profilePath,
                                 char* folder) {
    char path[MAX_PATH];
    if (profilePath && *profilePath) {
        if (!OvkitCopyWhole(path, MAX_PATH, profilePath, strlen(profilePath)))
            return 0;
    } else if (!GenerateOrbisFilePath(path, profile) || !*path) {
        return 0;
    }
    char* dot = strrchr(path, '.');
    char* slash = strrchr(path, '\\');
    if (dot && (!slash || dot > slash)) {
        if ((size_t)(dot - path) + 5 > MAX_PATH)
            return 0;
        strcpy(dot, ".dat");
    }
    return OvkitCopyWhole(folder, MAX_PATH, path, strlen(path));
}

int ORB_CALL ConvertOrbisFileToRealTimeDir(const AnalysisProfile* profile, const char* profilePath,
                                           char* folder, char* subFolder, int kind) {
    if (!folder)
        return 0;
    folder[0] = 0;
    if (subFolder)
        subFolder[0] = 0;
    if (!profile)
        return 0;
    const char* repository = profile->SwiftmereRepository;
    int ok = repository[0] ? OvkitCopyWhole(folder, MAX_PATH, repository, strlen(repository))
                           : FolderFromProfilePath(profile, profilePath, folder);
    if (!ok) {
        folder[0] = 0;
        return 0;
    }
    size_t n = strlen(folder);
    while (n > 3 && folder[n - 1] == '\\')
        folder[--n] = 0;
    if (!subFolder)
        return 1;
    const char* name = PeriodFolderName(kind);
    if (!name || n + 1 + strlen(name) >= MAX_PATH) {
        folder[0] = 0;
        return 0;
    }
    strcpy(subFolder, folder);
    strcat(subFolder, "\\");
    strcat(subFolder, name);
    return 1;
}
