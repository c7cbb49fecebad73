// Splitting a URL path into directory, file name and extension.
#include "ovcore/filters.h"
#include <cstring>

// Copies len characters into out, or empties out when they do not fit.
static void CopyPart(char* out, int size, const char* text, size_t len) {
    if (!out || size < 1)
        return;
    if (len + 1 > static_cast<size_t>(size))
        len = 0;
    std::memcpy(out, text, len);
    out[len] = '\0';
}

void ORB_CALL SplitURLPath(const char* szUrl, char* szDir, int dirSize, char* szName, int nameSize,
                           char* szExt, int extSize) {
    if (!szUrl || !*szUrl)
        return;
    const char* slash = std::strrchr(szUrl, '/');
    const char* file = slash ? slash + 1 : szUrl;
    const char* dot = std::strrchr(file, '.');
    size_t dirLen = std::strlen(szUrl);
    if (dot) {
        dirLen = static_cast<size_t>(file - szUrl);
        CopyPart(szName, nameSize, file, static_cast<size_t>(dot - file));
        CopyPart(szExt, extSize, dot + 1, std::strlen(dot + 1));
    } else {
        CopyPart(szName, nameSize, "", 0);
        CopyPart(szExt, extSize, "", 0);
    }
    if (dirLen > 1 && szUrl[dirLen - 1] == '/')
        dirLen--;
    CopyPart(szDir, dirSize, szUrl, dirLen);
}
