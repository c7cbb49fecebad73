// Profile files in the data folder: their names, creation, update and copy.
#include "ovcore/profile_file.h"
#include "ovcore/settings.h"
#include "profile/profile_file_io.h"
#include "ovkit/text_copy.h"
#include <cstdio>
#include <cstdlib>

// folder + BaseName + "." + Extension into out; null (out empty) when it does not fit.
static char* ComposeProfilePath(char* out, const char* folder, const AnalysisProfile* p) {
    char base[PROFILE_BASENAME_SIZE];
    char ext[PROFILE_EXTENSION_SIZE];
    OvkitCopyField(base, p->BaseName);
    OvkitCopyField(ext, p->Extension);
    int len = std::snprintf(out, MAX_PATH, "%s%s.%s", folder, base, ext);
    if (len < 0 || len >= MAX_PATH) {
        out[0] = '\0';
        return nullptr;
    }
    return out;
}

char* ORB_CALL BuildLogProfileFilename(char* szOut, const AnalysisProfile* lpProfile) {
    if (!szOut)
        return nullptr;
    char folder[MAX_PATH];
    szOut[0] = '\0';
    if (!lpProfile || !ProfileFile_DataFolder(folder))
        return nullptr;
    return ComposeProfilePath(szOut, folder, lpProfile);
}

char* ORB_CALL GenerateOrbisFilePath(char* szOut, const AnalysisProfile* lpProfile) {
    if (!szOut)
        return nullptr;
    char folder[MAX_PATH];
    szOut[0] = '\0';
    if (!lpProfile || ORB_GetDatfilesPath(folder) != 0)
        return nullptr;
    return ComposeProfilePath(szOut, folder, lpProfile);
}

// The number a profile file name stands for: its leading hexadecimal digits.
static DWORD HexNameValue(const char* name) {
    DWORD value = 0;
    for (; *name; name++) {
        int digit;
        if (*name >= '0' && *name <= '9')
            digit = *name - '0';
        else if (*name >= 'a' && *name <= 'f')
            digit = *name - 'a' + 10;
        else if (*name >= 'A' && *name <= 'F')
            digit = *name - 'A' + 10;
        else
            break;
        value = value * 16 + static_cast<DWORD>(digit);
    }
    return value;
}

static DWORD LargestProfileNumber(const char* folder) {
    char pattern[MAX_PATH];
    if (std::snprintf(pattern, sizeof pattern, "%s*.wlp", folder) >= MAX_PATH)
        return 0;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(pattern, &found);
    DWORD largest = 0;
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        DWORD value = HexNameValue(found.cFileName);
        if (value > largest)
            largest = value;
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return largest;
}

int ORB_CALL _BuildUniqueOrbisFileName(char* szFullPath, char* szBaseName, char* szExtension) {
    char folder[MAX_PATH];
    if (!szBaseName || !szExtension || !ProfileFile_DataFolder(folder))
        return 0;
    std::snprintf(szBaseName, PROFILE_BASENAME_SIZE, "%08lX",
                  static_cast<unsigned long>(LargestProfileNumber(folder) + 1));
    OvkitCopyText(szExtension, PROFILE_EXTENSION_SIZE, PROFILE_FILE_EXTENSION);
    if (!szFullPath)
        return 1;
    int len = std::snprintf(szFullPath, MAX_PATH, "%s%s.%s", folder, szBaseName, szExtension);
    if (len < 0 || len >= MAX_PATH) {
        szFullPath[0] = '\0';
        return 0;
    }
    return 1;
}

WORD ORB_CALL ORB_UpdateOrbisEntry(AnalysisProfile* lpProfile) {
    char path[MAX_PATH];
    if (!BuildLogProfileFilename(path, lpProfile))
        return ORB_ENTRY_FAILED;
    return WriteOrbisFile(path, lpProfile) ? 0 : ORB_ENTRY_FAILED;
}

WORD ORB_CALL ORB_CreateOrbisEntry(AnalysisProfile* lpProfile) {
    if (!lpProfile ||
        !_BuildUniqueOrbisFileName(nullptr, lpProfile->BaseName, lpProfile->Extension))
        return ORB_ENTRY_FAILED;
    if (!lpProfile->Filters) {
        ProfileFilter* filter = CreateNewIncludeFilter();
        if (!filter)
            return ORB_ENTRY_FAILED;
        OvkitCopyText(filter->Name, "Include Everything");
        AddFilterToProfile(filter, lpProfile, -1);
    }
    return ORB_UpdateOrbisEntry(lpProfile);
}

WORD ORB_CALL ORB_DuplicateOrbisEntry(const AnalysisProfile* lpSource, AnalysisProfile* lpNew) {
    char from[MAX_PATH];
    char to[MAX_PATH];
    if (!lpNew || !BuildLogProfileFilename(from, lpSource) ||
        !_BuildUniqueOrbisFileName(to, lpNew->BaseName, lpNew->Extension))
        return ORB_ENTRY_FAILED;
    return CopyFileA(from, to, FALSE) ? 0 : ORB_ENTRY_FAILED;
}
