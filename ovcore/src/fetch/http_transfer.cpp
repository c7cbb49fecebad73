// The HTTP transfer of the fetch list's entries, one connection per entry,
// advanced by the hidden window's socket notifications and timer.
//
// A whole answer (200) is written to a temporary file that replaces the copy
// only once it has arrived complete. In "Detect" mode a copy of at least
// HTTP_COMPARE_SIZE bytes asks for its last HTTP_COMPARE_SIZE bytes and what
// follows; when those bytes match, the rest is appended, otherwise (a rotated
// log, or 416 for a log now shorter than the copy) the log is fetched whole.
// A failed append is cut back to the copy's earlier size.
//
// The connect does not wait: the request goes out when it completes, so the
// client's messages keep flowing, its cancel (closing the fetch) is heard,
// and the timer bounds a connect that never completes. A body without a
// length ends only at the server's orderly close; a connection that breaks
// (a reset) fails the entry.
#include "core/net_binding.h"
#include "fetch/fetch_ids.h"
#include "fetch/fetch_state.h"
#include "fetch/http_address.h"
#include "fetch/http_fetch.h"
#include "fetch/http_receive.h"
#include "fetch/http_request.h"
#include "fetch/http_response.h"
#include "fetch/url_window.h"
#include "ovcore/netsettings.h"
#include "ovcore/registration.h"
#include <stdio.h>
#include <string.h>

namespace {

const ULONGLONG kUnknownSize = 0xFFFFFFFFULL;

enum BodyMode { BODY_NONE, BODY_WHOLE, BODY_COMPARE, BODY_APPEND };

struct Transfer {
    FetchTarget target;
    SOCKET sock;
    sockaddr_in address;
    BOOL viaProxy;
    char credentials[NETSETTINGS_AUTH_SIZE];
    DWORD entry;
    // The entry in flight.
    char request[HTTP_REQUEST_SIZE];
    int requestLength;
    BOOL connected;
    ULONGLONG copySize;
    BOOL ranged;
    char head[HTTP_HEAD_MAX + 1];
    DWORD headFill;
    BOOL headDone;
    BodyMode mode;
    BOOL lengthKnown;
    ULONGLONG bodyLength; // expected body bytes (Content-Length or range part)
    ULONGLONG bodyBytes;  // body bytes that arrived
    ULONGLONG rangeFirst, rangeTotal;
    char compare[HTTP_COMPARE_SIZE];
    DWORD compareFill;
    HANDLE out;
    char tempPath[MAX_PATH];
    DWORD idleSeconds;
};

Transfer g_t = [] {
    Transfer t = {};
    t.sock = INVALID_SOCKET;
    t.out = INVALID_HANDLE_VALUE;
    return t;
}();

const WinsockApi& Ws() {
    return NetBinding_Winsock();
}

const FetchEntry& Entry() {
    return Fetch_CurrentList()->lpEntries[g_t.entry];
}

void SetEntryError(UINT id) {
    Fetch_SetErrorId(id, Entry().szRemoteName);
}

void CloseSocket() {
    if (g_t.sock == INVALID_SOCKET)
        return;
    HWND window = UrlWindow_Get();
    if (window)
        Ws().WSAAsyncSelect(g_t.sock, window, 0, 0);
    Ws().closesocket(g_t.sock);
    g_t.sock = INVALID_SOCKET;
    // A notification already queued for this socket would be taken for the
    // next connection's when that socket gets the same handle value.
    MSG stale;
    while (window && PeekMessageA(&stale, window, FETCH_MSG_SOCKET, FETCH_MSG_SOCKET, PM_REMOVE)) {
    }
    Fetch_State().connectionOpen = FALSE;
}

// Drops what an unfinished entry wrote: the temporary file, or the
// appended tail of the copy.
void DiscardOutput() {
    if (g_t.out == INVALID_HANDLE_VALUE)
        return;
    if (g_t.mode == BODY_APPEND) {
        LARGE_INTEGER size;
        size.QuadPart = (LONGLONG)g_t.copySize;
        SetFilePointerEx(g_t.out, size, nullptr, FILE_BEGIN);
        SetEndOfFile(g_t.out);
    }
    CloseHandle(g_t.out);
    g_t.out = INVALID_HANDLE_VALUE;
    if (g_t.tempPath[0])
        DeleteFileA(g_t.tempPath);
    g_t.tempPath[0] = 0;
}

void EndFetch(BOOL fetched) {
    FetchState& s = Fetch_State();
    CloseSocket();
    s.busy = FALSE;
    s.fetched = fetched;
    s.received = s.expected;
}

void Fail(UINT id) {
    if (id)
        SetEntryError(id);
    DiscardOutput();
    EndFetch(FALSE);
}

BOOL WriteAll(const char* data, DWORD n) {
    DWORD written = 0;
    return WriteFile(g_t.out, data, n, &written, nullptr) && written == n;
}

// Starts the connect to the kept address; the entry's request goes out once
// it completes (Connected).
BOOL StartConnect() {
    const FetchEntry& e = Entry();
    const char* path = e.szRemoteName + strlen(g_t.target.host);
    HttpRequestParts parts = {};
    parts.host = g_t.target.host;
    parts.path = path;
    parts.viaProxy = g_t.viaProxy;
    parts.proxyAuth = NetSettings_Get()->HttpProxyAuth;
    parts.serverAuth = g_t.credentials;
    parts.userAgent = GetUserAgentText();
    parts.rangeMode = g_t.ranged ? HTTP_RANGE_TAIL : HTTP_RANGE_NONE;
    parts.copySize = g_t.copySize;
    g_t.requestLength = Http_BuildRequest(&parts, g_t.request, sizeof(g_t.request));
    if (g_t.requestLength < 0) {
        SetEntryError(IDS_FETCH_REQUEST_TOO_LONG);
        return FALSE;
    }
    g_t.sock = Ws().socket(AF_INET, SOCK_STREAM, 0);
    if (g_t.sock == INVALID_SOCKET) {
        FtpErrorText(5004);
        return FALSE;
    }
    // Registering makes the socket non-blocking: the connect returns at once.
    if (Ws().WSAAsyncSelect(g_t.sock, UrlWindow_Get(), FETCH_MSG_SOCKET,
                            FD_CONNECT | FD_READ | FD_CLOSE) != 0) {
        FtpErrorText(5002);
        return FALSE;
    }
    if (Ws().connect(g_t.sock, (const sockaddr*)&g_t.address, sizeof(g_t.address)) != 0 &&
        Ws().WSAGetLastError() != WSAEWOULDBLOCK) {
        SetEntryError(IDS_FETCH_NO_CONNECTION);
        return FALSE;
    }
    Fetch_State().connectionOpen = TRUE;
    return TRUE;
}

// Starts the current entry: ranged when the mode and the copy allow it.
BOOL StartEntry(BOOL allowRange) {
    FetchState& s = Fetch_State();
    CloseSocket();
    const FetchEntry& e = Entry();
    g_t.copySize = Fetch_FileSize(e.szLocalPath);
    g_t.ranged =
        allowRange && s.downloadMode == DOWNLOAD_DETECT && g_t.copySize >= HTTP_COMPARE_SIZE;
    g_t.headFill = 0;
    g_t.headDone = FALSE;
    g_t.mode = BODY_NONE;
    g_t.lengthKnown = FALSE;
    g_t.bodyLength = g_t.bodyBytes = 0;
    g_t.compareFill = 0;
    g_t.idleSeconds = 0;
    g_t.connected = FALSE;
    s.expected = kUnknownSize;
    s.received = 0;
    s.busy = TRUE;
    Fetch_SendStatus(IDS_FETCH_RETRIEVING, e.szRemoteName);
    if (StartConnect())
        return TRUE;
    CloseSocket();
    return FALSE;
}

// The next entry that is not skipped, from index on; FALSE when none is left.
BOOL SeekEntry(DWORD index) {
    g_t.entry = FetchList_NextToTransfer(Fetch_CurrentList(), index);
    return g_t.entry < Fetch_CurrentList()->dwCount;
}

// Every copy has arrived: the list file now says so.
void CompleteFetch() {
    WriteFetchList(Fetch_CurrentList(), g_t.target.listPath);
    FetchState& s = Fetch_State();
    s.expected = s.received;
    EndFetch(TRUE);
}

void NextEntry() {
    if (!SeekEntry(g_t.entry + 1)) {
        CompleteFetch();
        return;
    }
    if (!StartEntry(TRUE)) {
        DiscardOutput();
        EndFetch(FALSE);
    }
}

// The whole log again, without a range.
void RestartWhole() {
    DiscardOutput();
    if (!StartEntry(FALSE)) {
        DiscardOutput();
        EndFetch(FALSE);
    }
}

BOOL OpenTemporary() {
    if (!Fetch_MakeTemporary(g_t.tempPath))
        return FALSE;
    g_t.out = CreateFileA(g_t.tempPath, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    return g_t.out != INVALID_HANDLE_VALUE;
}

// The first HTTP_COMPARE_SIZE bytes of the answer against the copy's tail.
BOOL TailMatches() {
    HANDLE copy = CreateFileA(Entry().szLocalPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (copy == INVALID_HANDLE_VALUE)
        return FALSE;
    char mine[HTTP_COMPARE_SIZE];
    LARGE_INTEGER at;
    at.QuadPart = (LONGLONG)g_t.rangeFirst;
    DWORD read = 0;
    BOOL ok = SetFilePointerEx(copy, at, nullptr, FILE_BEGIN) &&
              ReadFile(copy, mine, sizeof(mine), &read, nullptr) && read == sizeof(mine) &&
              memcmp(mine, g_t.compare, sizeof(mine)) == 0;
    CloseHandle(copy);
    return ok;
}

// Opens the copy to append at its end; the compared bytes are already there.
BOOL OpenForAppend() {
    g_t.out = CreateFileA(Entry().szLocalPath, GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (g_t.out == INVALID_HANDLE_VALUE)
        return FALSE;
    LARGE_INTEGER end;
    end.QuadPart = (LONGLONG)g_t.copySize;
    return SetFilePointerEx(g_t.out, end, nullptr, FILE_BEGIN);
}

// FALSE when the entry ended or was restarted (the rest of the data is
// then not this answer's).
BOOL Body(const char* data, DWORD n) {
    FetchState& s = Fetch_State();
    if (g_t.mode == BODY_COMPARE) {
        DWORD take =
            n < HTTP_COMPARE_SIZE - g_t.compareFill ? n : HTTP_COMPARE_SIZE - g_t.compareFill;
        memcpy(g_t.compare + g_t.compareFill, data, take);
        g_t.compareFill += take;
        g_t.bodyBytes += take;
        data += take;
        n -= take;
        if (g_t.compareFill < HTTP_COMPARE_SIZE)
            return TRUE;
        if (!TailMatches()) {
            RestartWhole();
            return FALSE;
        }
        if (!OpenForAppend()) {
            Fail(IDS_FETCH_WRITE_FAILED);
            return FALSE;
        }
        g_t.mode = BODY_APPEND;
        s.expected = g_t.rangeTotal;
        s.received = g_t.copySize;
    }
    if (!n)
        return TRUE;
    if (!WriteAll(data, n)) {
        Fail(IDS_FETCH_WRITE_FAILED);
        return FALSE;
    }
    g_t.bodyBytes += n;
    s.received += n;
    return TRUE;
}

// The answer's status decides what its body is. FALSE when the entry ended
// or was restarted.
BOOL StartBody(int status) {
    FetchState& s = Fetch_State();
    const char* head = g_t.head;
    ULONGLONG last = 0;
    if (status == 206 && g_t.ranged &&
        Http_ContentRange(head, g_t.headFill, &g_t.rangeFirst, &last, &g_t.rangeTotal) &&
        g_t.rangeFirst == g_t.copySize - HTTP_COMPARE_SIZE &&
        last - g_t.rangeFirst + 1 >= HTTP_COMPARE_SIZE) {
        g_t.mode = BODY_COMPARE;
        g_t.lengthKnown = TRUE;
        g_t.bodyLength = last - g_t.rangeFirst + 1;
        return TRUE;
    }
    if (status == 206 || (status == 416 && g_t.ranged)) {
        RestartWhole(); // a range that does not fit the copy: the log changed
        return FALSE;
    }
    if (status != 200) {
        Fetch_SetError(LoadCachedString(IDS_FETCH_HTTP_STATUS), status, Entry().szRemoteName);
        Fail(0);
        return FALSE;
    }
    if (!OpenTemporary()) {
        Fail(IDS_FETCH_WRITE_FAILED);
        return FALSE;
    }
    g_t.mode = BODY_WHOLE;
    g_t.lengthKnown = Http_HeaderNumber(head, g_t.headFill, "content-length", &g_t.bodyLength);
    s.expected = g_t.lengthKnown ? g_t.bodyLength : kUnknownSize;
    s.received = 0;
    return TRUE;
}

void Bytes(const char* data, DWORD n) {
    if (g_t.headDone) {
        Body(data, n);
        return;
    }
    DWORD room = HTTP_HEAD_MAX - g_t.headFill;
    DWORD take = n < room ? n : room;
    memcpy(g_t.head + g_t.headFill, data, take);
    g_t.headFill += take;
    g_t.head[g_t.headFill] = 0;
    int status = 0;
    DWORD headLength = 0;
    int found = Http_ParseHead(g_t.head, g_t.headFill, &status, &headLength);
    if (found == HTTP_HEAD_MALFORMED) {
        Fail(IDS_FETCH_BAD_ANSWER);
        return;
    }
    if (found == HTTP_HEAD_INCOMPLETE) {
        if (g_t.headFill == HTTP_HEAD_MAX)
            Fail(IDS_FETCH_HEAD_TOO_LONG);
        return;
    }
    g_t.headDone = TRUE;
    DWORD extra = g_t.headFill - headLength;
    g_t.headFill = headLength;
    if (!StartBody(status))
        return;
    if (extra && !Body(g_t.head + headLength, extra))
        return;
    if (take < n)
        Body(data + take, n - take);
}

// The connect completed (error 0) or failed: the request goes out.
void Connected(int error) {
    if (error) {
        Fail(IDS_FETCH_NO_CONNECTION);
        return;
    }
    g_t.connected = TRUE;
    g_t.idleSeconds = 0;
    if (Ws().send(g_t.sock, g_t.request, g_t.requestLength, 0) != g_t.requestLength) {
        FtpErrorText(2005);
        Fail(0);
    }
}

void Take(void*, const char* data, DWORD n) {
    g_t.idleSeconds = 0;
    Bytes(data, n);
}

// Still the entry of that socket, and still fetching.
BOOL SameEntry(void* sock) {
    return g_t.sock == *static_cast<SOCKET*>(sock) && Fetch_State().busy;
}

// The connection ended, orderly or broken: the entry is done when its body
// arrived whole. Only an orderly close ends a body without a length.
void Closed(BOOL broken) {
    SOCKET sock = g_t.sock;
    HttpReceiveResult last = Http_ReceiveRest(sock, Take, &sock, SameEntry);
    if (g_t.sock != sock || !Fetch_State().busy)
        return; // the data ended or restarted the entry
    broken = broken || last == HTTP_BROKEN;
    CloseSocket();
    BOOL whole = g_t.headDone && g_t.mode != BODY_NONE && g_t.mode != BODY_COMPARE &&
                 (g_t.lengthKnown ? g_t.bodyBytes >= g_t.bodyLength : !broken);
    if (!whole) {
        Fail(IDS_FETCH_CUT_SHORT);
        return;
    }
    CloseHandle(g_t.out);
    g_t.out = INVALID_HANDLE_VALUE;
    if (g_t.mode == BODY_WHOLE) {
        if (!MoveFileExA(g_t.tempPath, Entry().szLocalPath, MOVEFILE_REPLACE_EXISTING)) {
            Fail(IDS_FETCH_WRITE_FAILED);
            return;
        }
        g_t.tempPath[0] = 0;
    }
    NextEntry();
}

} // namespace

BOOL HttpTransfer_Start(const FetchTarget* target) {
    FetchState& s = Fetch_State();
    g_t.target = *target;
    if (!NetBinding_IsBound()) {
        FtpErrorText(1012);
        return FALSE;
    }
    if (!SeekEntry(0)) {
        CompleteFetch();
        return TRUE;
    }
    if (!Http_ResolveTarget(target->host, target->port, &g_t.address, &g_t.viaProxy))
        return FALSE;
    Http_BasicCredentials(target->user, target->password, g_t.credentials, sizeof(g_t.credentials));
    if (s.statusWindow)
        SendMessageA(s.statusWindow, FETCH_MSG_CONNECTING, 0, 0);
    if (!UrlWindow_Create()) {
        FtpErrorText(5002);
        return FALSE;
    }
    if (!StartEntry(TRUE)) {
        HttpFetch_End();
        return FALSE;
    }
    return TRUE;
}

void HttpFetch_End(void) {
    FetchState& s = Fetch_State();
    if (s.busy && !s.errorText[0])
        FtpErrorText(-1); // cancelled: the copies are not what the server holds
    CloseSocket();
    DiscardOutput();
    UrlWindow_Destroy();
    Fetch_State().busy = FALSE;
}

void HttpFetch_OnSocket(WPARAM socket, LPARAM event) {
    if ((SOCKET)socket != g_t.sock || !Fetch_State().busy)
        return;
    WORD what = WSAGETSELECTEVENT(event);
    int error = WSAGETSELECTERROR(event);
    if (what == FD_CONNECT)
        Connected(error);
    else if (what == FD_READ && Http_ReceiveOnce(g_t.sock, Take, nullptr) == HTTP_BROKEN)
        Closed(TRUE);
    else if (what == FD_CLOSE)
        Closed(error != 0);
}

void HttpFetch_OnTimer(void) {
    FetchState& s = Fetch_State();
    if (!s.busy)
        return;
    if (++g_t.idleSeconds <= NetSettings_Get()->FetchTimeoutSeconds)
        return;
    if (!g_t.connected) {
        Fail(IDS_FETCH_NO_CONNECTION);
        return;
    }
    FtpErrorText(2007);
    Fail(0);
}
