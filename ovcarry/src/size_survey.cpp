#include "size_survey.h"
#include "carry_state.h"
#include "folder_walk.h"
#include <string.h>

static const char* const kOlderSamples[] = {"sample1.ov", "sample2.ov", "sample3.ov", "sample4.ov"};
static const char* const kNewerSamples[] = {"file.wlp", "ftp.wlp", "http.wlp", "intranet.wlp"};

bool IsSampleProfile(const char* name, int newer) {
    for (int i = 0; i < 4; ++i)
        if (_stricmp(name, newer ? kNewerSamples[i] : kOlderSamples[i]) == 0)
            return true;
    return false;
}

static unsigned long long FileBytes(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return 0;
    return (unsigned long long)data.nFileSizeHigh << 32 | data.nFileSizeLow;
}

static DWORD ListSize(const char* name) {
    char path[MAX_PATH];
    if (!JoinPath(path, g_carry.OldFolder, name) || !FileExists(path))
        return 0;
    return (DWORD)(FileBytes(path) / 1024 + 1);
}

static DWORD ScheduleSize(void) {
    char path[MAX_PATH];
    if (!g_carry.Newer) {
        if (!JoinPath(path, g_carry.OldFolder, "datfiles\\schedule.das"))
            return 0;
        return (DWORD)(FileBytes(path) / 575 * 2);
    }
    if (!JoinPath(path, g_carry.OldFolder, "ovdesk\\logsched.dat"))
        return 0;
    unsigned long long bytes = FileBytes(path);
    return bytes ? (DWORD)(bytes / 1000 + 1) : 0;
}

static DWORD DatabaseSize(const char* data) {
    DWORD total = 0;
    char pattern[MAX_PATH];
    WIN32_FIND_DATAA found;
    if (!JoinPath(pattern, data, "*.dat"))
        return 0;
    HANDLE find = FindFirstFileA(pattern, &found);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do {
        char daily[MAX_PATH], folder[MAX_PATH];
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
            !JoinPath(folder, data, found.cFileName) || !JoinPath(daily, folder, "daily"))
            continue;
        unsigned long long bytes = 0;
        ForEachFile(daily, "*.dat", [&](const WIN32_FIND_DATAA& f) {
            bytes += (unsigned long long)f.nFileSizeHigh << 32 | f.nFileSizeLow;
        });
        total += (DWORD)(bytes / 750 + 1);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return total;
}

static DWORD FreeSpaceKB(void) {
    char root[4] = {0};
    const char* folder = g_carry.ProgramFolder;
    if (folder[0] && folder[1] == ':' && folder[2] == '\\')
        memcpy(root, folder, 3);
    DWORD sectors = 0, bytes = 0, freeClusters = 0, clusters = 0;
    if (!GetDiskFreeSpaceA(root[0] ? root : nullptr, &sectors, &bytes, &freeClusters, &clusters))
        return 0;
    unsigned long long kb = (unsigned long long)sectors * bytes * freeClusters / 1024;
    return kb > 0xFFFFFFFFu ? 0xFFFFFFFFu : (DWORD)kb;
}

int RunSizeSurvey(void) {
    char data[MAX_PATH];
    DWORD* size = g_carry.SizeKB;
    memset(size, 0, sizeof g_carry.SizeKB);
    if (OldDataFolder(data)) {
        ForEachFile(data, g_carry.Newer ? "*.wlp" : "*.ov", [&](const WIN32_FIND_DATAA& f) {
            if (!IsSampleProfile(f.cFileName, g_carry.Newer))
                size[ITEM_PROFILES] += 2;
        });
        ForEachFile(data, g_carry.Newer ? "*.mss" : "*.ms",
                    [&](const WIN32_FIND_DATAA&) { size[ITEM_REPORTS] += 6; });
        size[ITEM_DATABASES] = DatabaseSize(data);
    }
    size[ITEM_SCHEDULE] = ScheduleSize();
    size[ITEM_ADVIEWS] = ListSize("adviews.txt");
    size[ITEM_INTRANET] = ListSize("ovintra.txt");
    size[ITEM_SETTINGS] = 2;
    g_carry.FreeKB = FreeSpaceKB();
    for (int i = 0; i < ITEM_COUNT; ++i)
        if (i != ITEM_SETTINGS && size[i] > 0)
            return 1;
    return 0;
}
