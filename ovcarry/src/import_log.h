// ImportResults.txt in the program folder: one line per step and file. The
// file is opened and closed for every line, so it is whole whenever the
// program stops.
#pragma once

// Deletes the log and starts it anew with the start time.
void StartImportLog(void);
// Appends the line (at most 495 characters) and "\r\n"; nothing when the log
// was never created.
void AppendImportLog(const char* line);
// AppendImportLog of a printf-style text, cut to the line's length.
void AppendImportLogf(const char* format, ...);
