#include "fetch_status_window.h"

namespace fetchtest {

std::vector<SeenMessage> g_seen;

namespace {

LRESULT CALLBACK StatusProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER + 20 && message <= WM_USER + 31) {
        bool hasText = message == WM_USER + 20 || message == WM_USER + 31;
        g_seen.push_back({message, hasText ? (const char*)lParam : ""});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

HWND MakeStatusWindow() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = StatusProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "FetchTestStatus";
    RegisterClassA(&wc);
    return CreateWindowA("FetchTestStatus", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance,
                         nullptr);
}

} // namespace fetchtest
