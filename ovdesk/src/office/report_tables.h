// The tables and graph images of an HTML report that carries the
// spreadsheet markers, and the cleaned texts of their cells. Every search
// stays inside the element it belongs to.
#pragma once
#include <windows.h>

enum ReportElementKind : WORD { ELEMENT_IMAGE = 1, ELEMENT_TABLE = 2 };
enum { MAX_REPORT_TABLES = 120, MAX_REPORT_IMAGES = 120, MAX_REPORT_ELEMENTS = 240 };
enum : DWORD { TEXT_NOT_FOUND = 0xFFFFFFFF };

struct ReportElement {
    DWORD Start;      // offset of the element's first marker
    DWORD End;        // offset behind its last character
    WORD Kind;        // ELEMENT_*
    DWORD MarkLength; // table: length of the statistics text; image: of the file name
    DWORD MarkStart;  // offset of that text
};

// Finds up to 120 tables (from "<!-- OV_TABLE_STATS>" to the end of the
// next "</TABLE...>") and then up to 120 graph images whose file ends in
// ".wmf" (any case), sorted by start. Returns their number.
int FindReportElements(const char* text, DWORD length, ReportElement* elements);

// Offset of needle in text[from, end), or TEXT_NOT_FOUND.
DWORD FindTextIn(const char* text, DWORD from, DWORD end, const char* needle);

// The text between open and close inside [*from, end): its offset and
// length; *from moves behind close. FALSE (nothing moved) when either is
// missing.
BOOL FindMarkedText(const char* text, DWORD* from, DWORD end, const char* open, const char* close,
                    DWORD* start, DWORD* length);

// Cleans a cell, title or sheet name into out (size bytes, cut to fit): NUL,
// tab, CR, LF and "," dropped, tags dropped but "<BR>" (any case) made
// " - ", then each "&nbsp;" made one blank. Returns the cleaned length.
size_t CleanCellText(const char* text, DWORD length, char* out, size_t size);
