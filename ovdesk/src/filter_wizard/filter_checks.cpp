// The checks the filter pages make before they store what was typed.
#include "filter_wizard/filter_checks.h"
#include <cstring>
#include <cstdlib>

int CheckReturnCodeText(const std::string& text) {
    bool wildcard = text.find('*') != std::string::npos;
    for (char c : text) {
        if (c == '*' || c == ' ' || c == ',')
            continue;
        if (c < '0' || c > '9')
            return RETURN_CODES_INVALID;
        if (wildcard)
            return RETURN_CODES_MIXED;
    }
    return RETURN_CODES_OK;
}

bool HasMixedWildcard(const std::string& text) {
    return text.find('*') != std::string::npos &&
           text.find_first_not_of("*, ") != std::string::npos;
}

bool DirectoryNeedsQuotes(const std::string& text) {
    if (text.find_first_of("\"'") != std::string::npos)
        return false;
    // Blanks at the end separate nothing.
    size_t end = text.find_last_not_of(' ');
    if (end == std::string::npos)
        return false;
    std::string used = text.substr(0, end + 1);
    size_t at = used.find(' ');
    if (at == std::string::npos)
        at = used.find(',');
    if (at == std::string::npos)
        return false;
    char next = at + 1 < used.size() ? used[at + 1] : '\0';
    return next != '/' && next != '\\';
}

bool NoFilenamesOptionIsVoid(DWORD type, const FilterString* files) {
    if (type == FILTER_EXCLUDE)
        return !files;
    const char* first = files ? files->lpszText : nullptr;
    return first && (strcmp(first, "*") == 0 || strcmp(first, "*.*") == 0);
}

const char* SuspectReferrer(const FilterString* referrers) {
    const char* const prefixes[] = {"http:", "ftp:", "mail:", "file:"};
    for (const FilterString* item = referrers; item; item = item->Next) {
        const char* text = item->lpszText;
        if (!text || !text[0] || text[0] == '*' || _stricmp(text, "(No Referrer)") == 0)
            continue;
        bool url = false;
        for (const char* prefix : prefixes)
            url = url || _strnicmp(text, prefix, strlen(prefix)) == 0;
        if (!url)
            return text;
    }
    return nullptr;
}

int ParseHour(const std::string& text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return -1;
    size_t last = text.find_last_not_of(' ');
    std::string digits = text.substr(first, last - first + 1);
    if (digits.size() > 2 || digits.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    int hour = atoi(digits.c_str());
    return hour <= 23 ? hour : -1;
}
