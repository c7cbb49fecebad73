#include "keyword_resolve.h"

#include <stdlib.h>
#include <string.h>

#include <string>

#include "keywords/header_keywords.h"
#include "run/run_context.h"
#include "text/html_escape.h"
#include "toc_script.h"
#include "write/report_output.h"

static const char* const kLayoutMarkers[] = {
    "%%Keep%%",          "%%BookMark%%",       "%%Remove%%",       "%%BookMarkLine%%",
    "%%RemoveLine%%",    "%%BookMarkColumn%%", "%%RemoveColumn%%", "%%BookMarkChapter%%",
    "%%RemoveChapter%%", "%%TopOfFile%%",
};

// The bytes written, or 0xFFFF when fewer bytes were written.
static WORD Counted(DWORD length) {
    return length < 0xFFFF ? (WORD)length : (WORD)0xFFFE;
}

static BOOL WriteAll(HANDLE file, const char* text, DWORD length) {
    DWORD written = 0;
    return length == 0 || (WriteFile(file, text, length, &written, nullptr) && written == length);
}

// Mark-up, written as it stands.
static WORD WriteMarkup(HANDLE file, const char* text) {
    DWORD length = (DWORD)strlen(text);
    return WriteAll(file, text, length) ? Counted(length) : (WORD)0xFFFF;
}

// Text, written escaped a piece at a time.
static WORD WriteText(HANDLE file, const char* text) {
    char piece[1024];
    DWORD total = 0;
    while (*text) {
        text += EscapeHtmlText(text, piece, sizeof(piece));
        DWORD length = (DWORD)strlen(piece);
        if (!WriteAll(file, piece, length))
            return 0xFFFF;
        total += length;
    }
    return Counted(total);
}

// The contents script of a framed report grows with its pages and can
// outgrow the value buffer: it is written whole.
static bool IsLongContentsScript(const char* keyword, const RunContext* run) {
    return run && run->Output && run->Output->Writer.FrameMode &&
           _stricmp(keyword, "TableOfContentsData") == 0;
}

WORD ResolveTemplateKeyword(ReportHandle* report, HANDLE file, const char* keyword, RunContext* run,
                            DWORD* markerFlag, int* action, ReportStatusProc status) {
    if (IsLongContentsScript(keyword, run)) {
        std::string script;
        BuildTocScript(run->Output->PageList, script);
        return WriteMarkup(file, script.c_str());
    }
    char* value = (char*)calloc(1, KEYWORD_VALUE_SIZE);
    if (!value)
        return 0xFFFF;
    DWORD marker = KEYWORD_VALUE_TEXT;
    EvaluateHeaderKeyword(report, run, keyword, value, KEYWORD_VALUE_SIZE, &marker, status);
    WORD result = 0;
    if (marker == KEYWORD_VALUE_MARKER) {
        for (int code = 0; code <= LAYOUT_TOP_OF_FILE; ++code)
            if (action && _stricmp(value, kLayoutMarkers[code]) == 0)
                *action = code;
        if (markerFlag)
            *markerFlag = 1;
    } else {
        result = marker == KEYWORD_VALUE_MARKUP ? WriteMarkup(file, value) : WriteText(file, value);
    }
    free(value);
    return result;
}
