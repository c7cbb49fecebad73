// master.dat: a 448-byte header (format word 4) and one 64-byte entry per
// day, in time order without gaps. It is always written whole, to a
// temporary file that then replaces it.
#include <stdlib.h>
#include <string.h>

#include "history/durable_file.h"
#include "history/history_db.h"

static int MasterPath(const char* folder, char* path) {
    if (strlen(folder) + sizeof("\\master.dat") > MAX_PATH)
        return 0;
    strcpy(path, folder);
    strcat(path, "\\master.dat");
    return 1;
}

// An entry as the days are made: its name and times those of its day.
static int EntryIsWhole(const MasterEntry* entry) {
    MasterEntry day;
    MakeDayEntry(entry->Start, &day);
    return entry->Start == day.Start && entry->End == day.End &&
           memchr(entry->Name, 0, sizeof(entry->Name)) && strcmp(entry->Name, day.Name) == 0;
}

// The entries of a master.dat image that holds at least one whole entry.
// *cut 1 when the file ends inside an entry (the part is dropped).
static MasterState TakeEntries(const BYTE* data, DWORD size, MasterEntry** entries, DWORD* count,
                               int* cut) {
    DWORD n = (size - MASTER_HEADER_SIZE) / MASTER_ENTRY_SIZE;
    const MasterEntry* stored = (const MasterEntry*)(data + MASTER_HEADER_SIZE);
    for (DWORD i = 0; i < n; ++i)
        if (!EntryIsWhole(&stored[i]) || (i > 0 && stored[i].Start != stored[i - 1].End + 1))
            return MASTER_DAMAGED;
    *entries = (MasterEntry*)malloc(n * sizeof(MasterEntry));
    if (!*entries)
        return MASTER_UNREADABLE;
    memcpy(*entries, stored, n * sizeof(MasterEntry));
    *count = n;
    *cut = size != MASTER_HEADER_SIZE + n * MASTER_ENTRY_SIZE;
    return MASTER_LOADED;
}

// What the file holds; a file too short for an entry holds no index yet.
static MasterState ReadMaster(const char* folder, MasterEntry** entries, DWORD* count, int* cut) {
    *entries = nullptr;
    *count = 0;
    *cut = 0;
    char path[MAX_PATH];
    if (!MasterPath(folder, path))
        return MASTER_UNREADABLE;
    HANDLE file =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND ? MASTER_MISSING : MASTER_UNREADABLE;
    DWORD high = 0, size = GetFileSize(file, &high), got = 0;
    BYTE* data = high == 0 && size != INVALID_FILE_SIZE ? (BYTE*)malloc(size + 1) : nullptr;
    MasterState state = MASTER_UNREADABLE;
    if (data && ReadFile(file, data, size, &got, nullptr) && got == size) {
        if (size >= sizeof(DWORD) && *(const DWORD*)data != MASTER_FORMAT)
            state = MASTER_DAMAGED;
        else if (size < MASTER_HEADER_SIZE + MASTER_ENTRY_SIZE)
            state = MASTER_MISSING;
        else
            state = TakeEntries(data, size, entries, count, cut);
    }
    free(data);
    CloseHandle(file);
    return state;
}

MasterState ReadMasterFile(const char* folder, MasterEntry** entries, DWORD* count) {
    int cut;
    return ReadMaster(folder, entries, count, &cut);
}

int LoadMasterFile(const char* folder, MasterEntry** entries, DWORD* count) {
    return ReadMasterFile(folder, entries, count) == MASTER_LOADED;
}

int SaveMasterFile(const char* folder, const MasterEntry* entries, DWORD count) {
    char path[MAX_PATH];
    DurableFile file;
    if (!MasterPath(folder, path) || !DurableFile_Create(&file, path))
        return 0;
    BYTE header[MASTER_HEADER_SIZE] = {};
    *(DWORD*)header = MASTER_FORMAT;
    if (!DurableFile_Write(&file, header, sizeof(header)) ||
        !DurableFile_Write(&file, entries, count * MASTER_ENTRY_SIZE)) {
        DurableFile_Abandon(&file);
        return 0;
    }
    return DurableFile_Commit(&file);
}

// Days from the day holding from up to (not including) the day starting at
// stop, or up to the day holding last when stop is 0.
static DWORD DaysBetween(ORB_TIME from, ORB_TIME stop, ORB_TIME last) {
    ORB_TIME first = from - from % HISTORY_DAY;
    if (stop)
        return stop > first ? (stop - first) / HISTORY_DAY : 0;
    return last > first ? (last - first) / HISTORY_DAY + 1 : 1;
}

static void FillDays(MasterEntry* entries, ORB_TIME from, DWORD n) {
    ORB_TIME start = from - from % HISTORY_DAY;
    for (DWORD i = 0; i < n; ++i)
        MakeDayEntry(start + i * HISTORY_DAY, &entries[i]);
}

MasterState PrepareMasterFile(const char* folder, ORB_TIME firstTime, ORB_TIME lastTime) {
    MasterEntry* old;
    DWORD count;
    int cut;
    MasterState state = ReadMaster(folder, &old, &count, &cut);
    if (state != MASTER_LOADED && state != MASTER_MISSING)
        return state; // a damaged or unreadable index is never overwritten
    DWORD before = 0, after = 0;
    if (state == MASTER_MISSING) {
        after = DaysBetween(firstTime, 0, lastTime);
    } else {
        before = firstTime < old[0].Start ? DaysBetween(firstTime, old[0].Start, 0) : 0;
        ORB_TIME end = old[count - 1].End;
        if (lastTime > end)
            after = (lastTime - end + HISTORY_DAY - 1) / HISTORY_DAY;
    }
    if (before == 0 && after == 0 && !cut) {
        free(old);
        return MASTER_LOADED;
    }
    DWORD total = before + count + after;
    MasterEntry* grown = (MasterEntry*)malloc(total * sizeof(MasterEntry));
    int ok = grown != nullptr;
    if (ok) {
        FillDays(grown, firstTime, before);
        memcpy(grown + before, old, count * sizeof(MasterEntry));
        FillDays(grown + before + count, count ? old[count - 1].End + 1 : firstTime, after);
        ok = SaveMasterFile(folder, grown, total);
    }
    free(grown);
    free(old);
    return ok ? MASTER_LOADED : MASTER_UNWRITABLE;
}

int EnsureMasterFile(const char* folder, ORB_TIME firstTime, ORB_TIME lastTime) {
    return PrepareMasterFile(folder, firstTime, lastTime) == MASTER_LOADED;
}
