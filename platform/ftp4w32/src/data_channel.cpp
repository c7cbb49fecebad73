#include "data_channel.h"
#include "ftp4w32.h"
#include <cstdio>

namespace ftp {

namespace {

// The port of a 227 reply's "h1,h2,h3,h4,p1,p2"; 0 when the text holds none.
// The address part is read only to check the form: it is never connected to.
u_short ParsePassivePort(const std::string& text) {
    size_t start = text.find_first_of("0123456789", 4);
    unsigned v[6];
    if (start == std::string::npos || sscanf(text.c_str() + start, "%u,%u,%u,%u,%u,%u", &v[0],
                                             &v[1], &v[2], &v[3], &v[4], &v[5]) != 6)
        return 0;
    for (unsigned x : v)
        if (x > 255)
            return 0;
    return static_cast<u_short>((v[4] << 8) | v[5]);
}

} // namespace

int TransferAnswer(const Reply& reply, int refused) {
    if (reply.code == 125 || reply.code == 150)
        return FTPERR_OK;
    return reply.code == 425 ? FTPERR_DATACONNECTION : refused;
}

int WaitError(WaitResult waited) {
    switch (waited) {
    case kReady:
        return FTPERR_OK;
    case kTimedOut:
        return FTPERR_TIMEOUT;
    case kAborted:
        return FTPERR_ABORTED;
    default:
        return FTPERR_DATACONNECTION;
    }
}

int DataChannel::Prepare(ControlChannel& control, bool passive) {
    Close();
    return passive ? PreparePassive(control) : PrepareActive(control);
}

int DataChannel::PreparePassive(ControlChannel& control) {
    Reply reply;
    int result = control.Command("PASV", &reply);
    if (result != FTPERR_OK)
        return result;
    // The data connection goes to the server the control connection reached:
    // a reply naming another host would make us connect wherever it points.
    u_short port = reply.code == 227 ? ParsePassivePort(reply.text) : 0;
    sockaddr_in address;
    if (!port || !control.PeerAddress(&address))
        return FTPERR_DATACONNECTION;
    address.sin_port = htons(port);
    result = ConnectSocket(address, control.Timeout(), &data_);
    return result == FTPERR_OK || result == FTPERR_NOSOCKET ? result : FTPERR_DATACONNECTION;
}

int DataChannel::PrepareActive(ControlChannel& control) {
    sockaddr_in local;
    if (!control.LocalAddress(&local))
        return FTPERR_DATACONNECTION;
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (listener_ == INVALID_SOCKET)
        return FTPERR_NOSOCKET;
    local.sin_port = 0;
    int size = sizeof(local);
    if (bind(listener_, reinterpret_cast<sockaddr*>(&local), sizeof(local)) != 0 ||
        listen(listener_, 1) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&local), &size) != 0) {
        Close();
        return FTPERR_CANTBIND;
    }
    unsigned long ip = ntohl(local.sin_addr.s_addr);
    unsigned port = ntohs(local.sin_port);
    char command[64];
    snprintf(command, sizeof(command), "PORT %lu,%lu,%lu,%lu,%u,%u", (ip >> 24) & 255,
             (ip >> 16) & 255, (ip >> 8) & 255, ip & 255, port >> 8, port & 255);
    Reply reply;
    int result = control.Command(command, &reply);
    if (result == FTPERR_OK && reply.code != 200)
        result = FTPERR_DATACONNECTION;
    return result;
}

int DataChannel::Establish(DWORD timeoutMs, const volatile LONG* abort) {
    if (listener_ == INVALID_SOCKET)
        return data_ != INVALID_SOCKET ? FTPERR_OK : FTPERR_DATACONNECTION;
    WaitResult waited = WaitSocket(listener_, false, timeoutMs, abort);
    if (waited == kReady)
        data_ = accept(listener_, nullptr, nullptr);
    CloseSocket(&listener_);
    if (waited != kReady)
        return waited == kTimedOut ? FTPERR_DATACONNECTION : WaitError(waited);
    if (data_ == INVALID_SOCKET)
        return FTPERR_DATACONNECTION;
    u_long nonBlocking = 1;
    ioctlsocket(data_, FIONBIO, &nonBlocking);
    return FTPERR_OK;
}

int DataChannel::Receive(char* buffer, int size, int* got, DWORD timeoutMs,
                         const volatile LONG* abort) {
    for (;;) {
        int result = WaitError(WaitSocket(data_, false, timeoutMs, abort));
        if (result != FTPERR_OK)
            return result;
        *got = recv(data_, buffer, size, 0);
        if (*got >= 0)
            return FTPERR_OK;
        if (WSAGetLastError() != WSAEWOULDBLOCK)
            return FTPERR_DATACONNECTION;
    }
}

int DataChannel::Send(const char* data, int length, DWORD timeoutMs, const volatile LONG* abort) {
    int result = SendAll(data_, data, length, timeoutMs, abort);
    return result == FTPERR_SENDREFUSED ? FTPERR_DATACONNECTION : result;
}

void DataChannel::Finish() {
    if (data_ != INVALID_SOCKET)
        shutdown(data_, SD_SEND);
    Close();
}

void DataChannel::Close() {
    CloseSocket(&data_);
    CloseSocket(&listener_);
}

} // namespace ftp
