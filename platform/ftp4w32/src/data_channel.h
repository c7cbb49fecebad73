// One FTP data connection, passive (PASV, we connect) or active (PORT, the
// server connects to our listener). Results are FTPERR_ codes (0 on success).
#pragma once
#include "control_channel.h"

namespace ftp {

class DataChannel {
  public:
    ~DataChannel() { Close(); }

    // Before the transfer command: PASV and connect, or listen and PORT.
    int Prepare(ControlChannel& control, bool passive);
    // After the server accepted the transfer command: accepts the server's
    // connection in active mode; nothing to do in passive mode.
    int Establish(DWORD timeoutMs, const volatile LONG* abort);

    // Reads the next piece into buffer: *got bytes, 0 at the end of the data.
    int Receive(char* buffer, int size, int* got, DWORD timeoutMs, const volatile LONG* abort);
    int Send(const char* data, int length, DWORD timeoutMs, const volatile LONG* abort);
    // Ends the data stream orderly (the server sees the end of an upload).
    void Finish();
    void Close();

  private:
    int PreparePassive(ControlChannel& control);
    int PrepareActive(ControlChannel& control);

    SOCKET data_ = INVALID_SOCKET;
    SOCKET listener_ = INVALID_SOCKET;
};

// The server's answer to a transfer command (RETR, STOR, LIST, NLST): 0 when
// it starts sending (125, 150), FTPERR_DATACONNECTION when it cannot open the
// data connection (425), else refused.
int TransferAnswer(const Reply& reply, int refused);

// Maps a wait result on a data socket to its FTPERR_ code.
int WaitError(WaitResult waited);

} // namespace ftp
