// The hidden "URL Window" on which a remote fetch advances: socket
// notifications and a one-second timer, dispatched by the client's pump.
#pragma once
#include <windows.h>

// Socket notifications of the fetch (wParam: socket, lParam: event and error).
#define FETCH_MSG_SOCKET (WM_USER + 120)

// Makes the window (the class is registered once per process) and starts
// its timer; the existing window when there is one. Null on failure.
HWND UrlWindow_Create(void);
// Stops the timer and destroys the window, when there is one.
void UrlWindow_Destroy(void);
HWND UrlWindow_Get(void);
