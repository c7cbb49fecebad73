// Log sources: an open plain log file behind one handle (open, read, seek,
// size, close), and the unpacking of zip and gzip logs into a temporary
// folder per profile, where the unpacked copies are read as plain files.
#pragma once
#include "ovcore/ovcore_base.h"

// Marks a source text that names the unpacked copy of a zip member or gzip file.
#define ZIPPED_PREFIX "<<k.v.ZIP>>"
#define ZIPPED_PREFIX_LEN 11
// Source texts beginning with this name an ODBC table.
#define ODBC_SOURCE_PREFIX "odbc:"

#define LOGSOURCE_FILE 0
#define LOGSOURCE_ODBC 2
#define LOGSOURCE_PATH_MAX 1024

struct LogSourceHandle {
    WORD wKind;                      // LOGSOURCE_*
    HANDLE hFile;                    // the open file (kind 0)
    char szPath[LOGSOURCE_PATH_MAX]; // the source text as opened, without the zipped prefix
    DWORD dwSize;                    // ODBC side
    DWORD dwPosition;                // ODBC side
    void* lpOdbc;                    // ODBC reader state
};
#define INVALID_LOG_SOURCE ((LogSourceHandle*)(LONG_PTR)-1)

// Opens a source with the create-file arguments. The handle, or
// INVALID_LOG_SOURCE when it cannot be opened or the text does not fit.
LogSourceHandle* OpenLogSource(const char* path, DWORD access, DWORD share,
                               LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
                               HANDLE templateFile);
// wKind, or -1 for an invalid handle.
int GetLogSourceKind(LogSourceHandle* source);
// Size in bytes; 0 for an invalid handle.
ULONGLONG GetLogSourceSize(LogSourceHandle* source);
// New position (FILE_BEGIN / FILE_CURRENT / FILE_END); 0 for an invalid handle.
ULONGLONG SeekLogSource(LogSourceHandle* source, LONGLONG offset, DWORD method);
// 1 on success; 0 on failure ("Error reading log file %s." shown) or invalid handle.
BOOL ReadLogSource(LogSourceHandle* source, void* buffer, DWORD count, DWORD* bytesRead,
                   LPOVERLAPPED overlapped);
// Closes and frees. 1, the close call's result, or 0 for an invalid handle.
BOOL CloseLogSource(LogSourceHandle* source);
// ReadFile that shows "Error reading from file handle %.8lX." on failure.
BOOL ReadFileReportError(HANDLE file, void* buffer, DWORD count, DWORD* bytesRead,
                         LPOVERLAPPED overlapped);

// Archive kinds.
#define ARCHIVE_NONE 0
#define ARCHIVE_ZIP 1
#define ARCHIVE_GZIP 3
// ARCHIVE_*; 0 also when the file cannot be opened.
int DetectArchiveType(const char* path);

// One unpacked copy: path is ZIPPED_PREFIX + the copy's full path.
struct TempFileRecord {
    char szPath[512];
    DWORD dwSize;
    DWORD dwFileTime; // last-write time, seconds since 1970
};

// Unpack every member of a zip archive / the gzip file into the profile's
// temporary folder (profileName: the profile's file name or base name). A new
// list of *count records, or null (failure shown, or stopped by the user).
// Free the list with FreeTempFileList.
TempFileRecord** UnzipLogArchive(const char* profileName, HWND hostArg, const char* archivePath,
                                 DWORD* count);
TempFileRecord** GunzipLogFile(const char* profileName, HWND hostArg, const char* gzipPath,
                               DWORD* count);
void FreeTempFileList(TempFileRecord** list, DWORD count);

// datfiles\<profile base>.ZIP\ into folder (size bytes); 0 when it does not fit.
BOOL GetTempUnzipFolder(const char* profileName, char* folder, DWORD size);
// Looks the member up in the folder's OV_ZIP.INI. 1: unpacked before and the
// copy is still there and current (its path in localPath); 0: must be unpacked
// now (a new path in localPath, recorded); -1: path too long or not recordable.
int GetUnzippedFileName(const char* profileName, const char* archivePath, const char* memberName,
                        char* localPath, DWORD memberIndex);
// Shows the language text stringId formatted with the archive path.
void ShowUnzipError(HWND hostArg, UINT stringId, const char* archivePath);

#define IDS_UNZIP_FAILED 5716
#define IDS_GUNZIP_FAILED 5717

// Deletes the files of the profile's temporary unzip folder.
ORB_EXPORT(int) ORB_DeleteTempZIPFiles(const char* profileName);
// Deletes the files (not folders) of folder (ending in its separator) that
// match pattern; the find-close result, or -1 when nothing matches.
ORB_EXPORT(int) ORB_DeleteFiles(const char* folder, const char* pattern);

// Path parts (buffers of MAX_PATH bytes; longer parts are cut).
void GetFileNameFromPath(const char* path, char* name);
void GetFolderFromPath(const char* path, char* folder);
void GetFileExtension(const char* path, char* ext);
