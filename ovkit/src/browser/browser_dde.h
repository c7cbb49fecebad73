// The DDE road of the browser launch. Private to ovkit.
#pragma once
#include <windows.h>
#include <cstddef>

// The URL handed to a browser over DDE: an address beginning with "ftp:" or
// "http" (any case) as it stands; any other is a local file, made
// "file:///" + path with '\' as '/' and the drive's ':' as '|'. Cut to fit
// out (size bytes).
void OvkitBrowserDdeUrl(const char* address, char* out, size_t size);

// Asks a running browser ("NETSCAPE", then "IEXPLORE") to open the address.
// 1 when one answered.
BOOL OpenURLByDde(const char* address);
