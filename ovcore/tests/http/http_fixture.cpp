#include "http_fixture.h"

#include <fstream>
#include <sstream>

namespace httptest {

namespace {

// Binds a stream socket to a free port of 127.0.0.1.
SOCKET BindLoopback(int* port) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a = {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, (sockaddr*)&a, sizeof(a));
    int length = sizeof(a);
    getsockname(s, (sockaddr*)&a, &length);
    *port = ntohs(a.sin_port);
    return s;
}

} // namespace

std::string FixtureFolder() {
    const char* unixPath = getenv("OV_HTTP_FIXTURE");
    if (!unixPath || !unixPath[0])
        return "";
    std::string path = std::string("Z:") + unixPath + "/";
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

int FixtureNumber(const char* file) {
    std::ifstream in(FixtureFolder() + file);
    int n = 0;
    in >> n;
    return n;
}

std::vector<std::string> FixtureLog(const char* file) {
    std::ifstream in(FixtureFolder() + file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

OwnServer::OwnServer(const std::string& answer, bool answers) : answer_(answer) {
    listener_ = BindLoopback(&port_);
    listen(listener_, 4);
    if (answers)
        thread_ = std::thread([this] { Serve(); });
}

OwnServer::~OwnServer() {
    stop_ = true;
    closesocket(listener_);
    if (thread_.joinable())
        thread_.join();
}

void OwnServer::Serve() {
    while (!stop_) {
        SOCKET c = accept(listener_, nullptr, nullptr);
        if (c == INVALID_SOCKET)
            return;
        char request[2048];
        recv(c, request, sizeof(request), 0);
        send(c, answer_.data(), (int)answer_.size(), 0);
        closesocket(c);
    }
}

namespace {

// Connects without waiting; true when the connect completed within
// waitMs (false: it still hangs).
bool ConnectCompletes(SOCKET s, int port, DWORD waitMs) {
    u_long nonBlocking = 1;
    ioctlsocket(s, FIONBIO, &nonBlocking);
    sockaddr_in a = {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons((u_short)port);
    connect(s, (sockaddr*)&a, sizeof(a));
    fd_set writable;
    FD_ZERO(&writable);
    FD_SET(s, &writable);
    timeval limit = {(long)(waitMs / 1000), (long)(waitMs % 1000) * 1000};
    return select(0, nullptr, &writable, nullptr, &limit) == 1;
}

} // namespace

StuckConnects::StuckConnects() {
    const int kMaxFillers = 16;
    listener_ = BindLoopback(&port_);
    listen(listener_, 0);
    // The queue takes one or a few connections; the first connect that
    // does not complete shows it full (that one stays, hanging, too).
    while (!stuck_ && (int)fillers_.size() < kMaxFillers) {
        SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
        fillers_.push_back(s);
        stuck_ = !ConnectCompletes(s, port_, 1000);
    }
}

StuckConnects::~StuckConnects() {
    for (SOCKET s : fillers_)
        closesocket(s);
    closesocket(listener_);
}

int ClosedPort() {
    int port = 0;
    closesocket(BindLoopback(&port));
    return port;
}

} // namespace httptest
