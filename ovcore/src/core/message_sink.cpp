#include "core/message_sink.h"

#include "core/engine_state.h"
#include "ovcore/registration.h"

static BOOL g_unattended = FALSE;
static LONG g_errorCount = 0;

void Engine_SetUnattended(BOOL unattended) {
    g_unattended = unattended;
}

void ORB_CALL ORB_SetUnattended(BOOL unattended) {
    Engine_SetUnattended(unattended);
}

BOOL Engine_IsUnattended(void) {
    return g_unattended;
}

// The button a box of this type answers with when nobody presses one.
static int DefaultButton(UINT type) {
    UINT buttons = type & MB_TYPEMASK;
    UINT defIndex = (type & MB_DEFMASK) >> 8;
    static const int first[] = {IDOK, IDOK, IDABORT, IDYES, IDYES, IDRETRY, IDCANCEL};
    static const int second[] = {IDOK, IDCANCEL, IDRETRY, IDNO, IDNO, IDCANCEL, IDTRYAGAIN};
    static const int third[] = {IDOK, IDCANCEL, IDIGNORE, IDCANCEL, IDNO, IDCANCEL, IDCONTINUE};
    if (buttons > 6)
        return IDOK;
    if (defIndex == 1)
        return second[buttons];
    if (defIndex == 2)
        return third[buttons];
    return first[buttons];
}

// Writes a text to the process's standard error, when it has one (a console
// program or a redirected run), through the handle so that no C runtime of
// another module is involved.
static void WriteStandardError(const char* text) {
    HANDLE out = GetStdHandle(STD_ERROR_HANDLE);
    DWORD written;
    if (out && out != INVALID_HANDLE_VALUE)
        WriteFile(out, text, lstrlenA(text), &written, NULL);
}

static void Emit(const char* text) {
    OutputDebugStringA(text);
    WriteStandardError(text);
}

int Engine_MessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    if (!g_unattended)
        return MessageBoxA(owner, text ? text : "", caption ? caption : "", type);
    Emit(caption ? caption : "");
    Emit(": ");
    Emit(text ? text : "");
    Emit("\n");
    return DefaultButton(type);
}

void Engine_StartUnattendedProgram(void) {
    Engine_SetUnattended(TRUE);
    Engine_State().clientResources = GetModuleHandleA(NULL);
}

LONG Engine_ErrorCount(void) {
    return g_errorCount;
}

void Engine_ReportError(HWND owner, const char* caption, const char* text, UINT captionId,
                        UINT messageId, int keep) {
    InterlockedIncrement(&g_errorCount);
    ORB_ERRORDISPLAYPROC display = Engine_State().errorDisplay;
    if (display) {
        display(owner, caption, text, captionId, messageId, keep);
        return;
    }
    Engine_MessageBox(owner, text, caption, MB_OK | MB_ICONERROR);
}
