// The FTP control connection: commands out, replies (single or multi-line) in.
// Results are FTPERR_ codes (0 on success).
#pragma once
#include "net_socket.h"

namespace ftp {

struct Reply {
    int code = 0;     // the three-digit reply code
    std::string text; // the last line, without its line end
};

class ControlChannel {
  public:
    ~ControlChannel() { Close(); }

    // Connects and reads the server's greeting (220 wanted).
    int Open(const sockaddr_in& server, DWORD timeoutMs);
    bool IsOpen() const { return sock_ != INVALID_SOCKET; }
    void Close();

    // Sends "line\r\n" and reads the reply to it.
    int Command(const std::string& line, Reply* reply);
    // Sends "line\r\n" alone: for a command whose replies are drained.
    int Send(const std::string& line);
    // Reads one complete reply: up to the "NNN " line of a multi-line one.
    int ReadReply(Reply* reply);
    // Reads and drops replies until the server has been quiet for quietMs.
    void Drain(DWORD quietMs);

    void SetTimeout(DWORD timeoutMs) { timeoutMs_ = timeoutMs; }
    DWORD Timeout() const { return timeoutMs_; }
    // The local and the server's address of the connection.
    bool LocalAddress(sockaddr_in* address) const;
    bool PeerAddress(sockaddr_in* address) const;

  private:
    int ReadParts(Reply* reply);
    int ReadLine(std::string* line, DWORD timeoutMs);

    SOCKET sock_ = INVALID_SOCKET;
    DWORD timeoutMs_ = 30000;
    std::string pending_; // received bytes not yet taken as lines
};

} // namespace ftp
