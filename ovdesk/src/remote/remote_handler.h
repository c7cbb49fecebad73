// The remote command handler's pieces: bounded access to the host's request
// object and its list, and the keyword groups.
#pragma once
#include "ovdesk/host_interface.h"
#include "ovdesk/remote_request.h"
#include "ovcore/ovcore.h"

// A form field, or a page field as text, into text (size bytes, cut to fit):
// the host writes into a scratch buffer of REMOTE_TEXT_MAX bytes. Empty when
// the host has no such field.
void ReadRemoteForm(RemoteRequest* request, const char* name, char* text, size_t size);
void ReadRemotePage(RemoteRequest* request, const char* name, char* text, size_t size);
// A page field's text read as an unsigned decimal number (0 when missing).
DWORD ReadRemotePageNumber(RemoteRequest* request, const char* name);
void SetRemotePage(RemoteRequest* request, const char* name, const char* text);
void SetRemotePageNumber(RemoteRequest* request, const char* name, int value);
// Status word and, when text is not null, status text (bounded).
void SetRemoteStatus(RemoteRequest* request, DWORD status, const char* text);

// The host's listed profile whose file name equals the request's (exact, or
// without case); null when none (or no host window).
ProfileListEntry* FindRemoteProfile(RemoteRequest* request, int exact);
// Asks the host to reload its list after a change.
void ReloadRemoteProfiles(void);

// The keyword groups; each returns nothing, its outcome is in the request.
void LoadRemoteProfile(RemoteRequest* request);
void SaveRemoteProfile(RemoteRequest* request, int add);
void DeleteRemoteProfile(RemoteRequest* request);
void CheckRemoteCluster(RemoteRequest* request);
// Options: group 0 general, 1 office programs, 2 cookies, 3 log cache.
void LoadRemoteOptions(RemoteRequest* request, int group);
void SaveRemoteOptions(RemoteRequest* request, int group);
// Submits a remote report; 0 when memory ran out (nothing scheduled), else 1.
int SubmitRemoteReport(RemoteRequest* request);
// 1 when a user name can be a folder name: not empty, no "\", "/", ":" or "..".
int IsSafeRemoteUserName(const char* name);
