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
// Gives the file's W3C map the columns the open gave it (the opening
// "#Fields:", else the default fields) and no "#Date:", as a read from the
// file's start finds them. FALSE when memory runs out.
BOOL ParserCall_RestoreOpeningW3C(LogFile* file);
