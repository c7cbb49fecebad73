// Generated logs of the read benchmark: the same content on every run, with
// line lengths and field shapes like those of busy real servers.
#pragma once
#include "ovcore/ovcore_base.h"

// A combined log (common log with referrer and user agent) of `lines` lines,
// one hit about every second from 2024-01-01. TRUE, with the file size.
BOOL WriteCombinedLog(const char* path, DWORD lines, ULONGLONG* bytes);
// A W3C extended log (IIS style, CR LF line ends) with its directives, then
// `lines` record lines. TRUE, with the file size.
BOOL WriteW3CLog(const char* path, DWORD lines, ULONGLONG* bytes);
