// What the HTTP and FTP roads of a fetch share while it starts: where the
// copies go, the listing-state file of the last fetch, the "Once" check, and
// the last steps of the fetch list before the first transfer.
#pragma once
#include "ovcore/fetch.h"
#include "ovcore/profile.h"

// Where the copies go, the list file, the source, and how the server is
// reached.
struct FetchTarget {
    char copyFolder[MAX_PATH]; // with its trailing separator
    char listPath[MAX_PATH];   // the listing-state file
    char header[FETCH_PATH_SIZE];
    char host[FETCH_NAME_SIZE];
    char user[SERVERINFO_USERNAME_SIZE];
    char password[SERVERINFO_PASSWORD_SIZE];
    int port;
};

enum RemoteStart {
    REMOTE_START_FAILED,   // the error text says why
    REMOTE_START_TRANSFER, // list the source and transfer
    REMOTE_START_CURRENT,  // "Once": the copies are current, nothing to do
};

// Reads the target of the profile's one server (protocol: the road's
// SERVER_PROTOCOL_*), makes the copy folder, takes the download mode and
// reads the previous list back; the source's paths, with their variables
// replaced, go to paths.
RemoteStart RemoteFetch_Begin(const AnalysisProfile* profile, const char* name, DWORD protocol,
                              FetchTarget* target, char* paths, DWORD pathsSize);
// Sends the login text (string textId) with user and host.
void RemoteFetch_SendLogin(UINT textId, const char* user, const char* host);
// Sends the logged-in message.
void RemoteFetch_SendLoginDone(void);
// snprintf of two texts; FALSE with the name-too-long error (naming b) when
// the result does not fit.
BOOL RemoteFetch_Format(char* out, DWORD size, const char* format, const char* a, const char* b);
// The previous list's local path for a remote name, or null.
const char* RemoteFetch_PreviousCopy(const FetchList* previous, const char* remote);
// Deletes the copies (inside folder only) of previous entries that the
// current list no longer holds.
void RemoteFetch_DropUnlisted(const char* folder);
// Names the copies of the current list and writes the list file without its
// header, which goes in only once every copy has arrived (so that "Once"
// never trusts copies of a fetch that failed). An empty list fails with
// error 1010. 1, or 0 with the error text set.
BOOL RemoteFetch_PrepareList(const FetchTarget* target);
