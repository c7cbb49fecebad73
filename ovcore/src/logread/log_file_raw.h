// Reads a log's bytes straight from its source, past its line buffer, for the
// searches that look at text the reader is not at.
#pragma once
#include "ovcore/logfile.h"

// Reads up to count bytes at from into target; the bytes read, 0 on failure.
DWORD LogFile_ReadRaw(LogFile* file, ULONGLONG from, char* target, DWORD count);
