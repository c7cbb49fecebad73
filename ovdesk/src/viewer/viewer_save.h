// Saving one section of the viewer's text as an ASCII (.RPT) or colour
// coded (.CCR) report.
#pragma once
#include "desk_types.h"

enum { SAVE_ASCII = 1, SAVE_COLOUR_CODED = 2, SAVE_LINE_SIZE = 4096 };

// Expands the tabs of line: each tab becomes blanks up to the first tab
// column right of the output column (a tab with none is dropped). out has
// size bytes; the result is cut to fit. The length written.
int ExpandTabs(const char* line, const WORD* tabColumns, int tabCount, char* out, int size);

// Saves the lines of the viewer's text control. With multi and not first,
// fileName and *fileType (remembered by the first call) are appended to
// without asking. A scheduled run's request names the file itself. 1 when
// saved or when the user cancelled the file dialog, 0 when the file could
// not be opened.
int SaveViewerText(HWND viewer, HWND text, long lineCount, int tabCount, const WORD* tabColumns,
                   BOOL multi, BOOL first, char* fileName, int* fileType,
                   const ReportRunRequest* request);
