// One open log with its 16,384-byte read buffer: text at any byte position,
// up to two lines at a time; the first and last records of a log and the
// byte range of a time range, found by bisection. The log is reopened
// transparently every LogFileReloadSize bytes; the W3C field map and the
// format codes belong to the log and survive the reopen.
#pragma once
#include "ovcore/ovcore_base.h"
#include "ovcore/logsource.h"
#include "ovcore/hitrecord.h"

#define LOGFILE_BUFFER_SIZE 16384
#define LOGFILE_PATH_MAX 520
#define LOGFILE_SEQUENTIAL 1
#define LOGFILE_RANDOM 0
#define LOGFILE_NO_POSITION ((ULONGLONG)-1)

struct W3CFieldMap;

struct LogFile {
    LogSourceHandle* hSource; // INVALID_LOG_SOURCE when closed
    char szPath[LOGFILE_PATH_MAX];
    ULONGLONG qwFileSize;
    ULONGLONG qwBufferPos; // LOGFILE_NO_POSITION: nothing buffered
    char* lpCurrent;
    char abBuffer[LOGFILE_BUFFER_SIZE];
    DWORD dwRemain;
    DWORD dwFill;
    DWORD dwBufferSize;
    DWORD dwReadSinceOpen;
    DWORD dwReloadSize;
    DWORD dwFormatHint; // 11 once a "#Fields: " directive opens the file
    DWORD dwLogFormat;  // settled log-format code, 0 until known
    DWORD dwOpenMode;   // LOGFILE_SEQUENTIAL or random access
    W3CFieldMap* lpW3CMap;
};

// A cancel routine: nonzero asks to stop.
typedef BOOL(CALLBACK* LogCancelPoll)(void* flag);

LogFile* LogFile_New();
void LogFile_Init(LogFile* file);
// Closes and frees; null accepted.
void LogFile_Free(LogFile* file);
// 1, or 0 when the source cannot be opened (or the path does not fit).
BOOL LogFile_Open(LogFile* file, const char* path, DWORD formatHint, DWORD mode);
void LogFile_Close(LogFile* file);
BOOL LogFile_IsOpen(const LogFile* file);
int LogFile_GetSourceKind(const LogFile* file);
// New position, or (ULONGLONG)-1 without a file.
ULONGLONG LogFile_Seek(LogFile* file, LONGLONG offset, DWORD method);
ULONGLONG LogFile_GetSize(const LogFile* file);
DWORD LogFile_GetFormatHint(const LogFile* file);
void LogFile_SetFormatHint(LogFile* file, DWORD hint);
DWORD LogFile_GetFormat(const LogFile* file);
void LogFile_SetFormat(LogFile* file, DWORD code);
W3CFieldMap* LogFile_GetW3CMap(const LogFile* file);
void LogFile_SetW3CMap(LogFile* file, W3CFieldMap* map);

// Up to two lines at position: 3 with text and length (through the second
// LF, or all that is buffered), or 1 with both 0 when no line end was found
// and the text neither fills the buffer nor ends the file (a last line
// without its line end is handed out). An ODBC source gives the line of the
// first readable row at position (its positions count rows, not bytes).
// The text stays valid until the next call on the file.
int LogFile_ReadLineAt(LogFile* file, ULONGLONG position, char** text, DWORD* length);
// Where the text after the first consumed bytes of the text that
// LogFile_ReadLineAt gave at position starts: position + consumed for a
// file, the row after the one read for an ODBC source.
ULONGLONG LogFile_PositionAfter(const LogFile* file, ULONGLONG position, DWORD consumed);
void LogFile_Advance(LogFile* file, DWORD count);

// The first record from position 0: 1 with a new record (caller frees it) and
// the position behind it, or 0 (null record).
BOOL LogFile_ReadFirstRecord(LogFile* file, HitRecord** record, ULONGLONG* afterPosition);
// The last record: 1 with a new record and the start of its line, or 0.
BOOL LogFile_ReadLastRecord(LogFile* file, HitRecord** record, ULONGLONG* linePosition);
// Start of the line that holds the byte before position (trailing line ends
// belong to the line before them); 0 at the file start or past the search limit.
ULONGLONG FindLineStartBefore(LogFile* file, ULONGLONG position);
// The byte range [firstPos, lastPos) of the records in [start, end], with the
// times of its first and last records. 1, or 0 when no record lies in the
// range or when cancelled.
BOOL LogFile_FindTimeRange(LogFile* file, DWORD start, DWORD end, ULONGLONG* firstPos,
                           ULONGLONG* lastPos, DWORD* firstTime, DWORD* lastTime, void* cancelFlag,
                           LogCancelPoll cancelPoll);
// Time and position of a log's first / last record (opened sequentially). 1 or 0.
BOOL GetLogFileFirstTime(const char* path, DWORD formatHint, DWORD* time, ULONGLONG* position);
BOOL GetLogFileLastTime(const char* path, DWORD formatHint, DWORD* time, ULONGLONG* position);
