// Names longer than the stored 249 characters come back cut, so two items
// of a table can come back under one name (and every update that meets the
// long name again would add one more). The later ones are folded into the
// first, as the tables fold items, so that each name stands once.
#include <string.h>

#include <string>
#include <unordered_map>

#include "tables/analysis_tables.h"
#include "tables/table_slots.h"
#include "odbc/odbc_period_tables.h"

namespace {

// Takes the item out of the list it is linked into.
void UnlinkItem(AnalysisTable* table, LONG index) {
    AnalysisItem* item = table->lpItems[index];
    if (item->ovTopFlag) {
        UnlinkItemFromTopTableList(table, index);
        item->ovTopFlag = 0;
        if (table->TopCount)
            --table->TopCount;
    } else {
        UnlinkItemFromList(table, index);
    }
}

void FoldTable(AnalysisTable* table, int kind) {
    std::unordered_map<std::string, LONG> first;
    DWORD slots = table->ovCount + table->DeleteCount;
    for (DWORD i = 0; table->lpItems && i < slots; ++i) {
        AnalysisItem* item = table->lpItems[i];
        if (!item || item->ovDeleted || !item->ovString ||
            strlen(item->ovString) < ODBC_STORED_NAME_CHARS)
            continue;
        auto found = first.emplace(item->ovString, (LONG)i);
        if (found.second)
            continue;
        AddItemCounts(table->lpItems[found.first->second], item);
        UnlinkItem(table, (LONG)i);
        ReleaseItemSlot(table, (LONG)i, kind);
    }
}

} // namespace

void FoldCutNames(PeriodBlock* period) {
    for (int n = 0; period->TopTablesPtr && n < RUN_TABLE_COUNT; ++n)
        FoldTable(&period->TopTablesPtr[n], TableKindOfNumber(n));
    if (period->TopUsersPtr)
        FoldTable(period->TopUsersPtr, TABLE_KIND_VISITOR);
}
