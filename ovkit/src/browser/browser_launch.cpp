#include "browser_dde.h"
#include "ovkit/browser.h"
#include <cstdio>

namespace {

// Program and address each in quotes, so that blanks in either survive.
bool StartBrowser(const char* program, const char* address) {
    char command[2 * MAX_PATH + 1024];
    int n = std::snprintf(command, sizeof command, "\"%s\" \"%s\"", program, address);
    if (n < 0 || static_cast<size_t>(n) >= sizeof command)
        return false;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

} // namespace

BOOL OVKIT_CALL OVKIT_ShowHTMDocument(HWND window, const char* address) {
    if (!address)
        return FALSE;
    if (OpenURLByDde(address))
        return TRUE;
    char program[MAX_PATH];
    if (!OVKIT_DetectBrowser(window, program, nullptr))
        return FALSE;
    // The browser gets the address as the caller gave it, not the file URL.
    if (StartBrowser(program, address))
        return TRUE;
    MessageBoxA(window, "Unable to launch your browser.", OVKIT_CAPTION, MB_ICONERROR);
    return FALSE;
}
