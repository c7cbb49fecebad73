// Choosing and resolving the address of an HTTP request.
#include "fetch/http_address.h"
#include "core/net_binding.h"
#include "fetch/fetch_state.h"
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
