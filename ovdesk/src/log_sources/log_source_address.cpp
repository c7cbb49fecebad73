// Log-source addresses: a path with its type's scheme added, and an address
// split back into its path and type.
#include "log_sources/log_source_address.h"

#include <windows.h>
#include <cstring>
#include "ovkit/text_copy.h"

namespace {
struct Scheme {
    const char* Prefix;
    int Type;
};
// The scheme of each type code, indexed by it.
const char* const kTypePrefixes[] = {"file:///", "ftp://", "http://", "mailto:", "odbc:"};
// The order in which an address's scheme is recognised.
const Scheme kTypeOrder[] = {{"odbc:", LOG_SOURCE_ODBC},
                             {"file:///", LOG_SOURCE_FILE},
                             {"http://", LOG_SOURCE_HTTP},
                             {"ftp://", LOG_SOURCE_FTP}};
const Scheme kSplitOrder[] = {{"file:///", LOG_SOURCE_FILE},
                              {"ftp://", LOG_SOURCE_FTP},
                              {"http://", LOG_SOURCE_HTTP},
                              {"mailto:", LOG_SOURCE_MAIL},
                              {"odbc:", LOG_SOURCE_ODBC}};

bool HasPrefix(const char* text, const char* prefix) {
    return _strnicmp(text, prefix, strlen(prefix)) == 0;
}

int JoinPath(char* out, const char* prefix, const char* path) {
    size_t p = strlen(prefix);
    if (p + strlen(path) >= MAX_PATH)
        return 0;
    memcpy(out, prefix, p);
    strcpy(out + p, path);
    return 1;
}

// Remote paths need a host and a "/" (mail an "@"), and no backslash.
bool IsRemotePath(int type, const char* path) {
    return strchr(path, type == LOG_SOURCE_MAIL ? '@' : '/') && !strchr(path, '\\') &&
           path[0] != '/';
}

// "C|/logs/x.log" (a drive written into an address) as "C:\logs\x.log".
void MakeDrivePath(char* path) {
    path[1] = ':';
    for (char* c = path; *c; ++c)
        if (*c == '/')
            *c = '\\';
}
} // namespace

int GetLogSourceType(const char* address) {
    for (const Scheme& s : kTypeOrder)
        if (HasPrefix(address, s.Prefix))
            return s.Type;
    return LOG_SOURCE_FILE;
}

const char* StripLogSourcePrefix(const char* address) {
    for (const Scheme& s : kTypeOrder)
        if (HasPrefix(address, s.Prefix))
            return address + strlen(s.Prefix);
    return address;
}

int BuildLogSourceUrl(int type, const char* path, char* address) {
    // Already an address, in whatever letter case it was typed.
    for (const char* prefix : kTypePrefixes)
        if (HasPrefix(path, prefix))
            return OvkitCopyText(address, MAX_PATH, path) == strlen(path);
    if (type < LOG_SOURCE_FILE || type > LOG_SOURCE_ODBC)
        return OvkitCopyText(address, MAX_PATH, path) == strlen(path);
    if (type != LOG_SOURCE_FILE && type != LOG_SOURCE_ODBC && !IsRemotePath(type, path))
        return 0;
    return JoinPath(address, kTypePrefixes[type], path);
}

int SplitLogSourceUrl(char* path, const char* address) {
    if ((address[0] && (address[1] == ':' || address[1] == '\\')) ||
        strncmp(address, "..", 2) == 0) {
        OvkitCopyText(path, MAX_PATH, address);
        return LOG_SOURCE_FILE;
    }
    for (const Scheme& s : kSplitOrder)
        if (HasPrefix(address, s.Prefix)) {
            OvkitCopyText(path, MAX_PATH, address + strlen(s.Prefix));
            if (s.Type == LOG_SOURCE_FILE && path[0] && path[1] == '|')
                MakeDrivePath(path);
            return s.Type;
        }
    OvkitCopyText(path, MAX_PATH, address);
    return LOG_SOURCE_FILE;
}
