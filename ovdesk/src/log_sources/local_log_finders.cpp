// The registry finders of the IIS, WebSite and CBuilder web servers.
#include "log_sources/local_log_search.h"

#include <cstdio>
#include <cstring>

#include "log_sources/registry_values.h"

namespace {
const char kIisKey[] = "SYSTEM\\CurrentControlSet\\Services\\W3SVC\\Parameters";
const char kCBuilderKey[] = "Software\\InternetFactory\\CBuilder\\HTTP\\Servers";
const char kSystemRoot[] = "%SystemRoot%";

// folder with "%SystemRoot%" (any case) replaced by the Windows directory,
// into path (MAX_PATH bytes); false when it does not fit.
bool ExpandSystemRoot(const char* folder, char* path) {
    const size_t n = sizeof kSystemRoot - 1;
    for (const char* at = folder; *at; ++at) {
        if (_strnicmp(at, kSystemRoot, n) != 0)
            continue;
        char windows[MAX_PATH];
        UINT length = GetWindowsDirectoryA(windows, sizeof windows);
        if (length == 0 || length >= sizeof windows)
            return false;
        int written =
            snprintf(path, MAX_PATH, "%.*s%s%s", (int)(at - folder), folder, windows, at + n);
        return written > 0 && written < MAX_PATH;
    }
    return snprintf(path, MAX_PATH, "%s", folder) < MAX_PATH;
}
} // namespace

bool FindIisLogs(HKEY root, LocalLogSink sink, void* context) {
    char folder[MAX_PATH];
    if (!ReadRegistryText(root, kIisKey, "LogFileDirectory", folder, sizeof folder))
        return false;
    char path[MAX_PATH];
    if (folder[0] && ExpandSystemRoot(folder, path) &&
        strlen(path) + sizeof "\\in*.log" <= MAX_PATH) {
        strcat(path, "\\in*.log");
        sink("IIS Log File", path, context);
    }
    return true;
}

bool FindWebSiteLogs(HKEY root, LocalLogSink sink, void* context) {
    HKEY key;
    if (RegOpenKeyExA(root, WEBSITE_SERVER_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    char serverRoot[MAX_PATH], logDir[MAX_PATH], transferLog[MAX_PATH];
    bool read = ReadRegistryText(key, nullptr, "ServerRoot", serverRoot, sizeof serverRoot) &&
                ReadRegistryText(key, "Logs", "LogDir", logDir, sizeof logDir) &&
                ReadRegistryText(key, "Logs", "TransferLog", transferLog, sizeof transferLog);
    RegCloseKey(key);
    if (!read)
        return false;
    char path[MAX_PATH];
    int written = snprintf(path, sizeof path, "%s\\%s\\%s", serverRoot, logDir, transferLog);
    if (written > 0 && written < MAX_PATH)
        sink("O'Reilly WebSite Log File", path, context);
    return true;
}

bool FindCBuilderLogs(HKEY root, LocalLogSink sink, void* context) {
    HKEY servers;
    if (RegOpenKeyExA(root, kCBuilderKey, 0, KEY_READ, &servers) != ERROR_SUCCESS)
        return false;
    LONG status = ERROR_SUCCESS;
    for (DWORD i = 0;; ++i) {
        char name[MAX_PATH];
        DWORD length = sizeof name;
        status = RegEnumKeyExA(servers, i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status != ERROR_SUCCESS)
            break;
        char description[MAX_PATH], path[MAX_PATH];
        if (!ReadRegistryText(servers, name, "Description", description, sizeof description) ||
            !ReadRegistryText(servers, name, "LogFile", path, sizeof path))
            break;
        sink(description, path, context);
    }
    RegCloseKey(servers);
    return status == ERROR_NO_MORE_ITEMS;
}
