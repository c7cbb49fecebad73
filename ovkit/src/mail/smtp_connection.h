// One SMTP connection on a non-blocking socket: whole sends and whole
// replies, each within the time limit, so a silent or vanished server ends
// the send instead of holding the caller.
#pragma once
#include "mail_winsock.h"
#include <cstddef>

class SmtpConnection {
  public:
    SmtpConnection(const MailWinsockApi& ws, int timeoutSeconds);
    ~SmtpConnection(); // closes the socket
    SmtpConnection(const SmtpConnection&) = delete;
    SmtpConnection& operator=(const SmtpConnection&) = delete;

    // False when no socket could be made.
    bool Open();
    // Connects (blocking), then switches to non-blocking mode; false on failure.
    bool Connect(unsigned long address, unsigned short port);
    // Sends every byte; false on a socket error or when the server takes
    // nothing for the whole time limit.
    bool SendAll(const char* data, size_t length);
    bool SendText(const char* text);
    // Reads one whole reply; its code, or -1 on time-out, error or a close
    // before the reply ended. limitSeconds 0 means the connection's limit.
    int ReadReply(int limitSeconds = 0);

  private:
    // Waits up to a second for the socket to be readable (or writable);
    // -1 on error, 0 when nothing happened, 1 when ready.
    int WaitOneSecond(bool forWrite);

    const MailWinsockApi& ws_;
    int timeoutSeconds_;
    SOCKET socket_ = INVALID_SOCKET;
};
