// Return-code sets and weekday sets of filters, to and from text.
#include "ovcore/filters.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

static bool IsCodeSeparator(char c) {
    return c == ' ' || c == '\t' || c == ',';
}

void ORB_CALL ReturnCodeStringToStruct(const char* szText, ProfileFilter* lpFilter) {
    if (!lpFilter)
        return;
    std::memset(lpFilter->ReturnCodes, 0, sizeof lpFilter->ReturnCodes);
    if (!szText)
        return;
    const char* p = szText;
    while (IsCodeSeparator(*p))
        p++;
    if (std::strchr(p, '*')) {
        lpFilter->ReturnCodes[0] = FILTER_ALL_CODES;
        return;
    }
    int slot = 0;
    while (*p && slot < FILTER_RETURNCODE_SLOTS - 1) {
        if (IsCodeSeparator(*p)) {
            p++;
            continue;
        }
        lpFilter->ReturnCodes[slot++] = std::strtoul(p, nullptr, 10);
        while (*p && !IsCodeSeparator(*p))
            p++;
    }
}

void ORB_CALL ReturnCodeStructToString(const ProfileFilter* lpFilter, char* szOut, int size) {
    if (!szOut || size < 1)
        return;
    szOut[0] = '\0';
    if (!lpFilter)
        return;
    if (lpFilter->ReturnCodes[0] == FILTER_ALL_CODES) {
        if (size >= 2)
            std::strcpy(szOut, "*");
        return;
    }
    int used = 0;
    for (int i = 0; i < FILTER_RETURNCODE_SLOTS && lpFilter->ReturnCodes[i]; i++) {
        char item[16];
        int len =
            std::snprintf(item, sizeof item, "%d ", static_cast<int>(lpFilter->ReturnCodes[i]));
        if (used + len + 1 > size)
            break;
        std::memcpy(szOut + used, item, len);
        used += len;
    }
    if (used > 0)
        used--;
    szOut[used] = '\0';
}

void ORB_CALL ParseDaysText(const char* szText, ProfileFilter* lpFilter) {
    if (!lpFilter)
        return;
    lpFilter->Days = 0;
    if (!szText || !*szText)
        return;
    if (std::strchr(szText, '*')) {
        lpFilter->Days = ALL_DAYS;
        return;
    }
    for (const char* p = szText; *p; p++) {
        if (*p >= '0' && *p <= '6')
            lpFilter->Days |= 1u << (*p - '0');
    }
}

void ORB_CALL DaysToText(const ProfileFilter* lpFilter, char* szOut, int size) {
    if (!szOut || size < 1)
        return;
    szOut[0] = '\0';
    if (!lpFilter || lpFilter->Days == 0)
        return;
    if (lpFilter->Days == ALL_DAYS) {
        if (size >= 2)
            std::strcpy(szOut, "*");
        return;
    }
    int used = 0;
    for (int day = 0; day < 7; day++) {
        if (!(lpFilter->Days & (1u << day)))
            continue;
        int need = used ? 2 : 1; // a blank before every digit but the first
        if (used + need + 1 > size)
            break;
        if (used)
            szOut[used++] = ' ';
        szOut[used++] = static_cast<char>('0' + day);
    }
    szOut[used] = '\0';
}
