// Event files of the scheduler.
#include "schedule/schedule_files.h"
#include "schedule/schedule_events.h"
#include "desk_services.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

enum { SCHEDULE_FILE_NUMBERS = 10000, MIGRATE_LINE_SIZE = 2001 };

void ReadText(const char* file, const char* section, const char* key, char* out, DWORD size) {
    GetPrivateProfileStringA(section, key, "", out, size, file);
}

void WriteNumber(const char* file, const char* section, const char* key, unsigned long value) {
    char text[16];
    snprintf(text, sizeof text, "%lu", value);
    WritePrivateProfileStringA(section, key, text, file);
}

} // namespace

int ReadScheduleEventFile(const char* file, ScheduleEvent* event, const char* section) {
    UINT version = GetPrivateProfileIntA(section, "Version", 65535, file);
    if (version == 65535)
        return 0;
    event->Version = (WORD)version;
    event->Immediate = (WORD)GetPrivateProfileIntA(section, "Immediate", 0, file);
    event->Active = (WORD)GetPrivateProfileIntA(section, "Active", 0, file);
    event->Time = (DWORD)GetPrivateProfileIntA(section, "Time", 0, file);
    event->RepeatIncrement = (WORD)GetPrivateProfileIntA(section, "RepeatIncrement", 0, file);
    event->RepeatType = (WORD)GetPrivateProfileIntA(section, "RepeatType", 0, file);
    event->Remote = (BYTE)GetPrivateProfileIntA(section, "Remote", 0, file);
    event->ActivityType = (WORD)GetPrivateProfileIntA(section, "ActivityType", 0, file);
    event->SaveAsFileType = (WORD)GetPrivateProfileIntA(section, "SaveAsFileType", 0, file);
    ReadText(file, section, "Memorized", event->Memorized, sizeof event->Memorized);
    ReadText(file, section, "Server", event->Server, sizeof event->Server);
    ReadText(file, section, "SetName", event->SetName, sizeof event->SetName);
    ReadText(file, section, "SetExtension", event->SetExtension, sizeof event->SetExtension);
    ReadText(file, section, "SetDescription", event->SetDescription, sizeof event->SetDescription);
    ReadText(file, section, "SaveAsFilename", event->SaveAsFilename, sizeof event->SaveAsFilename);
    ReadText(file, section, "SaveAsUsername", event->SaveAsUsername, sizeof event->SaveAsUsername);
    ReadText(file, section, "SaveAsPassword", event->SaveAsPassword, sizeof event->SaveAsPassword);
    return 1;
}

int WriteScheduleEventFile(const char* file, const ScheduleEvent* event, const char* section) {
    if (!file || !file[0])
        return 0;
    WriteNumber(file, section, "Version", event->Version);
    WriteNumber(file, section, "Immediate", event->Immediate);
    WriteNumber(file, section, "Active", event->Active);
    WriteNumber(file, section, "Time", event->Time);
    WriteNumber(file, section, "RepeatIncrement", event->RepeatIncrement);
    WriteNumber(file, section, "RepeatType", event->RepeatType);
    WriteNumber(file, section, "Remote", event->Remote);
    WriteNumber(file, section, "ActivityType", event->ActivityType);
    WriteNumber(file, section, "SaveAsFileType", event->SaveAsFileType);
    WritePrivateProfileStringA(section, "Memorized", event->Memorized, file);
    WritePrivateProfileStringA(section, "Server", event->Server, file);
    WritePrivateProfileStringA(section, "SetName", event->SetName, file);
    WritePrivateProfileStringA(section, "SetExtension", event->SetExtension, file);
    WritePrivateProfileStringA(section, "SetDescription", event->SetDescription, file);
    WritePrivateProfileStringA(section, "SaveAsFilename", event->SaveAsFilename, file);
    WritePrivateProfileStringA(section, "SaveAsUsername", event->SaveAsUsername, file);
    WritePrivateProfileStringA(section, "SaveAsPassword", event->SaveAsPassword, file);
    return 1;
}

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
        ScheduleEvent event = {};
        n = snprintf(event.FilePath, sizeof event.FilePath, "%s%s", GetDataFilesFolder(),
                     found.cFileName);
        if (n < 0 || (size_t)n >= sizeof event.FilePath)
            continue;
        if (ReadScheduleEventFile(event.FilePath, &event, "Main") && AddScheduleEvent(&event))
            ++loaded;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return loaded;
}
