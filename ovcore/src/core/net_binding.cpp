#include "core/net_binding.h"

#include <string.h>

#include "core/engine_instance.h"

static WinsockApi g_winsock;
static FtpApi g_ftp;
static HMODULE g_winsockModule;
static HMODULE g_ftpModule;
static char g_ftpFolder[MAX_PATH];
static BOOL g_ftpFolderSet;

const WinsockApi& NetBinding_Winsock(void) {
    return g_winsock;
}
const FtpApi& NetBinding_Ftp(void) {
    return g_ftp;
}
BOOL NetBinding_IsBound(void) {
    return g_winsockModule && g_ftpModule;
}

void NetBinding_SetFtpFolder(const char* folder) {
    g_ftpFolderSet = folder != NULL;
    lstrcpynA(g_ftpFolder, folder ? folder : "", MAX_PATH);
}

// One entry per function: its name and where its address goes.
struct Entry {
    const char* name;
    FARPROC* slot;
};

#define NET_ENTRY(api, fn)                                                                         \
    { #fn, reinterpret_cast < FARPROC*>(&api.fn) }

static const Entry kWinsock[] = {
    NET_ENTRY(g_winsock, WSACleanup),     NET_ENTRY(g_winsock, WSAStartup),
    NET_ENTRY(g_winsock, WSAAsyncSelect), NET_ENTRY(g_winsock, WSACancelAsyncRequest),
    NET_ENTRY(g_winsock, connect),        NET_ENTRY(g_winsock, socket),
    NET_ENTRY(g_winsock, gethostbyname),  NET_ENTRY(g_winsock, WSAAsyncGetHostByAddr),
    NET_ENTRY(g_winsock, gethostbyaddr),  NET_ENTRY(g_winsock, send),
    NET_ENTRY(g_winsock, recv),           NET_ENTRY(g_winsock, closesocket),
    NET_ENTRY(g_winsock, htons),          NET_ENTRY(g_winsock, htonl),
    NET_ENTRY(g_winsock, getsockopt),     NET_ENTRY(g_winsock, inet_addr),
    NET_ENTRY(g_winsock, inet_ntoa),      NET_ENTRY(g_winsock, WSAGetLastError),
    NET_ENTRY(g_winsock, ioctlsocket),    NET_ENTRY(g_winsock, gethostname),
    NET_ENTRY(g_winsock, bind),           NET_ENTRY(g_winsock, select),
    NET_ENTRY(g_winsock, listen),         NET_ENTRY(g_winsock, accept),
};

#define NET_FTP_ENTRY(fn) NET_ENTRY(g_ftp, fn),
static const Entry kFtp[] = {NET_FTP_FUNCTIONS(NET_FTP_ENTRY)};
#undef NET_FTP_ENTRY

static void ClearSlots(const Entry* entries, size_t count) {
    for (size_t i = 0; i < count; ++i)
        *entries[i].slot = NULL;
}

// Resolves every entry; on a missing name clears them all and says which.
static BOOL Resolve(HMODULE module, const Entry* entries, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        *entries[i].slot = GetProcAddress(module, entries[i].name);
        if (!*entries[i].slot) {
            OutputDebugStringA("ovcore: network library lacks ");
            OutputDebugStringA(entries[i].name);
            OutputDebugStringA("\n");
            ClearSlots(entries, count);
            return FALSE;
        }
    }
    return TRUE;
}

static HMODULE LoadFromFolder(const char* folder) {
    char path[MAX_PATH];
    if (strlen(folder) + strlen("FTP4W32.DLL") >= MAX_PATH)
        return NULL;
    lstrcpyA(path, folder);
    lstrcatA(path, "FTP4W32.DLL");
    return LoadLibraryA(path);
}

static HMODULE LoadFtpLibrary(void) {
    if (g_ftpFolderSet)
        return LoadFromFolder(g_ftpFolder);
    char folder[MAX_PATH];
    HMODULE module = Engine_ModuleFolder(folder) ? LoadFromFolder(folder) : NULL;
    return module ? module : LoadLibraryA("FTP4W32.DLL");
}

#define COUNT_OF(a) (sizeof(a) / sizeof((a)[0]))

int NetBinding_Bind(void) {
    if (NetBinding_IsBound())
        return 1;
    HMODULE winsock = LoadLibraryA("WSOCK32.DLL");
    if (!winsock)
        return 0;
    if (!Resolve(winsock, kWinsock, COUNT_OF(kWinsock))) {
        FreeLibrary(winsock);
        return 0;
    }
    HMODULE ftp = LoadFtpLibrary();
    if (!ftp || !Resolve(ftp, kFtp, COUNT_OF(kFtp))) {
        if (ftp)
            FreeLibrary(ftp);
        ClearSlots(kWinsock, COUNT_OF(kWinsock));
        FreeLibrary(winsock);
        return 0;
    }
    g_winsockModule = winsock;
    g_ftpModule = ftp;
    g_ftp.FtpInit(NULL);
    WSADATA data;
    g_winsock.WSAStartup(MAKEWORD(1, 1), &data);
    return 1;
}

void NetBinding_Unbind(void) {
    if (g_winsockModule) {
        g_winsock.WSACleanup();
        ClearSlots(kWinsock, COUNT_OF(kWinsock));
        FreeLibrary(g_winsockModule);
        g_winsockModule = NULL;
    }
    if (g_ftpModule) {
        g_ftp.FtpRelease();
        ClearSlots(kFtp, COUNT_OF(kFtp));
        FreeLibrary(g_ftpModule);
        g_ftpModule = NULL;
    }
}
