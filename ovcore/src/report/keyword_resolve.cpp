#include "report/keyword_resolve.h"

#include <stdlib.h>
#include <string.h>

#include <string>

#include "report/header_keywords.h"
#include "report/toc_script.h"
#include "run/run_context.h"

static const char* const kLayoutMarkers[] = {
    "%%Keep%%",          "%%BookMark%%",       "%%Remove%%",       "%%BookMarkLine%%",
    "%%RemoveLine%%",    "%%BookMarkColumn%%", "%%RemoveColumn%%", "%%BookMarkChapter%%",
    "%%RemoveChapter%%", "%%TopOfFile%%",
};

// The whole text, or 0xFFFF when fewer bytes were written.
static WORD WriteValue(HANDLE file, const char* text) {
    DWORD length = (DWORD)strlen(text);
    DWORD written = 0;
    if (length == 0)
        return 0;
    if (!WriteFile(file, text, length, &written, nullptr) || written != length)
        return 0xFFFF;
    return length < 0xFFFF ? (WORD)length : (WORD)0xFFFE;
}

// The contents script of a framed report grows with its pages and can
// outgrow the value buffer: it is written whole.
static bool IsLongContentsScript(const char* keyword, const RunContext* run) {
    return run && run->Writer.FrameMode && _stricmp(keyword, "TableOfContentsData") == 0;
}

WORD ResolveTemplateKeyword(ReportHandle* report, HANDLE file, const char* keyword, RunContext* run,
                            DWORD* markerFlag, int* action, ReportStatusProc status) {
    if (IsLongContentsScript(keyword, run)) {
        std::string script;
        BuildTocScript(run->PageList, script);
        return WriteValue(file, script.c_str());
    }
    char* value = (char*)calloc(1, KEYWORD_VALUE_SIZE);
    if (!value)
        return 0xFFFF;
    DWORD marker = 0;
    EvaluateHeaderKeyword(report, run, keyword, value, KEYWORD_VALUE_SIZE, &marker, status);
    WORD result = 0;
    if (marker == 1) {
        for (int code = 0; code <= LAYOUT_TOP_OF_FILE; ++code)
            if (action && _stricmp(value, kLayoutMarkers[code]) == 0)
                *action = code;
        if (markerFlag)
            *markerFlag = 1;
    } else {
        result = WriteValue(file, value);
    }
    free(value);
    return result;
}
