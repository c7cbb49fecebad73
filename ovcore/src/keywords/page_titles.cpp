#include "page_titles.h"

#include <string.h>

#include "ovcore/fetch.h"
#include "ovkit/pathutil.h"
#include "ovkit/urlutil.h"
#include "keyword_text.h"
#include "run/run_context.h"
#include "ovkit/text_copy.h"

// Fetches the title of a file URL when its kind asks for one.
static bool FetchFileTitle(const RunContext* run, const char* url, const char* path, char* title,
                           DWORD size) {
    char ext[MAX_PATH] = "";
    OVKIT_ParsePath(path, nullptr, nullptr, nullptr, ext);
    if (!IsTitleFetchType(run, ext) || !IsDocumentUrl(run, path, ext))
        return false;
    char text[TITLE_BUFFER_SIZE] = "";
    if (!ORB_GetHTML_Title(0, url, "", "", text, nullptr, nullptr) || !text[0])
        return false;
    OvkitCopyText(title, size, text);
    return true;
}

void FetchItemPageTitle(const RunContext* run, const char* url, char* title, DWORD size) {
    OvkitCopyText(title, size, "");
    char scheme[MAX_PATH], host[MAX_PATH], path[MAX_PATH], query[MAX_PATH];
    char fname[MAX_PATH] = "", ext[MAX_PATH] = "";
    if (!run || !OVKIT_ParseURL(url, scheme, host, path, query) ||
        !OVKIT_ParsePath(path, nullptr, nullptr, fname, ext))
        return;
    if (fname[0] || ext[0]) {
        FetchFileTitle(run, url, path, title, size);
        return;
    }
    bool file = _stricmp(scheme, "file") == 0;
    if (!file && _stricmp(scheme, "ftp") != 0) {
        char text[TITLE_BUFFER_SIZE] = "";
        if (ORB_GetHTML_Title(0, url, "", "", text, nullptr, nullptr))
            OvkitCopyText(title, size, text);
        return;
    }
    for (const FilterString* name = run->HomePageList; name; name = file ? name->Next : nullptr) {
        char page[MAX_PATH];
        OvkitCopyText(page, sizeof(page), url);
        OvkitAppendText(page, sizeof(page), name->lpszText);
        if (FetchFileTitle(run, page, page, title, size))
            return;
    }
}

void CompletePageUrl(const RunContext* run, const char* name, char* url, DWORD size) {
    char scheme[MAX_PATH] = "", host[MAX_PATH] = "", path[MAX_PATH] = "";
    if (strstr(name, "://") || !run || !run->HomePagePrefix[0]) {
        OvkitCopyText(url, size, name);
        return;
    }
    OVKIT_ParseURL(run->HomePagePrefix, scheme, host, path, nullptr);
    if (scheme[0] && _stricmp(scheme, "file") != 0) {
        FormatValueText(url, size, "%s://%s", scheme, host);
    } else {
        // A local folder: the name's slashes become the folder's separators.
        OvkitCopyText(url, size, scheme[0] ? path : run->HomePagePrefix);
        for (const char* p = name; *p; ++p) {
            char step[2] = {*p == '/' ? '\\' : *p, 0};
            OvkitAppendText(url, size, step);
        }
        return;
    }
    OvkitAppendText(url, size, name);
}
