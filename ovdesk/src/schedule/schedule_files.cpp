// Event files of the scheduler.
#include "schedule/schedule_files.h"
#include "schedule/schedule_file.h"
#include "schedule/schedule_events.h"
#include "desk_services.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

enum { SCHEDULE_FILE_NUMBERS = 10000, MIGRATE_LINE_SIZE = 2001 };

} // namespace

int NextScheduleFileName(char* path, size_t size) {
    const char* folder = GetDataFilesFolder();
    for (int number = 0; number < SCHEDULE_FILE_NUMBERS; ++number) {
        int n = snprintf(path, size, "%s%s%04d%s", folder, "log", number, ".las");
        if (n < 0 || (size_t)n >= size)
            break;
        if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
            return 1;
    }
    if (size)
        path[0] = '\0';
    return 0;
}

int MigrateScheduleFile(void) {
    char source[MAX_PATH], backup[MAX_PATH];
    int n = snprintf(source, sizeof source, "%sovdesk\\logsched.dat", GetModuleDirectory());
    if (n < 0 || (size_t)n >= sizeof source)
        return 0;
    snprintf(backup, sizeof backup, "%s.bak", source);
    FILE* in = fopen(source, "r");
    if (!in)
        return 0;
    CopyFileA(source, backup, FALSE);
    GetDataFilesFolder(); // makes the folder
    char* line = (char*)malloc(MIGRATE_LINE_SIZE);
    if (!line) {
        fclose(in);
        return 0;
    }
    FILE* out = nullptr;
    while (fgets(line, MIGRATE_LINE_SIZE, in)) {
        if (line[0] == '[') {
            if (out)
                fclose(out);
            out = nullptr;
            char target[MAX_PATH];
            // Each section takes a free number: events already stored as
            // files (say after an import) are never overwritten.
            if (NextScheduleFileName(target, sizeof target) && (out = fopen(target, "w")))
                fprintf(out, "[%s]\n", "Main");
            continue;
        }
        if (out)
            fputs(line, out);
    }
    if (out)
        fclose(out);
    free(line);
    fclose(in);
    DeleteFileA(source);
    return 1;
}

int LoadScheduleEvents(void) {
    MigrateScheduleFile();
    char pattern[MAX_PATH];
    int n = snprintf(pattern, sizeof pattern, "%s*.las", GetDataFilesFolder());
    if (n < 0 || (size_t)n >= sizeof pattern)
        return 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int loaded = 0;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        char path[sizeof(ScheduleEvent::FilePath)];
        n = snprintf(path, sizeof path, "%s%s", GetDataFilesFolder(), found.cFileName);
        if (n < 0 || (size_t)n >= sizeof path)
            continue;
        ScheduleEvent event;
        if (!ReadScheduleEventFile(path, &event, "Main"))
            continue;
        memcpy(event.FilePath, path, sizeof path);
        if (AddScheduleEvent(&event))
            ++loaded;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return loaded;
}
