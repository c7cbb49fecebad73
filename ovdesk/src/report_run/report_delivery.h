// Delivery of a finished report (browser, office programs, mail, FTP) and
// the one reporter of a run's messages.
#pragma once
#include "desk_types.h"

// Output formats, by extension.
enum {
    FORMAT_HTML = 0,
    FORMAT_DOC = 1,
    FORMAT_XLS = 2,
    FORMAT_CMA = 3,
    FORMAT_TXT = 4,
    FORMAT_COUNT = 5,
    FORMAT_UNKNOWN = 6,
};
struct OutputFormatRow {
    char Extension[10];
    WORD NameId; // string id of the format's name
};
extern const OutputFormatRow g_OutputFormats[FORMAT_COUNT];
// The FORMAT_* of a file name: by the text from its last "." (".HTML" is
// HTML); FORMAT_UNKNOWN for names shorter than 4 characters or without ".".
int FormatKindOfName(const char* name);

// Shows or logs one message of a run: scheduled runs write to the scheduler
// log (remote ones to their output file), interactive ones show a box. The
// texts win over the ids; without either "Report failed" / "Ostrevane".
extern "C" __declspec(dllexport) void CALLBACK
    DisplayReportError(HWND owner, const char* caption, const char* text, UINT captionId,
                       UINT messageId, int keep);

// The office hand-over state shared with the progress dialog.
extern volatile DocumentHandOverState g_DocumentHandOverState;
