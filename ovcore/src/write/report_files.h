// Small file pieces of the report writer: the page head and tail, and the
// images and support files copied next to the pages.
#pragma once
#include "keyword_resolve.h"

// The character set of every page, as the templates declare it: the code
// page of the texts the pages show (text/html_escape.h).
#define REPORT_CHARSET_META                                                                        \
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1252\">"

// Writes text; its length, or 0xFFFF on a short write.
DWORD WriteReportText(HANDLE file, const char* text);
// The page head (three CR LF lines); the bytes written, 0 on a short write.
DWORD WriteReportHead(HANDLE file);
// "</HTML>" and CR LF; the bytes written, 0 on a short write.
DWORD WriteReportTail(HANDLE file);

// Tells status (1, destination, 1), then copies moduleFolder + "images\" +
// name to outputFolder + name (replacing it). TRUE when copied.
BOOL CopyReportImage(const char* moduleFolder, const char* outputFolder, const char* name,
                     ReportStatusProc status);
// Copies fileName from the folder of referencePath to the folder of
// destinationReference (each path cut after its last "\" or ":"). 1 when
// copied; 0 with the summary error text set, and no destination left.
int WriteReportSupportFile(const char* referencePath, const char* fileName,
                           const char* destinationReference);
