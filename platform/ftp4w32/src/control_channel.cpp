#include "control_channel.h"
#include "ftp4w32.h"
#include <cctype>
#include <cstdlib>
#include <cstring>

namespace ftp {

namespace {

// A server line longer than this is cut: the reply text is only a message.
const size_t kMaxLine = 4096;

bool IsCodeLine(const std::string& line, char separator) {
    return line.size() >= 4 && isdigit(static_cast<unsigned char>(line[0])) &&
           isdigit(static_cast<unsigned char>(line[1])) &&
           isdigit(static_cast<unsigned char>(line[2])) && line[3] == separator;
}

} // namespace

int ControlChannel::Open(const sockaddr_in& server, DWORD timeoutMs) {
    Close();
    timeoutMs_ = timeoutMs;
    int result = ConnectSocket(server, timeoutMs, &sock_);
    if (result != FTPERR_OK)
        return result;
    Reply greeting;
    result = ReadReply(&greeting);
    if (result == FTPERR_TIMEOUT)
        result = FTPERR_NOREPLY;
    else if (result == FTPERR_OK && greeting.code != 220)
        result = FTPERR_CONNECTREJECTED;
    if (result != FTPERR_OK)
        Close();
    return result;
}

void ControlChannel::Close() {
    CloseSocket(&sock_);
    pending_.clear();
}

int ControlChannel::Command(const std::string& line, Reply* reply) {
    int result = Send(line);
    return result != FTPERR_OK ? result : ReadReply(reply);
}

int ControlChannel::Send(const std::string& line) {
    if (!IsOpen())
        return FTPERR_NOTCONNECTED;
    std::string out = line + "\r\n";
    return SendAll(sock_, out.data(), static_cast<int>(out.size()), timeoutMs_, nullptr);
}

int ControlChannel::ReadReply(Reply* reply) {
    int result = ReadParts(reply);
    // A reply that comes late would answer the next command: this connection is over.
    if (result == FTPERR_TIMEOUT || result == FTPERR_UNEXPECTEDANSWER)
        Close();
    return result;
}

int ControlChannel::ReadParts(Reply* reply) {
    std::string line;
    int result = ReadLine(&line, timeoutMs_);
    if (result != FTPERR_OK)
        return result;
    if (!IsCodeLine(line, ' ') && !IsCodeLine(line, '-'))
        return FTPERR_UNEXPECTEDANSWER;
    if (line[3] == '-') {
        std::string last = line.substr(0, 3) + " ";
        do {
            result = ReadLine(&line, timeoutMs_);
            if (result != FTPERR_OK)
                return result;
        } while (line.compare(0, 4, last) != 0);
    }
    reply->code = atoi(line.substr(0, 3).c_str());
    reply->text = line;
    return FTPERR_OK;
}

void ControlChannel::Drain(DWORD quietMs) {
    std::string line;
    DWORD start = GetTickCount();
    while (IsOpen() && GetTickCount() - start < timeoutMs_ &&
           ReadLine(&line, quietMs) == FTPERR_OK) {
    }
}

int ControlChannel::ReadLine(std::string* line, DWORD timeoutMs) {
    for (;;) {
        size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            line->assign(pending_, 0, end < kMaxLine ? end : kMaxLine);
            pending_.erase(0, end + 1);
            if (!line->empty() && line->back() == '\r')
                line->pop_back();
            return FTPERR_OK;
        }
        if (!IsOpen())
            return FTPERR_NOTCONNECTED;
        WaitResult waited = WaitSocket(sock_, false, timeoutMs, nullptr);
        if (waited == kTimedOut)
            return FTPERR_TIMEOUT;
        char buffer[1024];
        int got = waited == kReady ? recv(sock_, buffer, sizeof(buffer), 0) : SOCKET_ERROR;
        if (got <= 0) {
            if (got < 0 && WSAGetLastError() == WSAEWOULDBLOCK)
                continue;
            Close(); // the server went away: this connection is over
            return FTPERR_CANTCONNECT;
        }
        // A line without an end is kept only up to the cut length.
        if (pending_.size() < kMaxLine * 2)
            pending_.append(buffer, got);
        else if (memchr(buffer, '\n', got))
            pending_.append("\n");
    }
}

bool ControlChannel::LocalAddress(sockaddr_in* address) const {
    int size = sizeof(*address);
    return getsockname(sock_, reinterpret_cast<sockaddr*>(address), &size) == 0;
}

bool ControlChannel::PeerAddress(sockaddr_in* address) const {
    int size = sizeof(*address);
    return getpeername(sock_, reinterpret_cast<sockaddr*>(address), &size) == 0;
}

} // namespace ftp
