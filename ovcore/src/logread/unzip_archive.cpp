// Unpacking the members of a zip log archive through DUNZIP32.dll.
#include "ovcore/logsource.h"
#include "logread/temp_files.h"
#include "logread/unzip_library.h"
#include <string.h>

namespace {

BOOL WINAPI OnUnzipProgress(HWND, DWORD percent) {
    return UnpackProgress_Report(percent);
}

int WINAPI CopyProposedName(LPSTR buffer, LPCSTR proposed) {
    lstrcpynA(buffer, proposed, MAX_PATH);
    return 0;
}

BOOL IsExtractSuccess(int r) {
    return r == DUNZIP_OK || r == 11 || r == DUNZIP_WARNING;
}

// Member count, or -1 on failure.
long CountMembers(DUNZIP_ENTRY dunzip, const char* archivePath) {
    DUNZIPCMDSTRUCT cmd;
    DUNZIPENTRYINFO info;
    DunzipClearCommand(&cmd, &info);
    cmd.dwFunction = DUNZIP_COUNT_MEMBERS;
    cmd.lpszZipFile = archivePath;
    if (dunzip(&cmd) != DUNZIP_OK || cmd.dwMemberCount == 0 || cmd.dwMemberCount > 0x7FFF)
        return -1;
    return (long)cmd.dwMemberCount;
}

BOOL MemberName(DUNZIP_ENTRY dunzip, const char* archivePath, DWORD index, char* name) {
    DUNZIPCMDSTRUCT cmd;
    DUNZIPENTRYINFO info;
    DunzipClearCommand(&cmd, &info);
    cmd.dwFunction = DUNZIP_MEMBER_INFO;
    cmd.lpszZipFile = archivePath;
    cmd.dwIndex = index;
    if (dunzip(&cmd) != DUNZIP_OK)
        return FALSE;
    info.szName[MAX_PATH - 1] = 0;
    strcpy(name, info.szName);
    return TRUE;
}

int Extract(DUNZIP_ENTRY dunzip, const char* archivePath, DWORD index, const char* localPath) {
    DUNZIPCMDSTRUCT cmd;
    DUNZIPENTRYINFO info;
    char nameBuffer[MAX_PATH];
    DunzipClearCommand(&cmd, &info);
    cmd.dwFunction = DUNZIP_EXTRACT_TO_FILE;
    cmd.lpszZipFile = archivePath;
    cmd.dwIndex = index;
    cmd.lpszDestination = localPath;
    cmd.dwOverwrite = 1;
    cmd.lpfnProgress = OnUnzipProgress;
    cmd.dwMode = 3;
    cmd.lpfnNameCopy = CopyProposedName;
    cmd.lpNameBuffer = nameBuffer;
    return dunzip(&cmd);
}

enum WalkResult { WALK_DONE, WALK_FAILED, WALK_STOPPED };

// One member: look it up, unpack it when needed, add its copy to the list.
WalkResult TakeMember(DUNZIP_ENTRY dunzip, const char* profileName, const char* archivePath,
                      DWORD index, UnpackProgress* progress, TempFileList* list) {
    char name[MAX_PATH], localPath[MAX_PATH];
    if (!MemberName(dunzip, archivePath, index, name))
        return WALK_FAILED;
    int known = GetUnzippedFileName(profileName, archivePath, name, localPath, index);
    if (known < 0)
        return WALK_DONE; // no room for this member's copy: skipped
    if (known == 0) {
        UnpackProgress_Start(progress, archivePath);
        int r = Extract(dunzip, archivePath, index, localPath);
        if (r == DUNZIP_STOPPED)
            return WALK_STOPPED;
        if (!IsExtractSuccess(r))
            return WALK_FAILED;
    }
    return TempFileList_Add(list, localPath) ? WALK_DONE : WALK_FAILED;
}

} // namespace

TempFileRecord** UnzipLogArchive(const char* profileName, HWND hostArg, const char* archivePath,
                                 DWORD* count) {
    *count = 0;
    DUNZIP_ENTRY dunzip = Dunzip_GetEntry();
    long members = -1;
    if (dunzip && EnsureTempUnzipFolder(profileName))
        members = CountMembers(dunzip, archivePath);
    if (members < 0) {
        ShowUnzipError(hostArg, IDS_UNZIP_FAILED, archivePath);
        return nullptr;
    }
    TempFileList list = {};
    UnpackProgress progress = {};
    WalkResult walk = WALK_DONE;
    for (long i = 0; i < members && walk == WALK_DONE; i++)
        walk = TakeMember(dunzip, profileName, archivePath, (DWORD)i, &progress, &list);
    UnpackProgress_End(&progress);
    if (walk != WALK_DONE) {
        if (walk == WALK_FAILED)
            ShowUnzipError(hostArg, IDS_UNZIP_FAILED, archivePath);
        TempFileList_Clear(&list);
        return nullptr;
    }
    *count = list.count;
    return list.items;
}
