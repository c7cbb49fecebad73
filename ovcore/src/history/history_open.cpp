// The one open history database of the process, its lock and its entry
// cursor.
#include <stdlib.h>
#include <string.h>

#include "history/history_db.h"

static HistoryDatabase* g_open;
static HistoryOpenError g_openError;
static MasterState g_masterState;
static char g_failedFolder[MAX_PATH];

HistoryOpenError HistoryOpenFailure(void) {
    return g_openError;
}

MasterState HistoryOpenMasterState(void) {
    return g_masterState;
}

const char* HistoryOpenFolder(void) {
    return g_failedFolder;
}

static int MakeFolder(const char* path) {
    return CreateDirectoryA(path, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

static int LockPath(const char* folder, char* path) {
    if (strlen(folder) + sizeof("\\update.lck") > MAX_PATH)
        return 0;
    strcpy(path, folder);
    strcat(path, "\\update.lck");
    return 1;
}

// The lock file is held open for as long as the database is open: an
// updater shares it with readers only, a reader with readers and one
// updater. The system lets go of it when the holder ends, even by a crash.
static HANDLE TakeLock(const char* folder, int readOnly) {
    char path[MAX_PATH];
    if (!LockPath(folder, path))
        return INVALID_HANDLE_VALUE;
    DWORD access = readOnly ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    DWORD share = readOnly ? FILE_SHARE_READ | FILE_SHARE_WRITE : FILE_SHARE_READ;
    return CreateFileA(path, access, share, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The last holder removes the file; while another holds it, it stays.
static void DropLock(HistoryDatabase* handle) {
    char path[MAX_PATH];
    CloseHandle(handle->Lock);
    handle->Lock = INVALID_HANDLE_VALUE;
    if (LockPath(handle->Folder, path))
        DeleteFileA(path);
}

static HistoryDatabase* Fail(HistoryDatabase* handle, HistoryOpenError error) {
    g_openError = error;
    if (handle)
        lstrcpynA(g_failedFolder, handle->Folder, MAX_PATH);
    CloseHistoryDatabase(handle);
    return nullptr;
}

static HistoryDatabase* FailMaster(HistoryDatabase* handle, MasterState state) {
    g_masterState = state;
    return Fail(handle, HISTORY_OPEN_MASTER);
}

// Undoes unfinished commits and grows master.dat to cover the span.
// Unknown times (0) open what is there without growing it.
static MasterState PrepareToUpdate(HistoryDatabase* handle, ORB_TIME firstTime, ORB_TIME lastTime) {
    RecoverPeriodJournals(handle);
    if (!firstTime || !lastTime)
        return MASTER_LOADED;
    return PrepareMasterFile(handle->Folder, firstTime, lastTime);
}

static HistoryDatabase* OpenFolder(HistoryDatabase* handle, const AnalysisProfile* profile,
                                   const char* profilePath, ORB_TIME firstTime, ORB_TIME lastTime) {
    char folder[MAX_PATH];
    if (!ConvertOrbisFileToRealTimeDir(profile, profilePath, folder, handle->Folder, PERIOD_DAY))
        return Fail(handle, HISTORY_OPEN_NO_FOLDER);
    // A reader makes nothing: a database that is not there is no error to
    // report but nothing to read either.
    if (!handle->ReadOnly && (!MakeFolder(folder) || !MakeFolder(handle->Folder)))
        return Fail(handle, HISTORY_OPEN_NO_FOLDER);
    handle->Lock = TakeLock(handle->Folder, handle->ReadOnly);
    if (handle->Lock == INVALID_HANDLE_VALUE)
        return Fail(handle, GetLastError() == ERROR_SHARING_VIOLATION ? HISTORY_OPEN_LOCKED
                                                                      : HISTORY_OPEN_NO_FOLDER);
    MasterState state =
        handle->ReadOnly ? MASTER_LOADED : PrepareToUpdate(handle, firstTime, lastTime);
    if (state == MASTER_LOADED)
        state = ReadMasterFile(handle->Folder, &handle->Entries, &handle->EntryCount);
    // A reader of a database still to be made sees no days.
    if (state != MASTER_LOADED && !(state == MASTER_MISSING && handle->ReadOnly))
        return FailMaster(handle, state);
    return handle;
}

static HistoryDatabase* Open(AnalysisProfile* profile, const char* profilePath, ORB_TIME firstTime,
                             ORB_TIME lastTime, int create, int readOnly) {
    CloseOpenHistoryDatabase();
    g_openError = HISTORY_OPEN_OK;
    g_masterState = MASTER_LOADED;
    g_failedFolder[0] = 0;
    if (!profile)
        return Fail(nullptr, HISTORY_OPEN_NO_FOLDER);
    HistoryDatabase* handle = (HistoryDatabase*)calloc(1, sizeof(HistoryDatabase));
    if (!handle)
        return Fail(nullptr, HISTORY_OPEN_NO_MEMORY);
    handle->Type = profile->SwiftmereFlag;
    handle->Profile = profile;
    handle->Lock = INVALID_HANDLE_VALUE;
    handle->ReadOnly = readOnly;
    // The folder form always grows master.dat to the span.
    if (handle->Type == SWIFTMERE_FILES &&
        !OpenFolder(handle, profile, profilePath, firstTime, lastTime))
        return nullptr;
    if (handle->Type == SWIFTMERE_ODBC &&
        !OpenOdbcHistory(handle, profile, firstTime, lastTime, create && !readOnly))
        return Fail(handle, HISTORY_OPEN_MASTER);
    g_open = handle;
    return handle;
}

HistoryDatabase* OpenHistoryDatabase(AnalysisProfile* profile, const char* profilePath,
                                     ORB_TIME firstTime, ORB_TIME lastTime, int create) {
    return Open(profile, profilePath, firstTime, lastTime, create, 0);
}

HistoryDatabase* OpenHistoryDatabaseToRead(AnalysisProfile* profile, const char* profilePath) {
    return Open(profile, profilePath, 0, 0, 0, 1);
}

void CloseHistoryDatabase(HistoryDatabase* handle) {
    if (!handle)
        return;
    if (handle->Lock != INVALID_HANDLE_VALUE)
        DropLock(handle);
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
    if (!handle || handle->ReadOnly)
        return 0;
    if (handle->Cursor > 0 && handle->Type == SWIFTMERE_ODBC)
        return SaveOdbcEntry(handle, handle->Cursor - 1, entry);
    if (handle->Cursor == 0 || handle->Type != SWIFTMERE_FILES)
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
    if (!handle || handle->ReadOnly || n >= handle->EntryCount)
        return 0;
    if (handle->Type == SWIFTMERE_ODBC) {
        MasterEntry entry = handle->Entries[n];
        entry.Current = current;
        return SaveOdbcEntry(handle, n, &entry);
    }
    if (handle->Type != SWIFTMERE_FILES)
        return 0;
    ORB_TIME old = handle->Entries[n].Current;
    handle->Entries[n].Current = current;
    if (SaveMasterFile(handle->Folder, handle->Entries, handle->EntryCount))
        return 1;
    handle->Entries[n].Current = old;
    return 0;
}
