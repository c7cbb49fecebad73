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

// 1 read, 0 no file or no entry, -1 unreadable or damaged.
static int ReadMaster(const char* folder, MasterEntry** entries, DWORD* count) {
    *entries = nullptr;
    *count = 0;
    char path[MAX_PATH];
    if (!MasterPath(folder, path))
        return -1;
    HANDLE file =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND ? 0 : -1;
    DWORD high = 0, size = GetFileSize(file, &high);
    int result = -1;
    BYTE* data = nullptr;
    if (high == 0 && size != INVALID_FILE_SIZE && size >= MASTER_HEADER_SIZE)
        data = (BYTE*)malloc(size);
    DWORD got = 0;
    if (data && ReadFile(file, data, size, &got, nullptr) && got == size &&
        *(DWORD*)data == MASTER_FORMAT) {
        DWORD n = (size - MASTER_HEADER_SIZE) / MASTER_ENTRY_SIZE;
        result = 0;
        if (n > 0) {
            *entries = (MasterEntry*)malloc(n * sizeof(MasterEntry));
            result = *entries ? 1 : -1;
        }
        if (result == 1) {
            memcpy(*entries, data + MASTER_HEADER_SIZE, n * sizeof(MasterEntry));
            *count = n;
        }
    }
    free(data);
    CloseHandle(file);
    return result;
}

int LoadMasterFile(const char* folder, MasterEntry** entries, DWORD* count) {
    return ReadMaster(folder, entries, count) == 1;
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

int EnsureMasterFile(const char* folder, ORB_TIME firstTime, ORB_TIME lastTime) {
    MasterEntry* old;
    DWORD count;
    int state = ReadMaster(folder, &old, &count);
    if (state < 0)
        return 0; // a damaged index is never overwritten
    DWORD before = 0, after = 0;
    if (state == 0) {
        after = DaysBetween(firstTime, 0, lastTime);
    } else {
        before = firstTime < old[0].Start ? DaysBetween(firstTime, old[0].Start, 0) : 0;
        ORB_TIME end = old[count - 1].End;
        if (lastTime > end)
            after = (lastTime - end + HISTORY_DAY - 1) / HISTORY_DAY;
    }
    if (before == 0 && after == 0) {
        free(old);
        return 1;
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
    return ok;
}
