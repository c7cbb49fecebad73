// File transfers (RETR, STOR), run on the caller's thread in synchronous mode
// and on a worker thread in asynchronous mode (see FtpRecvFile in ftp4w32.h).
#pragma once
#include <windows.h>

namespace ftp {

struct TransferRequest {
    bool receive;
    const char* remote;
    const char* local;
    char type;   // 'I' or 'A'
    bool notify; // post progress and the end to window (asynchronous mode)
    HWND window;
    UINT message;
};

// FTPERR_ code: the transfer's result (synchronous) or whether it started.
int StartTransfer(const TransferRequest& request);

} // namespace ftp
