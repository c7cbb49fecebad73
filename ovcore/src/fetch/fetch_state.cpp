#include "fetch/fetch_state.h"
#include "ovcore/registration.h"
#include <stdarg.h>
#include <stdio.h>
#include <string.h>

namespace {
FetchState g_state = [] {
    FetchState s = {};
    s.localFile = INVALID_HANDLE_VALUE;
    return s;
}();
} // namespace

FetchState& Fetch_State() {
    return g_state;
}

void Fetch_SetError(const char* format, ...) {
    va_list args;
    va_start(args, format);
    vsnprintf(g_state.errorText, sizeof(g_state.errorText), format, args);
    va_end(args);
}

void Fetch_SetErrorId(UINT id, const char* argument) {
    Fetch_SetError(LoadCachedString(id), argument ? argument : "");
}

void Fetch_SendStatus(UINT id, const char* name) {
    if (!g_state.statusWindow)
        return;
    char text[FETCH_STATUS_NAME_MAX + 1];
    snprintf(text, sizeof(text), "%s%s", LoadCachedString(id), name ? name : "");
    SendMessageA(g_state.statusWindow, FETCH_MSG_STATUS, 0, (LPARAM)text);
}
