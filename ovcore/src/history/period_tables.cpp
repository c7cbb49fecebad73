// Empty tables for a period that holds no data yet, and freeing a period's
// tables.
#include <stdlib.h>
#include <string.h>

#include "tables/analysis_tables.h"
#include "tables/period_block.h"
#include "history/history_db.h"
#include "history/period_layout.h"
#include "run/run_setup.h"

int StoredTableKind(int tableNumber) {
    return tableNumber == VISITOR_TABLE ? TABLE_KIND_VISITOR : TableKindOfNumber(tableNumber);
}

void EmptyPeriodTable(AnalysisTable* table) {
    memset(table, 0, sizeof(*table));
    table->dwSize = ANALYSIS_TABLE_SIZE;
    table->dwVersion = ANALYSIS_VERSION;
    table->DeleteListHead = table->DateListHead = table->DateListTail = ANALYSIS_NO_ITEM;
    table->TopTableListHead = table->TopTableListTail = ANALYSIS_NO_ITEM;
}

int MakeEmptyPeriodTables(RunContext* context) {
    AnalysisTable* tables = (AnalysisTable*)malloc(RUN_TABLE_COUNT * sizeof(AnalysisTable));
    AnalysisTable* visitors = (AnalysisTable*)malloc(sizeof(AnalysisTable));
    if (!tables || !visitors) {
        free(tables);
        free(visitors);
        return 0;
    }
    for (int i = 0; i < RUN_TABLE_COUNT; ++i)
        EmptyPeriodTable(&tables[i]);
    EmptyPeriodTable(visitors);
    context->Period.TopTablesCount = RUN_TABLE_COUNT;
    context->Period.TopTablesPtr = tables;
    context->Period.TopUsersPtr = visitors;
    return SetTableItemTails(tables, visitors); // on failure the caller frees the set
}

void FreePeriodTables(RunContext* context) {
    PeriodBlock& block = context->Period;
    if (block.TopTablesPtr) {
        for (DWORD i = 0; i < block.TopTablesCount; ++i)
            FreeTableItems(&block.TopTablesPtr[i], StoredTableKind((int)i));
        free(block.TopTablesPtr);
        block.TopTablesPtr = nullptr;
    }
    if (block.TopUsersPtr) {
        FreeTableItems(block.TopUsersPtr, TABLE_KIND_VISITOR);
        free(block.TopUsersPtr);
        block.TopUsersPtr = nullptr;
    }
}

void FreePeriodReport(ReportHandle* report) {
    if (!report)
        return;
    FreeRunContext(report->Run); // with the settings lists it may hold
    free(report);
}
