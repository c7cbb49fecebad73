// The profile step: older records are converted into new profiles, newer
// profile files are copied under fresh names. Each imported profile gets an
// entry in the profile map.
#include "carry_state.h"
#include "carry_steps.h"
#include "folder_walk.h"
#include "import_log.h"
#include "old_profile.h"
#include "please_wait.h"
#include "size_survey.h"
#include "ovcore/profile_file.h"
#include "ovcore/serverlist.h"
#include <string.h>

static std::string BaseOf(const char* fileName) {
    const char* dot = strchr(fileName, '.');
    return std::string(fileName, dot ? dot - fileName : strlen(fileName));
}

static void AddProfileEntry(const char* fileName, const AnalysisProfile* p) {
    ProfileMapEntry e;
    e.OldBase = BaseOf(fileName);
    e.NewBase = p->BaseName;
    e.Title = p->Description;
    e.Database = p->SwiftmereFlag == SWIFTMERE_FILES;
    g_carry.Profiles.insert(g_carry.Profiles.begin(), e);
}

static bool ConvertOldProfile(const char* path, const char* fileName, const AdNames& ads,
                              char* title) {
    title[0] = '\0';
    AnalysisProfile* p = AnalysisProfile_New();
    FileImage image;
    bool ok = p && ReadFileImage(path, &image) && ConvertOldProfileRecord(image, ads, p, title) &&
              ORB_CreateOrbisEntry(p) == 0;
    if (ok)
        AddProfileEntry(fileName, p);
    AnalysisProfile_Free(p);
    return ok;
}

static void ImportOlderProfiles(const char* data) {
    AdNames ads = LoadAdNames();
    ForEachFile(data, "*.ov", [&](const WIN32_FIND_DATAA& f) {
        if (IsSampleProfile(f.cFileName, 0))
            return;
        char path[MAX_PATH], title[OLD_TITLE_SIZE];
        if (!JoinPath(path, data, f.cFileName))
            return;
        ShowImportFile(f.cFileName);
        bool ok = ConvertOldProfile(path, f.cFileName, ads, title);
        AppendImportLogf(ok ? "\tProfile \"%s\" converted" : "\tProfile \"%s\" conversion failed",
                         title);
    });
}

static bool PointsInto(const char* path, const char* folder) {
    size_t n = strlen(folder);
    return n && _strnicmp(path, folder, n) == 0 && (path[n] == '\\' || path[n] == '\0');
}

static bool HasCredentials(const AnalysisProfile* p) {
    if (p->HomePageUsername[0] || p->HomePagePassword[0])
        return true;
    for (DWORD n = 0; n < ServerList_Count(&p->Servers); ++n) {
        const ServerInfo* server = ServerList_Get(&p->Servers, n);
        if (server && (server->szUsername[0] || server->szPassword[0]))
            return true;
    }
    return false;
}

// The copied file keeps its paths: the ones that lead into the old
// installation are named, since they stop working when it goes. Its user
// names and passwords were scrambled by the older version with a key of its
// own, so they read as noise here and must be typed again.
static void WarnCopiedProfile(const AnalysisProfile* p) {
    char path[SERVERINFO_PATH_SIZE];
    for (DWORD n = 0; n < ServerList_Count(&p->Servers); ++n)
        if (ServerList_GetPath(&p->Servers, n, path) && PointsInto(path, g_carry.OldFolder))
            AppendImportLogf("\tWarning: profile \"%s\" reads its log from the old folder: %s",
                             p->Description, path);
    if (PointsInto(p->SwiftmereRepository, g_carry.OldFolder))
        AppendImportLogf("\tWarning: profile \"%s\" keeps its database in the old folder: %s",
                         p->Description, p->SwiftmereRepository);
    if (HasCredentials(p))
        AppendImportLogf("\tWarning: profile \"%s\": its user names and passwords cannot be "
                         "read and must be entered again",
                         p->Description);
}

static bool CopyNewerProfile(const char* path, const char* fileName) {
    char target[MAX_PATH], base[PROFILE_BASENAME_SIZE], extension[PROFILE_EXTENSION_SIZE];
    if (!_BuildUniqueOrbisFileName(target, base, extension) || !CopyFileA(path, target, TRUE))
        return false;
    AnalysisProfile* p = AnalysisProfile_New();
    bool ok = p && ReadOrbisFile(target, p);
    if (ok) {
        strcpy(p->BaseName, base);
        AddProfileEntry(fileName, p);
        AppendImportLogf("\tProfile \"%s\" converted", p->Description);
        WarnCopiedProfile(p);
    } else {
        DeleteFileA(target); // an unreadable copy would only confuse the list
    }
    AnalysisProfile_Free(p);
    return ok;
}

static void ImportNewerProfiles(const char* data) {
    ForEachFile(data, "*.wlp", [&](const WIN32_FIND_DATAA& f) {
        if (IsSampleProfile(f.cFileName, 1))
            return;
        char path[MAX_PATH];
        if (!JoinPath(path, data, f.cFileName))
            return;
        ShowImportFile(f.cFileName);
        if (!CopyNewerProfile(path, f.cFileName))
            AppendImportLogf("\tProfile \"%s\" conversion failed", path);
    });
}

void ImportProfiles(void) {
    char data[MAX_PATH];
    if (!OldDataFolder(data))
        return;
    if (g_carry.Newer)
        ImportNewerProfiles(data);
    else
        ImportOlderProfiles(data);
}
