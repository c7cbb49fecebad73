#include "template_markers.h"

#include <ctype.h>
#include <string.h>

#include "core/template_io.h"

std::string TemplateHeaderText(const std::string& text, size_t* from, size_t* to) {
    std::string upper = text;
    for (char& c : upper)
        c = (char)toupper((unsigned char)c);
    size_t open = upper.find("<OVHDR>");
    size_t close = open == std::string::npos ? open : upper.find("</OVHDR>", open);
    if (close == std::string::npos)
        return "";
    if (from)
        *from = open + 7;
    if (to)
        *to = close;
    return text.substr(open + 7, close - open - 7);
}

bool MarkerNameEndsWith(const std::string& name, const char* tail) {
    size_t n = strlen(tail);
    return name.size() >= n && _stricmp(name.c_str() + name.size() - n, tail) == 0;
}

std::string BracedField(const std::string& settings) {
    size_t open = settings.find('{');
    size_t close = open == std::string::npos ? open : settings.find('}', open);
    return close == std::string::npos ? "" : settings.substr(open + 1, close - open - 1);
}

bool ReadTemplateText(const char* path, std::string& text) {
    DWORD error = 0;
    HANDLE file = OpenTemplateFile(path, GENERIC_READ, &error);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool read = ReadWholeFile(file, text);
    CloseHandle(file);
    return read;
}
