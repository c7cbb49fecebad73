// Polling a fetch: done or not, the done percent, the error text.
#include "fetch/fetch_state.h"
#include "fetch/fetch_window.h"
#include <stdio.h>
#include <string.h>

namespace {

ULONGLONG PercentOf(ULONGLONG received, ULONGLONG expected) {
    // received x 100 stays in 64 bits below 184 PB; beyond, divide first.
    if (received <= ~0ULL / 100)
        return received * 100 / expected;
    return received / expected * 100;
}

} // namespace

ORB_EXPORT(short) ORB_PeekURL(void) {
    const FetchState& s = Fetch_State();
    return s.busy || s.received < s.expected ? ORB_OK : ORB_FAIL;
}

ORB_EXPORT(WORD) ORB_GetURLDonePercent(UrlFetchHandle handle) {
    FetchState& s = Fetch_State();
    if (s.received != s.lastReported) {
        HWND window = Fetch_WindowOf(handle);
        if (window) {
            char text[16];
            snprintf(text, sizeof(text), "%ld", (long)(DWORD)s.received);
            SendMessageA(window, FETCH_MSG_RECEIVED, 0, (LPARAM)text);
        }
        s.lastReported = s.received;
    }
    return s.expected ? (WORD)PercentOf(s.received, s.expected) : 0;
}

ORB_EXPORT(int) ORB_GetURLErrMsg(char* buffer) {
    const char* text = Fetch_State().errorText;
    if (buffer)
        lstrcpynA(buffer, text, FETCH_ERROR_SIZE);
    return (int)strlen(text) + 1;
}
