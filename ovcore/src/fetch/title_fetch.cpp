// The title fetch's hidden window and its wait.
#include "fetch/title_fetch.h"
#include "core/engine_instance.h"
#include "core/net_binding.h"
#include "fetch/http_address.h"
#include "fetch/http_receive.h"
#include "fetch/http_request.h"
#include "fetch/http_response.h"
#include "ovcore/netsettings.h"
#include <stdio.h>
#include <string.h>

namespace {

const char kClass[] = "HTMLURL";
const UINT kSocketMessage = WM_USER + 120;
const UINT_PTR kTimer = 1;

struct TitleTransfer {
    SOCKET sock;
    HANDLE file;
    BOOL busy;
    BOOL connected; // the connect completed and the request went out
    char request[HTTP_REQUEST_SIZE];
    int requestLength;
    BOOL page; // a 200 answer whose body goes to the file
    char head[HTTP_HEAD_MAX + 1];
    DWORD headFill;
    BOOL headDone;
    DWORD idleSeconds;
    ULONGLONG received;
};

TitleTransfer g_tt;

const WinsockApi& Ws() {
    return NetBinding_Winsock();
}

void Write(const char* data, DWORD n) {
    DWORD written = 0;
    if (n && WriteFile(g_tt.file, data, n, &written, nullptr))
        g_tt.received += written;
}

// Only a page (200) has a title: redirections and errors have none.
void Bytes(const char* data, DWORD n) {
    if (g_tt.headDone) {
        if (g_tt.page)
            Write(data, n);
        return;
    }
    DWORD take = n < HTTP_HEAD_MAX - g_tt.headFill ? n : HTTP_HEAD_MAX - g_tt.headFill;
    memcpy(g_tt.head + g_tt.headFill, data, take);
    g_tt.headFill += take;
    int status = 0;
    DWORD headLength = 0;
    int found = Http_ParseHead(g_tt.head, g_tt.headFill, &status, &headLength);
    if (found == HTTP_HEAD_INCOMPLETE && g_tt.headFill < HTTP_HEAD_MAX)
        return;
    g_tt.headDone = TRUE;
    g_tt.page = found == HTTP_HEAD_COMPLETE && status == 200;
    if (!g_tt.page) {
        g_tt.busy = FALSE;
        return;
    }
    Write(g_tt.head + headLength, g_tt.headFill - headLength);
    if (take < n)
        Write(data + take, n - take);
}

void Take(void*, const char* data, DWORD n) {
    g_tt.idleSeconds = 0;
    Bytes(data, n);
}

BOOL StillBusy(void*) {
    return g_tt.busy;
}

// The connect completed (error 0) or failed: the request goes out.
void Connected(int error) {
    g_tt.idleSeconds = 0;
    g_tt.connected =
        !error && Ws().send(g_tt.sock, g_tt.request, g_tt.requestLength, 0) == g_tt.requestLength;
    if (!g_tt.connected)
        g_tt.busy = FALSE;
}

LRESULT CALLBACK HTML_URL_WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kSocketMessage && (SOCKET)wParam == g_tt.sock && g_tt.busy) {
        if (WSAGETSELECTEVENT(lParam) == FD_CONNECT) {
            Connected(WSAGETSELECTERROR(lParam));
        } else if (WSAGETSELECTEVENT(lParam) == FD_READ) {
            Http_ReceiveOnce(g_tt.sock, Take, nullptr);
        } else if (WSAGETSELECTEVENT(lParam) == FD_CLOSE) {
            Http_ReceiveRest(g_tt.sock, Take, nullptr, StillBusy);
            g_tt.busy = FALSE;
        }
        return 0;
    }
    if (message == WM_TIMER && wParam == kTimer) {
        if (++g_tt.idleSeconds > NetSettings_Get()->FetchTimeoutSeconds)
            g_tt.busy = FALSE;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateTitleWindow() {
    static BOOL registered = FALSE;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = HTML_URL_WndProc;
        wc.hInstance = Engine_Instance();
        wc.lpszClassName = kClass;
        registered = RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }
    HWND window = registered ? CreateWindowA(kClass, "HTML_URL Window", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                             nullptr, Engine_Instance(), nullptr)
                             : nullptr;
    if (window)
        SetTimer(window, kTimer, 1000, nullptr);
    return window;
}

void Status(TITLESTATUSPROC status, const char* text) {
    if (status)
        status(0, text, 0);
}

// Waits for the end of the transfer; the caller's callback pumps the
// messages, or the wait does when there is none.
void Wait(TITLESTATUSPROC status) {
    ULONGLONG reported = 0;
    while (g_tt.busy) {
        if (status && g_tt.received != reported) {
            char text[64];
            reported = g_tt.received;
            snprintf(text, sizeof(text), "%ld bytes received.", (long)(DWORD)reported);
            status(0, text, 0);
        } else if (status) {
            status(0, nullptr, 0);
        }
        MSG msg;
        while (g_tt.busy && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (g_tt.busy)
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
}

// Starts the connect; the request goes out when it completes. The connect
// does not wait, so that the wait pumps the caller's messages and the timer
// bounds a connect that never completes. FALSE when it cannot start.
BOOL StartConnect(const char* host, int port, const char* path, const char* user,
                  const char* password, HWND window) {
    sockaddr_in address;
    g_tt.requestLength = Http_PrepareGet(host, port, path, user, password, GetUserAgentText(),
                                         nullptr, &address, g_tt.request, sizeof(g_tt.request));
    if (g_tt.requestLength <= 0)
        return FALSE;
    g_tt.sock = Ws().socket(AF_INET, SOCK_STREAM, 0);
    return g_tt.sock != INVALID_SOCKET &&
           Ws().WSAAsyncSelect(g_tt.sock, window, kSocketMessage,
                               FD_CONNECT | FD_READ | FD_CLOSE) == 0 &&
           (Ws().connect(g_tt.sock, (const sockaddr*)&address, sizeof(address)) == 0 ||
            Ws().WSAGetLastError() == WSAEWOULDBLOCK);
}

} // namespace

int TitleFetch_Http(const char* host, int port, const char* path, const char* user,
                    const char* password, const char* file, TITLESTATUSPROC status) {
    if (!NetBinding_IsBound())
        return TITLE_FETCH_UNREACHABLE;
    memset(&g_tt, 0, sizeof(g_tt));
    g_tt.sock = INVALID_SOCKET;
    g_tt.file =
        CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    HWND window = g_tt.file != INVALID_HANDLE_VALUE ? CreateTitleWindow() : nullptr;
    Status(status, "Retrieving Document...");
    BOOL started = window && StartConnect(host, port, path, user, password, window);
    if (started) {
        g_tt.busy = TRUE;
        Status(status, "Retrieving File...");
        Wait(status);
        Status(status, "Disconnecting...");
    }
    BOOL reached = started && g_tt.connected;
    if (g_tt.sock != INVALID_SOCKET)
        Ws().closesocket(g_tt.sock);
    if (window) {
        KillTimer(window, kTimer);
        DestroyWindow(window);
    }
    if (g_tt.file != INVALID_HANDLE_VALUE)
        CloseHandle(g_tt.file);
    if (!reached)
        return TITLE_FETCH_UNREACHABLE;
    Status(status, "Transfer Complete.");
    return g_tt.page ? TITLE_FETCH_OK : TITLE_FETCH_NO_PAGE;
}
