// History databases of the imported profiles that keep one in a folder: the
// period files are copied, master.dat is converted to today's header.
#include "carry_state.h"
#include "carry_steps.h"
#include "folder_walk.h"
#include "import_log.h"
#include "please_wait.h"
#include <stdio.h>
#include <string.h>

#define MASTER_HEADER_BYTES 448
#define MASTER_ENTRY_BYTES 64
#define MASTER_FORMAT_WORD 4

enum CopyResult { COPY_DONE = 1, COPY_FAILED = 2, COPY_NO_PERIODS = 3 };

// Old master.dat to new: header format word 4, each whole entry with its
// last 32 bytes cleared; a part entry at the end is dropped.
static bool ConvertMasterFile(const char* from, const char* to) {
    FILE* in = fopen(from, "rb");
    if (!in)
        return false;
    FILE* out = fopen(to, "wb");
    if (!out) {
        fclose(in);
        return false;
    }
    BYTE header[MASTER_HEADER_BYTES], entry[MASTER_ENTRY_BYTES];
    bool ok = fread(header, 1, sizeof header, in) == sizeof header;
    if (ok) {
        DWORD format = MASTER_FORMAT_WORD;
        memcpy(header, &format, sizeof format);
        ok = fwrite(header, 1, sizeof header, out) == sizeof header;
    }
    while (ok && fread(entry, 1, sizeof entry, in) == sizeof entry) {
        memset(entry + 32, 0, 32);
        ok = fwrite(entry, 1, sizeof entry, out) == sizeof entry;
    }
    fclose(in);
    ok = fclose(out) == 0 && ok;
    return ok;
}

static CopyResult CopyDatabaseFolder(const char* source, const char* target) {
    bool ok = true, periods = false;
    ForEachFile(source, "*.dat", [&](const WIN32_FIND_DATAA& f) {
        if (strcmp(f.cFileName, "master.dat") == 0)
            return;
        periods = true;
        char from[MAX_PATH], to[MAX_PATH];
        ShowImportFile(f.cFileName);
        if (!JoinPath(from, source, f.cFileName) || !JoinPath(to, target, f.cFileName) ||
            !CopyFileA(from, to, FALSE))
            ok = false;
    });
    char from[MAX_PATH], to[MAX_PATH];
    bool master = JoinPath(from, source, "master.dat") && JoinPath(to, target, "master.dat") &&
                  ConvertMasterFile(from, to);
    if (!periods)
        return COPY_NO_PERIODS;
    return ok && master ? COPY_DONE : COPY_FAILED;
}

static void ImportDatabase(const ProfileMapEntry& e) {
    char data[MAX_PATH], newData[MAX_PATH], name[MAX_PATH], source[MAX_PATH], folder[MAX_PATH],
        target[MAX_PATH];
    snprintf(name, sizeof name, "%s.dat\\daily", e.OldBase.c_str());
    bool paths = OldDataFolder(data) && JoinPath(source, data, name) && NewDataFolder(newData);
    snprintf(name, sizeof name, "%s.dat", e.NewBase.c_str());
    paths = paths && JoinPath(folder, newData, name) && JoinPath(target, folder, "daily");
    CopyResult result = COPY_FAILED;
    if (paths) {
        CreateDirectoryA(folder, nullptr);
        CreateDirectoryA(target, nullptr);
        result = CopyDatabaseFolder(source, target);
    }
    if (result == COPY_DONE)
        AppendImportLogf("\tSuccessfully converted Swiftmere database for \"%s\"", e.Title.c_str());
    else if (result == COPY_FAILED)
        AppendImportLogf("\tFailed to converted Swiftmere database for \"%s\"", e.Title.c_str());
}

void ImportDatabases(void) {
    for (const ProfileMapEntry& e : g_carry.Profiles)
        if (e.Database)
            ImportDatabase(e);
}
