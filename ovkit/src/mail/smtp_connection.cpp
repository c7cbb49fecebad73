#include "smtp_connection.h"
#include "smtp_reply.h"
#include <cstring>

SmtpConnection::SmtpConnection(const MailWinsockApi& ws, int timeoutSeconds)
    : ws_(ws), timeoutSeconds_(timeoutSeconds > 0 ? timeoutSeconds : 1) {}

SmtpConnection::~SmtpConnection() {
    if (socket_ != INVALID_SOCKET)
        ws_.closesocket(socket_);
}

bool SmtpConnection::Open() {
    socket_ = ws_.socket(AF_INET, SOCK_STREAM, 0);
    return socket_ != INVALID_SOCKET;
}

bool SmtpConnection::Connect(unsigned long address, unsigned short port) {
    sockaddr_in server = {};
    server.sin_family = AF_INET;
    server.sin_port = ws_.htons(port);
    server.sin_addr.s_addr = address;
    if (ws_.connect(socket_, reinterpret_cast<sockaddr*>(&server), sizeof server) != 0)
        return false;
    u_long nonBlocking = 1;
    return ws_.ioctlsocket(socket_, FIONBIO, &nonBlocking) == 0;
}

int SmtpConnection::WaitOneSecond(bool forWrite) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(socket_, &set);
    timeval second = {1, 0};
    return ws_.select(0, forWrite ? nullptr : &set, forWrite ? &set : nullptr, nullptr, &second);
}

bool SmtpConnection::SendAll(const char* data, size_t length) {
    int idleSeconds = 0;
    while (length > 0) {
        int chunk = length > 0x10000 ? 0x10000 : static_cast<int>(length);
        int sent = ws_.send(socket_, data, chunk, 0);
        if (sent > 0) {
            data += sent;
            length -= static_cast<size_t>(sent);
            idleSeconds = 0;
            continue;
        }
        if (sent == 0 || ws_.WSAGetLastError() != WSAEWOULDBLOCK)
            return false;
        int ready = WaitOneSecond(true);
        if (ready < 0 || (ready == 0 && ++idleSeconds >= timeoutSeconds_))
            return false;
    }
    return true;
}

bool SmtpConnection::SendText(const char* text) {
    return SendAll(text, std::strlen(text));
}

int SmtpConnection::ReadReply(int limitSeconds) {
    DWORD limitMs = static_cast<DWORD>(limitSeconds > 0 ? limitSeconds : timeoutSeconds_) * 1000;
    DWORD start = GetTickCount();
    SmtpReplyReader reply;
    char buffer[1024];
    while (GetTickCount() - start < limitMs) {
        int got = ws_.recv(socket_, buffer, sizeof buffer, 0);
        if (got > 0) {
            if (reply.Feed(buffer, static_cast<size_t>(got)))
                return reply.Code();
            continue;
        }
        if (got == 0 || ws_.WSAGetLastError() != WSAEWOULDBLOCK)
            return -1; // closed, or failed, before the reply ended
        if (WaitOneSecond(false) < 0)
            return -1;
    }
    return -1;
}
