// Counts, percentages and kilobytes as report cells show them.
#include "ovcore/report_numbers.h"
#include "ovcore/settings.h"
#include <stdio.h>
#include <string.h>

ORB_EXPORT(int) FormatCount(ULONGLONG value, char* out, int size) {
    char digits[32];
    int n = snprintf(digits, sizeof digits, "%llu", value);
    char text[48];
    int k = 0;
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            text[k++] = ',';
        text[k++] = digits[i];
    }
    text[k] = '\0';
    if (out && size > 0)
        lstrcpynA(out, text, size);
    return n;
}

ORB_EXPORT(void) FormatPercent(double part, double whole, char* out, int size) {
    if (!out || size <= 0)
        return;
    if (whole == 0) {
        snprintf(out, size_t(size), "0%%");
        return;
    }
    long long p = (long long)(part * 10000.0 / whole);
    long long whole100 = p / 100, rest = p % 100;
    if (rest < 0)
        rest = -rest;
    if (rest == 0)
        snprintf(out, size_t(size), "%lld%%", whole100);
    else if (rest % 10 == 0)
        snprintf(out, size_t(size), "%lld.%1lld%%", whole100, rest / 10);
    else
        snprintf(out, size_t(size), "%lld.%02lld%%", whole100, rest);
}

ORB_EXPORT(int) FormatKilobytes(double bytes, char* out, int size) {
    ULONGLONG whole = bytes > 0 ? ULONGLONG(bytes) : 0;
    return FormatCount((whole + 1023) / 1024, out, size);
}

ORB_EXPORT(int) GetBigTableCutoff(void) {
    static int cutoff = 0;
    if (cutoff == 0)
        cutoff = GetModuleProfileInt("Defaults", "BigTableCutoff", 10000);
    return cutoff;
}

ORB_EXPORT(int) SplitDomainLabels(char* text) {
    if (!text || !*text)
        return 0;
    int labels = 1;
    for (char* p = text; *p; ++p)
        if (*p == '.') {
            *p = '\0';
            ++labels;
        }
    return labels;
}
