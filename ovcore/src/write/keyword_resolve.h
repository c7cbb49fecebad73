// Keyword resolution: the writer hands each marker's bare keyword (the text
// between two "%%" pairs) here; the value is written to the report file, or,
// when it is one of the layout markers, the writer gets the marker's action
// code and nothing is written.
#pragma once
#include <windows.h>

struct ReportHandle;
struct RunContext;

// Status callback of the writers: (kind, text, flag); answers are ignored.
typedef int(CALLBACK* ReportStatusProc)(int kind, const char* text, int flag);

// The ten layout markers; the code is the action the writer carries out.
enum LayoutAction {
    LAYOUT_KEEP = 0,             // "%%Keep%%"
    LAYOUT_BOOKMARK = 1,         // "%%BookMark%%"
    LAYOUT_REMOVE = 2,           // "%%Remove%%"
    LAYOUT_BOOKMARK_LINE = 3,    // "%%BookMarkLine%%"
    LAYOUT_REMOVE_LINE = 4,      // "%%RemoveLine%%"
    LAYOUT_BOOKMARK_COLUMN = 5,  // "%%BookMarkColumn%%"
    LAYOUT_REMOVE_COLUMN = 6,    // "%%RemoveColumn%%"
    LAYOUT_BOOKMARK_CHAPTER = 7, // "%%BookMarkChapter%%"
    LAYOUT_REMOVE_CHAPTER = 8,   // "%%RemoveChapter%%"
    LAYOUT_TOP_OF_FILE = 9,      // "%%TopOfFile%%": page switch
};

#define KEYWORD_VALUE_SIZE 8192

// What an evaluator's value is (the marker flag it sets): text, written
// escaped (text/html_escape.h); a layout marker, not written; or mark-up
// the evaluator built itself around escaped text, written as it is.
#define KEYWORD_VALUE_TEXT 0
#define KEYWORD_VALUE_MARKER 1
#define KEYWORD_VALUE_MARKUP 2

// Evaluates the keyword and writes its value to file. The bytes written, or
// 0xFFFF when the write fell short. When the value is a layout marker,
// *markerFlag is 1, *action its code and nothing is written (0).
WORD ResolveTemplateKeyword(ReportHandle* report, HANDLE file, const char* keyword, RunContext* run,
                            DWORD* markerFlag, int* action, ReportStatusProc status);
