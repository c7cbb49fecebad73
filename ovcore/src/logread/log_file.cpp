// LogFile: open, close, accessors and the buffered access to its text.
#include "ovcore/logfile.h"
#include "logread/engine_link.h"
#include "logread/log_file_raw.h"
#include "logread/parser_call.h"
#include "logparse/line_end.h"
#include "logodbc/odbc_log_source.h"
#include "ovkit/ovassert.h"
#include "ovcore/logread.h"
#include <stdlib.h>
#include <string.h>

namespace {

LogSourceHandle* OpenSource(const char* path, DWORD mode) {
    DWORD hint = mode == LOGFILE_SEQUENTIAL ? FILE_FLAG_SEQUENTIAL_SCAN : FILE_FLAG_RANDOM_ACCESS;
    return OpenLogSource(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | hint, nullptr);
}

void ForgetBuffer(LogFile* f) {
    f->qwBufferPos = LOGFILE_NO_POSITION;
    f->lpCurrent = f->abBuffer;
    f->dwFill = f->dwRemain = 0;
}

// The reopen keeps everything that belongs to the log (format codes, W3C map).
BOOL ReopenIfDue(LogFile* f) {
    OV_ASSERT(f != NULL);
    if (f->dwReadSinceOpen <= f->dwReloadSize)
        return TRUE;
    CloseLogSource(f->hSource);
    f->hSource = OpenSource(f->szPath, f->dwOpenMode);
    f->dwReadSinceOpen = 0;
    return f->hSource != INVALID_LOG_SOURCE;
}

// Reads count bytes at position into target; the bytes read, 0 on failure.
DWORD ReadAt(LogFile* f, ULONGLONG position, char* target, DWORD count) {
    DWORD got = 0;
    if (!ReopenIfDue(f))
        return 0;
    SeekLogSource(f->hSource, (LONGLONG)position, FILE_BEGIN);
    if (!ReadLogSource(f->hSource, target, count, &got, nullptr))
        return 0;
    f->dwReadSinceOpen += got;
    return got;
}

BOOL FillBufferAt(LogFile* f, ULONGLONG position) {
    if (f->qwBufferPos != LOGFILE_NO_POSITION && position >= f->qwBufferPos &&
        position < f->qwBufferPos + f->dwFill) {
        DWORD offset = (DWORD)(position - f->qwBufferPos);
        f->lpCurrent = f->abBuffer + offset;
        f->dwRemain = f->dwFill - offset;
        return TRUE;
    }
    if (position >= f->qwFileSize)
        return FALSE;
    ForgetBuffer(f);
    DWORD got = ReadAt(f, position, f->abBuffer, f->dwBufferSize);
    if (got == 0)
        return FALSE;
    f->qwBufferPos = position;
    f->dwFill = f->dwRemain = got;
    return TRUE;
}

// Moves the unread tail to the buffer start and reads behind it; bytes added.
DWORD RefillBuffer(LogFile* f) {
    DWORD shift = (DWORD)(f->lpCurrent - f->abBuffer);
    if (shift == 0)
        return 0;
    memmove(f->abBuffer, f->lpCurrent, f->dwRemain);
    f->qwBufferPos += shift;
    f->dwFill = f->dwRemain;
    f->lpCurrent = f->abBuffer;
    ULONGLONG end = f->qwBufferPos + f->dwFill;
    if (end >= f->qwFileSize)
        return 0;
    DWORD got = ReadAt(f, end, f->abBuffer + f->dwFill, f->dwBufferSize - f->dwFill);
    f->dwFill += got;
    f->dwRemain += got;
    return got;
}

// Finds up to two LFs from lpCurrent, refilling as needed; the LFs found.
int GetLinesAt(LogFile* f, ULONGLONG position, DWORD* length) {
    *length = 0;
    if (!FillBufferAt(f, position))
        return 0;
    int found = 0;
    DWORD scanned = 0;
    while (found < 2) {
        DWORD lf = scanned + (DWORD)FindLineFeed(f->lpCurrent + scanned, f->dwRemain - scanned);
        if (lf < f->dwRemain) {
            found++;
            scanned = lf + 1;
            *length = scanned;
            continue;
        }
        scanned = f->dwRemain;
        if (RefillBuffer(f) == 0)
            break;
    }
    if (found < 2)
        *length = f->dwRemain;
    return found;
}

} // namespace

void LogFile_Init(LogFile* f) {
    memset(f, 0, sizeof(*f));
    f->hSource = INVALID_LOG_SOURCE;
    f->qwBufferPos = LOGFILE_NO_POSITION;
    f->lpCurrent = f->abBuffer;
    f->dwBufferSize = LOGFILE_BUFFER_SIZE;
}

LogFile* LogFile_New() {
    LogFile* f = (LogFile*)malloc(sizeof(LogFile));
    if (f)
        LogFile_Init(f);
    return f;
}

void LogFile_Free(LogFile* f) {
    if (!f)
        return;
    LogFile_Close(f);
    ParserCall_FileClosed(f); // a closed log keeps its map until it goes
    free(f);
}

BOOL LogFile_Open(LogFile* f, const char* path, DWORD formatHint, DWORD mode) {
    if (!f || !path || strlen(path) >= LOGFILE_PATH_MAX)
        return FALSE;
    LogSourceHandle* source = OpenSource(path, mode);
    if (source == INVALID_LOG_SOURCE) {
        GetLastError();
        return FALSE;
    }
    LogFile_Close(f);
    ParserCall_FileClosed(f);
    f->hSource = source;
    strcpy(f->szPath, path);
    f->qwFileSize = GetLogSourceSize(source);
    ForgetBuffer(f);
    f->dwBufferSize = LOGFILE_BUFFER_SIZE;
    f->dwReadSinceOpen = 0;
    f->dwReloadSize = LogRead_GetReloadSize();
    f->dwFormatHint = formatHint;
    f->dwLogFormat = 0;
    f->dwOpenMode = mode;
    ParserCall_FileOpened(f);
    return TRUE;
}

void LogFile_Close(LogFile* f) {
    if (!f)
        return;
    if (f->hSource != INVALID_LOG_SOURCE)
        CloseLogSource(f->hSource);
    f->hSource = INVALID_LOG_SOURCE;
    ForgetBuffer(f);
    if (f->dwFormatHint == LOGFMT_W3C)
        ParserCall_FileClosed(f);
}

BOOL LogFile_IsOpen(const LogFile* f) {
    return f && f->hSource != INVALID_LOG_SOURCE;
}

int LogFile_GetSourceKind(const LogFile* f) {
    return LogFile_IsOpen(f) ? GetLogSourceKind(f->hSource) : -1;
}

ULONGLONG LogFile_Seek(LogFile* f, LONGLONG offset, DWORD method) {
    if (!LogFile_IsOpen(f))
        return (ULONGLONG)-1;
    return SeekLogSource(f->hSource, offset, method);
}

ULONGLONG LogFile_GetSize(const LogFile* f) {
    if (!f)
        return (ULONGLONG)-1;
    return LogFile_IsOpen(f) ? f->qwFileSize : GetLogSourceSize(f->hSource);
}

DWORD LogFile_GetFormatHint(const LogFile* f) {
    return f ? f->dwFormatHint : 0;
}
void LogFile_SetFormatHint(LogFile* f, DWORD hint) {
    f->dwFormatHint = hint;
}
DWORD LogFile_GetFormat(const LogFile* f) {
    return f ? f->dwLogFormat : 0;
}
void LogFile_SetFormat(LogFile* f, DWORD code) {
    f->dwLogFormat = code;
}
W3CFieldMap* LogFile_GetW3CMap(const LogFile* f) {
    return f ? f->lpW3CMap : nullptr;
}
void LogFile_SetW3CMap(LogFile* f, W3CFieldMap* map) {
    f->lpW3CMap = map;
}

// The row at position as one line in the buffer (the source keeps the
// position of the row after it).
static int ReadOdbcLineAt(LogFile* f, ULONGLONG position, char** text, DWORD* length) {
    static_assert(LOGFILE_BUFFER_SIZE >= ODBC_LINE_SIZE, "a row's line fits the buffer");
    ForgetBuffer(f);
    ULONGLONG next = 0;
    if (ReadODBCLine(f->hSource, f->abBuffer, position, &next) != 3)
        return 1;
    f->qwBufferPos = position;
    f->dwFill = f->dwRemain = (DWORD)strlen(f->abBuffer);
    *text = f->lpCurrent;
    *length = f->dwFill;
    return 3;
}

ULONGLONG LogFile_PositionAfter(const LogFile* f, ULONGLONG position, DWORD consumed) {
    if (LogFile_GetSourceKind(f) == LOGSOURCE_ODBC)
        return f->hSource->dwPosition;
    return position + consumed;
}

int LogFile_ReadLineAt(LogFile* f, ULONGLONG position, char** text, DWORD* length) {
    *text = nullptr;
    *length = 0;
    if (!LogFile_IsOpen(f))
        return 1;
    if (LogFile_GetSourceKind(f) == LOGSOURCE_ODBC)
        return ReadOdbcLineAt(f, position, text, length);
    DWORD got = 0;
    int lines = GetLinesAt(f, position, &got);
    // A piece without a line end is handed out when it fills the whole buffer
    // (the reader passes over the over-long line) or ends the file (the last
    // line needs no line end).
    ULONGLONG end = f->qwBufferPos + (DWORD)(f->lpCurrent - f->abBuffer) + got;
    if (got == 0 || (lines == 0 && got < f->dwBufferSize && end < f->qwFileSize))
        return 1;
    *text = f->lpCurrent;
    *length = got;
    return 3;
}

DWORD LogFile_ReadRaw(LogFile* f, ULONGLONG from, char* target, DWORD count) {
    DWORD got = 0;
    SeekLogSource(f->hSource, (LONGLONG)from, FILE_BEGIN);
    if (!ReadLogSource(f->hSource, target, count, &got, nullptr))
        return 0;
    return got;
}

void LogFile_Advance(LogFile* f, DWORD count) {
    if (count > f->dwRemain)
        count = f->dwRemain;
    f->lpCurrent += count;
    f->dwRemain -= count;
}
