// Finding the marked tables and images of an HTML report.
#include "office/report_tables.h"
#include <cstring>

namespace {
const char kStatsOpen[] = "<!-- OV_TABLE_STATS>";
const char kStatsClose[] = "</OV_TABLE_STATS -->";
const char kImageOpen[] = "<IMG SRC=\"";

BOOL IsMetafileName(const char* name, DWORD length) {
    return length >= 4 && _strnicmp(name + length - 4, ".wmf", 4) == 0;
}

int FindTables(const char* text, DWORD length, ReportElement* elements) {
    int count = 0;
    DWORD from = 0;
    while (count < MAX_REPORT_TABLES) {
        DWORD start = FindTextIn(text, from, length, kStatsOpen);
        if (start == TEXT_NOT_FOUND)
            break;
        DWORD cursor = start, statsStart = 0, statsLength = 0;
        if (!FindMarkedText(text, &cursor, length, kStatsOpen, kStatsClose, &statsStart,
                            &statsLength))
            break;
        DWORD tableEnd = FindTextIn(text, cursor, length, "</TABLE");
        DWORD close =
            tableEnd == TEXT_NOT_FOUND ? TEXT_NOT_FOUND : FindTextIn(text, tableEnd, length, ">");
        if (close == TEXT_NOT_FOUND)
            break;
        elements[count++] = {start, close + 1, ELEMENT_TABLE, statsLength, statsStart};
        from = close + 1;
    }
    return count;
}

int FindImages(const char* text, DWORD length, ReportElement* elements) {
    int count = 0;
    DWORD from = 0;
    while (count < MAX_REPORT_IMAGES) {
        DWORD start = FindTextIn(text, from, length, kImageOpen);
        if (start == TEXT_NOT_FOUND)
            break;
        // The file name ends at its closing quote; the tag at the next ">".
        DWORD name = start + (DWORD)strlen(kImageOpen);
        DWORD quote = FindTextIn(text, name, length, "\"");
        DWORD close =
            quote == TEXT_NOT_FOUND ? TEXT_NOT_FOUND : FindTextIn(text, quote, length, ">");
        if (close == TEXT_NOT_FOUND)
            break;
        if (IsMetafileName(text + name, quote - name))
            elements[count++] = {start, close + 1, ELEMENT_IMAGE, quote - name, name};
        from = close + 1;
    }
    return count;
}

void SortByStart(ReportElement* elements, int count) {
    for (int i = 1; i < count; ++i) {
        ReportElement moving = elements[i];
        int j = i;
        for (; j > 0 && elements[j - 1].Start > moving.Start; --j)
            elements[j] = elements[j - 1];
        elements[j] = moving;
    }
}

void Append(char* out, size_t size, size_t* used, const char* piece, size_t length) {
    for (size_t i = 0; i < length && *used + 1 < size; ++i)
        out[(*used)++] = piece[i];
}
} // namespace

DWORD FindTextIn(const char* text, DWORD from, DWORD end, const char* needle) {
    size_t length = strlen(needle);
    if (!length || from > end || end - from < length)
        return TEXT_NOT_FOUND;
    for (DWORD at = from; at + length <= end; ++at)
        if (text[at] == needle[0] && memcmp(text + at, needle, length) == 0)
            return at;
    return TEXT_NOT_FOUND;
}

BOOL FindMarkedText(const char* text, DWORD* from, DWORD end, const char* open, const char* close,
                    DWORD* start, DWORD* length) {
    DWORD opened = FindTextIn(text, *from, end, open);
    if (opened == TEXT_NOT_FOUND)
        return FALSE;
    DWORD inside = opened + (DWORD)strlen(open);
    DWORD closed = FindTextIn(text, inside, end, close);
    if (closed == TEXT_NOT_FOUND)
        return FALSE;
    *start = inside;
    *length = closed - inside;
    *from = closed + (DWORD)strlen(close);
    return TRUE;
}

int FindReportElements(const char* text, DWORD length, ReportElement* elements) {
    int count = FindTables(text, length, elements);
    count += FindImages(text, length, elements + count);
    SortByStart(elements, count);
    return count;
}

size_t CleanCellText(const char* text, DWORD length, char* out, size_t size) {
    if (!size)
        return 0;
    size_t used = 0;
    for (DWORD i = 0; i < length; ++i) {
        char c = text[i];
        if (c == '<') {
            DWORD close = FindTextIn(text, i, length, ">");
            DWORD tagEnd = close == TEXT_NOT_FOUND ? length : close + 1;
            if (tagEnd - i == 4 && _strnicmp(text + i, "<BR>", 4) == 0)
                Append(out, size, &used, " - ", 3);
            i = tagEnd - 1;
            continue;
        }
        if (c == '\0' || c == '\t' || c == '\r' || c == '\n' || c == ',')
            continue;
        Append(out, size, &used, &c, 1);
    }
    out[used] = '\0';
    // Each "&nbsp;" becomes one blank, in place.
    size_t write = 0;
    for (size_t read = 0; read < used;) {
        if (strncmp(out + read, "&nbsp;", 6) == 0) {
            out[write++] = ' ';
            read += 6;
        } else {
            out[write++] = out[read++];
        }
    }
    out[write] = '\0';
    return write;
}
