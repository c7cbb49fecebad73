// A period is committed with its master entry through a journal
// "~<name>.jnl" beside the period file: the new current time and the old
// file's content (if any) are stored before the period file is replaced, and
// the journal is removed once master.dat holds the new time. A journal found
// later whose time master.dat does not hold means the master write never
// happened: the old period file is put back, so the file and its entry agree
// and no hit is counted twice.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "history/durable_file.h"
#include "history/history_db.h"

#define JOURNAL_MAGIC 0x4E4A564F // "OVJN"

#pragma pack(push, 1)
struct JournalHead {
    DWORD Magic;
    ORB_TIME Current; // the time the commit gives the entry
    DWORD HadOld;     // 1: the old file's bytes follow
};
#pragma pack(pop)

// The whole file, or null with *size 0 when it is missing; *ok 0 on a read
// failure of an existing file.
static BYTE* ReadWhole(const char* path, DWORD extra, DWORD* size, int* ok) {
    *size = 0;
    *ok = 1;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        *ok = GetLastError() == ERROR_FILE_NOT_FOUND;
        BYTE* empty = *ok ? (BYTE*)calloc(1, extra ? extra : 1) : nullptr;
        *ok = empty != nullptr;
        return empty;
    }
    DWORD high = 0, n = GetFileSize(file, &high);
    BYTE* data = high == 0 && n != INVALID_FILE_SIZE ? (BYTE*)malloc(extra + n + 1) : nullptr;
    DWORD got = 0;
    *ok = data && ReadFile(file, data + extra, n, &got, nullptr) && got == n;
    CloseHandle(file);
    if (!*ok) {
        free(data);
        return nullptr;
    }
    *size = n;
    return data;
}

static int WriteJournal(const char* periodPath, const char* journalPath, ORB_TIME current) {
    DWORD size;
    int ok;
    BYTE* data = ReadWhole(periodPath, sizeof(JournalHead), &size, &ok);
    if (!ok)
        return 0;
    JournalHead head = {JOURNAL_MAGIC, current,
                        GetFileAttributesA(periodPath) != INVALID_FILE_ATTRIBUTES};
    memcpy(data, &head, sizeof(head));
    ok = DurableFile_WriteWhole(journalPath, data, sizeof(head) + size);
    free(data);
    return ok;
}

// Puts the journal's old period back (or removes a period that was new).
static int RestoreFromJournal(const char* periodPath, const BYTE* journal, DWORD size) {
    const JournalHead* head = (const JournalHead*)journal;
    if (!head->HadOld)
        return DeleteFileA(periodPath) || GetLastError() == ERROR_FILE_NOT_FOUND;
    return DurableFile_WriteWhole(periodPath, journal + sizeof(JournalHead),
                                  size - (DWORD)sizeof(JournalHead));
}

static int RestorePeriod(const char* periodPath, const char* journalPath) {
    DWORD size;
    int ok;
    BYTE* data = ReadWhole(journalPath, 0, &size, &ok);
    ok = ok && size >= sizeof(JournalHead) && RestoreFromJournal(periodPath, data, size);
    free(data);
    return ok;
}

int CommitPeriod(HistoryDatabase* handle, DWORD n, RunContext* context, ORB_TIME current,
                 int* detail) {
    char path[MAX_PATH], journal[MAX_PATH];
    *detail = PERIOD_WRITE_ERROR;
    if (!handle || handle->ReadOnly)
        return 0;
    if (handle->Type == SWIFTMERE_ODBC) {
        int ok = CommitOdbcPeriod(handle, n, context, current);
        *detail = ok ? PERIOD_WRITTEN : PERIOD_STORE_ERROR;
        return ok;
    }
    if (n >= handle->EntryCount || !PeriodFilePath(handle, &handle->Entries[n], path) ||
        !DurableFile_SideName(path, ".jnl", journal) || !WriteJournal(path, journal, current))
        return 0;
    if (WritePeriodFileAs(path, context) != PERIOD_WRITTEN) {
        DeleteFileA(journal);
        return 0;
    }
    MasterEntry old = handle->Entries[n];
    handle->Entries[n].Current = current;
    if (!SaveMasterFile(handle->Folder, handle->Entries, handle->EntryCount)) {
        handle->Entries[n] = old;
        // Left in place when the old file cannot be put back now: the next
        // open does it.
        if (RestorePeriod(path, journal))
            DeleteFileA(journal);
        *detail = 2;
        return 0;
    }
    DeleteFileA(journal);
    *detail = PERIOD_WRITTEN;
    return 1;
}

static void RecoverOne(HistoryDatabase* handle, const MasterEntry* entries, DWORD count,
                       const char* journalName) {
    char name[HISTORY_NAME_SIZE + 8], journal[MAX_PATH], path[MAX_PATH];
    size_t len = strlen(journalName);
    if (len < 6 || len - 5 >= sizeof(name) || strlen(handle->Folder) + len + 2 >= MAX_PATH)
        return;
    memcpy(name, journalName + 1, len - 5); // "~" name ".jnl"
    name[len - 5] = 0;
    sprintf(journal, "%s\\%s", handle->Folder, journalName);
    sprintf(path, "%s\\%s", handle->Folder, name);
    DWORD size;
    int ok;
    BYTE* data = ReadWhole(journal, 0, &size, &ok);
    const JournalHead* head = (const JournalHead*)data;
    if (ok && size >= sizeof(JournalHead) && head->Magic == JOURNAL_MAGIC) {
        int committed = 0;
        for (DWORD i = 0; i < count; ++i)
            if (strcmp(entries[i].Name, name) == 0)
                committed = entries[i].Current == head->Current;
        ok = committed || RestoreFromJournal(path, data, size);
    }
    free(data);
    if (ok)
        DeleteFileA(journal);
}

static void DeleteMatching(const char* folder, const char* pattern) {
    char find[MAX_PATH], path[MAX_PATH];
    if (strlen(folder) + strlen(pattern) + 2 >= MAX_PATH)
        return;
    sprintf(find, "%s\\%s", folder, pattern);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(find, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (strlen(folder) + strlen(found.cFileName) + 2 < MAX_PATH) {
            sprintf(path, "%s\\%s", folder, found.cFileName);
            DeleteFileA(path);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

void RecoverPeriodJournals(HistoryDatabase* handle) {
    char find[MAX_PATH];
    if (strlen(handle->Folder) + 10 >= MAX_PATH)
        return;
    DeleteMatching(handle->Folder, "~*.tmp");
    sprintf(find, "%s\\~*.jnl", handle->Folder);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(find, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    MasterEntry* entries = nullptr;
    DWORD count = 0;
    // Without a readable index nothing tells which commits were made.
    MasterState state = ReadMasterFile(handle->Folder, &entries, &count);
    if (state != MASTER_LOADED && state != MASTER_MISSING) {
        FindClose(search);
        return;
    }
    do
        RecoverOne(handle, entries, count, found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    free(entries);
}
