// Upload of report files to an FTP folder through WinInet, bound by name.
#include "ovkit/ftp.h"
#include "ovkit/dll_binding.h"
#include "ovkit/pathutil.h"
#include "ovkit/progress.h"
#include "controls/control_support.h"
#include <wininet.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

#define OVKIT_WININET_FUNCTIONS(X)                                                                 \
    X(InternetOpenA)                                                                               \
    X(InternetGetLastResponseInfoA)                                                                \
    X(InternetConnectA)                                                                            \
    X(InternetCloseHandle)                                                                         \
    X(FtpPutFileA)

struct WininetApi {
#define OVKIT_WININET_SLOT(fn) decltype(&::fn) fn;
    OVKIT_WININET_FUNCTIONS(OVKIT_WININET_SLOT)
#undef OVKIT_WININET_SLOT
};

const DWORD kResponseSize = 776;

// WinInet once loaded stays bound; null when it or a function is missing.
const WininetApi* BindWininet() {
    static WininetApi api;
    static HMODULE module = nullptr;
    if (module)
        return &api;
    HMODULE loaded = LoadLibraryA("WININET.DLL");
    if (!loaded)
        return nullptr;
    bool ok = true;
#define OVKIT_WININET_BIND(fn) ok = ok && OVKIT_BIND_MEMBER(loaded, api, fn, "WININET.DLL");
    OVKIT_WININET_FUNCTIONS(OVKIT_WININET_BIND)
#undef OVKIT_WININET_BIND
    if (!ok) {
        FreeLibrary(loaded);
        return nullptr;
    }
    module = loaded;
    return &api;
}

void ShowError(HWND owner, const char* text) {
    MessageBoxA(owner, text, OVKIT_CAPTION, MB_OK | MB_ICONERROR);
}

// "[ftp://]host[:port][/folder/name]": host, port (0 = the FTP default) and
// the folder with its trailing "/" ("/" when none). FALSE when a part does
// not fit.
BOOL SplitAddress(const char* address, char* host, int hostSize, INTERNET_PORT* port, char* folder,
                  int folderSize) {
    if (_strnicmp(address, "ftp://", 6) == 0)
        address += 6;
    size_t hostLength = strcspn(address, "/");
    const char* path = address + hostLength;
    const char* lastSlash = strrchr(path, '/');
    size_t folderLength = lastSlash ? (size_t)(lastSlash - path) + 1 : 0;
    if (hostLength >= (size_t)hostSize || folderLength + 2 > (size_t)folderSize)
        return FALSE;
    memcpy(host, address, hostLength);
    host[hostLength] = 0;
    *port = 0;
    char* colon = strchr(host, ':');
    if (colon) {
        *colon = 0;
        *port = (INTERNET_PORT)atoi(colon + 1);
    }
    if (!folderLength)
        strcpy(folder, "/");
    else {
        memcpy(folder, path, folderLength);
        folder[folderLength] = 0;
    }
    return TRUE;
}

void ShowProgress(HWND progress, int done, int count) {
    if (!progress)
        return;
    if (done == 0) {
        SendMessageA(progress, OVKIT_PB_SETTEXT, 0, (LPARAM) "Uploading files via FTP...");
        SendMessageA(progress, OVKIT_PB_SETTOTAL, (WPARAM)count, 0);
    }
    SendMessageA(progress, OVKIT_PB_SETPOS, (WPARAM)done, 0);
    UpdateWindow(progress);
    ovkit_detail::PumpWaitingMessages();
}

// Puts one file; FALSE after the boxes that say why.
BOOL PutFile(const WininetApi& net, HINTERNET connection, HWND owner, const char* path,
             const char* folder) {
    char name[MAX_PATH] = "", remote[MAX_PATH + OVKIT_FTP_ADDRESS_SIZE];
    OVKIT_IsolateFilename(path, name);
    snprintf(remote, sizeof(remote), "%s%s", folder, name);
    if (net.FtpPutFileA(connection, path, remote, FTP_TRANSFER_TYPE_BINARY, 0))
        return TRUE;
    DWORD error = GetLastError();
    char text[2 * MAX_PATH + OVKIT_FTP_ADDRESS_SIZE + 64];
    snprintf(text, sizeof(text), "Unable to transmit\r\n%s\r\nto %s\r\nduring FTP upload.", path,
             remote);
    ShowError(owner, text);
    if (error == ERROR_INTERNET_EXTENDED_ERROR) {
        char response[kResponseSize] = "";
        DWORD code = 0, size = sizeof(response);
        if (net.InternetGetLastResponseInfoA(&code, response, &size))
            ShowError(owner, response);
    }
    return FALSE;
}

} // namespace

OVKIT_EXPORT(int)
OVKIT_FTPSendFiles(HWND progress, const char* address, int count, const char* const* paths,
                   const char* user, const char* password) {
    const WininetApi* net = BindWininet();
    if (!net) {
        ShowError(progress, "Unable to load WININET.DLL");
        return 0;
    }
    char host[OVKIT_FTP_ADDRESS_SIZE], folder[OVKIT_FTP_ADDRESS_SIZE];
    INTERNET_PORT port = 0;
    if (!address || !SplitAddress(address, host, sizeof(host), &port, folder, sizeof(folder)))
        host[0] = 0;
    HINTERNET session =
        net->InternetOpenA(OVKIT_CAPTION, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    if (!session) {
        ShowError(progress, "Unable to establish a Wininet session for FTP upload.");
        return 0;
    }
    HINTERNET connection =
        host[0] ? net->InternetConnectA(session, host, port ? port : INTERNET_DEFAULT_FTP_PORT,
                                        user && user[0] ? user : nullptr,
                                        user && user[0] ? password : nullptr, INTERNET_SERVICE_FTP,
                                        INTERNET_FLAG_PASSIVE, 0)
                : nullptr;
    if (!connection) {
        char text[OVKIT_FTP_ADDRESS_SIZE + 64];
        snprintf(text, sizeof(text), "Unable to connect to the URL\r\n%s\r\nfor FTP upload.", host);
        ShowError(progress, text);
        net->InternetCloseHandle(session);
        return 0;
    }
    ShowProgress(progress, 0, count);
    int done = 0;
    while (done < count && PutFile(*net, connection, progress, paths[done], folder))
        ShowProgress(progress, ++done, count);
    net->InternetCloseHandle(connection);
    net->InternetCloseHandle(session);
    return done == count ? 1 : 0;
}
