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

int NetBinding_Bind(void) {
    if (NetBinding_IsBound())
        return 1;
    HMODULE winsock = LoadLibraryA("WSOCK32.DLL");
    if (!winsock)
        return 0;
    if (!OvkitBindWinsock(winsock, &g_winsock)) {
        FreeLibrary(winsock);
        return 0;
    }
    HMODULE ftp = LoadFtpLibrary();
    if (!ftp || !OvkitBindFtpClient(ftp, &g_ftp)) {
        if (ftp)
            FreeLibrary(ftp);
        g_winsock = WinsockApi();
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
        g_winsock = WinsockApi();
        FreeLibrary(g_winsockModule);
        g_winsockModule = NULL;
    }
    if (g_ftpModule) {
        g_ftp.FtpRelease();
        g_ftp = FtpApi();
        FreeLibrary(g_ftpModule);
        g_ftpModule = NULL;
    }
}
