// The FTP road of the remote log fetch: the engine drives the FTP client
// library bound at registration (core/net_binding.h).
#pragma once
#include "fetch/remote_start.h"

// The library's download and upload notifications on the hidden window.
#define FETCH_MSG_FTP_RECEIVE (WM_USER + 80)
#define FETCH_MSG_FTP_SEND (WM_USER + 95)

// Starts the fetch of an FTP profile whose file base name is name: logs in,
// lists the source's folders and patterns, names the copies, and starts the
// first receive (or none, when the copies are current). 1, or 0 with the
// error text set and nothing left running.
BOOL FtpFetch_Open(const AnalysisProfile* profile, const char* name);
// Ends the fetch: a running receive is aborted (its copy stays as it was)
// and the connection closed.
void FtpFetch_End(void);

// Logs in to the target's server (synchronous mode, the configured passive
// mode), with the status texts. 1, or 0 with the error text set.
BOOL FtpFetch_Login(const FetchTarget& target);
// Starts the upload of local to remote (logged in). 1, or 0 with the error
// text set and the connection closed.
BOOL FtpTransfer_StartUpload(const char* local, const char* remote);

// Notifications of the hidden window.
void FtpFetch_OnReceive(WPARAM wParam, LPARAM lParam);
void FtpFetch_OnSend(WPARAM wParam, LPARAM lParam);
void FtpFetch_OnTimer(void);

// Builds the current fetch list from the source's paths, logged in and
// synchronous: one entry per listed file, with the previous fetch's copy
// name and, in "Detect" mode, skipped when its listing line is unchanged.
// 1, or 0 with the error text set.
BOOL FtpFetch_BuildList(const FetchTarget* target, const char* paths);
// Starts the first entry that is not skipped (the connection is open). 1, or
// 0 with the error text set.
BOOL FtpTransfer_Start(const FetchTarget* target);

// Long listing lines, DOS ("01-15-99  10:30AM  <DIR>  name") or Unix
// ("-rw-r--r--  1 owner group  size Jan 15 10:30 name").
// The file size a line gives; 0 when it has too few fields.
ULONGLONG FtpListing_Size(const char* line);
// 1 when the line is a folder's.
BOOL FtpListing_IsFolder(const char* line);
// 1 when name is the line's last blank-separated field.
BOOL FtpListing_Names(const char* line, const char* name);
