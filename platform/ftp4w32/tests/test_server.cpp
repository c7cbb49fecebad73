#include "test_server.h"
#include "wait_until.h"
#include <winsock2.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace ftptest {

namespace {

// Wine shows the host's file system as drive Z:.
std::string HostToWindowsPath(const std::string& path) {
    std::string out = "Z:" + path;
    for (char& c : out)
        if (c == '/')
            c = '\\';
    return out;
}

ServerInfo ReadServerInfo() {
    ServerInfo info;
    const char* file = getenv("OV_FTP_TEST_SERVER");
    if (!file)
        return info;
    std::ifstream in(HostToWindowsPath(file));
    std::map<std::string, std::string> values;
    std::string line;
    while (std::getline(in, line)) {
        size_t eq = line.find('=');
        if (eq != std::string::npos)
            values[line.substr(0, eq)] = line.substr(eq + 1);
    }
    info.port = atoi(values["port"].c_str());
    info.rogue = atoi(values["rogue"].c_str());
    info.silent = atoi(values["silent"].c_str());
    info.root = HostToWindowsPath(values["root"]);
    info.ok = info.port && info.rogue && info.silent && !values["root"].empty();
    return info;
}

} // namespace

const ServerInfo& Server() {
    static ServerInfo info = ReadServerInfo();
    return info;
}

std::string ServedPath(const std::string& relative) {
    std::string path = Server().root + "\\" + relative;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), bytes.size());
    return out.good();
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string LocalFolder() {
    // A folder left by an earlier run (Wine reuses process ids) must not be
    // taken: a receive would resume into its files.
    static int counter = 0;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char folder[MAX_PATH];
    do {
        snprintf(folder, sizeof(folder), "%sovftp-%lu-%lu-%d\\", temp, GetCurrentProcessId(),
                 GetTickCount(), ++counter);
    } while (!CreateDirectoryA(folder, nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
    return folder;
}

void RemoveLocalFolder(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do
            DeleteFileA((folder + found.cFileName).c_str());
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

int ClosedPort() {
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof(address);
    bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
    closesocket(s);
    return ntohs(address.sin_port);
}

MessageLog::MessageLog() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "OvFtpTestLog";
    RegisterClassA(&wc);
    window_ = CreateWindowA("OvFtpTestLog", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance,
                            nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

MessageLog::~MessageLog() {
    DestroyWindow(window_);
}

bool MessageLog::WaitForEnd(DWORD timeoutMs) {
    return ovtest::WaitUntil([this] { return !messages.empty() && messages.back().first == 1; },
                             timeoutMs);
}

LRESULT CALLBACK MessageLog::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == Message) {
        auto* log = reinterpret_cast<MessageLog*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        log->messages.emplace_back(wParam, lParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace ftptest
