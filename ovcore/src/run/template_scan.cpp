// Which statistics tables a report template asks for, and how many rows.
#include <stdlib.h>
#include <string.h>

#include "run/run_setup.h"

namespace {

#define MARKER "%%"
#define SECTION_SUFFIX "BeginSection"
#define KEYWORD_NAME_SIZE 64

void ResetRow(ReportTableKeyword& row) {
    row.Used = 0;
    row.Empty = 1;
    row.BracketCount = 0;
}

void ResetRows() {
    for (ReportTableKeyword& row : g_ReportTableKeywords)
        ResetRow(row);
    ResetRow(g_UserSessionsKeyword);
}

// Marks the row when the marker's text begins with its keyword.
bool MarkRow(ReportTableKeyword& row, const char* text, size_t length) {
    size_t n = strlen(row.Keyword);
    if (n > length || memcmp(text, row.Keyword, n) != 0)
        return false;
    row.Used = 1;
    char keyword[KEYWORD_NAME_SIZE * 4];
    size_t copied = length < sizeof(keyword) - 1 ? length : sizeof(keyword) - 1;
    memcpy(keyword, text, copied);
    keyword[copied] = 0;
    WORD brackets = GetBracketNumber(keyword);
    if (brackets > row.BracketCount)
        row.BracketCount = brackets;
    return true;
}

// The marker's text (between two "%%") against the keywords in row order:
// the first keyword it begins with is used.
void MarkKeyword(const char* text, size_t length) {
    for (ReportTableKeyword& row : g_ReportTableKeywords)
        if (MarkRow(row, text, length))
            return;
    MarkRow(g_UserSessionsKeyword, text, length);
}

const char* FindMarker(const char* from, const char* end) {
    for (const char* p = from; p + 1 < end; p++)
        if (p[0] == '%' && p[1] == '%')
            return p;
    return nullptr;
}

} // namespace

void ScanTemplateTextForTables(const char* text, size_t length) {
    ResetRows();
    const char* end = text + length;
    for (const char* open = FindMarker(text, end); open;) {
        const char* close = FindMarker(open + 2, end);
        if (!close)
            break;
        MarkKeyword(open + 2, close - (open + 2));
        open = FindMarker(close + 2, end);
    }
    ReportTableKeyword& obsolete = g_ReportTableKeywords[ObsoleteTopPaths];
    obsolete.Used = 0;
    obsolete.Empty = 1;
    obsolete.BracketCount = 0;
}

void ScanTemplateForTables(const char* path) {
    ResetRows();
    HANDLE file = path && path[0] ? CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL,
                                                OPEN_EXISTING, 0, NULL)
                                  : INVALID_HANDLE_VALUE;
    if (file == INVALID_HANDLE_VALUE)
        return;
    // Read whole, so that no marker is cut at a buffer's end.
    LARGE_INTEGER size = {};
    char* text = nullptr;
    DWORD read = 0;
    if (GetFileSizeEx(file, &size) && size.QuadPart < 0x40000000 &&
        (text = (char*)malloc((size_t)size.QuadPart + 1)) != nullptr &&
        ReadFile(file, text, (DWORD)size.QuadPart, &read, NULL) && read == size.QuadPart)
        ScanTemplateTextForTables(text, read);
    free(text);
    CloseHandle(file);
}

void UseEveryReportTable(void) {
    for (int t = 0; t < RUN_TABLE_COUNT; t++)
        g_ReportTableKeywords[t].Used = t != ObsoleteTopPaths;
}

WORD GetBracketNumber(const char* keyword) {
    const char* open = keyword ? strrchr(keyword, '[') : nullptr;
    return open ? (WORD)atoi(open + 1) : 0;
}

WORD GetBracketSecondNumber(const char* keyword) {
    const char* open = keyword ? strrchr(keyword, '[') : nullptr;
    const char* comma = open ? strchr(open, ',') : nullptr;
    return comma ? (WORD)atoi(comma + 1) : 0;
}

void SetReportTopCounts(const TemplateSection* sections, WORD count) {
    for (ReportTableKeyword& row : g_ReportTableKeywords) {
        char name[KEYWORD_NAME_SIZE];
        lstrcpynA(name, row.Keyword, KEYWORD_NAME_SIZE - (int)sizeof(SECTION_SUFFIX));
        lstrcatA(name, SECTION_SUFFIX);
        row.TopCount = 0;
        for (WORD i = 0; sections && i < count; i++)
            if (sections[i].Include && lstrcmpiA(sections[i].Name, name) == 0 &&
                sections[i].Rows > row.TopCount)
                row.TopCount = sections[i].Rows;
    }
}
