// ovlogdump: reads a log file (plain, zip or gzip) the way a report run does
// and prints one tab-separated line per hit, then the count of skipped lines.
//
//   ovlogdump [-h formatHint] [-t tempFolder] logfile
//
// formatHint is a date-format code (8 month first, 9 day first, 10 year
// first; 34-36 the same in GMT), as a profile stores it.
//
// Columns: format code, time (YYYY-MM-DD HH:MM:SS), client, method, URL,
// status, bytes, referrer, user agent. Archives are unpacked into tempFolder
// (default: the system's temporary folder).
//
// Runs unattended: the engine's messages (a damaged archive, a read error)
// go to standard error, and the exit status is 1 after any of them or when
// no hit was read.
#include "ovcore/fileinfo.h"
#include "ovcore/hittime.h"
#include "ovcore/logread.h"
#include "core/message_sink.h"
#include "logread/engine_link.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

namespace {

const char* Text(const char* s) {
    return s ? s : "";
}

void PrintHit(const HitRecord* r) {
    time_t t = (time_t)r->dwTime;
    struct tm* tm = gmtime(&t);
    char when[32] = "?";
    if (tm)
        strftime(when, sizeof(when), "%Y-%m-%d %H:%M:%S", tm);
    printf("%u\t%s\t%s\t%s\t%s\t%lu\t%lu\t%s\t%s\n", r->wFormat, when, r->szClientAddr,
           Text(r->lpszMethod), Text(r->lpszUrl), (unsigned long)r->dwStatus,
           (unsigned long)r->dwBytes, Text(r->lpszReferrer), Text(r->lpszUserAgent));
}

// Reads one (plain or unpacked) file record after record; false when it
// cannot be opened.
bool DumpFile(const char* path, DWORD hint, DWORD* hits, DWORD* skipped) {
    LogFile* file = LogFile_New();
    if (!file || !LogFile_Open(file, path, hint, LOGFILE_SEQUENTIAL)) {
        fprintf(stderr, "cannot open %s\n", path);
        LogFile_Free(file);
        return false;
    }
    HitRecord* r = HitRecord_New();
    ULONGLONG at = 0;
    while (r && LogRecord_ReadNextCounted(file, at, r, &at, 0xFFFFFFFF, 0, skipped, nullptr) ==
                    LOGREAD_RECORD) {
        PrintHit(r);
        (*hits)++;
        free(r->lpLine);
        r->lpLine = nullptr;
    }
    HitRecord_Free(r);
    fprintf(stderr, "%s: format %lu\n", path, (unsigned long)LogFile_GetFormat(file));
    LogFile_Free(file);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    Engine_StartUnattendedProgram();
    DWORD hint = 0;
    char temp[MAX_PATH] = "";
    const char* path = nullptr;
    for (int i = 1; i < argc; i++) {
        if (strcmp(argv[i], "-h") == 0 && i + 1 < argc)
            hint = strtoul(argv[++i], nullptr, 10);
        else if (strcmp(argv[i], "-t") == 0 && i + 1 < argc)
            lstrcpynA(temp, argv[++i], sizeof(temp) - 1);
        else
            path = argv[i];
    }
    if (!path) {
        fprintf(stderr, "usage: ovlogdump [-h formatHint] [-t tempFolder] logfile\n");
        return 2;
    }
    // The hint is the profile's stored date-format code: numeric dates are
    // read in its order, as in a report run.
    SetLogDateFormat(hint);
    if (!temp[0])
        GetTempPathA(sizeof(temp), temp);
    else if (temp[strlen(temp) - 1] != '\\')
        strcat(temp, "\\");
    LogRead_SetDatfilesFolder(temp);

    FileInfo* info = FileInfo_New();
    FileInfo_AddServerPath(nullptr, "ovlogdump", nullptr, nullptr, 0, path, info, TRUE, nullptr);
    DWORD hits = 0, skipped = 0;
    bool opened = true;
    for (WORD i = 0; i < FileInfo_GetFileCount(info); i++)
        opened = DumpFile(info->lpFiles[i]->szPath, hint, &hits, &skipped) && opened;
    printf("# %lu hits, %lu skipped lines\n", (unsigned long)hits, (unsigned long)skipped);
    FileInfo_Free(info);
    ORB_DeleteTempZIPFiles("ovlogdump");
    return hits && opened && Engine_ErrorCount() == 0 ? 0 : 1;
}
