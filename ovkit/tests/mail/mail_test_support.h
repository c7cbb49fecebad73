// What the mail tests share: the [eMail] settings beside the test program,
// a status window that records the progress messages, the loopback SMTP sink
// that the test run starts, and a scripted SMTP server on a thread.
#pragma once
#include <winsock2.h>
#include <windows.h>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace mailtest {

// Writes [eMail] of the OSTREVAN.INI beside the test program: SMTP to the
// given server, valid sender and reply address, the given reply time limit.
void WriteSmtpSettings(const std::string& server, int timeoutSeconds = 2);
// Sets one key of [eMail] (null value removes it).
void SetMailKey(const char* key, const char* value);
// Folder of the test program, ending in a backslash.
std::string ProgramFolder();

struct ProgressRecord {
    int percent;
    std::string text;
    bool nullText;
};

// A hidden window that records the progress messages sent to it.
class StatusWindow {
  public:
    StatusWindow();
    ~StatusWindow();
    HWND Handle() const { return hwnd_; }
    const std::vector<ProgressRecord>& Records() const { return records_; }
    // Texts of the records at 0 %, in order: the steps begun.
    std::vector<std::string> Steps() const;

  private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND hwnd_;
    std::vector<ProgressRecord> records_;
};

// The sink's folder as this program sees it, ending in '\'; empty when the
// test run started no sink.
std::string SinkFolder();
// The sink's port; 0 when it is not running.
int SinkPort();
// Waits for the sink's mail-N.eml; its bytes, or empty after the time limit.
std::string WaitForSinkMail(int n);

// Replies of the scripted server. A reply text may hold '|' to send its
// pieces apart, with a short pause between them, "" to answer nothing, and
// "CLOSE" to close the connection instead of answering, and "STALL" to
// answer nothing and read nothing more while the connection stays open.
struct SmtpScript {
    std::string greeting = "220 test ready\r\n";
    std::string helo = "250 hello\r\n";
    std::string mailFrom = "250 sender ok\r\n";
    std::string rcpt = "250 recipient ok\r\n";
    std::string refusedRecipient; // this address gets "550 no such user"
    std::string data = "354 go ahead\r\n";
    std::string endOfData = "250 queued\r\n";
    std::string quit = "221 bye\r\n";
};

// Serves one connection by the script on 127.0.0.1 and records the command
// lines it received and the message text of DATA.
class ScriptedSmtpServer {
  public:
    explicit ScriptedSmtpServer(const SmtpScript& script);
    ~ScriptedSmtpServer();
    int Port() const { return port_; }
    std::vector<std::string> Commands() const;
    std::string Message() const;
    bool Connected() const { return connected_; }

  private:
    void Run();
    bool Reply(SOCKET client, const std::string& text);
    bool ReadLine(SOCKET client, std::string& line);

    SmtpScript script_;
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<bool> connected_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> commands_;
    std::string message_;
    std::string pending_;
    std::thread thread_;
};

} // namespace mailtest
