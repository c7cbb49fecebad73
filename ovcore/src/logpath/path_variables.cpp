#include "logpath/path_variables.h"
#include "ovcore/logpath.h"
#include <ctype.h>
#include <stdlib.h>
#include <string.h>

namespace {

const time_t kDay = 86400;

struct Variable {
    const char* name;
    const char* pattern;
    bool yesterday; // formats now minus one day instead of the reference time
};

const Variable kVariables[] = {
    {"hour", "%H", false}, {"minute", "%M", false}, {"second", "%S", false}, {"month", "%m", false},
    {"mm", "%m", false},   {"day", "%d", false},    {"dd", "%d", false},     {"year", "%y", false},
    {"yy", "%y", false},   {"yyyy", "%Y", false},   {"ymonth", "%m", true},  {"yday", "%d", true},
    {"yyear", "%y", true},
};

enum Outcome { kKept, kReplaced, kRemoved };

BOOL Format(char* value, const char* pattern, time_t when) {
    struct tm* t = localtime(&when);
    return t && strftime(value, LOGPATH_VARIABLE_MAX + 1, pattern, t) > 0;
}

// "%Mon%" as written, "%mon%" lower-cased, "%MON%" upper-cased; any other
// mix of case as written.
Outcome ExpandMonth(const char* name, time_t reference, char* value) {
    if (!Format(value, "%b", reference))
        return kKept;
    if (strcmp(name, "mon") == 0)
        for (char* c = value; *c; c++)
            *c = (char)tolower((unsigned char)*c);
    else if (strcmp(name, "MON") == 0)
        for (char* c = value; *c; c++)
            *c = (char)toupper((unsigned char)*c);
    return kReplaced;
}

// "date-N": the reference becomes now minus N days.
Outcome SetReference(const char* name, time_t now, time_t* reference) {
    const char* digits = name + 5;
    if (!*digits || strspn(digits, "0123456789") != strlen(digits) || strlen(digits) > 6)
        return kKept;
    *reference = now - (time_t)atol(digits) * kDay;
    return kRemoved;
}

Outcome Expand(const char* name, time_t now, time_t* reference, char* value) {
    if (lstrcmpiA(name, "mon") == 0)
        return ExpandMonth(name, *reference, value);
    if (_strnicmp(name, "date-", 5) == 0)
        return SetReference(name, now, reference);
    for (const Variable& v : kVariables) {
        if (lstrcmpiA(name, v.name) != 0)
            continue;
        return Format(value, v.pattern, v.yesterday ? now - kDay : *reference) ? kReplaced : kKept;
    }
    return kKept;
}

struct Output {
    char* out;
    DWORD size;
    DWORD length;
    BOOL Append(const char* text, size_t count) {
        if (length + count >= size)
            return FALSE;
        memcpy(out + length, text, count);
        length += (DWORD)count;
        out[length] = 0;
        return TRUE;
    }
};

} // namespace

BOOL ExpandPathVariables(const char* text, char* out, DWORD size, time_t now) {
    Output o = {out, size, 0};
    if (size == 0)
        return FALSE;
    out[0] = 0;
    time_t reference = now;
    for (const char* p = text; *p;) {
        const char* close = *p == '%' ? strchr(p + 1, '%') : nullptr;
        char name[16];
        if (close && (size_t)(close - p - 1) < sizeof(name)) {
            memcpy(name, p + 1, close - p - 1);
            name[close - p - 1] = 0;
            char value[LOGPATH_VARIABLE_MAX + 1];
            Outcome outcome = Expand(name, now, &reference, value);
            if (outcome == kReplaced && !o.Append(value, strlen(value)))
                return FALSE;
            if (outcome != kKept) {
                p = close + 1;
                continue;
            }
        }
        // Text that is no variable is copied; its closing "%" may open the next one.
        if (!o.Append(p, 1))
            return FALSE;
        p++;
    }
    return TRUE;
}
