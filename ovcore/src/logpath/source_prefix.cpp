// Source prefixes, protocol codes and the parts of a source URL.
#include "ovcore/logpath.h"
#include "profile/server_protocol.h"
#include <shlwapi.h>
#include <stdlib.h>
#include <string.h>
#include "ovkit/text_copy.h"

namespace {

BOOL HasPrefix(const char* text, const char* prefix) {
    return StrCmpNIA(text, prefix, lstrlenA(prefix)) == 0;
}

// Copies count characters into out (size bytes); FALSE, out empty, when they
// do not fit.
// "file:///C|/logs/a.log" gives "C:\logs\a.log".
BOOL FilePath(char* path, DWORD size, const char* rest) {
    if (!OvkitCopyWhole(path, size, rest, strlen(rest)))
        return FALSE;
    if (path[0] && path[1] == '|') {
        path[1] = ':';
        for (char* c = path; *c; c++)
            if (*c == '/')
                *c = '\\';
    }
    return TRUE;
}

// Host, optional ":port", then the path from the first separator on ("/"
// when there is none).
BOOL HostPath(char* path, DWORD pathSize, const char* rest, char* host, DWORD hostSize, int* port) {
    size_t hostLength = strcspn(rest, ":/\\");
    BOOL ok = TRUE;
    if (host)
        ok = OvkitCopyWhole(host, hostSize, rest, hostLength);
    const char* after = rest + hostLength;
    if (*after == ':' && port)
        *port = atoi(after + 1);
    const char* slash = after + strcspn(after, "/\\");
    if (!*slash)
        slash = "/";
    return OvkitCopyWhole(path, pathSize, slash, strlen(slash)) && ok;
}

} // namespace

const char* LogProtocolToPrefix(DWORD protocol) {
    return ServerProtocolPrefix(protocol);
}

DWORD LogPrefixToProtocol(const char* text) {
    return ServerProtocolFromPrefix(text);
}

const char* SkipLogPrefix(const char* text) {
    if (!text)
        return text;
    const DWORD codes[] = {SERVER_PROTOCOL_ODBC, SERVER_PROTOCOL_FILE, SERVER_PROTOCOL_HTTP,
                           SERVER_PROTOCOL_FTP};
    for (DWORD code : codes) {
        const char* prefix = ServerProtocolPrefix(code);
        if (HasPrefix(text, prefix))
            return text + strlen(prefix);
    }
    return text;
}

int ParseUrlSource(char* path, DWORD pathSize, const char* source, char* host, DWORD hostSize,
                   int* port) {
    if (host && hostSize)
        host[0] = 0;
    if (port)
        *port = 0;
    if (!source)
        source = "";
    int code = SERVER_PROTOCOL_FILE;
    BOOL ok;
    if ((source[0] && (source[1] == ':' || source[1] == '\\')) || strncmp(source, "..", 2) == 0) {
        ok = OvkitCopyWhole(path, pathSize, source, strlen(source));
    } else if (HasPrefix(source, "odbc:")) {
        code = SERVER_PROTOCOL_ODBC;
        ok = OvkitCopyWhole(path, pathSize, source, strlen(source));
    } else if (HasPrefix(source, "file:///")) {
        ok = FilePath(path, pathSize, source + 8);
    } else if (HasPrefix(source, "http://") || HasPrefix(source, "ftp://")) {
        BOOL http = HasPrefix(source, "http://");
        code = http ? SERVER_PROTOCOL_HTTP : SERVER_PROTOCOL_FTP;
        if (port)
            *port = http ? 80 : 21;
        ok = HostPath(path, pathSize, source + (http ? 7 : 6), host, hostSize, port);
    } else {
        const char* slash = source + strcspn(source, "/\\");
        ok = OvkitCopyWhole(path, pathSize, *slash ? slash : "/", *slash ? strlen(slash) : 1);
    }
    return ok ? code : -1;
}
