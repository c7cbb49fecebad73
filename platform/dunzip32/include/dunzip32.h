// The command interface of DUNZIP32.dll, shared by the unzip library and the
// engine that binds it by name. One entry point, `dunzip`, takes a command
// block; the caller clears the block before every call (DunzipClearCommand).
#pragma once
#include <windows.h>

// Function codes.
#define DUNZIP_COUNT_MEMBERS 1
#define DUNZIP_MEMBER_INFO 7
#define DUNZIP_EXTRACT_TO_FILE 8
#define DUNZIP_EXTRACT_TO_MEMORY 9

// Results of `dunzip`. 0, 11 and 49 count as success.
#define DUNZIP_OK 0
#define DUNZIP_BAD_COMMAND 1    // block size or function code not known
#define DUNZIP_CANNOT_OPEN 2    // the archive cannot be opened or read
#define DUNZIP_BAD_ARCHIVE 3    // no or damaged central directory
#define DUNZIP_NO_MEMBER 4      // member index out of range
#define DUNZIP_CANNOT_CREATE 5  // the destination file cannot be created
#define DUNZIP_DATA_ERROR 6     // damaged member data or CRC mismatch
#define DUNZIP_UNSUPPORTED 7    // compression method, encryption or function
#define DUNZIP_WRITE_ERROR 8    // short write to the destination
#define DUNZIP_NOTHING_TO_DO 11 // success: empty member
#define DUNZIP_STOPPED 48       // the progress callback answered stop
#define DUNZIP_WARNING 49       // success with a warning

// Progress of an extraction: percent 0-100; answer FALSE to stop.
typedef BOOL(WINAPI* DUNZIP_PROGRESS)(HWND window, DWORD percent);
// Proposed destination name: copy it into buffer (MAX_PATH bytes), answer 0.
typedef int(WINAPI* DUNZIP_NAMECOPY)(LPSTR buffer, LPCSTR proposed);

#pragma pack(push, 1)
// Member information (function 7).
struct DUNZIPENTRYINFO {
    DWORD dwUncompressedSize;
    DWORD dwCompressedSize;
    DWORD dwCrc32;
    DWORD dwDosDateTime;
    DWORD dwAttributes;
    char szName[MAX_PATH];
    BYTE abReserved[30];
};
static_assert(sizeof(DUNZIPENTRYINFO) == 310, "entry information block is 310 bytes");

struct DUNZIPCMDSTRUCT {
    DWORD dwStructSize; // sizeof(DUNZIPCMDSTRUCT)
    DWORD dwFunction;   // DUNZIP_*
    LPCSTR lpszZipFile;
    DWORD dwIndex; // member index, from 0
    LPCSTR lpszDestination;
    DUNZIPENTRYINFO* lpEntryInfo;
    DWORD dwReserved;  // -1 at clearing
    DWORD dwQuiet;     // 1 at clearing
    DWORD dwNoPaths;   // 1 at clearing
    DWORD dwKeepTimes; // 1 at clearing
    DWORD dwTestCrc;   // 1 at clearing
    DWORD dwOverwrite;
    DUNZIP_PROGRESS lpfnProgress;
    HWND hProgressWindow;
    DWORD dwMode; // 3 for extraction to a file
    DUNZIP_NAMECOPY lpfnNameCopy;
    LPSTR lpNameBuffer;  // MAX_PATH bytes
    DWORD dwMemberCount; // out: function 1
    BYTE abReserved[70];
};
#ifndef _WIN64
static_assert(sizeof(DUNZIPCMDSTRUCT) == 142, "command block is 142 bytes");
#endif
#pragma pack(pop)

// Clears a command block the way every caller must before a call.
inline void DunzipClearCommand(DUNZIPCMDSTRUCT* cmd, DUNZIPENTRYINFO* info) {
    ZeroMemory(cmd, sizeof(*cmd));
    if (info)
        ZeroMemory(info, sizeof(*info));
    cmd->dwStructSize = sizeof(*cmd);
    cmd->dwReserved = (DWORD)-1;
    cmd->dwQuiet = cmd->dwNoPaths = cmd->dwKeepTimes = 1;
    cmd->dwTestCrc = 1;
    cmd->lpEntryInfo = info;
}

#ifdef DUNZIP32_BUILD
#define DUNZIP_API extern "C" __declspec(dllexport)
#else
#define DUNZIP_API extern "C"
#endif

// The entry point, exported undecorated under DUNZIP_ENTRY_NAME; one of the
// DUNZIP_* results. Callers bind it by name through DUNZIP_ENTRY, which is
// taken from this declaration.
DUNZIP_API int WINAPI dunzip(DUNZIPCMDSTRUCT* cmd);
typedef decltype(&dunzip) DUNZIP_ENTRY;
#define DUNZIP_ENTRY_NAME "dunzip"
