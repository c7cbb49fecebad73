// The state of one report being written, and the page steps of the writer:
// opening, finishing and switching pages, the frameset, and the copy of
// the template with its layout actions.
#pragma once
#include <string>

#include "output_names.h"
#include "template_writer.h"

enum Bookmark {
    BOOKMARK_GENERAL,
    BOOKMARK_LINE,
    BOOKMARK_COLUMN,
    BOOKMARK_CHAPTER,
    BOOKMARK_COUNT
};

struct PageWriter {
    ReportHandle* report;
    RunContext* run;
    ReportStatusProc status;
    ResolveKeywordProc resolve;
    OutputParts parts;
    BOOL frameMode;
    HANDLE out; // the page being written
    char outName[MAX_PATH];
    DWORD headBytes;      // the page head's length (WriteReportHead)
    LONGLONG pageStart;   // where the page's own content starts (after its heads)
    BOOL pageHeadTaken;   // pageHead was read from the first page
    std::string pageHead; // the first page's text up to its <BODY> tag
    char firstPage[MAX_PATH];
    char tocPage[MAX_PATH];
    BOOL onTocPage;
    BOOL tocWritten;
    int pageCounter;
    LONGLONG lineBytes; // written since the start of the template line; never below 0
    LONGLONG bookmarks[BOOKMARK_COUNT];
    DWORD markerFlag;   // set: the rest of the template line is skipped
    BOOL stopped;       // the rest of the template is not written
    BOOL literalMarker; // an unclosed marker was written as text
};

// Names the first content page (and in frame mode the contents page).
BOOL ChooseFirstPage(PageWriter& w);
// Creates a content page with its head; FALSE with the error text set.
BOOL OpenContentPage(PageWriter& w, const char* name);
// Writes the tail, ends and closes the page, tells the status callback and,
// when listed, adds it to the run's page list. FALSE on a short write.
BOOL FinishPage(PageWriter& w, BOOL listed);
// Finishes the page being written; a content page after the first that
// holds nothing of its own (its chapters were removed) is deleted instead.
BOOL FinishCurrentPage(PageWriter& w);
// Closes and deletes the page being written.
void AbandonPage(PageWriter& w);
// Carries out a "%%TopOfFile%%" page switch. FALSE on failure.
BOOL SwitchPage(PageWriter& w);
// Writes the frameset page at the output path (and an empty contents page
// when the template had none). A failure here leaves the report without it.
void WriteFrameset(PageWriter& w);

// Copies the template to the pages (see template_copy.cpp). FALSE with the
// error text set on failure.
BOOL CopyTemplate(PageWriter& w, HANDLE source, char* chunk);
