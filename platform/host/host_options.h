// ovhost --options: the options sheet (host code 22) in a window of the
// host's own, under the header picture and titles the plug-in gives; the
// host reports the close (code 23, reloading the settings after OK). Given
// a picture prefix, the host takes a picture of each page (prefix + "1.bmp",
// "2.bmp", ...) and then presses Cancel.
#pragma once
#include "host_session.h"

// 0 when the sheet ran (and every page's picture was written), else 1.
// Prints "closed" and "OK" or "Cancel".
int ShowOptions(HostSession& session, const char* picturePrefix);
