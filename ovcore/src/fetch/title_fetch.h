// Fetching one page into a file for its title, waiting inside the call.
#pragma once
#include "ovcore/fetch.h"

#define TITLE_FETCH_OK 1
#define TITLE_FETCH_NO_PAGE 0      // the server answered, but not with a page
#define TITLE_FETCH_UNREACHABLE -1 // no address, connection, request or file

// GETs http://host:port/path into file. status (may be null) shows progress
// texts and pumps the caller's messages; without it the wait pumps them
// itself. Ends by time-out after TransferTimeout idle seconds.
int TitleFetch_Http(const char* host, int port, const char* path, const char* user,
                    const char* password, const char* file, TITLESTATUSPROC status);
