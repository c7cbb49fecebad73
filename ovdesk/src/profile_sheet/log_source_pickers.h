// What the log-source pages share: the login and file pickers, the address
// rule, and the data-source name of an ODBC connection text.
#pragma once
#include <windows.h>
#include "ovcore/serverlist.h"
#include "profile_sheet/odbc_binding.h"

// The login dialog for an FTP or HTTP log source: the server's user name and
// password, and the path (size bytes, in and out). 1 on OK.
int LoginForLogSource(HWND owner, DWORD protocol, char* path, size_t size, ServerInfo* server);
// The open dialog for a log file on path (size bytes, in and out); 1 when
// a file was chosen and its name fits.
int BrowseForLogFile(HWND owner, char* path, size_t size);
// The address rule of a typed path for the protocol code: a path whose
// scheme (any case) names this protocol, or none, and that the protocol's
// address accepts. A scheme of another protocol is refused.
bool IsValidLogSourcePath(DWORD protocol, const char* path);
// The text between "DSN=" and the next ";" of a connection text into name
// (size bytes). Without "DSN=": the whole text, or 0 when needSemicolon.
// With needSemicolon and no ";" after the name: 0.
int DataSourceNameOf(const char* connection, char* name, size_t size, int needSemicolon);
// The folder picker with title; the chosen folder with a closing backslash
// into folder (size bytes). 1 when chosen and it fits.
int PickFolder(HWND owner, const char* title, char* folder, size_t size);
