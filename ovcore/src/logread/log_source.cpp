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
    LogSourceHandle* s = (LogSourceHandle*)calloc(1, sizeof(LogSourceHandle));
    if (!s)
        return INVALID_LOG_SOURCE;
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
    if (ReadFile(s->hFile, buffer, count, bytesRead, overlapped))
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
