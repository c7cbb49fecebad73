// The record reader: the next complete hit at a byte position of a log, with
// the line format detected (once per file, or per line for the formats that
// can mix) and the line handed to that format's parser.
#pragma once
#include "ovcore/logfile.h"

// Log-format codes.
#define LOGFMT_UNKNOWN 0
#define LOGFMT_NOT_RECORD 1
#define LOGFMT_COMMON 2
#define LOGFMT_COMMA 3
#define LOGFMT_BLANK 4
#define LOGFMT_TAB 5
#define LOGFMT_KEYBLOCK 6
#define LOGFMT_REFERRER 7
#define LOGFMT_AGENT 8
#define LOGFMT_DATED_REFERRER 9
#define LOGFMT_DATED_AGENT 10
#define LOGFMT_W3C 11
#define LOGFMT_PIPE 12
#define LOGFMT_SECONDS 13

// Reader results.
#define LOGREAD_NONE 1
#define LOGREAD_RECORD 3

// Reads the next record at position into record. The record's line buffer
// (null, or one the record owns from an earlier read) is reused and grown
// only for a longer line. 3: a record, newPosition behind its line;
// 1: none within the window (window 0: only the text at the position), at the
// end of the file, or when memory runs out. initialRead: the read only looks
// for a record's time. Lines that are no record are counted in *skipped when
// skipped is given.
int LogRecord_ReadNext(LogFile* file, ULONGLONG position, HitRecord* record, ULONGLONG* newPosition,
                       DWORD window, DWORD initialRead);
int LogRecord_ReadNextCounted(LogFile* file, ULONGLONG position, HitRecord* record,
                              ULONGLONG* newPosition, DWORD window, DWORD initialRead,
                              DWORD* skipped, ULONGLONG* recordStart);
// The same, as the multi-file reader calls it (context unused).
int ReadNextLogRecord(void* context, LogFile* file, ULONGLONG position, HitRecord* record,
                      ULONGLONG* newPosition, DWORD window, DWORD initialRead);

// The log-format code of the line(s) at text.
int DetectLogFormat(LogFile* file, const char* text, DWORD length);
// Counts the leading unprintable bytes into *skipped; TRUE when an LF follows.
BOOL SkipToLine(const char* text, DWORD length, DWORD* skipped);
// Drops a "[date] " prefix in front of a quoted field: moves *text and
// *length, and may turn code 10 into 8. Returns the bytes cut.
DWORD DropBracketedDate(char** text, DWORD* length, int* code);
