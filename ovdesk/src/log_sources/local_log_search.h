// The search of this machine's registry for the logs of four web servers:
// IIS, WebSite, CBuilder and Netscape. Each log found becomes a profile.
#pragma once
#include <windows.h>

// Where the WebSite server keeps its settings, under the search's root key.
#define WEBSITE_SERVER_KEY "SOFTWARE\\O'Reilly\\WebSite\\CurrentVersion"

// Receives each log a finder names: the profile description and log path.
typedef void (*LocalLogSink)(const char* description, const char* path, void* context);

// Each finder reads its keys under root (HKEY_LOCAL_MACHINE outside tests)
// and hands every log it names to sink. true when the finder succeeded:
// IIS when its value was read, WebSite when all three values were, CBuilder
// when its servers were listed to the end, Netscape when it named a log.
bool FindIisLogs(HKEY root, LocalLogSink sink, void* context);
bool FindWebSiteLogs(HKEY root, LocalLogSink sink, void* context);
bool FindCBuilderLogs(HKEY root, LocalLogSink sink, void* context);
bool FindNetscapeLogs(HKEY root, LocalLogSink sink, void* context);

// The access log named by a Netscape obj.conf file into path (MAX_PATH
// bytes); false when the file cannot be read or names none.
bool ReadObjConfAccessLog(const char* confPath, char* path);

// Runs the four finders under root, makes a profile of each log and tells
// the user how many were added. 1 when a finder succeeded, 2 when none did.
int FindLocalServerLogsUnder(HWND host, HKEY root);
