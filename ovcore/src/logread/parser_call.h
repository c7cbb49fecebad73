// The one place where the reader meets the line parsers.
#pragma once
#include "ovcore/logfile.h"

struct ParseOutcome {
    DWORD consumed; // bytes the parser consumed (0: it did not say)
    BOOL notRecord; // the line is no record
    BOOL rebase;    // restart the search window at this line
};

// TRUE when the code has a parser.
BOOL ParserCall_HasParser(int code);
// Runs the parser of code on the record's line; TRUE when it took the line.
BOOL ParserCall_Run(int code, LogFile* file, HitRecord* record, DWORD initialRead,
                    ParseOutcome* outcome);
// The W3C reader's per-file steps.
void ParserCall_FileOpened(LogFile* file);
void ParserCall_FileClosed(LogFile* file);
// Brings the file's W3C state (field map and "#Date:") to what reading the
// file from its start would hold at position, a line start: the directive
// lines before it are applied in order. Reads the bytes before position
// once; for a file opened inside a time range.
void ParserCall_CatchUpW3C(LogFile* file, ULONGLONG position);
