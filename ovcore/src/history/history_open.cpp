// The one open history database of the process, its lock and its entry
// cursor.
#include <stdlib.h>
#include <string.h>

#include "history/history_db.h"

static HistoryDatabase* g_open;
static HistoryOpenError g_openError;

HistoryOpenError HistoryOpenFailure(void) {
    return g_openError;
}

static int MakeFolder(const char* path) {
    return CreateDirectoryA(path, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

// The lock file is held open without sharing for as long as the database is
// open; the system removes it when the holder ends, even by a crash.
static HANDLE TakeLock(const char* folder) {
    char path[MAX_PATH];
    if (strlen(folder) + sizeof("\\update.lck") > MAX_PATH)
        return INVALID_HANDLE_VALUE;
    strcpy(path, folder);
    strcat(path, "\\update.lck");
    return CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
}

static HistoryDatabase* Fail(HistoryDatabase* handle, HistoryOpenError error) {
    g_openError = error;
    CloseHistoryDatabase(handle);
    return nullptr;
}

static HistoryDatabase* OpenFolder(HistoryDatabase* handle, const AnalysisProfile* profile,
                                   const char* profilePath, ORB_TIME firstTime, ORB_TIME lastTime) {
    char folder[MAX_PATH];
    if (!ConvertOrbisFileToRealTimeDir(profile, profilePath, folder, handle->Folder, PERIOD_DAY) ||
        !MakeFolder(folder) || !MakeFolder(handle->Folder))
        return Fail(handle, HISTORY_OPEN_NO_FOLDER);
    handle->Lock = TakeLock(handle->Folder);
    if (handle->Lock == INVALID_HANDLE_VALUE)
        return Fail(handle, GetLastError() == ERROR_SHARING_VIOLATION ? HISTORY_OPEN_LOCKED
                                                                      : HISTORY_OPEN_NO_FOLDER);
    RecoverPeriodJournals(handle);
    // Unknown times (0) open what is there without growing it.
    if ((firstTime && lastTime && !EnsureMasterFile(handle->Folder, firstTime, lastTime)) ||
        !LoadMasterFile(handle->Folder, &handle->Entries, &handle->EntryCount))
        return Fail(handle, HISTORY_OPEN_MASTER);
    return handle;
}

HistoryDatabase* OpenHistoryDatabase(AnalysisProfile* profile, const char* profilePath,
                                     ORB_TIME firstTime, ORB_TIME lastTime, int create) {
    CloseOpenHistoryDatabase();
    g_openError = HISTORY_OPEN_OK;
    if (!profile)
        return Fail(nullptr, HISTORY_OPEN_NO_FOLDER);
    HistoryDatabase* handle = (HistoryDatabase*)calloc(1, sizeof(HistoryDatabase));
    if (!handle)
        return Fail(nullptr, HISTORY_OPEN_NO_MEMORY);
    handle->Type = profile->SwiftmereFlag;
    handle->Profile = profile;
    handle->Lock = INVALID_HANDLE_VALUE;
    // The folder form always grows master.dat to the span.
    if (handle->Type == SWIFTMERE_FILES &&
        !OpenFolder(handle, profile, profilePath, firstTime, lastTime))
        return nullptr;
    if (handle->Type == SWIFTMERE_ODBC &&
        !OpenOdbcHistory(handle, profile, firstTime, lastTime, create))
        return Fail(handle, HISTORY_OPEN_MASTER);
    g_open = handle;
    return handle;
}

void CloseHistoryDatabase(HistoryDatabase* handle) {
    if (!handle)
        return;
    if (handle->Lock != INVALID_HANDLE_VALUE)
        CloseHandle(handle->Lock);
    CloseOdbcHistory(handle);
    free(handle->Entries);
    if (g_open == handle)
        g_open = nullptr;
    free(handle);
}

void CloseOpenHistoryDatabase(void) {
    CloseHistoryDatabase(g_open);
}

int ReadNextMasterEntry(HistoryDatabase* handle, MasterEntry* entry) {
    if (!handle || handle->Cursor >= handle->EntryCount)
        return 0;
    *entry = handle->Entries[handle->Cursor++];
    return 1;
}

void SeekMasterEntry(HistoryDatabase* handle, DWORD n) {
    if (handle)
        handle->Cursor = n < handle->EntryCount ? n : handle->EntryCount;
}

void StepBackMasterEntry(HistoryDatabase* handle) {
    if (handle && handle->Cursor > 0)
        --handle->Cursor;
}

int RewriteLastMasterEntry(HistoryDatabase* handle, const MasterEntry* entry) {
    if (handle && handle->Cursor > 0 && handle->Type == SWIFTMERE_ODBC)
        return SaveOdbcEntry(handle, handle->Cursor - 1, entry);
    if (!handle || handle->Cursor == 0 || handle->Type != SWIFTMERE_FILES)
        return 0;
    MasterEntry* slot = &handle->Entries[handle->Cursor - 1];
    MasterEntry old = *slot;
    *slot = *entry;
    if (SaveMasterFile(handle->Folder, handle->Entries, handle->EntryCount))
        return 1;
    *slot = old;
    return 0;
}

void ExtendDatabaseTimeRange(AnalysisProfile* profile, const MasterEntry* entry) {
    if (!profile || !entry || entry->Current == 0)
        return;
    if (profile->DatabaseFirstTime == 0 || profile->DatabaseFirstTime > entry->Start)
        profile->DatabaseFirstTime = entry->Start;
    ORB_TIME last = entry->Current > entry->End ? entry->End : entry->Current;
    if (last > profile->DatabaseLastTime)
        profile->DatabaseLastTime = last;
}

void GetDatabaseTimeRange(AnalysisProfile* profile) {
    if (!g_open || g_open->Profile != profile)
        return;
    profile->DatabaseFirstTime = profile->DatabaseLastTime = 0;
    for (DWORD i = 0; i < g_open->EntryCount; ++i)
        ExtendDatabaseTimeRange(profile, &g_open->Entries[i]);
}

int SetMasterEntryCurrent(HistoryDatabase* handle, DWORD n, ORB_TIME current) {
    if (handle && n < handle->EntryCount && handle->Type == SWIFTMERE_ODBC) {
        MasterEntry entry = handle->Entries[n];
        entry.Current = current;
        return SaveOdbcEntry(handle, n, &entry);
    }
    if (!handle || n >= handle->EntryCount || handle->Type != SWIFTMERE_FILES)
        return 0;
    ORB_TIME old = handle->Entries[n].Current;
    handle->Entries[n].Current = current;
    if (SaveMasterFile(handle->Folder, handle->Entries, handle->EntryCount))
        return 1;
    handle->Entries[n].Current = old;
    return 0;
}
