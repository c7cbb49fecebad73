// The date macros of report output names ("%yyyy%", "%date-N%", ...).
#include "report_run/output_names.h"
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {
enum { MACRO_VALUE_CHARS = 19, SECONDS_PER_DAY = 86400 };

struct OutputNameMacro {
    const char* Name;
    const char* Format;
    bool Yesterday; // from now minus a day, whatever "%date-" said
};

const OutputNameMacro kMacros[] = {
    {"%hour%", "%H", false},  {"%minute%", "%M", false}, {"%second%", "%S", false},
    {"%month%", "%m", false}, {"%mm%", "%m", false},     {"%mon%", "%b", false},
    {"%day%", "%d", false},   {"%dd%", "%d", false},     {"%year%", "%y", false},
    {"%yy%", "%y", false},    {"%yyyy%", "%Y", false},   {"%ymonth%", "%m", true},
    {"%yday%", "%d", true},   {"%yyear%", "%y", true},
};

// Appends text to out (at most OUTPUT_NAME_MACRO_SIZE - 1 characters).
void Append(char* out, size_t* used, const char* text, size_t length) {
    size_t room = OUTPUT_NAME_MACRO_SIZE - 1 - *used;
    if (length > room)
        length = room;
    memcpy(out + *used, text, length);
    *used += length;
    out[*used] = '\0';
}

// "%date-N%" at p: moves base back N days; the length consumed, or 0.
size_t TakeDateShift(const char* p, time_t* base) {
    if (_strnicmp(p, "%date-", 6) != 0)
        return 0;
    const char* number = p + 6;
    const char* close = strchr(number, '%');
    size_t length = close ? (size_t)(close - p) + 1 : strlen(p);
    *base -= (time_t)atol(number) * SECONDS_PER_DAY;
    return length;
}
} // namespace

void ExpandOutputNameMacros(char* name) {
    ExpandOutputNameMacrosAt(name, time(nullptr));
}

void ExpandOutputNameMacrosAt(char* name, time_t now) {
    char source[OUTPUT_NAME_MACRO_SIZE];
    lstrcpynA(source, name, sizeof source);
    time_t base = now;
    char out[OUTPUT_NAME_MACRO_SIZE] = "";
    size_t used = 0;
    for (const char* p = source; *p;) {
        if (*p != '%') {
            Append(out, &used, p++, 1);
            continue;
        }
        if (size_t shift = TakeDateShift(p, &base)) {
            p += shift;
            continue;
        }
        bool matched = false;
        for (const OutputNameMacro& macro : kMacros) {
            size_t length = strlen(macro.Name);
            if (_strnicmp(p, macro.Name, length) != 0)
                continue;
            time_t when = macro.Yesterday ? now - SECONDS_PER_DAY : base;
            char value[MACRO_VALUE_CHARS + 1] = "";
            struct tm* local = localtime(&when);
            if (local)
                strftime(value, sizeof value, macro.Format, local);
            Append(out, &used, value, strlen(value));
            p += length;
            matched = true;
            break;
        }
        if (!matched)
            Append(out, &used, p++, 1);
    }
    lstrcpynA(name, out, OUTPUT_NAME_MACRO_SIZE);
}
