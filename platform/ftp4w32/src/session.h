// The library's one session: settings, the control connection and the state
// of the running transfer. Functions return FTPERR_ codes (0 on success).
#pragma once
#include "control_channel.h"

namespace ftp {

struct Session {
    volatile LONG initCount = 0;
    int port = 21;
    DWORD timeoutMs = 30000;
    bool passive = false;
    bool async = false;
    ControlChannel control;
    // Set while an asynchronous transfer owns the control connection.
    volatile LONG busy = 0;
    volatile LONG abort = 0;
    volatile LONG bytesToBeTransferred = 0;
    HANDLE worker = nullptr;
};

Session& TheSession();

// The gate in front of each call: FTPERR_NOTINITIALIZE, then FTPERR_CANTCLOSE
// while a transfer runs, then (when connected is set) FTPERR_NOTCONNECTED.
int CheckSession(bool connected);

int OpenConnection(const char* host);
int Login(const char* host, const char* user, const char* password);
int PrintWorkingFolder(char* buffer, UINT size);
int ChangeFolder(const char* folder);
// QUIT, then closes; the connection is closed whatever the server says.
int CloseConnection();

// Waits for the transfer worker to end (after it cleared busy) and forgets it.
void JoinWorker();
// Stops a running transfer, then closes the control connection.
void CloseLocally();

} // namespace ftp
