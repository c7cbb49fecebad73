// The log files of one analysis: built from a profile's server list (several
// paths per server joined by "|", wildcards, zip and gzip archives), opened
// for a time range and read as one stream of hits merged in time order.
#pragma once
#include "ovcore/logfile.h"
#include "ovcore/serverlist.h"

// File counters are 16-bit: lists stop growing here.
#define FILEINFO_MAX_FILES 32767

#define FILEINFO_KIND_PLAIN 0
#define FILEINFO_KIND_ZIP 1
#define FILEINFO_KIND_ODBC 2
#define FILEINFO_KIND_GZIP 3

struct LogFileEntry {
    char szPath[LOGFILE_PATH_MAX];
    ULONGLONG qwSize;
    DWORD dwFileTime;
    LogFile logFile;
    ULONGLONG qwStartPos; // byte range to read
    ULONGLONG qwEndPos;
    DWORD dwFirstTime; // first and last record times inside the range
    DWORD dwLastTime;
    ULONGLONG qwPosition; // where the next record is read
    HitRecord* lpRecord;  // current record, owned until handed out
    WORD wServerIndex;
    WORD wState; // LOGREAD_NONE or LOGREAD_RECORD
};

// Packed: the record is embedded in AnalysisProfile, whose fields follow
// each other without gaps.
#pragma pack(push, 1)
struct FileInfo {
    DWORD dwOldestFileTime;
    DWORD dwNewestFileTime;
    DWORD dwFirstTime; // -1 before opening
    DWORD dwLastTime;
    short iFirstFile;
    short iLastFile;
    LogFileEntry* lpCurrent;
    LogFileEntry* lpNext;
    WORD wcNumFiles;
    WORD wcNumOpen;
    DWORD dwTotalKB;
    ULONGLONG qwTotalBytes;
    WORD wSourceKind; // FILEINFO_KIND_* of the last source added
    LogFileEntry** lpFiles;
    ULONGLONG qwRecordsRead;
    WORD wcNumServers;
};
#pragma pack(pop)
#ifndef _WIN64
static_assert(sizeof(FileInfo) == 60, "FileInfo layout");
#endif

// A stop routine polled while files are opened: nonzero stops.
typedef int(CALLBACK* FileInfoStopPoll)(void);
// Rewrites one log path before it is expanded (buffer of MAX_PATH bytes).
typedef void(CALLBACK* FileInfoPathCallback)(char* path);

FileInfo* FileInfo_New();
void FileInfo_Init(FileInfo* info);
// Frees every entry and its record, then re-initialises.
void FileInfo_Clear(FileInfo* info);
void FileInfo_Free(FileInfo* info);
// The file list of source (closed, no records) into target. 1, or 0 on
// allocation failure (target then empty).
BOOL FileInfo_CopyFrom(FileInfo* target, const FileInfo* source);
// Appends an entry; fileTime 0 takes size and time from the file system.
// info, or null when memory runs out, the path does not fit or the list is full.
FileInfo* FileInfo_AddFile(FileInfo* info, const char* path, DWORD fileTime, ULONGLONG size,
                           WORD serverIndex);
// 1 when an entry has the path (without regard to case).
BOOL FileInfo_FindFile(const FileInfo* info, const char* path);

WORD FileInfo_GetFileCount(const FileInfo* info);
WORD FileInfo_GetServerCount(const FileInfo* info);
int FileInfo_GetFileServer(const FileInfo* info, int i);
LogFile* FileInfo_GetLogFile(FileInfo* info, int i);
BOOL FileInfo_IsFileOpen(const FileInfo* info, int i);
int FileInfo_GetFileRecord(const FileInfo* info, int i, HitRecord** record);
ULONGLONG FileInfo_GetRecordCount(const FileInfo* info);

// Builds the list from every server of the list. profileName names the
// profile file (its base name names the temporary unzip folder). The number
// of files in the list.
int FileInfo_OpenServerList(HWND hostArg, const char* profileName, DWORD* flags,
                            const char* odbcSource, const ServerList* servers, FileInfo* info,
                            BOOL unpack, FileInfoPathCallback pathCallback);
// A single source given as text, read as a one-server list (the default
// server name, no user name or password): "file:///" gives protocol 0 and the
// local path behind it, "ftp://" 1, "http://" 2 and "odbc:" 4 with the prefix
// kept, the unpacked-copy prefix of zip and gzip logs is dropped, anything
// else is a local path. The number of files in the list; 0 also when the
// path does not fit a server entry or memory runs out.
int OpenLogSourceText(HWND hostArg, const char* profileName, DWORD* flags, const char* odbcSource,
                      const char* sourceText, FileInfo* info, BOOL unpack,
                      FileInfoPathCallback pathCallback);
// One server's path text ("a*.log|b.log"): its sources are added with the
// next server index. The number of files added.
int FileInfo_AddServerPath(HWND hostArg, const char* profileName, DWORD* flags,
                           const char* odbcSource, DWORD protocol, const char* pathText,
                           FileInfo* info, BOOL unpack, FileInfoPathCallback pathCallback);

// Opens every file for [start, end]; the number of open files (0 when none or
// stopped; *stopResult then holds the routine's answer). firstPath (MAX_PATH
// bytes, may be null) receives the first entry's path.
int FileInfo_Open(DWORD formatHint, FileInfo* info, DWORD start, DWORD end, char* firstPath,
                  int* stopResult, FileInfoStopPoll stopPoll);
// Hands out the next record in time order (the caller owns it): 3, or 1 when
// no records are left (*record null).
int FileInfo_ReadNext(void* context, FileInfo* info, HitRecord** record);
void FileInfo_CloseAll(FileInfo* info);
// Earliest first and latest last record time of the files. 1, or 0 when none.
BOOL FileInfo_GetTimeRange(DWORD formatHint, FileInfo* info, DWORD* first, DWORD* last);
// The same; *outOfOrder (may be null) TRUE when a file's last record is
// older than its first (files already open answer with their open range).
BOOL FileInfo_GetTimeSpan(DWORD formatHint, FileInfo* info, DWORD* first, DWORD* last,
                          BOOL* outOfOrder);
ULONGLONG FileInfo_GetBytesRead(const FileInfo* info);
// 0-100, computed in 64 bits; 100 when there is nothing to read.
DWORD FileInfo_GetDonePercent(const FileInfo* info);
// *overlap 1 when two files of one server overlap by more than the tolerance.
void FileInfo_CheckOverlap(const FileInfo* info, WORD* serverCount, BOOL* overlap,
                           DWORD toleranceSeconds);
// First and last record times of every file, to judge a date format. 1 when
// every file was looked at; 0 when stopOnError ended the call.
BOOL LogSampleRecords(FileInfo* info, DWORD formatHint, BOOL stopOnError, DWORD* first, DWORD* last,
                      DWORD* totalKB, BOOL* error);
