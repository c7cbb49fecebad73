#include "logread/engine_link.h"
#include "core/engine_settings.h"
#include "ovcore/registration.h"
#include "core/message_sink.h"
#include <string.h>

namespace {
char g_datfiles[MAX_PATH] = "";
HWND g_progressWindow = nullptr;
const BOOL* g_cancelFlag = nullptr;
} // namespace

void LogRead_ShowError(const char* text) {
    Engine_ReportError(nullptr, "Ostrevane", text, 0, 0, 0);
}

DWORD LogRead_GetReloadSize() {
    DWORD size = Engine_Settings().defaults.logFileReloadSize;
    return size ? size : 1000000;
}

BOOL LogRead_GetDatfilesFolder(char* buffer, DWORD size) {
    DWORD length = (DWORD)strlen(g_datfiles);
    if (length == 0 || length >= size)
        return FALSE;
    memcpy(buffer, g_datfiles, length + 1);
    return TRUE;
}

HWND LogRead_GetProgressWindow() {
    return g_progressWindow;
}
BOOL LogRead_IsCancelled() {
    return g_cancelFlag && *g_cancelFlag;
}

void LogRead_PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void LogRead_SetDatfilesFolder(const char* folder) {
    g_datfiles[0] = 0;
    if (folder && strlen(folder) < sizeof(g_datfiles))
        strcpy(g_datfiles, folder);
}

void LogRead_SetProgressWindow(HWND window) {
    g_progressWindow = window;
}
void LogRead_SetCancelFlag(const BOOL* flag) {
    g_cancelFlag = flag;
}

void LogRead_LoadText(UINT id, char* buffer, DWORD size) {
    lstrcpynA(buffer, LoadCachedString(id), (int)size);
}
