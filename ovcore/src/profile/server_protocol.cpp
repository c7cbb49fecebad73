#include "profile/server_protocol.h"
#include <shlwapi.h>

namespace {
struct ProtocolText {
    DWORD code;
    const char* prefix;
};
const ProtocolText kProtocols[] = {
    {SERVER_PROTOCOL_ODBC, "odbc:"},
    {SERVER_PROTOCOL_FILE, "file:///"},
    {SERVER_PROTOCOL_HTTP, "http://"},
    {SERVER_PROTOCOL_FTP, "ftp://"},
};
} // namespace

const char* ServerProtocolPrefix(DWORD dwProtocol) {
    for (const ProtocolText& p : kProtocols) {
        if (p.code == dwProtocol)
            return p.prefix;
    }
    return "unkProtocol://";
}

const char* ServerProtocolPrefixFor(DWORD dwProtocol, const char* szPath) {
    const char* prefix = ServerProtocolPrefix(dwProtocol);
    bool held = dwProtocol == SERVER_PROTOCOL_ODBC && szPath &&
                StrCmpNIA(szPath, prefix, lstrlenA(prefix)) == 0;
    return held ? "" : prefix;
}

DWORD ServerProtocolFromPrefix(const char* szPath) {
    if (!szPath)
        return SERVER_PROTOCOL_FILE;
    for (const ProtocolText& p : kProtocols) {
        if (StrCmpNIA(szPath, p.prefix, lstrlenA(p.prefix)) == 0)
            return p.code;
    }
    return SERVER_PROTOCOL_FILE;
}
