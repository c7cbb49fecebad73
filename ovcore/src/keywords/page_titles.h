// Page titles of the URL rows of a report.
#pragma once
#include <windows.h>

#include "run/url_types.h"

// The title of the page at url (at most size - 1 characters): a file is
// fetched when its type is a title type and a document; for a folder the
// run's default documents are tried (all of them for "file", the first for
// "ftp"); any other URL is fetched as it is. Empty when none is found.
void FetchItemPageTitle(const RunContext* run, const char* url, char* title, DWORD size);

// The URL of a row's page: a name with a scheme as it is; otherwise behind
// the home page's scheme and server, or behind its folder for a home page
// that is a local folder or a "file" URL.
void CompletePageUrl(const RunContext* run, const char* name, char* url, DWORD size);
