#include "mail_test_support.h"
#include "ovkit/mail.h"
#include "temp_install.h"
#include "wait_until.h"
#include <cstdlib>
#include <cstring>

namespace mailtest {

namespace {

std::string IniPath() {
    return ProgramFolder() + "OSTREVAN.INI";
}

} // namespace

std::string ProgramFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    char* slash = std::strrchr(path, '\\');
    if (slash)
        slash[1] = '\0';
    return path;
}

void SetMailKey(const char* key, const char* value) {
    WritePrivateProfileStringA("eMail", key, value, IniPath().c_str());
}

void WriteSmtpSettings(const std::string& server, int timeoutSeconds) {
    WritePrivateProfileStringA("eMail", nullptr, nullptr, IniPath().c_str());
    SetMailKey("eMailType", "SMTP");
    SetMailKey("SMTPServer", server.c_str());
    SetMailKey("From", "reports@example.org");
    SetMailKey("ReplyTo", "admin@example.org");
    SetMailKey("Subject", "Weekly traffic");
    SetMailKey("MailTimeout", std::to_string(timeoutSeconds).c_str());
}

StatusWindow::StatusWindow() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "MailTestStatus";
    RegisterClassA(&wc); // already registered by an earlier window: fine
    hwnd_ = CreateWindowA("MailTestStatus", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                          wc.hInstance, nullptr);
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

StatusWindow::~StatusWindow() {
    DestroyWindow(hwnd_);
}

LRESULT CALLBACK StatusWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == OVKIT_WM_MAILPROGRESS) {
        auto* self = reinterpret_cast<StatusWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        const char* text = reinterpret_cast<const char*>(lp);
        if (self)
            self->records_.push_back({static_cast<int>(wp), text ? text : "", text == nullptr});
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

std::vector<std::string> StatusWindow::Steps() const {
    std::vector<std::string> steps;
    for (const ProgressRecord& r : records_)
        if (r.percent == 0 && (steps.empty() || steps.back() != r.text))
            steps.push_back(r.text);
    return steps;
}

std::string SinkFolder() {
    const char* folder = std::getenv("OV_SMTP_SINK");
    if (!folder || !*folder)
        return "";
    std::string path = folder;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path + "\\";
}

int SinkPort() {
    std::string folder = SinkFolder();
    return folder.empty() ? 0 : std::atoi(ovtest::ReadFileBytes(folder + "port").c_str());
}

std::string WaitForSinkMail(int n) {
    std::string path = SinkFolder() + "mail-" + std::to_string(n) + ".eml";
    ovtest::WaitUntil([&] { return ovtest::FileExistsAt(path); }, 10000);
    return ovtest::ReadFileBytes(path);
}

ScriptedSmtpServer::ScriptedSmtpServer(const SmtpScript& script) : script_(script) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        listen(listener_, 1) == 0 &&
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Run(); });
}

ScriptedSmtpServer::~ScriptedSmtpServer() {
    stop_ = true;
    thread_.join();
    closesocket(listener_);
    WSACleanup();
}

std::vector<std::string> ScriptedSmtpServer::Commands() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return commands_;
}

std::string ScriptedSmtpServer::Message() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return message_;
}

// Waits up to 100 ms for the socket to be readable; the stop flag is tested
// between waits.
static bool Readable(SOCKET s) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval wait = {0, 100000};
    return select(0, &set, nullptr, nullptr, &wait) > 0;
}

bool ScriptedSmtpServer::ReadLine(SOCKET client, std::string& line) {
    for (;;) {
        size_t end = pending_.find("\r\n");
        if (end != std::string::npos) {
            line = pending_.substr(0, end);
            pending_.erase(0, end + 2);
            return true;
        }
        while (!Readable(client))
            if (stop_)
                return false;
        char buffer[4096];
        int got = recv(client, buffer, sizeof buffer, 0);
        if (got <= 0)
            return false;
        pending_.append(buffer, got);
    }
}

bool ScriptedSmtpServer::Reply(SOCKET client, const std::string& text) {
    size_t start = 0;
    while (start < text.size()) {
        size_t bar = text.find('|', start);
        std::string piece = text.substr(start, bar == std::string::npos ? bar : bar - start);
        if (piece == "CLOSE")
            return false;
        if (piece == "STALL") {
            while (!stop_)
                Sleep(20);
            return false;
        }
        send(client, piece.data(), static_cast<int>(piece.size()), 0);
        if (bar == std::string::npos)
            break;
        Sleep(50); // so that the pieces arrive apart
        start = bar + 1;
    }
    return true;
}

void ScriptedSmtpServer::Run() {
    while (!Readable(listener_))
        if (stop_)
            return;
    SOCKET client = accept(listener_, nullptr, nullptr);
    connected_ = true;
    bool open = Reply(client, script_.greeting);
    std::string line;
    while (open && ReadLine(client, line)) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            commands_.push_back(line);
        }
        std::string verb = line.substr(0, 4);
        if (verb == "HELO")
            open = Reply(client, script_.helo);
        else if (verb == "MAIL")
            open = Reply(client, script_.mailFrom);
        else if (verb == "RCPT")
            open = Reply(client, !script_.refusedRecipient.empty() &&
                                         line.find(script_.refusedRecipient) != std::string::npos
                                     ? "550 no such user\r\n"
                                     : script_.rcpt);
        else if (verb == "QUIT")
            open = Reply(client, script_.quit);
        else if (verb == "DATA") {
            open = Reply(client, script_.data);
            std::string text;
            while (open && ReadLine(client, line) && line != ".")
                text += line + "\r\n";
            {
                std::lock_guard<std::mutex> lock(mutex_);
                message_ = text;
            }
            open = open && Reply(client, script_.endOfData);
        } else
            open = Reply(client, "500 unknown\r\n");
    }
    closesocket(client);
}

} // namespace mailtest
