#include "ovkit/urlutil.h"
#include "ovkit/ovassert.h"
#include "ovkit/pathutil.h"
#include "textbound.h"
#include <cstring>

using ovkit_detail::AppendText;
using ovkit_detail::CopyPart;

namespace {

void CopySpan(char* out, const char* from, const char* to) {
    if (out)
        CopyPart(out, MAX_PATH, from, static_cast<size_t>(to - from));
}

void Clear(char* out) {
    if (out)
        out[0] = '\0';
}

} // namespace

void OVKIT_CALL OVKIT_BuildURL(char* out, const char* scheme, const char* host, const char* path,
                               const char* query) {
    OV_ASSERT(out);
    if (!out)
        return;
    char url[MAX_PATH] = "";
    if (scheme && *scheme) {
        AppendText(url, MAX_PATH, scheme);
        if (!std::strstr(scheme, "://"))
            AppendText(url, MAX_PATH, "://");
    } else {
        AppendText(url, MAX_PATH, "file://");
    }
    if (host) {
        if (*host == '/')
            ++host;
        AppendText(url, MAX_PATH, host);
        if (*host)
            OVKIT_StripEndSlash(url);
    }
    AppendText(url, MAX_PATH, "/");
    if (path) {
        if (*path == '/')
            ++path;
        AppendText(url, MAX_PATH, path);
    }
    if (query && *query) {
        if (*query != '?')
            AppendText(url, MAX_PATH, "?");
        AppendText(url, MAX_PATH, query);
    }
    std::memcpy(out, url, std::strlen(url) + 1);
}

void OVKIT_CALL OVKIT_ParseURL(const char* url, char* scheme, char* host, char* path, char* query) {
    Clear(scheme);
    Clear(host);
    Clear(path);
    Clear(query);
    OV_ASSERT(url);
    if (!url)
        return;
    const char* end = url + std::strlen(url);
    const char* mark = std::strrchr(url, '?');
    const char* pathEnd = mark ? mark : end;
    const char* sep = std::strstr(url, "://");
    const char* pathStart = url;
    // A "://" inside the query is no scheme separator.
    if (sep && sep < pathEnd) {
        CopySpan(scheme, url, sep);
        const char* hostStart = sep + 3;
        const char* slash = static_cast<const char*>(
            std::memchr(hostStart, '/', static_cast<size_t>(pathEnd - hostStart)));
        if (slash) {
            CopySpan(host, hostStart, slash);
            pathStart = slash + 1;
        } else {
            pathStart = hostStart;
        }
    }
    CopySpan(path, pathStart, pathEnd);
    if (mark)
        CopySpan(query, mark + 1, end);
}
