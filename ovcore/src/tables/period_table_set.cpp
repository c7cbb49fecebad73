// Making a period's empty table set.
#include "tables/period_block.h"

#include <stdlib.h>

#include "tables/analysis_tables.h"
#include "tables/item_tail.h"
#include "tables/table_lookup.h"

int TableItemTail(int n) {
    if (n == -1)
        return ITEM_TAIL_VISIT;
    return n == TopDocuments || n == TopForms ? ITEM_TAIL_PAGES : ITEM_TAIL_NONE;
}

static void ResetHeader(AnalysisTable* table) {
    table->dwSize = ANALYSIS_TABLE_SIZE;
    table->dwVersion = ANALYSIS_VERSION;
    InitTable(nullptr, table, 0); // list heads only; the first insertion makes the arrays
}

int SetTableItemTails(AnalysisTable* tables, AnalysisTable* visitors) {
    for (int n = 0; n < RUN_TABLE_COUNT; ++n)
        if (TableItemTail(n) != ITEM_TAIL_NONE &&
            !TableLookup_SetItemTail(tables + n, TableItemTail(n)))
            return 0;
    return TableLookup_SetItemTail(visitors, TableItemTail(-1));
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
    if (!SetTableItemTails(tables, visitors)) {
        for (int n = 0; n < RUN_TABLE_COUNT; ++n)
            FreeTableItems(tables + n, TABLE_KIND_PLAIN); // no items yet: the side state only
        FreeTableItems(visitors, TABLE_KIND_VISITOR);
        free(tables);
        free(visitors);
        return 0;
    }
    period->TopTablesPtr = tables;
    period->TopUsersPtr = visitors;
    return 1;
}
