// The status window that a fetch handle holds.
#pragma once
#include "ovcore/fetch.h"

// The window stored in the handle, or null when the handle is not the one
// the running fetch handed out (a stale or foreign handle is never locked).
HWND Fetch_WindowOf(UrlFetchHandle handle);
