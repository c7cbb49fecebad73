// Seekmole.dll: the outside log finder that the plug-in asks, when a new
// profile is made, where this user's web-site logs are kept. Bound by name at
// run time ("Seekmole_Find", "Seekmole_ValidLogFile"), so the plug-in works
// without it.
//
// Calling convention: __stdcall (WINAPI), undecorated names (.def file).
//
// The stand-in "finds" the log files of one folder: the folder named by the
// environment variable SEEKMOLE_LOG_FOLDER, or else "Logs" under the request's
// module directory. Every "*.log" file there (in name order, at most
// SEEKMOLE_MAX_LOGS) becomes a found log "file:///<folder>\<name>"; a name
// holding "ref" is a referrer log, one holding "agent" an agent log. The site
// name is SEEKMOLE_SITE (default "localhost"). A file "instructions.txt" in the
// folder makes the result SEEKMOLE_INSTRUCTIONS instead.
#pragma once
#include <windows.h>
#include <stddef.h>

#ifdef SEEKMOLE_BUILD
#define SEEKMOLE_API extern "C" __declspec(dllexport)
#else
#define SEEKMOLE_API extern "C"
#endif

// Result word of the request.
enum SeekmoleResult {
    SEEKMOLE_NOTHING = 0,
    SEEKMOLE_FOUND = 1,
    SEEKMOLE_CANCELLED = 2,
    SEEKMOLE_INSTRUCTIONS = 3, // the ISP left instructions for finding the logs
};

// Kinds of found log; anything else is an access log.
enum { SEEKMOLE_KIND_ACCESS = 0, SEEKMOLE_KIND_REFERRER = 7, SEEKMOLE_KIND_AGENT = 8 };

enum {
    SEEKMOLE_MAX_LOGS = 20,
    SEEKMOLE_SITE_SIZE = 128,
    SEEKMOLE_ADDRESS_SIZE = 300,
    SEEKMOLE_CREDENTIAL_SIZE = 41,
    SEEKMOLE_HOMEPAGE_FILE_SIZE = 128,
    SEEKMOLE_MODULE_DIR_SIZE = 268,
};

// The caller's functions the finder may use on its own dialogs.
typedef HFONT(CALLBACK* SeekmolePrepFontsProc)(HWND dialog);
typedef int(CALLBACK* SeekmoleBoldFontProc)(HWND dialog, int item, HFONT font);
typedef void(CALLBACK* SeekmoleCloseStatusProc)(void);
// Progress: the finder's parent window and a status text (may be null).
// 1 asks the finder to stop, 0 to go on.
typedef int(CALLBACK* SeekmoleProgressProc)(HWND parent, const char* status);

#pragma pack(push, 1)
struct SeekmoleFoundLog {
    char SiteName[SEEKMOLE_SITE_SIZE];
    WORD Kind;                           // SEEKMOLE_KIND_*
    char Address[SEEKMOLE_ADDRESS_SIZE]; // with its scheme
    char UserName[SEEKMOLE_CREDENTIAL_SIZE];
    char Password[SEEKMOLE_CREDENTIAL_SIZE];
    char HomePageFile[SEEKMOLE_HOMEPAGE_FILE_SIZE]; // may be empty
    BYTE DNSLookup;
    BYTE HistoryDatabase;
};

// The request block: zero-filled by the caller, which sets the module
// directory and the three functions; the finder fills result and logs.
struct SeekmoleRequest {
    WORD Result; // SeekmoleResult
    BYTE Reserved1[20];
    char ModuleDirectory[SEEKMOLE_MODULE_DIR_SIZE];
    SeekmolePrepFontsProc PrepWindowFonts;
    SeekmoleBoldFontProc SwitchFontToBold;
    SeekmoleCloseStatusProc CloseStatusDialog;
    WORD FoundCount; // entries of Found in use
    SeekmoleFoundLog Found[SEEKMOLE_MAX_LOGS];
    BYTE Reserved2[260];
};
#pragma pack(pop)

#if !defined(_WIN64)
static_assert(sizeof(SeekmoleFoundLog) == 642, "SeekmoleFoundLog is 642 bytes");
static_assert(offsetof(SeekmoleRequest, ModuleDirectory) == 22, "SeekmoleRequest layout");
static_assert(offsetof(SeekmoleRequest, PrepWindowFonts) == 290, "SeekmoleRequest layout");
static_assert(offsetof(SeekmoleRequest, SwitchFontToBold) == 294, "SeekmoleRequest layout");
static_assert(offsetof(SeekmoleRequest, CloseStatusDialog) == 298, "SeekmoleRequest layout");
static_assert(offsetof(SeekmoleRequest, FoundCount) == 302, "SeekmoleRequest layout");
static_assert(sizeof(SeekmoleRequest) == 13404, "SeekmoleRequest is 13,404 bytes");
#endif

// Searches and fills the request (reserved arguments 0). Calls progress with
// each step; stops with SEEKMOLE_CANCELLED when it returns 1. Returns the
// result word it stored.
SEEKMOLE_API int WINAPI Seekmole_Find(DWORD reserved, HWND parent, SeekmoleRequest* request,
                                      SeekmoleProgressProc progress, DWORD reserved2);
// 1 when path names an existing, readable, non-empty file; else 0.
SEEKMOLE_API int WINAPI Seekmole_ValidLogFile(const char* path, DWORD reserved);
