#include "page_path_text.h"

#include <stdlib.h>
#include <string.h>

#include "run/run_context.h"

#define PATH_TEXT_LIMIT 4090

static const char* PageName(const RunContext* run, DWORD code) {
    const PeriodBlock& period = run->Period;
    int number = (code >> 16) == 1 ? TopForms : TopDocuments;
    if (!period.TopTablesPtr || (DWORD)number >= period.TopTablesCount)
        return nullptr;
    const AnalysisTable& table = period.TopTablesPtr[number];
    for (DWORD i = 0; table.lpItems && i < table.ovCount; ++i) {
        const AnalysisItem* item = table.lpItems[i];
        if (item && item->ovOriginalIndex == (code & 0xFFFF) && item->ovString)
            return item->ovString;
    }
    return nullptr;
}

void BuildPagePathText(const RunContext* run, const char* codes, char* out, DWORD size) {
    if (!out || size == 0)
        return;
    out[0] = 0;
    size_t used = 0;
    size_t limit = size - 1 < PATH_TEXT_LIMIT ? size - 1 : PATH_TEXT_LIMIT;
    for (const char* p = codes; run && p && strlen(p) >= 8; p += 8) {
        char digits[9];
        memcpy(digits, p, 8);
        digits[8] = 0;
        const char* name = PageName(run, strtoul(digits, nullptr, 16));
        if (!name)
            break;
        size_t length = strlen(name) + (used ? 2 : 0);
        if (used + length > limit)
            break;
        if (used)
            memcpy(out + used, "\r\n", 2);
        memcpy(out + used + (used ? 2 : 0), name, strlen(name) + 1);
        used += length;
    }
}
