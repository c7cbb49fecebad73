// The invalid-format message of W3C logs, shown once per log file in a run:
// a run opens a file several times (to judge its dates, to find its range,
// to read it), each open with a fresh map.
#pragma once
#include "logparse/w3c_map.h"

#define IDS_W3C_INVALID_TEXT 5738
#define IDS_W3C_INVALID_TITLE 5739

// Shows the message through the client's error display unless it was
// already shown for this map, or in this run for the file being read.
void W3C_WarnInvalidFormat(W3CFieldMap* map);
// The path of the log file whose text the parsers read now (null: none);
// the caller keeps it alive until it names another.
void W3C_SetWarningSource(const char* path);
// A run begins: each file may show its message once again.
void W3C_ForgetWarnedFiles(void);
