#include "analysis_tables.h"

static int FoldUpper(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? c - 32 : c;
}

static int FoldLower(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? c + 32 : c;
}

int CompareItemNames(const char* a, const char* b) {
    // A cheap first-character test decides most comparisons.
    int first = FoldUpper((unsigned char)a[0]) - FoldUpper((unsigned char)b[0]);
    if (first != 0)
        return first;
    const unsigned char* p = (const unsigned char*)a;
    const unsigned char* q = (const unsigned char*)b;
    for (;; ++p, ++q) {
        int d = FoldLower(*p) - FoldLower(*q);
        if (d != 0 || !*p)
            return d;
    }
}

int TableKindOfNumber(int tableNumber) {
    switch (tableNumber) {
    case 4:
    case 17:
    case 18:
    case 41:
        return TABLE_KIND_SERVERS;
    case 37:
        return TABLE_KIND_BANDWIDTH;
    case 39:
    case 40:
    case 42:
    case 43:
        return TABLE_KIND_SEARCH;
    default:
        return TABLE_KIND_PLAIN;
    }
}
