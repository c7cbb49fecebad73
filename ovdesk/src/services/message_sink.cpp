// The one way the plug-in's boxes reach a person. Unattended (a scheduled,
// remote or headless run) nothing may wait for an answer: the message goes
// to the scheduler log and the box's default answer is taken.
#include "desk_services.h"
#include "ovkit/schedlog.h"
#include "ovcore/ovcore.h"
#include <cstdio>
#include <cstdlib>

namespace {
LONG g_unattended = 0;

// The host sets this before it loads the plug-in, so that even start-up
// messages never wait.
BOOL UnattendedByEnvironment(void) {
    char value[8];
    DWORD n = GetEnvironmentVariableA("OVDESK_UNATTENDED", value, sizeof value);
    return n > 0 && n < sizeof value && value[0] == '1';
}

int DefaultAnswer(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_YESNO:
        return IDNO;
    case MB_YESNOCANCEL:
    case MB_OKCANCEL:
    case MB_RETRYCANCEL:
        return IDCANCEL;
    default:
        return IDOK;
    }
}
} // namespace

void SetDeskUnattended(BOOL unattended) {
    if (unattended)
        ++g_unattended;
    else if (g_unattended > 0)
        --g_unattended;
    // The engine's own boxes must not wait either.
    ORB_SetUnattended(IsDeskUnattended());
}

BOOL IsDeskUnattended(void) {
    return g_unattended > 0 || UnattendedByEnvironment();
}

int DeskMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    if (!text)
        text = "";
    if (!caption)
        caption = OVDESK_CAPTION;
    if (!IsDeskUnattended())
        return MessageBoxA(owner, text, caption, type);
    char line[640];
    snprintf(line, sizeof line, "%s: %s", caption, text);
    OutputDebugStringA(line);
    OutputDebugStringA("\n");
    OVKIT_WriteSchedulerLogFile(GetPluginInstance(), nullptr, line);
    return DefaultAnswer(type);
}
