// The remote log search: Seekmole.dll is bound by name around each single
// use, so the plug-in works without it.
#include "log_sources/remote_log_search.h"

#include <cstring>
#include <shellapi.h>

#include "desk_services.h"
#include "services/dialog_services.h"
#include "ovcore/settings.h"
#include "ovkit/dll_binding.h"

namespace {
const char kLibraryName[] = "Seekmole.dll";
// The page that explains where an ISP keeps its customers' logs.
const char kInstructionsPage[] = "http://www.ostrevane.com/support/findlogs.htm";

// Loads the library and the named function; false (nothing left loaded)
// when either is missing.
template <typename Function>
bool BindFinder(const char* name, HMODULE* library, Function* function) {
    *library = LoadLibraryA(kLibraryName);
    if (!*library)
        return false;
    if (OvkitBind(*library, function, name, kLibraryName))
        return true;
    FreeLibrary(*library);
    *library = nullptr;
    return false;
}

void OfferInstructions(HWND window) {
    int answer =
        DeskMessageBox(window,
                       "Your ISP has provided instructions that will help you locate the "
                       "log files that are generated for your web site. Would you like to "
                       "view these instructions now?",
                       "View Instructions for Locating Log Files?", MB_YESNO | MB_ICONQUESTION);
    if (answer == IDYES)
        ShellExecuteA(window, "open", kInstructionsPage, nullptr, nullptr, SW_SHOWNORMAL);
}
} // namespace

void PrepareSeekmoleRequest(SeekmoleRequest* request) {
    memset(request, 0, sizeof *request);
    strncpy(request->ModuleDirectory, GetModuleDirectory(), sizeof request->ModuleDirectory - 1);
}

int FindRemoteLogs(HWND window, SeekmoleRequest* request) {
    if (GetModuleProfileInt("Defaults", "DisableRemoteLogFileSearch", 0))
        return REMOTE_LOGS_NONE;
    HMODULE library;
    decltype(&Seekmole_Find) find;
    if (!BindFinder("Seekmole_Find", &library, &find))
        return REMOTE_LOGS_NONE;
    request->PrepWindowFonts = PrepWindowFonts;
    request->SwitchFontToBold = SwitchFontToBold;
    request->CloseStatusDialog = CloseRemoteStatusDialog;
    find(0, window, request, RemoteLogFileCallback, 0);
    CloseRemoteStatusDialog();
    FreeLibrary(library);
    switch (request->Result) {
    case SEEKMOLE_FOUND:
        return REMOTE_LOGS_FOUND;
    case SEEKMOLE_CANCELLED:
        return REMOTE_LOGS_CANCELLED;
    case SEEKMOLE_INSTRUCTIONS:
        OfferInstructions(window);
        return REMOTE_LOGS_NONE;
    }
    return REMOTE_LOGS_NONE;
}

int IsValidLogFile(const char* path, DWORD second) {
    HMODULE library;
    decltype(&Seekmole_ValidLogFile) valid;
    if (!BindFinder("Seekmole_ValidLogFile", &library, &valid))
        return 0;
    int result = valid(path, second);
    FreeLibrary(library);
    return result;
}
