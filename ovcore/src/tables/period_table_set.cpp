// Making a period's empty table set.
#include "tables/period_block.h"

#include <stdlib.h>

#include "tables/analysis_tables.h"

static void ResetHeader(AnalysisTable* table) {
    table->dwSize = ANALYSIS_TABLE_SIZE;
    table->dwVersion = ANALYSIS_VERSION;
    InitTable(nullptr, table, 0); // list heads only; the first insertion makes the arrays
}

int MakePeriodTableSet(PeriodBlock* period) {
    AnalysisTable* tables = (AnalysisTable*)calloc(RUN_TABLE_COUNT, sizeof(AnalysisTable));
    AnalysisTable* visitors = (AnalysisTable*)calloc(1, sizeof(AnalysisTable));
    if (!tables || !visitors) {
        free(tables);
        free(visitors);
        return 0;
    }
    for (int n = 0; n < RUN_TABLE_COUNT; ++n)
        ResetHeader(tables + n);
    ResetHeader(visitors);
    period->TopTablesPtr = tables;
    period->TopUsersPtr = visitors;
    return 1;
}
