// A log source: a plain file, or a table of an ODBC data source whose rows
// the ODBC side serves as lines.
#include "ovcore/logsource.h"
#include "logread/engine_link.h"
#include "logodbc/odbc_log_source.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {
BOOL IsValid(LogSourceHandle* s) {
    return s && s != INVALID_LOG_SOURCE;
}

// A file read front to back comes from the system a block at a time, and its
// reads (the reader's 16 KB refills, each behind a seek) are served from the
// block: under Wine every seek and read of the system costs several system
// calls. The bytes are the file's as it stood when its block was read.
const DWORD kReadAheadSize = 64 * 1024;

struct ReadAhead {
    char* block;        // null: every read goes to the system
    ULONGLONG blockAt;  // file position of block[0]
    DWORD blockFill;    // bytes in the block
    ULONGLONG position; // the source's position (the system's is wherever the last block left it)
};

// What OpenLogSource makes: the handle it gives out is the first member, so
// the public handle keeps its layout.
struct OpenedSource {
    LogSourceHandle handle;
    ReadAhead ahead;
};

// The read-ahead of a file source that has one, else null.
ReadAhead* AheadOf(LogSourceHandle* s) {
    if (s->wKind != LOGSOURCE_FILE)
        return nullptr;
    ReadAhead* a = &((OpenedSource*)s)->ahead;
    return a->block ? a : nullptr;
}

// Fills the block from the file at the source's position. FALSE when the
// system's read fails.
BOOL ReadBlock(LogSourceHandle* s, ReadAhead* a) {
    LARGE_INTEGER at;
    at.QuadPart = (LONGLONG)a->position;
    DWORD got = 0;
    a->blockFill = 0;
    if (!SetFilePointerEx(s->hFile, at, nullptr, FILE_BEGIN) ||
        !ReadFile(s->hFile, a->block, kReadAheadSize, &got, nullptr))
        return FALSE;
    a->blockAt = a->position;
    a->blockFill = got;
    return TRUE;
}

// count bytes at the source's position, from the block as far as it holds
// them; fewer only at the end of the file.
BOOL ReadAhead_Read(LogSourceHandle* s, ReadAhead* a, char* target, DWORD count, DWORD* got) {
    *got = 0;
    while (*got < count) {
        if (a->position < a->blockAt || a->position >= a->blockAt + a->blockFill) {
            if (!ReadBlock(s, a))
                return FALSE;
            if (a->blockFill == 0)
                break; // the end of the file
        }
        DWORD offset = (DWORD)(a->position - a->blockAt);
        DWORD n = a->blockFill - offset < count - *got ? a->blockFill - offset : count - *got;
        memcpy(target + *got, a->block + offset, n);
        *got += n;
        a->position += n;
    }
    return TRUE;
}

// The new position as the system's seek would give it; FALSE where it fails.
BOOL ReadAhead_Seek(LogSourceHandle* s, ReadAhead* a, LONGLONG offset, DWORD method,
                    ULONGLONG* position) {
    LONGLONG base = method == FILE_CURRENT ? (LONGLONG)a->position : 0;
    if (method == FILE_END) {
        LARGE_INTEGER size;
        if (!GetFileSizeEx(s->hFile, &size))
            return FALSE;
        base = size.QuadPart;
    } else if (method != FILE_BEGIN && method != FILE_CURRENT) {
        return FALSE;
    }
    if (base + offset < 0)
        return FALSE;
    *position = a->position = (ULONGLONG)(base + offset);
    return TRUE;
}

void ShowPathError(const char* format, const char* path) {
    char text[LOGSOURCE_PATH_MAX + 64];
    snprintf(text, sizeof(text), format, path);
    LogRead_ShowError(text);
}
} // namespace

LogSourceHandle* OpenLogSource(const char* path, DWORD access, DWORD share,
                               LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
                               HANDLE templateFile) {
    if (!path)
        return INVALID_LOG_SOURCE;
    if (strncmp(path, ZIPPED_PREFIX, ZIPPED_PREFIX_LEN) == 0)
        path += ZIPPED_PREFIX_LEN;
    if (strlen(path) >= LOGSOURCE_PATH_MAX)
        return INVALID_LOG_SOURCE;
    OpenedSource* opened = (OpenedSource*)calloc(1, sizeof(OpenedSource));
    if (!opened)
        return INVALID_LOG_SOURCE;
    LogSourceHandle* s = &opened->handle;
    if (strncmp(path, ODBC_SOURCE_PREFIX, 5) == 0) {
        OpenODBCLogSource(path, s);
        if (s->hFile != INVALID_HANDLE_VALUE)
            return s;
        free(s);
        return INVALID_LOG_SOURCE;
    }
    s->wKind = LOGSOURCE_FILE;
    strcpy(s->szPath, path);
    s->hFile = CreateFileA(path, access, share, security, disposition, flags, templateFile);
    if (s->hFile == INVALID_HANDLE_VALUE) {
        free(s);
        return INVALID_LOG_SOURCE;
    }
    // Without the memory every read goes to the system.
    if ((flags & FILE_FLAG_SEQUENTIAL_SCAN) && !(access & GENERIC_WRITE))
        opened->ahead.block = (char*)malloc(kReadAheadSize);
    return s;
}

int GetLogSourceKind(LogSourceHandle* s) {
    return IsValid(s) ? s->wKind : -1;
}

ULONGLONG GetLogSourceSize(LogSourceHandle* s) {
    if (!IsValid(s))
        return 0;
    if (s->wKind == LOGSOURCE_ODBC) {
        GetODBCLogSourceSize(s);
        return s->dwSize;
    }
    LARGE_INTEGER size;
    return GetFileSizeEx(s->hFile, &size) ? (ULONGLONG)size.QuadPart : 0;
}

ULONGLONG SeekLogSource(LogSourceHandle* s, LONGLONG offset, DWORD method) {
    if (!IsValid(s))
        return 0;
    if (s->wKind == LOGSOURCE_ODBC)
        return SeekODBCLogSource(s, offset, method);
    if (ReadAhead* a = AheadOf(s)) {
        ULONGLONG position = 0;
        return ReadAhead_Seek(s, a, offset, method, &position) ? position : 0;
    }
    LARGE_INTEGER at, now;
    at.QuadPart = offset;
    if (!SetFilePointerEx(s->hFile, at, &now, method))
        return 0;
    return (ULONGLONG)now.QuadPart;
}

BOOL ReadLogSource(LogSourceHandle* s, void* buffer, DWORD count, DWORD* bytesRead,
                   LPOVERLAPPED overlapped) {
    if (!IsValid(s))
        return FALSE;
    if (s->wKind == LOGSOURCE_ODBC)
        return TRUE;
    ReadAhead* a = overlapped ? nullptr : AheadOf(s);
    if (a ? ReadAhead_Read(s, a, (char*)buffer, count, bytesRead)
          : ReadFile(s->hFile, buffer, count, bytesRead, overlapped))
        return TRUE;
    ShowPathError("Error reading log file %s.", s->szPath);
    return FALSE;
}

BOOL CloseLogSource(LogSourceHandle* s) {
    if (!IsValid(s))
        return FALSE;
    BOOL result = TRUE;
    if (s->wKind == LOGSOURCE_FILE) {
        result = CloseHandle(s->hFile);
        if (!result)
            ShowPathError("Error closing log file %s.", s->szPath);
        free(((OpenedSource*)s)->ahead.block);
    } else if (s->wKind == LOGSOURCE_ODBC) {
        CloseODBCLogSource(s);
    }
    free(s);
    return result;
}

BOOL ReadFileReportError(HANDLE file, void* buffer, DWORD count, DWORD* bytesRead,
                         LPOVERLAPPED overlapped) {
    BOOL result = ReadFile(file, buffer, count, bytesRead, overlapped);
    if (!result) {
        char text[64];
        snprintf(text, sizeof(text), "Error reading from file handle %.8lX.",
                 (unsigned long)(DWORD_PTR)file);
        LogRead_ShowError(text);
    }
    return result;
}
