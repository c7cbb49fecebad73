// The state of the one running fetch, shared by the fetch entries.
#pragma once
#include "ovcore/fetch.h"

struct FetchState {
    DWORD protocol; // SERVER_PROTOCOL_* of the running fetch
    BOOL busy;      // a transfer is in flight
    ULONGLONG expected;
    ULONGLONG received;
    ULONGLONG lastReported; // received count last sent to the status window
    BOOL connectionOpen;
    BOOL windowExists;
    HANDLE localFile; // copy being written; INVALID_HANDLE_VALUE when none
    DWORD entryIndex;
    int downloadMode; // DOWNLOAD_*, -1 when nothing is to be transferred
    HWND statusWindow;
    UrlFetchHandle handle; // the handle handed out, null when none
    BOOL fetched;          // the fetched server list holds a remote profile's copies
    FILETIME firstFetchTime;
    char errorText[FETCH_ERROR_SIZE];
};

FetchState& Fetch_State();
// Sets the error text from a format and arguments (cut to fit).
void Fetch_SetError(const char* format, ...);
// The text of a transfer error code (as FtpErrorText gives it), or null.
const char* Fetch_CodeText(int code);
// Sets the error text to engine string id formatted with one text argument.
void Fetch_SetErrorId(UINT id, const char* argument);
// Sends a status text to the status window: the text of string id followed
// by name cut to FETCH_STATUS_NAME_MAX characters.
void Fetch_SendStatus(UINT id, const char* name);
// Ends any fetch still open and frees the fetched server list (with the last
// client slot); the next fetch or registration makes a new list.
void Fetch_ReleaseEngineResources(void);
// 1 when path names a file directly inside folder (given with its trailing
// separator): the only copies a fetch ever deletes.
BOOL Fetch_IsInCopyFolder(const char* path, const char* folder);
// Writes the list file as far as the copies have arrived: the entries from
// index arrived on that are not skipped go without their listing line, and
// the header only once every entry has arrived with its line (an entry whose
// file failed has had its line cleared). 1, or 0 when the file
// cannot be written.
BOOL Fetch_WriteArrived(const FetchList* list, DWORD arrived, const char* path);
// A new fetch handle holding the status window (a handle still out from an
// earlier fetch is freed first); null when memory ran out.
UrlFetchHandle Fetch_NewHandle(HWND statusWindow);
// The index of the first entry from index on that is not skipped; the
// entry count when none is left.
DWORD FetchList_NextToTransfer(const FetchList* list, DWORD index);
// A file time as one number (100 ns units).
inline ULONGLONG Fetch_TimeNumber(FILETIME t) {
    return (ULONGLONG)t.dwHighDateTime << 32 | t.dwLowDateTime;
}
// The size of the file at path; 0 when it cannot be read.
ULONGLONG Fetch_FileSize(const char* path);
// A new empty temporary file in the data folder (MAX_PATH characters); an
// entry's copy arrives there before it replaces the copy. FALSE (path empty)
// when none could be made.
BOOL Fetch_MakeTemporary(char* path);
// Deletes the temporary files that fetches killed mid-transfer left in the
// data folder: those no fetch holds open and none has written for a while.
void Fetch_RemoveStaleTemporaries(void);
