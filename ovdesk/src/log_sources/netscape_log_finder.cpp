// The Netscape server finder: each server's obj.conf names its access log on
// its "Init ... flex-init" line.
#include "log_sources/local_log_search.h"

#include <cstdio>
#include <cstring>

#include "log_sources/registry_values.h"

namespace {
const char kEnterpriseKey[] = "SOFTWARE\\Netscape\\Enterprise\\3.5.1";
const char kNetscapeKey[] = "SOFTWARE\\Netscape";
// Longer lines are not the Init line this looks for: they are skipped.
enum { CONF_LINE_SIZE = 2048 };

// The value after " access=": up to "=", a blank or a line end outside
// double quotes; the quotes are dropped, a backslash keeps the next
// character. False when it does not fit in MAX_PATH or is empty.
bool CutAccessValue(const char* value, char* path) {
    size_t n = 0;
    bool quoted = false;
    for (const char* c = value; *c && *c != '\r' && *c != '\n'; ++c) {
        if (*c == '"') {
            quoted = !quoted;
            continue;
        }
        if (!quoted && (*c == '=' || *c == ' '))
            break;
        if (*c == '\\' && c[1])
            ++c;
        if (n + 1 >= MAX_PATH)
            return false;
        path[n++] = *c;
    }
    path[n] = '\0';
    return n > 0;
}

bool IsAccessLogLine(const char* line) {
    return strncmp(line, "Init", 4) == 0 && strstr(line, "flex-init") &&
           strstr(line, "format.access=") && strstr(line, " access=");
}

// Reads to the end of an overlong line; false at the end of the file.
bool SkipRestOfLine(FILE* file) {
    int c;
    while ((c = fgetc(file)) != EOF)
        if (c == '\n')
            return true;
    return false;
}

// The access log of one server subkey, through its ConfigurationPath.
bool ReadServerLog(HKEY parent, const char* name, char* path) {
    char folder[MAX_PATH], conf[MAX_PATH];
    if (!ReadRegistryText(parent, name, "ConfigurationPath", folder, sizeof folder))
        return false;
    int written = snprintf(conf, sizeof conf, "%s\\obj.conf", folder);
    if (written <= 0 || written >= MAX_PATH)
        return false;
    for (char* c = conf; *c; ++c)
        if (*c == '/')
            *c = '\\';
    return ReadObjConfAccessLog(conf, path);
}

// Every "https-" subkey of key that names a log; the count of logs named.
int FindUnder(HKEY root, const char* key, LocalLogSink sink, void* context) {
    HKEY servers;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &servers) != ERROR_SUCCESS)
        return 0;
    int named = 0;
    char name[MAX_PATH];
    DWORD length = sizeof name;
    for (DWORD i = 0; RegEnumKeyExA(servers, i, name, &length, nullptr, nullptr, nullptr,
                                    nullptr) == ERROR_SUCCESS;
         ++i, length = sizeof name) {
        char path[MAX_PATH];
        if (strncmp(name, "https-", 6) != 0 || !ReadServerLog(servers, name, path))
            continue;
        char description[MAX_PATH];
        snprintf(description, sizeof description, "Netscape Log File %s", name);
        sink(description, path, context);
        ++named;
    }
    RegCloseKey(servers);
    return named;
}
} // namespace

bool ReadObjConfAccessLog(const char* confPath, char* path) {
    FILE* file = fopen(confPath, "rb");
    if (!file)
        return false;
    bool found = false;
    char line[CONF_LINE_SIZE];
    while (!found && fgets(line, sizeof line, file)) {
        size_t n = strlen(line);
        if (n == sizeof line - 1 && line[n - 1] != '\n') {
            if (!SkipRestOfLine(file))
                break;
            continue;
        }
        if (IsAccessLogLine(line))
            found = CutAccessValue(strstr(line, " access=") + 8, path);
    }
    fclose(file);
    return found;
}

bool FindNetscapeLogs(HKEY root, LocalLogSink sink, void* context) {
    if (FindUnder(root, kEnterpriseKey, sink, context) > 0)
        return true;
    return FindUnder(root, kNetscapeKey, sink, context) > 0;
}
