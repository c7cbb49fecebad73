#include "ovkit/urlutil.h"
#include "ovkit/ovassert.h"
#include "ovkit/pathutil.h"
#include "ovkit/text_copy.h"
#include <cstring>

namespace {

bool CopySpan(char* out, const char* from, const char* to) {
    return !out || OvkitCopyWhole(out, MAX_PATH, from, static_cast<size_t>(to - from));
}

void Clear(char* out) {
    if (out)
        out[0] = '\0';
}

bool Append(char* url, const char* text) {
    return OvkitAppendText(url, MAX_PATH, text);
}

} // namespace

BOOL OVKIT_CALL OVKIT_BuildURL(char* out, const char* scheme, const char* host, const char* path,
                               const char* query) {
    OV_ASSERT(out);
    if (!out)
        return FALSE;
    char url[MAX_PATH] = "";
    bool fits = true;
    if (scheme && *scheme) {
        fits = Append(url, scheme);
        if (!std::strstr(scheme, "://"))
            fits = fits && Append(url, "://");
    } else {
        fits = Append(url, "file://");
    }
    if (host) {
        if (*host == '/')
            ++host;
        fits = fits && Append(url, host);
        if (*host)
            OVKIT_StripEndSlash(url);
    }
    fits = fits && Append(url, "/");
    if (path) {
        if (*path == '/')
            ++path;
        fits = fits && Append(url, path);
    }
    if (query && *query) {
        if (*query != '?')
            fits = fits && Append(url, "?");
        fits = fits && Append(url, query);
    }
    // The host's separator is taken off only for "/" to follow, so no step
    // is longer than the result.
    return OvkitCopyWhole(out, MAX_PATH, url, fits ? std::strlen(url) : MAX_PATH);
}

BOOL OVKIT_CALL OVKIT_ParseURL(const char* url, char* scheme, char* host, char* path, char* query) {
    Clear(scheme);
    Clear(host);
    Clear(path);
    Clear(query);
    OV_ASSERT(url);
    if (!url)
        return FALSE;
    const char* end = url + std::strlen(url);
    const char* mark = std::strrchr(url, '?');
    const char* pathEnd = mark ? mark : end;
    const char* sep = std::strstr(url, "://");
    const char* pathStart = url;
    bool fits = true;
    // A "://" inside the query is no scheme separator.
    if (sep && sep < pathEnd) {
        fits = CopySpan(scheme, url, sep);
        const char* hostStart = sep + 3;
        const char* slash = static_cast<const char*>(
            std::memchr(hostStart, '/', static_cast<size_t>(pathEnd - hostStart)));
        if (slash) {
            fits = CopySpan(host, hostStart, slash) && fits;
            pathStart = slash + 1;
        } else {
            pathStart = hostStart;
        }
    }
    fits = CopySpan(path, pathStart, pathEnd) && fits;
    if (mark)
        fits = CopySpan(query, mark + 1, end) && fits;
    if (fits)
        return TRUE;
    Clear(scheme);
    Clear(host);
    Clear(path);
    Clear(query);
    return FALSE;
}
