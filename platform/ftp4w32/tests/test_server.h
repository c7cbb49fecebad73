// What the FTP client tests share: the loopback servers that the ctest
// fixture started (their ports and served folder, from the file named by
// OV_FTP_TEST_SERVER), files as bytes, and a window that records the
// library's messages.
#pragma once
#include <windows.h>
#include <string>
#include <utility>
#include <vector>

namespace ftptest {

struct ServerInfo {
    bool ok = false;
    int port = 0;     // pyftpdlib: weblogs/secret and anonymous
    int rogue = 0;    // misbehaves by user name: close, stall, mute
    int silent = 0;   // never answers
    std::string root; // the served folder as a Windows path
};

const ServerInfo& Server();
// The served file at a path relative to the served folder ("logs/big.log").
std::string ServedPath(const std::string& relative);
std::string ReadBytes(const std::string& path);
bool WriteBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// A fresh local folder for one test, with a trailing backslash.
std::string LocalFolder();
void RemoveLocalFolder(const std::string& folder);
// A loopback port on which nothing listens.
int ClosedPort();

// A message-only window that keeps every message sent to it with Message().
class MessageLog {
  public:
    static const UINT Message = WM_USER + 80;
    MessageLog();
    ~MessageLog();
    HWND Window() const { return window_; }
    // Pumps until the end message (wParam 1) arrives; false after timeoutMs.
    bool WaitForEnd(DWORD timeoutMs);
    std::vector<std::pair<WPARAM, LPARAM>> messages;

  private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND window_ = nullptr;
};

} // namespace ftptest
