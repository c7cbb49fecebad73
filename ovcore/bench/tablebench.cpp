// ovcore_tablebench: cost of the statistics tables' insertion and look-up at
// a million distinct names, and of putting the sort index in name order.
//
//   ovcore_tablebench [-n names]
//
// Prints the seconds of each pass. Run by hand (docs/benchmarks.md).
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "tables/analysis_tables.h"
#include "tables/item_counters.h"

namespace {

double Seconds(LARGE_INTEGER from) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

void Name(DWORD i, char* buffer) {
    // Spread like shop URLs, so that neighbours in time are far apart in
    // name order.
    sprintf(buffer, "/shop/c%03u/item%07u.html", unsigned((i * 2654435761u) % 997), unsigned(i));
}

// Inserts every name once (new items), then once more (found items).
void InsertPasses(DWORD names, DWORD cachedTime) {
    AnalysisTable table{};
    table.dwSize = ANALYSIS_TABLE_SIZE;
    table.dwVersion = ANALYSIS_VERSION;
    char name[64];
    const char* passes[] = {"distinct inserts", "repeated look-ups"};
    DWORD second = 1000;
    for (const char* pass : passes) {
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        for (DWORD i = 0; i < names; ++i) {
            Name(i, name);
            // Ten hits a second, as a busy log has them.
            DWORD r = InsertTableItem(TABLE_KIND_PLAIN, nullptr, nullptr, &table, name, nullptr,
                                      second + i / 10, cachedTime, 0, 0, 0);
            if (!r) {
                printf("insert failed at %lu\n", (unsigned long)i);
                exit(1);
            }
            TableItem_CountHit(table.lpItems[r - 1], 0, 1);
        }
        second += names / 10;
        printf("%-20s cache time %-5lu %8lu names  %.3f s\n", pass, (unsigned long)cachedTime,
               (unsigned long)names, Seconds(start));
    }
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    MaterialiseSortIndex(&table);
    printf("%-20s %8lu entries  %.3f s\n", "sort index in order",
           (unsigned long)table.SortIndexCount, Seconds(start));
    QueryPerformanceCounter(&start);
    FreeTableItems(&table, TABLE_KIND_PLAIN);
    printf("%-20s %.3f s\n", "free", Seconds(start));
}

} // namespace

int main(int argc, char** argv) {
    DWORD names = 1000000;
    if (argc >= 3 && strcmp(argv[1], "-n") == 0)
        names = strtoul(argv[2], nullptr, 10);
    InsertPasses(names, 0);
    if (argc < 4)
        InsertPasses(names, 1800);
    return 0;
}
