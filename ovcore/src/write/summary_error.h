// The engine-wide text of the last report-writing failure, made from the
// registering module's string table.
#pragma once
#include <windows.h>

#define SUMMARY_TEXT_FAILED_OPEN 5591   // "Failed to open %s"
#define SUMMARY_TEXT_FAILED_CLOSE 5592  // "Failed to close %s"
#define SUMMARY_TEXT_FAILED_READ 5593   // "Failed to read"
#define SUMMARY_TEXT_FAILED_WRITE 5594  // "Failed to write"
#define SUMMARY_TEXT_NO_MEMORY 5595     // "Out of Memory"
#define SUMMARY_TEXT_GRAPH_CREATE 5596  // "Failed to create %s"
#define SUMMARY_TEXT_GRAPH_CONVERT 5597 // "Error converting %s to .GIF"

#define SUMMARY_TEXT_SIZE 512

// Sets the text to string id, with argument (may be null) in its "%s".
void SetSummaryError(UINT id, const char* argument);
void ClearSummaryError(void);
const char* SummaryErrorText(void);
