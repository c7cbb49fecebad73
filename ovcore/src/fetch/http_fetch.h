// The HTTP road of the remote log fetch.
#pragma once
#include "ovcore/fetch.h"
#include "ovcore/profile.h"
#include "fetch/remote_start.h"

// Starts the fetch of an HTTP profile whose file base name is name: builds
// the fetch list from the source's "|"- and blank-separated paths, names the
// copies in the copy folder, and starts the first transfer (or none, when
// the download mode says the copies are current). 1, or 0 with the error
// text set and nothing left running.
BOOL HttpFetch_Open(const AnalysisProfile* profile, const char* name);
// Ends a transfer that still runs: its socket and window are closed, an
// unfinished copy is removed (a good earlier copy stays), and a transfer cut
// off this way leaves the aborted text.
void HttpFetch_End(void);

// Notifications of the hidden window.
void HttpFetch_OnSocket(WPARAM socket, LPARAM event);
void HttpFetch_OnTimer(void);

// Resolves the server (or the proxy) and starts the first entry of the
// current list that is not skipped. 1, or 0 with the error text set.
BOOL HttpTransfer_Start(const FetchTarget* target);
