// The FTP client library as the FTP browser binds it: FTP4W32.DLL by name,
// every function or none, initialised once and released when this library
// unloads. The last FTP error text is kept for the browser's message box.
#pragma once
#include <windows.h>

#include "ovkit/ftp_client_api.h"

// The bound library, or null when it or a function is missing.
const OvkitFtpApi* LoadFtpLibrary();

// The last FTP error text ("" when none).
const char* FtpLastError();
void FtpClearLastError();
// Keeps the text of a library error code (codes without a text leave the
// last one as it is).
void ShowFtpError(int code);
