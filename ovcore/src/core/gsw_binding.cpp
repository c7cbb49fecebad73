#include "core/gsw_binding.h"

#include "core/engine_state.h"
#include "core/message_sink.h"
#include "core/vic32_binding.h"
#include "gsw.h"
#include "ovkit/dll_binding.h"
#include "ovcore/registration.h"

static HMODULE g_gsw;
static char g_libraryName[MAX_PATH] = "GSWDLL32.dll";
static int g_startResult = -1; // 0 while the library runs

// Windows NT before version 4.
static BOOL IsOldNT(void) {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&info))
        return FALSE;
#pragma GCC diagnostic pop
    return info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion < 4;
}

// The plug-in starts the library once (mode 1); only old NT starts it per run.
static BOOL ModeActs(int mode) {
    BOOL oldNT = IsOldNT();
    return (mode == 1 && !oldNT) || (mode == 0 && oldNT);
}

// The function at an ordinal, typed by the library's own declaration of it.
template <typename Fn> static Fn Ordinal(WORD ordinal) {
    return OvkitProcAddress<Fn>(g_gsw, MAKEINTRESOURCEA(ordinal));
}

template <typename Fn> static int CallVoid(WORD ordinal) {
    Fn proc = Ordinal<Fn>(ordinal);
    return proc ? proc() : -1;
}

static int StartLibrary(void) {
    if (!g_gsw)
        g_gsw = LoadLibraryA(g_libraryName);
    auto open = Ordinal<decltype(&GswOpen)>(GSW_ORDINAL_OPEN);
    return open ? open("", "C") : -1;
}

static void HideMinimisedServer(void) {
    HWND server = FindWindowA("GS_Server", "Graphics Server");
    if (server && IsIconic(server))
        ShowWindow(server, SW_HIDE);
}

ORB_EXPORT(void) InitGSWLibrary(int mode, HANDLE token) {
    Engine_State().impersonationToken = token;
    if (!ModeActs(mode) || g_startResult == 0)
        return;
    if (token)
        RevertToSelf();
    g_startResult = StartLibrary();
    if (g_startResult != 0) {
        Engine_ReportError(NULL, "Ostrevane",
                           "Graphics library failed to load. Graphing will be disabled. Try "
                           "killing the \"GSW32.exe\" from the Task Manager and restart Ostrevane.",
                           0, 0, 0);
        return;
    }
    if (token)
        ImpersonateLoggedOnUser(token); // a failure here is of no consequence
    HideMinimisedServer();
    CallVoid<decltype(&GswAttach)>(GSW_ORDINAL_ATTACH);
}

ORB_EXPORT(BOOL) ORB_IsGraphingAvailable(void) {
    return g_startResult == 0;
}

void ReleaseGSWLibrary(int mode) {
    if (!ModeActs(mode))
        return;
    if (g_startResult == 0) {
        CallVoid<decltype(&GswDetach)>(GSW_ORDINAL_DETACH);
        CallVoid<decltype(&GswClose)>(GSW_ORDINAL_CLOSE);
        g_startResult = -1;
    }
    // A library that loaded but failed to start is unloaded too.
    if (mode == 1 && g_gsw) {
        FreeLibrary(g_gsw);
        g_gsw = NULL;
    }
    if (mode == 1)
        Vic32_Release();
}

HMODULE GswBinding_Library(void) {
    return g_startResult == 0 ? g_gsw : NULL;
}

void GswBinding_SetLibraryName(const char* name) {
    lstrcpynA(g_libraryName, name ? name : "GSWDLL32.dll", MAX_PATH);
}
