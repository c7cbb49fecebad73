// Page titles: the cache, the page, and the text between the tags.
#include "core/engine_state.h"
#include "fetch/fetch_ids.h"
#include "fetch/title_cache.h"
#include "fetch/title_fetch.h"
#include "ovcore/logpath.h"
#include "ovcore/registration.h"
#include "ovcore/settings.h"
#include <stdio.h>
#include <string.h>
#include <time.h>

#include <string>

namespace {

BOOL g_noTitles = FALSE;
// Pages larger than this are read only this far.
const DWORD kReadMax = 1 << 20;

std::string ReadPage(const char* path, BOOL* opened) {
    std::string text;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    *opened = file != INVALID_HANDLE_VALUE;
    if (!*opened)
        return text;
    char buffer[10240];
    DWORD n = 0;
    while (text.size() < kReadMax && ReadFile(file, buffer, sizeof(buffer), &n, nullptr) && n)
        text.append(buffer, n);
    CloseHandle(file);
    return text;
}

size_t FindTag(const std::string& text, const char* tag, size_t from) {
    size_t n = strlen(tag);
    for (size_t i = from; i + n <= text.size(); i++)
        if (text[i] == '<' && _strnicmp(text.c_str() + i, tag, n) == 0)
            return i;
    return std::string::npos;
}

// The text after the opening tag: its first line, inner tags dropped, cut
// at the closing tag and at TITLE_MAX characters.
BOOL Extract(const std::string& page, DWORD selector, char* title) {
    const char* open = selector == TITLE_SELECT_OVHDR ? "<OVHDR>" : "<TITLE>";
    const char* close = selector == TITLE_SELECT_OVHDR ? "</OVHDR>" : "</TITLE>";
    if (page.size() <= 15)
        return FALSE;
    size_t at = FindTag(page, open, 0);
    if (at == std::string::npos)
        return FALSE;
    at += strlen(open);
    while (at < page.size() && (page[at] == '\r' || page[at] == '\n'))
        at++;
    size_t length = 0;
    for (; at < page.size() && page[at] != '\r' && page[at] != '\n'; at++) {
        if (page[at] == '<') {
            if (_strnicmp(page.c_str() + at, close, strlen(close)) == 0)
                break;
            size_t end = page.find('>', at);
            if (end == std::string::npos)
                break;
            at = end;
            continue;
        }
        if (length < TITLE_MAX)
            title[length++] = page[at];
    }
    title[length] = 0;
    return TRUE;
}

void Status(TITLESTATUSPROC status, const char* text) {
    if (status)
        status(0, text, 0);
}

// The page behind url in file (the temporary file for a fetched page).
// 1 found, 0 no page, -1 unreachable.
int GetPage(const char* url, const char* user, const char* password, TITLESTATUSPROC status,
            char* file, DWORD fileSize, BOOL* fetched) {
    char path[MAX_PATH], host[256];
    int port = 0;
    int protocol = ParseUrlSource(path, sizeof(path), url, host, sizeof(host), &port);
    *fetched = protocol == SERVER_PROTOCOL_HTTP;
    if (protocol == SERVER_PROTOCOL_FILE) {
        NormalizeLogPathAt(path, sizeof(path), Engine_State().dataFolder, time(nullptr));
        lstrcpynA(file, path, (int)fileSize);
        return TITLE_FETCH_OK;
    }
    if (protocol != SERVER_PROTOCOL_HTTP)
        return TITLE_FETCH_NO_PAGE;
    char text[FETCH_ERROR_SIZE];
    snprintf(text, sizeof(text), LoadCachedString(IDS_FETCH_HTTP_LOGIN), user ? user : "", host);
    Status(status, text);
    return TitleFetch_Http(host, port, path, user, password, file, status);
}

} // namespace

void PageTitles_BeginRun(void) {
    g_noTitles = GetModuleProfileInt("Defaults", "NoHTMLTitles", 0) == 1;
}

ORB_EXPORT(int)
ORB_GetHTML_Title(DWORD selector, const char* url, const char* user, const char* password,
                  char* title, TITLESTATUSPROC status, int* failed) {
    if (!title)
        return 0;
    title[0] = 0;
    if (g_noTitles || !url || !url[0])
        return 0;
    if (FindCachedTitle(url, title))
        return 1;
    // A page that cannot be read is not asked for again until this expires.
    AddCachedTitle(url, nullptr);
    char temp[MAX_PATH];
    snprintf(temp, sizeof(temp), "%sTEMP2.TMP", Engine_State().dataFolder);
    DeleteFileA(temp);
    char text[FETCH_STATUS_NAME_MAX + 1];
    snprintf(text, sizeof(text), "%s%s", LoadCachedString(IDS_FETCH_ACCESSING), url);
    Status(status, text);
    BOOL fetched = FALSE;
    char file[MAX_PATH];
    lstrcpynA(file, temp, sizeof(file));
    int got = GetPage(url, user, password, status, file, sizeof(file), &fetched);
    BOOL opened = FALSE;
    std::string page = got == TITLE_FETCH_OK ? ReadPage(file, &opened) : std::string();
    if (fetched)
        DeleteFileA(temp);
    if (got == TITLE_FETCH_UNREACHABLE || (fetched && got == TITLE_FETCH_OK && !opened)) {
        if (failed)
            *failed = 1;
        return 0;
    }
    if (!Extract(page, selector, title)) {
        title[0] = 0;
        return 0;
    }
    AddCachedTitle(url, title);
    return 1;
}
