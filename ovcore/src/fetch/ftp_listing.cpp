// Reading the long listing lines of an FTP folder.
#include "fetch/ftp_fetch.h"
#include <stdlib.h>
#include <string.h>

namespace {

const char kBlanks[] = " \t";

// The line is "MM-DD-YY  HH:MMAM ...".
BOOL IsDosLine(const char* line) {
    return strlen(line) >= 17 && line[2] == '-' && line[5] == '-' && line[12] == ':' &&
           line[16] == 'M';
}

// The start of the field behind the given number of runs of blanks, or null.
const char* Field(const char* line, int runs) {
    const char* p = line;
    for (int i = 0; i < runs; i++) {
        p += strcspn(p, kBlanks);
        if (!*p)
            return nullptr;
        p += strspn(p, kBlanks);
    }
    return *p ? p : nullptr;
}

} // namespace

ULONGLONG FtpListing_Size(const char* line) {
    const char* field = Field(line, IsDosLine(line) ? 2 : 4);
    return field ? _strtoui64(field, nullptr, 10) : 0;
}

BOOL FtpListing_IsFolder(const char* line) {
    if (!IsDosLine(line))
        return line[0] == 'd';
    const char* field = Field(line, 2);
    return field && _strnicmp(field, "<dir>", 5) == 0;
}

BOOL FtpListing_Names(const char* line, const char* name) {
    size_t length = strlen(line);
    while (length && strchr(kBlanks, line[length - 1]))
        length--;
    size_t nameLength = strlen(name);
    return nameLength && nameLength <= length &&
           strncmp(line + length - nameLength, name, nameLength) == 0 &&
           (length == nameLength || strchr(kBlanks, line[length - nameLength - 1]));
}
