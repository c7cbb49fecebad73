#include "logparse/w3c_warning.h"
#include "logparse/parse_engine.h"

#include <string>
#include <vector>

namespace {
const char* g_source;
// The files whose message this run has shown; a run reads few files and the
// list is looked at only when a message is due.
std::vector<std::string> g_warned;

// TRUE the first time the run asks for the file being read (or for text of
// no file).
BOOL FirstForSource() {
    if (!g_source)
        return TRUE;
    for (const std::string& path : g_warned)
        if (_stricmp(path.c_str(), g_source) == 0)
            return FALSE;
    g_warned.push_back(g_source);
    return TRUE;
}
} // namespace

void W3C_SetWarningSource(const char* path) {
    g_source = path;
}

void W3C_ForgetWarnedFiles(void) {
    g_warned.clear();
}

void W3C_WarnInvalidFormat(W3CFieldMap* map) {
    if (map->bWarned)
        return;
    map->bWarned = 1;
    if (!FirstForSource())
        return;
    LogParseErrorFn show = LogParse_ErrorDisplay();
    // The client loads caption and text from the two ids.
    if (show)
        show(nullptr, nullptr, nullptr, IDS_W3C_INVALID_TITLE, IDS_W3C_INVALID_TEXT, 0);
}
