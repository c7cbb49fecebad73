#include "output_names.h"
#include "write/report_output.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

BOOL SplitOutputPath(const char* path, OutputParts* parts) {
    size_t length = path ? strlen(path) : 0;
    if (length == 0 || length >= MAX_PATH)
        return FALSE;
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    const char* dot = strrchr(name, '.');
    size_t nameLength = dot ? (size_t)(dot - name) : strlen(name);
    memcpy(parts->Folder, path, name - path);
    parts->Folder[name - path] = 0;
    memcpy(parts->Name, name, nameLength);
    parts->Name[nameLength] = 0;
    strcpy(parts->Extension, dot ? dot + 1 : "");
    return TRUE;
}

BOOL IsDocumentExtension(const char* extension) {
    return lstrcmpiA(extension, "doc") == 0 || lstrcmpiA(extension, "xls") == 0;
}

BOOL IsHtmlExtension(const char* extension) {
    return _strnicmp(extension, "htm", 3) == 0;
}

BOOL UsesSeparateFiles(const RunContext* run, const char* word) {
    OutputParts parts;
    if (run->Output->DocumentOutput || !SplitOutputPath(run->Output->OutputPath, &parts))
        return FALSE;
    return IsHtmlExtension(parts.Extension) &&
           lstrcmpiA(run->Output->Style.SeparateFiles, word) == 0;
}

static BOOL Fits(int written) {
    return written > 0 && written < MAX_PATH;
}

BOOL ContentPageName(const OutputParts& parts, int number, char* out) {
    int n = number < 0 ? snprintf(out, MAX_PATH, "%s%s%s.%s", parts.Folder, parts.Name, "_b",
                                  parts.Extension)
                       : snprintf(out, MAX_PATH, "%s%s_%02d%s.%s", parts.Folder, parts.Name, number,
                                  "_b", parts.Extension);
    return Fits(n);
}

BOOL TocPageName(const OutputParts& parts, char* out) {
    return Fits(
        snprintf(out, MAX_PATH, "%s%s%s.%s", parts.Folder, parts.Name, "_t", parts.Extension));
}

// The list is names each ended by a NUL, then an empty name; PageListSize is
// the bytes allocated.
static DWORD UsedLength(const RunContext* run) {
    DWORD used = 0;
    if (!run->Output->PageList)
        return 0;
    while (run->Output->PageList[used])
        used += (DWORD)strlen(run->Output->PageList + used) + 1;
    return used;
}

int AppendPageName(RunContext* run, const char* name) {
    DWORD used = UsedLength(run);
    DWORD need = used + (DWORD)strlen(name) + 2;
    if (need > run->Output->PageListSize) {
        DWORD size = need * 2 > 1024 ? need * 2 : 1024;
        char* grown = (char*)realloc(run->Output->PageList, size);
        if (!grown)
            return 0;
        run->Output->PageList = grown;
        run->Output->PageListSize = size;
    }
    strcpy(run->Output->PageList + used, name);
    run->Output->PageList[need - 1] = 0;
    return 1;
}

void ClearPageList(RunContext* run) {
    if (run->Output->PageList)
        run->Output->PageList[0] = 0;
}
