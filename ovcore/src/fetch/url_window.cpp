// The fetch's hidden window.
#include "fetch/url_window.h"
#include "core/engine_instance.h"
#include "fetch/fetch_state.h"
#include "fetch/ftp_fetch.h"
#include "fetch/http_fetch.h"

namespace {

const char kClass[] = "OVCORE_URL";
const UINT_PTR kTimer = 1;
HWND g_window = nullptr;

LRESULT CALLBACK UrlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == FETCH_MSG_SOCKET) {
        HttpFetch_OnSocket(wParam, lParam);
        return 0;
    }
    if (message == FETCH_MSG_FTP_RECEIVE) {
        FtpFetch_OnReceive(wParam, lParam);
        return 0;
    }
    if (message == FETCH_MSG_FTP_SEND) {
        FtpFetch_OnSend(wParam, lParam);
        return 0;
    }
    if (message == WM_TIMER && wParam == kTimer) {
        if (Fetch_State().protocol == SERVER_PROTOCOL_FTP)
            FtpFetch_OnTimer();
        else
            HttpFetch_OnTimer();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

BOOL RegisterOnce() {
    static BOOL registered = FALSE;
    if (registered)
        return TRUE;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = UrlWindowProc;
    wc.hInstance = Engine_Instance();
    wc.lpszClassName = kClass;
    registered = RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return registered;
}

} // namespace

HWND UrlWindow_Create(void) {
    if (g_window)
        return g_window;
    if (!RegisterOnce())
        return nullptr;
    // A message-only window: never shown, yet it gets socket and timer messages.
    g_window = CreateWindowA(kClass, "URL Window", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             Engine_Instance(), nullptr);
    if (g_window && !SetTimer(g_window, kTimer, 1000, nullptr)) {
        DestroyWindow(g_window);
        g_window = nullptr;
    }
    Fetch_State().windowExists = g_window != nullptr;
    return g_window;
}

void UrlWindow_Destroy(void) {
    if (!g_window)
        return;
    KillTimer(g_window, kTimer);
    DestroyWindow(g_window);
    g_window = nullptr;
    Fetch_State().windowExists = FALSE;
}

HWND UrlWindow_Get(void) {
    return g_window;
}
