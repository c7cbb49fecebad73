#include "fetch/http_receive.h"
#include "core/net_binding.h"

HttpReceiveResult Http_ReceiveOnce(SOCKET sock, HttpTakeFn take, void* context) {
    const WinsockApi& ws = NetBinding_Winsock();
    char buffer[4096];
    int n = ws.recv(sock, buffer, sizeof(buffer), 0);
    if (n < 0)
        return ws.WSAGetLastError() == WSAEWOULDBLOCK ? HTTP_NOTHING_MORE : HTTP_BROKEN;
    if (n == 0)
        return HTTP_NOTHING_MORE;
    take(context, buffer, (DWORD)n);
    return HTTP_RECEIVED;
}

HttpReceiveResult Http_ReceiveRest(SOCKET sock, HttpTakeFn take, void* context,
                                   HttpWantedFn wanted) {
    HttpReceiveResult last = HTTP_RECEIVED;
    while ((!wanted || wanted(context)) &&
           (last = Http_ReceiveOnce(sock, take, context)) == HTTP_RECEIVED) {
    }
    return last;
}
