// The FTP fetch list: the source's folders and patterns listed on the
// server, compared with what the last fetch brought.
//
// An item ending in a separator, or one without wildcards that the server
// accepts as a folder, lists every file of that folder; anything else is a
// pattern (or a file name) in the folder before its last separator.
#include "core/engine_state.h"
#include "core/net_binding.h"
#include "fetch/fetch_ids.h"
#include "fetch/fetch_state.h"
#include "fetch/ftp_fetch.h"
#include "ovcore/netsettings.h"
#include <stdio.h>
#include <string.h>

namespace {

const int kFolderSize = 300;

const FtpApi& Ftp() {
    return NetBinding_Ftp();
}

BOOL Failed(int code) {
    if (code == 0)
        return FALSE;
    FtpErrorText(code);
    return TRUE;
}

// One line without its end; FALSE at the end of the file.
BOOL ReadLine(FILE* file, char* out, int size) {
    if (!fgets(out, size, file))
        return FALSE;
    size_t length = strlen(out);
    if (length && out[length - 1] != '\n')
        for (int c = fgetc(file); c != EOF && c != '\n'; c = fgetc(file)) {
        }
    out[strcspn(out, "\r\n")] = 0;
    return TRUE;
}

// The long line that ends with name, or FALSE.
BOOL FindLongLine(FILE* longFile, const char* name, char* line, int size) {
    rewind(longFile);
    while (ReadLine(longFile, line, size))
        if (FtpListing_Names(line, name))
            return TRUE;
    return FALSE;
}

const FetchEntry* PreviousEntry(const char* remote) {
    const FetchList* previous = Fetch_PreviousList();
    for (DWORD i = 0; i < previous->dwCount; i++)
        if (strcmp(previous->lpEntries[i].szRemoteName, remote) == 0)
            return &previous->lpEntries[i];
    return nullptr;
}

BOOL IsFile(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Adds a listed file: its previous copy, and whether that copy is current.
BOOL AddFile(const char* folder, const char* name, const char* longLine, const char* copyFolder) {
    char remote[FETCH_NAME_SIZE];
    const char* between = folder[strlen(folder) - 1] == '/' ? "" : "/";
    int n = snprintf(remote, sizeof(remote), "%s%s%s", folder, between, name);
    char listing[FETCH_LISTING_SIZE];
    lstrcpynA(listing, longLine, sizeof(listing));
    if (n < 0 || n >= (int)sizeof(remote)) {
        Fetch_SetErrorId(IDS_FETCH_NAME_TOO_LONG, name);
        return FALSE;
    }
    FetchList* list = Fetch_CurrentList();
    if (!FetchList_Add(list, remote, listing))
        return FALSE;
    FetchEntry* e = &list->lpEntries[list->dwCount - 1];
    const FetchEntry* before = PreviousEntry(remote);
    if (!before || !Fetch_IsInCopyFolder(before->szLocalPath, copyFolder))
        return TRUE;
    strcpy(e->szLocalPath, before->szLocalPath);
    e->dwSkip = Fetch_State().downloadMode == DOWNLOAD_DETECT && before->szListing[0] &&
                strcmp(before->szListing, e->szListing) == 0 && IsFile(e->szLocalPath);
    return TRUE;
}

// Pairs each name of the short listing with its long line (by the name at
// the line's end: the two listings need not be in the same order); folders
// are passed over.
BOOL ReadListing(const char* folder, const char* shortPath, const char* longPath,
                 const char* copyFolder) {
    FILE* names = fopen(shortPath, "r");
    FILE* lines = fopen(longPath, "r");
    BOOL ok = names && lines;
    char name[FETCH_NAME_SIZE], line[1024];
    while (ok && ReadLine(names, name, sizeof(name))) {
        const char* slash = strrchr(name, '/');
        const char* bare = slash ? slash + 1 : name;
        if (!bare[0] || !FindLongLine(lines, bare, line, sizeof(line)) || FtpListing_IsFolder(line))
            continue;
        ok = AddFile(folder, bare, line, copyFolder);
    }
    if (names)
        fclose(names);
    if (lines)
        fclose(lines);
    return ok;
}

BOOL HasWildcard(const char* text) {
    return strpbrk(text, "*?") != nullptr;
}

// Splits an item into the folder to change to (with a leading "/") and the
// pattern to list there (empty: the whole folder).
BOOL SplitItem(const char* item, char* folder, char* pattern) {
    const char* slash = item + strlen(item);
    while (slash > item && slash[-1] != '/' && slash[-1] != '\\')
        slash--;
    const char* lead = item[0] == '/' || item[0] == '\\' ? "" : "/";
    int n = snprintf(folder, kFolderSize, "%s%.*s", lead, (int)(slash - item), item);
    if (n < 0 || n >= kFolderSize || strlen(slash) >= FETCH_NAME_SIZE) {
        Fetch_SetErrorId(IDS_FETCH_NAME_TOO_LONG, item);
        return FALSE;
    }
    for (char* c = folder; *c; c++)
        if (*c == '\\')
            *c = '/';
    strcpy(pattern, slash);
    if (!pattern[0] || HasWildcard(pattern))
        return TRUE;
    char whole[kFolderSize];
    n = snprintf(whole, sizeof(whole), "%s%s", folder, pattern);
    if (n > 0 && n < (int)sizeof(whole) && Ftp().FtpCWD(whole) == 0) {
        strcpy(folder, whole);
        pattern[0] = 0;
    }
    return TRUE;
}

BOOL ListItem(const char* item, const char* copyFolder) {
    char folder[kFolderSize], pattern[FETCH_NAME_SIZE];
    if (!SplitItem(item, folder, pattern) || Failed(Ftp().FtpCWD(folder)))
        return FALSE;
    const char* data = Engine_State().dataFolder;
    char shortPath[MAX_PATH], longPath[MAX_PATH];
    snprintf(shortPath, sizeof(shortPath), "%sshortdir.ftp", data);
    snprintf(longPath, sizeof(longPath), "%slongdir.ftp", data);
    BOOL ok = !Failed(Ftp().FtpDir(pattern, shortPath, FALSE, nullptr, 0)) &&
              !Failed(Ftp().FtpDir(pattern, longPath, TRUE, nullptr, 0)) &&
              ReadListing(folder, shortPath, longPath, copyFolder);
    DeleteFileA(shortPath);
    DeleteFileA(longPath);
    return ok;
}

} // namespace

BOOL FtpFetch_BuildList(const FetchTarget* target, const char* paths) {
    FetchList_Clear(Fetch_CurrentList());
    char start[kFolderSize];
    if (Ftp().FtpPWD(start, sizeof(start)) != 0)
        strcpy(start, "/");
    char text[SERVERINFO_PATH_SIZE];
    lstrcpynA(text, paths, sizeof(text));
    BOOL ok = TRUE;
    for (char* item = strtok(text, "| "); ok && item; item = strtok(nullptr, "| ")) {
        ok = ListItem(item, target->copyFolder);
        Ftp().FtpCWD(start); // every item's folder is named from the top
    }
    if (ok)
        RemoteFetch_DropUnlisted(target->copyFolder);
    return ok;
}
