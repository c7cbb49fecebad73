// Making, opening, writing and freeing view-report buffer files.
#include "view_buffers.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "core/engine_instance.h"
#include "core/message_sink.h"

void ViewBuffers_Init(ViewBufferSet* set, BOOL engineFolder) {
    memset(set, 0, sizeof(*set));
    set->engineFolder = engineFolder;
}

ViewReportBuffer* ViewBuffers_At(const ViewBufferSet* set, DWORD n) {
    if (!set->table || n >= set->count)
        return NULL;
    return set->table[n];
}

// The record slot at index count, with the table grown to hold it.
static BOOL GrowTable(ViewBufferSet* set) {
    SIZE_T bytes = (set->count + 1) * sizeof(ViewReportBuffer*);
    HGLOBAL grown;
    if (set->tableHandle) {
        GlobalUnlock(set->tableHandle);
        grown = GlobalReAlloc(set->tableHandle, bytes, GMEM_MOVEABLE);
        if (!grown) {
            set->table = static_cast<ViewReportBuffer**>(GlobalLock(set->tableHandle));
            return FALSE;
        }
    } else {
        grown = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
        if (!grown)
            return FALSE;
    }
    set->tableHandle = grown;
    set->table = static_cast<ViewReportBuffer**>(GlobalLock(grown));
    return set->table != NULL;
}

static void NameFile(const ViewBufferSet* set, WORD run, DWORD index, char* path) {
    char folder[MAX_PATH] = "";
    if (set->engineFolder)
        Engine_ModuleFolder(folder);
    snprintf(path, MAX_PATH, "%s~%03X_%03X.TMP", folder, run & VIEW_BUFFER_LAST_RUN,
             (unsigned)(index & 0xFFF));
}

static HANDLE CreateBufferFile(const char* path, DWORD disposition) {
    return CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, NULL, disposition,
                       FILE_ATTRIBUTE_NORMAL, NULL);
}

// Claims the first run number whose first buffer file does not exist by
// creating that file; the handle, or INVALID_HANDLE_VALUE.
static HANDLE ClaimRunNumber(ViewBufferSet* set, char* path) {
    for (DWORD run = 0; run <= VIEW_BUFFER_LAST_RUN; ++run) {
        NameFile(set, (WORD)run, 0, path);
        HANDLE file = CreateBufferFile(path, CREATE_NEW);
        if (file != INVALID_HANDLE_VALUE) {
            set->runNumber = (WORD)run;
            set->runClaimed = TRUE;
            return file;
        }
        DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            break;
    }
    return INVALID_HANDLE_VALUE;
}

static void CloseBufferFile(ViewBufferSet* set, ViewReportBuffer* b) {
    if (!b->fileOpen)
        return;
    CloseHandle(b->file);
    b->file = INVALID_HANDLE_VALUE;
    b->fileOpen = 0;
    --set->openCount;
}

// Closes the least recently used open file other than the current and the
// write target.
static void CloseOldestFile(ViewBufferSet* set) {
    ViewReportBuffer* oldest = NULL;
    for (DWORD i = 0; i < set->count; ++i) {
        ViewReportBuffer* b = set->table[i];
        if (!b->fileOpen || i == set->current || i == set->writeTarget)
            continue;
        if (!oldest || b->lastUse <= oldest->lastUse)
            oldest = b;
    }
    if (oldest)
        CloseBufferFile(set, oldest);
}

static void MakeRoomForFile(ViewBufferSet* set) {
    while (set->openCount >= VIEW_BUFFER_MAX_OPEN) {
        WORD before = set->openCount;
        CloseOldestFile(set);
        if (set->openCount == before)
            break;
    }
}

static void StampUse(ViewBufferSet* set, ViewReportBuffer* b) {
    b->lastUse = ++set->useStamp;
}

int ViewBuffers_Create(ViewBufferSet* set) {
    if (!GrowTable(set))
        return -1;
    ViewReportBuffer* b = static_cast<ViewReportBuffer*>(calloc(1, sizeof(ViewReportBuffer)));
    if (!b)
        return -1;
    set->table[set->count] = b;
    // A new file counts against the limit like a reopened one.
    MakeRoomForFile(set);
    HANDLE file;
    if (!set->runClaimed) {
        file = ClaimRunNumber(set, b->fileName);
    } else {
        NameFile(set, set->runNumber, set->count, b->fileName);
        file = CreateBufferFile(b->fileName, CREATE_ALWAYS);
    }
    if (file == INVALID_HANDLE_VALUE) {
        free(b);
        set->table[set->count] = NULL;
        return -1;
    }
    b->file = file;
    b->fileOpen = 1;
    ++set->openCount;
    StampUse(set, b);
    set->writeTarget = set->count;
    ++set->count;
    return 0;
}

BOOL ViewBuffers_OpenFile(ViewBufferSet* set, DWORD index) {
    ViewReportBuffer* b = ViewBuffers_At(set, index);
    if (!b)
        return FALSE;
    if (!b->fileOpen) {
        MakeRoomForFile(set);
        HANDLE file = CreateFileA(b->fileName, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, NULL,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
        if (file == INVALID_HANDLE_VALUE)
            return FALSE;
        b->file = file;
        b->fileOpen = 1;
        ++set->openCount;
    }
    StampUse(set, b);
    return TRUE;
}

BOOL ViewBuffers_SeekEnd(ViewBufferSet* set, DWORD index) {
    if (!ViewBuffers_OpenFile(set, index))
        return FALSE;
    LARGE_INTEGER zero = {};
    if (!SetFilePointerEx(set->table[index]->file, zero, NULL, FILE_END)) {
        Engine_MessageBox(NULL, "Bad handle", "Seek Error", MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    return TRUE;
}

static void ReportWriteError(DWORD error) {
    char text[512] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, error, 0, text,
                   sizeof(text), NULL);
    Engine_MessageBox(NULL, text, "Error Writing", MB_OK | MB_ICONSTOP);
}

BOOL ViewBuffers_Write(ViewBufferSet* set, DWORD index, const char* bytes, WORD length) {
    if (!ViewBuffers_OpenFile(set, index))
        return FALSE;
    DWORD written = 0;
    if (!WriteFile(set->table[index]->file, bytes, length, &written, NULL)) {
        ReportWriteError(GetLastError());
        return FALSE;
    }
    return written == length;
}

void ViewBuffers_Free(ViewBufferSet* set, BOOL keepFiles) {
    for (DWORD i = 0; i < set->count; ++i) {
        ViewReportBuffer* b = set->table[i];
        CloseBufferFile(set, b);
        if (!keepFiles)
            DeleteFileA(b->fileName);
        free(b);
    }
    if (set->tableHandle) {
        GlobalUnlock(set->tableHandle);
        GlobalFree(set->tableHandle);
    }
    ViewBuffers_Init(set, set->engineFolder);
}
