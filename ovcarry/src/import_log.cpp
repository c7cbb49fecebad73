#include "import_log.h"
#include "carry_state.h"
#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include <time.h>

#define LOG_LINE_CHARS 495

static bool LogPath(char* path) {
    return JoinPath(path, g_carry.ProgramFolder, "ImportResults.txt");
}

void StartImportLog(void) {
    char path[MAX_PATH];
    if (!LogPath(path))
        return;
    DeleteFileA(path);
    FILE* log = fopen(path, "wb");
    if (!log)
        return;
    time_t now = time(nullptr);
    const char* when = asctime(localtime(&now)); // ends in a line feed
    fprintf(log, "Import starting at: %s\r\n", when ? when : "\n");
    fclose(log);
}

void AppendImportLog(const char* line) {
    char path[MAX_PATH];
    if (!LogPath(path))
        return;
    FILE* log = fopen(path, "r+b");
    if (!log)
        return;
    fseek(log, 0, SEEK_END);
    fprintf(log, "%.*s\r\n", LOG_LINE_CHARS, line);
    fclose(log);
}

void AppendImportLogf(const char* format, ...) {
    char line[LOG_LINE_CHARS + 1];
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    AppendImportLog(line);
}
