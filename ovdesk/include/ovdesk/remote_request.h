// The host's request object of a remote web page, which the plug-in's remote
// command handler (IsFunctionSupported code 25) reads and fills. The host
// owns it; both sides bind through this header.
#pragma once
#include <windows.h>
#include <cstddef>

struct RemoteRequest;

// Texts a host operation writes into the caller's buffer are cut to this
// many bytes, the zero included: callers pass buffers of this size.
enum { REMOTE_TEXT_MAX = 2048 };

// The host's operations on its page (Windows convention); each returns 1
// when the field exists, else 0 (an out text is then empty, an out number 0).
struct RemoteRequestOps {
    // A submitted form field.
    int(CALLBACK* ReadFormField)(RemoteRequest* request, const char* name, char* text);
    // A page field as a number, or as text.
    int(CALLBACK* ReadPageNumber)(RemoteRequest* request, const char* name, int* value);
    int(CALLBACK* ReadPageText)(RemoteRequest* request, const char* name, char* text);
    // Sets a page field from a number, or from text.
    int(CALLBACK* SetPageNumber)(RemoteRequest* request, const char* name, int value);
    int(CALLBACK* SetPageText)(RemoteRequest* request, const char* name, const char* text);
};

// The request's status word.
enum RemoteStatus : DWORD { REMOTE_DONE = 0, REMOTE_REFUSED = 1, REMOTE_IN_PROGRESS = 2 };

enum {
    REMOTE_TOKEN_SIZE = 100,
    REMOTE_FILE_NAME_SIZE = 100,
    REMOTE_USER_SIZE = 108,
    REMOTE_STATUS_TEXT_SIZE = 312,
};

#pragma pack(push, 1)
// The remote user's record: nonzero NoFolderLimit lifts the folder limit.
struct RemoteUserRecord {
    BYTE Reserved[108];
    DWORD NoFolderLimit;
};

// The host's remote server settings.
struct RemoteServerSettings {
    char InstallFolder[418]; // with its closing backslash
    DWORD FolderLimit;       // report folders a user may keep; 0 no limit
    DWORD Reserved1;
    DWORD ReportsEnabled;
    BYTE Reserved2[522];
    char ReportsRoot[MAX_PATH]; // root folder of the remote reports
};

struct RemoteRequest {
    const RemoteRequestOps* Ops;
    BYTE Reserved1[14 - sizeof(void*) + (sizeof(void*) == 8 ? 8 : 0)];
    char Token[REMOTE_TOKEN_SIZE]; // the request token "~user/number" of a run
    BYTE Reserved2[2252];
    char ProfileFileName[REMOTE_FILE_NAME_SIZE]; // base name "." extension
    char UserName[REMOTE_USER_SIZE];
    DWORD Status; // RemoteStatus
    BYTE Reserved3[12];
    char StatusText[REMOTE_STATUS_TEXT_SIZE];
    RemoteUserRecord* User;
    RemoteServerSettings* Server;
};
#pragma pack(pop)

static_assert(offsetof(RemoteServerSettings, FolderLimit) == 418, "RemoteServerSettings layout");
static_assert(offsetof(RemoteServerSettings, ReportsEnabled) == 426, "RemoteServerSettings layout");
static_assert(offsetof(RemoteServerSettings, ReportsRoot) == 952, "RemoteServerSettings layout");
static_assert(offsetof(RemoteUserRecord, NoFolderLimit) == 108, "RemoteUserRecord layout");
#if !defined(_WIN64)
static_assert(offsetof(RemoteRequest, Token) == 14, "RemoteRequest layout");
static_assert(offsetof(RemoteRequest, ProfileFileName) == 2366, "RemoteRequest layout");
static_assert(offsetof(RemoteRequest, UserName) == 2466, "RemoteRequest layout");
static_assert(offsetof(RemoteRequest, Status) == 2574, "RemoteRequest layout");
static_assert(offsetof(RemoteRequest, StatusText) == 2590, "RemoteRequest layout");
static_assert(offsetof(RemoteRequest, User) == 2902, "RemoteRequest layout");
static_assert(offsetof(RemoteRequest, Server) == 2906, "RemoteRequest layout");
#endif

// The host's list message: wParam 0, lParam the address of a RemoteProfileList
// that the host fills. After a change to a profile the handler posts
// REMOTE_RELOAD_MESSAGE, and the host reloads its list.
enum : UINT { REMOTE_LIST_MESSAGE = 0x5B1, REMOTE_RELOAD_MESSAGE = 0x5B2 };
struct ProfileListEntry;
struct RemoteProfileList {
    DWORD Count;
    ProfileListEntry** Entries;
};

// Code 25: handles one keyword of a remote page; the result is the
// keyword's length in characters (0 when no keyword matched, or when memory
// ran out in a submission); for a keyword starting with "~", 1 when it
// equals the request token (without case), else 0. The host enumerates its
// profiles (code 5, with its window) before the first call.
extern "C" int __cdecl RemoteCommandHandler(const char* keyword, RemoteRequest* request);
