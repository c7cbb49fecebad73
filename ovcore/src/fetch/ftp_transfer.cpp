// The FTP receives of the fetch list's entries, one after another on the
// library's asynchronous transfers, advanced by its notifications and the
// hidden window's timer.
//
// Each file arrives in a temporary file that replaces the copy only once it
// is whole; in "Detect" mode the temporary file starts as a copy of the
// earlier one, so that the library fetches only what grew behind it. The
// list file records an entry's listing line only once its copy is whole.
// A file that does not arrive (refused, or shorter than its listing says)
// keeps its earlier copy and names itself in the error text, and the other
// files are still fetched while the session lasts.
#include "core/net_binding.h"
#include "fetch/fetch_ids.h"
#include "fetch/fetch_state.h"
#include "fetch/ftp_fetch.h"
#include "fetch/url_window.h"
#include "ftp4w32.h"
#include "ovcore/netsettings.h"
#include "ovcore/registration.h"

namespace {

struct Transfer {
    FetchTarget target;
    DWORD entry;
    char current[FETCH_NAME_SIZE]; // the remote name of the running transfer
    char tempPath[MAX_PATH];
    DWORD idleSeconds;
    BOOL fileFailed; // an entry did not arrive: the fetch ends in error
};

Transfer g_t = {};

const FtpApi& Ftp() {
    return NetBinding_Ftp();
}

const FetchEntry& Entry() {
    return Fetch_CurrentList()->lpEntries[g_t.entry];
}

void DiscardTemporary() {
    if (g_t.tempPath[0])
        DeleteFileA(g_t.tempPath);
    g_t.tempPath[0] = 0;
}

void CloseConnection() {
    FetchState& s = Fetch_State();
    if (!s.connectionOpen)
        return;
    if (Ftp().FtpCloseConnection() != 0)
        Ftp().FtpLocalClose();
    s.connectionOpen = FALSE;
}

void EndFetch(BOOL fetched) {
    FetchState& s = Fetch_State();
    CloseConnection();
    s.busy = FALSE;
    s.fetched = fetched;
    s.received = s.expected;
}

void Fail() {
    DiscardTemporary();
    EndFetch(FALSE);
}

// Sets the text of a library code; a code without a text still leaves one.
void SetCodeError(int code) {
    FtpErrorText(code);
    if (!Fetch_State().errorText[0])
        Fetch_SetErrorId(IDS_FETCH_CUT_SHORT, g_t.current);
}

// The current entry did not arrive (code: the library's reason): its copy
// stays as it was and its listing line is not recorded, so that "Detect"
// fetches it again. The first such file names itself in the error text.
void FileFailed(int code) {
    FetchEntry& e = Fetch_CurrentList()->lpEntries[g_t.entry];
    if (!g_t.fileFailed) {
        const char* reason = code ? Fetch_CodeText(code) : nullptr;
        if (reason)
            Fetch_SetError(LoadCachedString(IDS_FETCH_FILE_FAILED), e.szRemoteName, reason);
        else
            Fetch_SetErrorId(IDS_FETCH_CUT_SHORT, e.szRemoteName);
    }
    g_t.fileFailed = TRUE;
    e.szListing[0] = 0;
    DiscardTemporary();
}

// The next entry that is not skipped, from index on; FALSE when none is left.
BOOL SeekEntry(DWORD index) {
    g_t.entry = FetchList_NextToTransfer(Fetch_CurrentList(), index);
    return g_t.entry < Fetch_CurrentList()->dwCount;
}

// A new temporary file, holding the earlier copy in "Detect" mode.
BOOL MakeTemporary() {
    if (!Fetch_MakeTemporary(g_t.tempPath))
        return FALSE;
    const char* copy = Entry().szLocalPath;
    if (Fetch_State().downloadMode != DOWNLOAD_DETECT ||
        GetFileAttributesA(copy) == INVALID_FILE_ATTRIBUTES)
        return TRUE;
    return CopyFileA(copy, g_t.tempPath, FALSE);
}

// Starts the current entry's receive. FALSE when it did not start: *code is
// the library's reason, or 0 when the temporary file could not be made (the
// error text then says so).
BOOL StartEntry(int* code) {
    FetchState& s = Fetch_State();
    const FetchEntry& e = Entry();
    lstrcpynA(g_t.current, e.szRemoteName, sizeof(g_t.current));
    Fetch_SendStatus(IDS_FETCH_RETRIEVING, e.szRemoteName);
    s.expected = FtpListing_Size(e.szListing);
    s.received = 0;
    s.busy = TRUE;
    g_t.idleSeconds = 0;
    *code = 0;
    if (!MakeTemporary()) {
        Fetch_SetErrorId(IDS_FETCH_WRITE_FAILED, e.szRemoteName);
        return FALSE;
    }
    *code = Ftp().FtpRecvFile(e.szRemoteName, g_t.tempPath, 'I', 1, UrlWindow_Get(),
                              FETCH_MSG_FTP_RECEIVE);
    if (*code != 0)
        return FALSE;
    long size = Ftp().FtpBytesToBeTransferred();
    if (size > 0)
        s.expected = (ULONGLONG)(unsigned long)size;
    return TRUE;
}

// Every entry was tried: the list file now says which copies arrived.
void CompleteFetch() {
    WriteFetchList(Fetch_CurrentList(), g_t.target.listPath);
    FetchState& s = Fetch_State();
    s.expected = s.received;
    EndFetch(!g_t.fileFailed);
}

// Starts the entries from index on until one runs; a file the server
// refuses is passed over, a lost session or a local failure ends the fetch
// (FALSE).
BOOL StartFrom(DWORD index) {
    for (; SeekEntry(index); index = g_t.entry + 1) {
        int code = 0;
        if (StartEntry(&code))
            return TRUE;
        if (code != 0)
            FileFailed(code);
        if (code == 0 || code == FTPERR_NOTCONNECTED) {
            Fail();
            return FALSE;
        }
    }
    CompleteFetch();
    return TRUE;
}

// The entry's file ended without an error from the server: it becomes the
// copy when it holds at least the size its listing line gave, since a
// server that answers no SIZE may end a transfer early and call it done.
void Arrived() {
    if (Fetch_FileSize(g_t.tempPath) < FtpListing_Size(Entry().szListing)) {
        FileFailed(0); // cut short
        StartFrom(g_t.entry + 1);
        return;
    }
    if (!MoveFileExA(g_t.tempPath, Entry().szLocalPath, MOVEFILE_REPLACE_EXISTING)) {
        Fetch_SetErrorId(IDS_FETCH_WRITE_FAILED, Entry().szRemoteName);
        Fail();
        return;
    }
    g_t.tempPath[0] = 0;
    Fetch_WriteArrived(Fetch_CurrentList(), g_t.entry + 1, g_t.target.listPath);
    StartFrom(g_t.entry + 1);
}

// Stops a running transfer; its end notification is dropped with the
// window's other queued ones.
void AbortTransfer() {
    if (!Fetch_State().busy)
        return;
    Ftp().FtpAbort();
    HWND window = UrlWindow_Get();
    MSG stale;
    while (window &&
           PeekMessageA(&stale, window, FETCH_MSG_FTP_RECEIVE, FETCH_MSG_FTP_SEND, PM_REMOVE)) {
    }
}

} // namespace

BOOL FtpTransfer_Start(const FetchTarget* target) {
    g_t.target = *target;
    g_t.tempPath[0] = 0;
    g_t.fileFailed = FALSE;
    if (!SeekEntry(0)) {
        CompleteFetch();
        Fetch_State().downloadMode = -1;
        return TRUE;
    }
    if (!UrlWindow_Create()) {
        FtpErrorText(5002);
        return FALSE;
    }
    Ftp().FtpSetAsynchronousMode();
    return StartFrom(0);
}

void FtpFetch_End(void) {
    if (Fetch_State().busy) {
        AbortTransfer();
        FtpErrorText(-1); // the copies are not what the server holds
    }
    DiscardTemporary();
    CloseConnection();
    UrlWindow_Destroy();
    Fetch_State().busy = FALSE;
}

void FtpFetch_OnReceive(WPARAM wParam, LPARAM lParam) {
    FetchState& s = Fetch_State();
    if (!s.busy)
        return;
    g_t.idleSeconds = 0;
    if (wParam != 1) {
        if ((ULONGLONG)(DWORD)lParam > s.received)
            s.received = (DWORD)lParam;
        return;
    }
    if (lParam != 0) {
        FileFailed((int)lParam);
        StartFrom(g_t.entry + 1);
        return;
    }
    Arrived();
}

void FtpFetch_OnTimer(void) {
    if (!Fetch_State().busy)
        return;
    if (++g_t.idleSeconds > NetSettings_Get()->FetchTimeoutSeconds) {
        AbortTransfer();
        FtpErrorText(2007);
        Fail();
    }
}

BOOL FtpTransfer_StartUpload(const char* local, const char* remote) {
    FetchState& s = Fetch_State();
    lstrcpynA(g_t.current, remote, sizeof(g_t.current));
    g_t.tempPath[0] = 0;
    s.expected = 0;
    if (!UrlWindow_Create()) {
        FtpErrorText(5002);
        CloseConnection();
        return FALSE;
    }
    Ftp().FtpSetAsynchronousMode();
    int code = Ftp().FtpSendFile(local, remote, 'I', 1, UrlWindow_Get(), FETCH_MSG_FTP_SEND);
    if (code != 0) {
        SetCodeError(code);
        CloseConnection();
        UrlWindow_Destroy();
        return FALSE;
    }
    s.busy = TRUE;
    s.received = 0;
    g_t.idleSeconds = 0;
    long size = Ftp().FtpBytesToBeTransferred();
    if (size > 0)
        s.expected = (ULONGLONG)(unsigned long)size;
    return TRUE;
}

void FtpFetch_OnSend(WPARAM wParam, LPARAM lParam) {
    FetchState& s = Fetch_State();
    if (!s.busy)
        return;
    g_t.idleSeconds = 0;
    if (wParam != 1) {
        s.received = (DWORD)lParam;
        return;
    }
    if (lParam != 0)
        SetCodeError((int)lParam);
    EndFetch(FALSE);
}
