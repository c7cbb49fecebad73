// The general asynchronous HTTP GET into a file: any number of requests,
// served by one hidden window while at least one is pending.
#include "core/engine_instance.h"
#include "core/net_binding.h"
#include "fetch/http_address.h"
#include "fetch/http_receive.h"
#include "fetch/http_request.h"
#include "ovcore/logpath.h"
#include "ovcore/netsettings.h"
#include "ovcore/serverlist.h"
#include <stdlib.h>
#include <string.h>

namespace {

const char kClass[] = "OVCORE_GET";

struct HttpGetRequest {
    SOCKET sock;
    char request[HTTP_REQUEST_SIZE];
    int length;
    HANDLE file;
    HWND notifyWindow;
    UINT notifyMessage;
    HttpGetRequest* next;
};

HttpGetRequest* g_pending = nullptr;
HWND g_window = nullptr;

const WinsockApi& Ws() {
    return NetBinding_Winsock();
}

HttpGetRequest* FindRequest(SOCKET sock) {
    for (HttpGetRequest* r = g_pending; r; r = r->next)
        if (r->sock == sock)
            return r;
    return nullptr;
}

void Unlink(HttpGetRequest* request) {
    for (HttpGetRequest** at = &g_pending; *at; at = &(*at)->next) {
        if (*at == request) {
            *at = request->next;
            return;
        }
    }
}

void DestroyWindowWhenIdle() {
    if (g_pending || !g_window)
        return;
    DestroyWindow(g_window);
    g_window = nullptr;
    UnregisterClassA(kClass, Engine_Instance());
}

// Closes the request and tells its window how it ended.
void Finish(HttpGetRequest* r, int error) {
    CloseHandle(r->file);
    Ws().closesocket(r->sock);
    Unlink(r);
    if (r->notifyWindow)
        PostMessageA(r->notifyWindow, r->notifyMessage, (WPARAM)error, 0);
    free(r);
}

// Appends what arrived to the request's file.
void WriteBytes(void* request, const char* bytes, DWORD count) {
    DWORD written = 0;
    WriteFile(static_cast<HttpGetRequest*>(request)->file, bytes, count, &written, nullptr);
}

LRESULT CALLBACK HttpGetWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    HttpGetRequest* r = message == HTTPGET_MSG_SOCKET ? FindRequest((SOCKET)wParam) : nullptr;
    if (r) {
        int error = WSAGETSELECTERROR(lParam);
        switch (WSAGETSELECTEVENT(lParam)) {
        case FD_CONNECT:
            if (error)
                Finish(r, error);
            else
                Ws().send(r->sock, r->request, r->length, 0);
            break;
        case FD_READ:
            Http_ReceiveOnce(r->sock, WriteBytes, r);
            break;
        case FD_CLOSE:
            // What arrived before the close still belongs in the file.
            Http_ReceiveRest(r->sock, WriteBytes, r, nullptr);
            Finish(r, 0);
            break;
        }
        DestroyWindowWhenIdle();
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

BOOL MakeWindow() {
    if (g_window)
        return TRUE;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HttpGetWndProc;
    wc.hInstance = Engine_Instance();
    wc.lpszClassName = kClass;
    RegisterClassA(&wc);
    g_window = CreateWindowA(kClass, "URL Window", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             Engine_Instance(), nullptr);
    if (!g_window)
        UnregisterClassA(kClass, Engine_Instance());
    return g_window != nullptr;
}

// The request text for url; FALSE when it is not "http://" or does not fit.
BOOL BuildRequest(HttpGetRequest* r, const char* url, const char* user, const char* password,
                  const char* referrer, const char* userAgent, sockaddr_in* address) {
    char host[SERVERINFO_PATH_SIZE], path[SERVERINFO_PATH_SIZE];
    int port = 0;
    if (ParseUrlSource(path, sizeof(path), url, host, sizeof(host), &port) !=
            SERVER_PROTOCOL_HTTP ||
        !host[0])
        return FALSE;
    r->length = Http_PrepareGet(host, port, path, user, password, userAgent, referrer, address,
                                r->request, sizeof(r->request));
    return r->length > 0;
}

// Opens the file and starts the connect; FALSE (nothing left open) on failure.
BOOL Start(HttpGetRequest* r, const char* outputPath, const sockaddr_in* address) {
    DeleteFileA(outputPath);
    r->file = CreateFileA(outputPath, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (r->file == INVALID_HANDLE_VALUE)
        return FALSE;
    r->sock = Ws().socket(AF_INET, SOCK_STREAM, 0);
    if (r->sock != INVALID_SOCKET &&
        Ws().WSAAsyncSelect(r->sock, g_window, HTTPGET_MSG_SOCKET,
                            FD_READ | FD_CONNECT | FD_CLOSE) == 0 &&
        (Ws().connect(r->sock, (const sockaddr*)address, sizeof(*address)) == 0 ||
         Ws().WSAGetLastError() == WSAEWOULDBLOCK))
        return TRUE;
    if (r->sock != INVALID_SOCKET)
        Ws().closesocket(r->sock);
    CloseHandle(r->file);
    return FALSE;
}

} // namespace

ORB_EXPORT(int)
ORB_HTTP_Get(const char* url, const char* outputPath, const char* user, const char* password,
             const char* referrer, const char* userAgent, HWND notifyWindow, UINT notifyMessage) {
    if (!NetBinding_IsBound() || !url || !outputPath)
        return 0;
    HttpGetRequest* r = (HttpGetRequest*)calloc(1, sizeof(HttpGetRequest));
    sockaddr_in address;
    if (!r || !BuildRequest(r, url, user, password, referrer, userAgent, &address) ||
        !MakeWindow()) {
        free(r);
        DestroyWindowWhenIdle();
        return 0;
    }
    r->notifyWindow = notifyWindow;
    r->notifyMessage = notifyMessage;
    if (!Start(r, outputPath, &address)) {
        free(r);
        DestroyWindowWhenIdle();
        return 0;
    }
    r->next = g_pending;
    g_pending = r;
    return 1;
}
