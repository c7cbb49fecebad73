// Choosing and resolving the address of an HTTP request.
#include "fetch/http_address.h"
#include "core/net_binding.h"
#include "fetch/fetch_state.h"
#include "fetch/http_request.h"
#include "netsettings/host_resolver.h"
#include "ovcore/netsettings.h"
#include <stdlib.h>
#include <string.h>

namespace {

// The proxy text is a host, optionally followed by ':' and a port (80).
BOOL ProxyAddress(sockaddr_in* address) {
    const NetSettings* ns = NetSettings_Get();
    if (!ns->ProxyEnabled || !ns->HttpProxy[0])
        return FALSE;
    char host[NETSETTINGS_TEXT_SIZE];
    lstrcpynA(host, ns->HttpProxy, sizeof(host));
    char* colon = strchr(host, ':');
    int port = colon ? atoi(colon + 1) : 0;
    if (colon)
        *colon = 0;
    DWORD resolved = ns->ProxyAddress;
    if (resolved == INADDR_NONE) {
        GetHostByName(host, &resolved);
        NetSettings_SetProxyAddress(resolved);
    }
    if (resolved == INADDR_NONE)
        return FALSE;
    address->sin_addr.s_addr = resolved;
    address->sin_port = NetBinding_Winsock().htons((u_short)(port > 0 ? port : 80));
    return TRUE;
}

} // namespace

BOOL Http_ResolveTarget(const char* host, int port, sockaddr_in* address, BOOL* viaProxy) {
    memset(address, 0, sizeof(*address));
    address->sin_family = AF_INET;
    *viaProxy = ProxyAddress(address);
    if (*viaProxy)
        return TRUE;
    DWORD resolved = INADDR_NONE;
    GetHostByName(host, &resolved);
    if (resolved == INADDR_NONE) {
        FtpErrorText(2001);
        return FALSE;
    }
    address->sin_addr.s_addr = resolved;
    address->sin_port = NetBinding_Winsock().htons((u_short)port);
    return TRUE;
}

int Http_PrepareGet(const char* host, int port, const char* path, const char* user,
                    const char* password, const char* userAgent, const char* referrer,
                    sockaddr_in* address, char* request, DWORD size) {
    BOOL viaProxy = FALSE;
    if (!Http_ResolveTarget(host, port, address, &viaProxy))
        return -1;
    char credentials[NETSETTINGS_AUTH_SIZE];
    Http_BasicCredentials(user, password, credentials, sizeof(credentials));
    HttpRequestParts parts = {};
    parts.host = host;
    parts.path = path;
    parts.viaProxy = viaProxy;
    parts.proxyAuth = NetSettings_Get()->HttpProxyAuth;
    parts.serverAuth = credentials;
    parts.userAgent = userAgent;
    parts.referrer = referrer;
    return Http_BuildRequest(&parts, request, size);
}
