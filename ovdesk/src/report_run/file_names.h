// The file-name part of a path: what follows its last "\", "/" or ":".
#pragma once

inline const char* FileNamePart(const char* path) {
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    return name;
}
