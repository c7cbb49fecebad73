// Client-address look-ups: the engine's DNS cache as a client sees it.
#pragma once
#include "ovcore/ovcore_base.h"

// Empties the DNS cache: both cache files are deleted and made anew, empty,
// in the registered data folder; the cache stays on. The word is ignored.
// Always 1.
ORB_EXPORT(int) ORB_FlushDNSCache(DWORD ignored);

// Window procedure of the engine's hidden look-up window (class "DNSLOOK").
ORB_EXPORT(LRESULT) DNSWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
