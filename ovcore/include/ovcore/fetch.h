// Remote-log fetch: the client starts the fetch of a profile's logs, polls it
// while it dispatches its window messages, and closes it, which settles the
// logs' date format and keeps their file list in the profile. One fetch at a
// time; its state is engine-wide.
//
// 16-bit status results: 0 for success, -1 (0xFFFF) for failure; the reason
// of a failure is read with ORB_GetURLErrMsg.
#pragma once
#include "ovcore/ovcore_base.h"
#include "ovcore/profile.h"

// A movable global block that holds the client's status window. Made by
// ORB_OpenURL, freed by ORB_CloseFTP (also through ORB_CloseURL).
typedef HGLOBAL UrlFetchHandle;

// Messages to the client's status window (sent).
#define FETCH_MSG_STATUS (WM_USER + 20)         // lParam: status text
#define FETCH_MSG_CLOSE_BEGIN (WM_USER + 21)    // closing a remote or ODBC fetch
#define FETCH_MSG_CLOSE_END (WM_USER + 22)      // FTP or HTTP fetch closed
#define FETCH_MSG_CLOSE_ODBC (WM_USER + 23)     // ODBC fetch closed
#define FETCH_MSG_LOGIN_DONE (WM_USER + 24)     // logged in / before the list is built
#define FETCH_MSG_CONNECTING (WM_USER + 25)     // address resolved, connecting
#define FETCH_MSG_UPLOAD_STARTED (WM_USER + 26) // lParam: a short status text
#define FETCH_MSG_RECEIVED (WM_USER + 31)       // lParam: received byte count, "%ld"

// The error text holds at most this many characters with its terminator.
#define FETCH_ERROR_SIZE 512
// Status texts that carry a source or file name are cut to this length.
#define FETCH_STATUS_NAME_MAX 60

// Sizes of one fetch-list entry's texts, terminator included.
#define FETCH_PATH_SIZE 260
#define FETCH_NAME_SIZE 260
#define FETCH_LISTING_SIZE 100

// Starts the fetch of the logs of the profile file (base name and extension
// in the data folder). A local-file or ODBC profile needs no transfer: the
// call hands out the handle and the first poll reports done. The logs of an
// FTP or HTTP profile (one server) are fetched into the copy folder
// "<data folder><name>.ftp". 0, with *handle set, or -1 with the error text
// set.
ORB_EXPORT(short) ORB_OpenURL(HWND statusWindow, const char* profileFile, UrlFetchHandle* handle);
// Starts the upload of localFile to url ("ftp://host[:port]/folder/name",
// path variables replaced) as user. 0, with *handle set, while the upload
// runs: the client polls as for a fetch, reads ORB_GetURLErrMsg (a text means
// the upload failed) and ends with ORB_CloseFTP. -1 when it could not start
// (any other prefix, refused login, no such local file; the error text says
// why where the engine knows).
ORB_EXPORT(short)
ORB_Cre8URL(HWND statusWindow, const char* url, const char* user, const char* password,
            const char* localFile, UrlFetchHandle* handle);
// 0 while the transfer runs, -1 when it is done (successfully or not).
ORB_EXPORT(short) ORB_PeekURL(void);
// received x 100 / expected (not capped at 100; 0 while nothing is
// expected), cut to 16 bits. Tells the status window when the received byte
// count changed.
ORB_EXPORT(WORD) ORB_GetURLDonePercent(UrlFetchHandle handle);
// Ends the fetch (ORB_CloseFTP), then finds the profile's logs, settles their
// date format and keeps their file list in the profile. 0 when the profile is
// null or its log times are now known (LogInfoValid 1); -1 when no readable
// record was found (LogInfoValid 0).
ORB_EXPORT(short)
ORB_CloseURL(HWND statusWindow, UrlFetchHandle handle, AnalysisProfile* profile);
// Ends the transfer, frees the handle (only the one the running fetch handed
// out) and clears the fetch lists. Always 0.
ORB_EXPORT(short)
ORB_CloseFTP(HWND statusWindow, UrlFetchHandle handle, AnalysisProfile* profile);
// Closes the profile's open log files and clears the fetched mark. 0.
ORB_EXPORT(short) ORB_FreeURL(AnalysisProfile* profile);
// Copies the error text (empty when none) into buffer, which holds
// FETCH_ERROR_SIZE characters; the text's length + 1.
ORB_EXPORT(int) ORB_GetURLErrMsg(char* buffer);

// 1 while fetched copies of a remote profile's logs are held (a report run of
// an FTP or HTTP profile needs them), else 0.
BOOL Fetch_HasFetchedLogs(void);
// The server list that holds the logs of the last fetch (never null unless
// memory ran out).
ServerList* Fetch_GetFetchedServerList(void);

// One file of a fetch: whether it is already current, its local copy, its
// remote name and its FTP listing line (or "HTTP").
struct FetchEntry {
    DWORD dwSkip;
    char szLocalPath[FETCH_PATH_SIZE];
    char szRemoteName[FETCH_NAME_SIZE];
    char szListing[FETCH_LISTING_SIZE];
};

// A source's files: its display name and its entries (heap, owned).
struct FetchList {
    char szHeader[FETCH_PATH_SIZE];
    DWORD dwCount;
    FetchEntry* lpEntries;
};

// Appends an entry. A name or listing line too long for its field is refused:
// 0 with the error text set; 1 on success; 0 when memory runs out.
BOOL FetchList_Add(FetchList* list, const char* remoteName, const char* listing);
// Frees the entries and zeroes the list.
void FetchList_Clear(FetchList* list);
// Names every entry without a local path after its remote name in the copy
// folder (folder ends in a separator): "base.ext" of at most 8 and 3
// characters, or "bas0000.ext" with a counter while the name is taken. An
// entry whose name cannot fit is refused: 0 with the error text set.
BOOL MakeLocalCopyNames(FetchList* list, const char* folder);
// The listing-state file: the header line, then per entry its local path,
// remote name and listing line. 1, or 0 when the file cannot be written.
BOOL WriteFetchList(const FetchList* list, const char* path);
// Reads the listing-state file into list (cleared first): lines are cut to
// their field size, line ends removed, entries without a remote name
// dropped. 1, or 0 when the file cannot be opened.
BOOL ReadFetchList(FetchList* list, const char* path);
// Deletes the copies that the listing-state file at listPath names (only
// those inside the profile's copy folder), the file itself, and the copy
// folder when it is then empty. 0 when listPath has no extension, else 1.
BOOL DeleteDownloadedFiles(const char* listPath);
// The engine's two lists: the current fetch and the one read back from disk.
FetchList* Fetch_CurrentList(void);
FetchList* Fetch_PreviousList(void);

// Page titles for the report: the status callback gets (0, text, 0) to show a
// progress text and (0, null, 0) while the call waits, to pump the caller's
// messages.
typedef void(CALLBACK* TITLESTATUSPROC)(DWORD reserved, const char* text, DWORD reserved2);
// The title buffer holds at least this many characters with the terminator.
#define TITLE_BUFFER_SIZE 81
// selector 1 reads the page's "<OVHDR>" block instead of its "<TITLE>".
#define TITLE_SELECT_OVHDR 1

// The title of the page at url ("http://" or a local path), from the title
// cache or from the page (at most 80 characters). 1 when title was filled,
// 0 otherwise (titles turned off for the run, no page, no title, or a
// server that cannot be reached; in the last case *failed, when given,
// becomes 1). A page that gave no title is not asked for again until its
// cache entry expires. status may be null.
ORB_EXPORT(int)
ORB_GetHTML_Title(DWORD selector, const char* url, const char* user, const char* password,
                  char* title, TITLESTATUSPROC status, int* failed);
// Reads [Defaults] NoHTMLTitles for the report run that starts.
void PageTitles_BeginRun(void);

// Sets the error text to the text of a transfer error code (FTP library
// codes and the engine's own: 2007 time-out, 1010 no file listed). Other
// codes leave it as it is.
void FtpErrorText(int code);
