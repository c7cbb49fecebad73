// What a running transfer knows, shared by the receive and the send side.
#pragma once
#include "data_channel.h"
#include <string>

namespace ftp {

// How long the server may take to answer ABOR before the line counts as settled.
const DWORD kAbortQuietMs = 300;

struct Job {
    bool receive = true;
    std::string remote;
    char type = 'I';
    HANDLE file = INVALID_HANDLE_VALUE;
    bool createdFile = false; // the local file did not exist before this receive
    std::string localPath;
    long long done = 0;      // bytes in the local file (receive) or sent
    long long expected = -1; // the server's SIZE, -1 unknown
    std::string overlap;     // local bytes the resumed data must begin with
    bool post = false;
    HWND window = nullptr;
    UINT message = 0;
    DataChannel data;
    DWORD lastProgress = 0;
};

// Helpers of transfer.cpp: a control command, the size of an open file.
int Command(const std::string& line, Reply* reply);
long long FileSize(HANDLE file);
// Posts the progress message, at most every few milliseconds unless forced.
void PostProgress(Job& job, bool force);

// receive_file.cpp: opens the local file and asks for the remote one
// (resuming where that is sound); then receives the data into the file.
int BeginReceive(Job& job, const char* local);
int ReceiveAll(Job& job);

} // namespace ftp
