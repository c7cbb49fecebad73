// The files of one report: the output path's parts, the page names of the
// frame and split modes, and the run's list of finished pages.
#pragma once
#include "run/run_context.h"

struct OutputParts {
    char Folder[MAX_PATH]; // drive and directory, with the closing separator
    char Name[MAX_PATH];
    char Extension[MAX_PATH]; // without the dot
};

// Splits path; FALSE when it is empty or too long.
BOOL SplitOutputPath(const char* path, OutputParts* parts);
// Whether the extension is "doc" or "xls" (any case): document output.
BOOL IsDocumentExtension(const char* extension);
// Whether the extension begins with "htm" (any case).
BOOL IsHtmlExtension(const char* extension);
// True when the output is not document output, its extension begins with
// "htm" and "Separate Files" equals word (any case).
BOOL UsesSeparateFiles(const RunContext* run, const char* word);

// Page names (MAX_PATH characters; FALSE when too long): the content page
// "<folder><name>_b.<ext>" (number < 0) or "<folder><name>_<nn>_b.<ext>", and
// the table-of-contents page "<folder><name>_t.<ext>".
BOOL ContentPageName(const OutputParts& parts, int number, char* out);
BOOL TocPageName(const OutputParts& parts, char* out);

// Adds name at the end of the run's page list (grown as needed); 1, or 0
// when memory is short. ClearPageList empties it.
int AppendPageName(RunContext* run, const char* name);
void ClearPageList(RunContext* run);
