// The ad-views file reader: ADVIEWS.TXT of the install folder, one entry of
// three double-quoted fields a line.
#include "core/message_sink.h"
#include "ovcore/adviews.h"
#include "ovcore/settings.h"
#include <stdio.h>
#include <string.h>
#include "ovkit/text_copy.h"

namespace {

const int kLineSize = 1024; // a line holds at most 1,023 characters
const int kFieldSize = 1024;

// Reads one line ended by CR, LF or CR LF into line (the rest of an
// over-long line is skipped). False at the end of the file.
bool ReadLine(FILE* stream, char* line) {
    int length = 0;
    int c = getc(stream);
    if (c == EOF)
        return false;
    while (c != EOF && c != '\r' && c != '\n') {
        if (length < kLineSize - 1)
            line[length++] = char(c);
        c = getc(stream);
    }
    if (c == '\r') {
        int next = getc(stream);
        if (next != '\n' && next != EOF)
            ungetc(next, stream);
    }
    line[length] = '\0';
    return true;
}

// Finds the next quoted field from *cursor; false when a quote is missing.
bool NextField(const char** cursor, char* field) {
    const char* open = strchr(*cursor, '"');
    const char* close = open ? strchr(open + 1, '"') : nullptr;
    if (!close)
        return false;
    size_t length = size_t(close - open - 1);
    if (length >= size_t(kFieldSize))
        length = kFieldSize - 1;
    memcpy(field, open + 1, length);
    field[length] = '\0';
    *cursor = close + 1;
    return true;
}

} // namespace

ORB_EXPORT(FILE*) ORB_OpenAdViewsDataFile() {
    char path[MAX_PATH + 16] = "";
    // Without an install folder the name would be taken in the current folder.
    if (!ORB_GetExePath(path) || !path[0] || strlen(path) + sizeof "ADVIEWS.TXT" > MAX_PATH)
        return nullptr;
    strcat(path, "ADVIEWS.TXT");
    FILE* stream = fopen(path, "r+b");
    if (!stream) // a read-only file is still read
        stream = fopen(path, "rb");
    return stream;
}

ORB_EXPORT(int)
ORB_GetAdViewsEntry(FILE* stream, char* description, char* viewName, char* clickId) {
    if (!stream)
        return 0;
    char line[kLineSize] = "";
    if (!ReadLine(stream, line))
        return 0;
    if (!strchr(line, '"'))
        return 1;
    char fields[3][kFieldSize];
    const char* cursor = line;
    for (auto& field : fields) {
        if (!NextField(&cursor, field)) {
            Engine_MessageBox(nullptr, "Bad file format in advertising views and clicks file.",
                              "Temporary Message", MB_OK | MB_ICONEXCLAMATION);
            fclose(stream);
            return -1;
        }
    }
    OvkitCopyText(description, ADVIEW_DESCRIPTION_SIZE, fields[2]);
    OvkitCopyText(viewName, ADVIEW_VIEWNAME_SIZE, fields[0]);
    OvkitCopyText(clickId, ADVIEW_CLICKID_SIZE, fields[1]);
    return 1;
}

ORB_EXPORT(int) ORB_CloseAdViewsDataFile(FILE* stream) {
    return stream ? fclose(stream) : EOF;
}
