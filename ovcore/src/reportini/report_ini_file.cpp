#include "reportini/report_ini_file.h"
#include "ovcore/langvars.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace reportini {

void ReportIniFile::Read(const char* section, const char* key, const char* def, char* value,
                         int max) const {
    GetPrivateProfileStringA(section, key, def, value, kWorkSize, path_);
    ExpandVarMarkers(value, kWorkSize);
    if (max >= 0 && max < kWorkSize)
        value[max] = '\0';
}

int ReportIniFile::ReadInt(const char* section, const char* key, int def) const {
    char fallback[16];
    snprintf(fallback, sizeof fallback, "%d", def);
    char value[kWorkSize];
    Read(section, key, fallback, value, 20);
    return atoi(value);
}

bool IsOneIntegerFormat(const char* format) {
    int conversions = 0;
    for (const char* p = format; *p; ++p) {
        if (*p != '%')
            continue;
        ++p;
        if (*p == '%')
            continue;
        p += strspn(p, "-+ 0#");
        p += strspn(p, "0123456789");
        if (*p == '.') {
            ++p;
            p += strspn(p, "0123456789");
        }
        if (*p == 'l')
            ++p;
        if (!*p || !strchr("diuoxX", *p))
            return false;
        ++conversions;
    }
    return conversions == 1;
}

} // namespace reportini
