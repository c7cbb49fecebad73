#include "profile_sheet/log_source_pickers.h"
#include "log_sources/log_source_address.h"
#include "log_sources/orbis_login.h"
#include "report_dialog/report_pages.h"
#include "report_run/output_names.h"
#include <shlobj.h>
#include <cstring>
#include "ovkit/text_copy.h"

int LoginForLogSource(HWND owner, DWORD protocol, char* path, size_t size, ServerInfo* server) {
    OrbisLoginBlock block = {};
    block.Kind = 1;
    OvkitCopyText(block.RemotePath, sizeof block.RemotePath, StripLogSourcePrefix(path));
    OvkitCopyText(block.UserName, sizeof block.UserName, server->szUsername);
    OvkitCopyText(block.Password, sizeof block.Password, server->szPassword);
    (void)protocol;
    if (RunOrbisLogin(owner, &block) != 1)
        return 0;
    ServerInfo_SetUsername(server, block.UserName);
    ServerInfo_SetPassword(server, block.Password);
    OvkitCopyText(path, size, block.RemotePath);
    return 1;
}

int BrowseForLogFile(HWND owner, char* path, size_t size) {
    char name[MAX_PATH];
    OvkitCopyText(name, sizeof name, path);
    if (!BrowseLogFile(owner, name) || strlen(name) >= size)
        return 0;
    OvkitCopyText(path, size, name);
    return 1;
}

bool IsValidLogSourcePath(DWORD protocol, const char* path) {
    int typed = GetLogSourceType(path);
    if (StripLogSourcePrefix(path) != path && typed != (int)protocol)
        return false;
    char address[MAX_PATH];
    return BuildLogSourceUrl((int)protocol, path, address) != 0;
}

int DataSourceNameOf(const char* connection, char* name, size_t size, int needSemicolon) {
    const char* start = nullptr;
    for (const char* at = connection; *at; ++at)
        if (_strnicmp(at, "DSN=", 4) == 0) {
            start = at + 4;
            break;
        }
    if (!start) {
        if (needSemicolon)
            return 0;
        OvkitCopyText(name, size, connection);
        return 1;
    }
    const char* end = strchr(start, ';');
    if (!end && needSemicolon)
        return 0;
    size_t length = end ? (size_t)(end - start) : strlen(start);
    if (length >= size)
        length = size - 1;
    memcpy(name, start, length);
    name[length] = '\0';
    return 1;
}

int PickFolder(HWND owner, const char* title, char* folder, size_t size) {
    BROWSEINFOA browse = {};
    char display[MAX_PATH] = "";
    browse.hwndOwner = owner;
    browse.pszDisplayName = display;
    browse.lpszTitle = title;
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST chosen = SHBrowseForFolderA(&browse);
    if (!chosen)
        return 0;
    char path[MAX_PATH] = "";
    BOOL found = SHGetPathFromIDListA(chosen, path);
    CoTaskMemFree(chosen);
    size_t length = strlen(path);
    bool closed = length && path[length - 1] == '\\';
    if (!found || length + (closed ? 0 : 1) >= size)
        return 0;
    OvkitCopyText(folder, size, path);
    if (!closed)
        strcat(folder, "\\");
    return 1;
}
