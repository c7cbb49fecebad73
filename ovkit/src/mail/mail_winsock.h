// WinSock as the mailer binds it: WSOCK32.DLL by name, every function or
// none, started (version 1.1) on the first SMTP send and kept until the
// library unloads.
#pragma once
#include <windows.h>
#include <winsock2.h>

#include "ovkit/winsock_api.h"

typedef OvkitWinsockApi MailWinsockApi;

// Binds (from the given library name) and starts WinSock once; later calls
// give the same binding. Null when the library or a function is missing (the
// missing name goes to the debugger output) or WSAStartup fails.
const MailWinsockApi* MailWinsockBind(const char* libraryName = "WSOCK32.DLL");
// Cleans up and frees WinSock when it was bound; for library unload.
void MailWinsockUnbind();
