// Insertion of one hit's item: expiry of idle items into the top list or the
// aggregate item 0, look-up through the name hash, and new items.
#include "analysis_tables.h"
#include "item_counters.h"
#include "name_store.h"
#include "table_lookup.h"
#include "table_slots.h"
#include "top_list_heap.h"

namespace {

struct MatchRule {
    int skipItemZero;
    int topMember; // 1: only top-list members; 0: only the others
    LONG except;
};

int MatchesRule(const AnalysisItem* item, LONG index, void* data) {
    const MatchRule* rule = (const MatchRule*)data;
    if (index == rule->except || (index == 0 && rule->skipItemZero))
        return 0;
    return item->ovTopFlag ? rule->topMember : !rule->topMember;
}

int SkipsItemZero(const AnalysisTable* table, int skipAggregate) {
    return skipAggregate ||
           (table->ovCount > 0 && table->lpItems[0] && table->lpItems[0]->ovOverflow);
}

LONG FindMember(AnalysisTable* table, const char* name, DWORD hash, int skipAggregate,
                int topMember, LONG except) {
    MatchRule rule = {SkipsItemZero(table, skipAggregate), topMember, except};
    return TableLookup_FindHashed(table, name, hash, MatchesRule, &rule);
}

// Folds src into dst and frees src's slot.
void FoldItem(AnalysisTable* table, LONG dst, LONG src, int kind) {
    AddItemCounts(table->lpItems[dst], table->lpItems[src]);
    ReleaseItemSlot(table, src, kind);
}

void ExpireItem(int kind, const TableContext* context, AnalysisTable* table, LONG index,
                DWORD topLimit) {
    AnalysisItem* item = table->lpItems[index];
    UnlinkItemFromList(table, index);
    if (kind == TABLE_KIND_VISITOR && context && context->CloseVisit)
        context->CloseVisit(context->lpRun, item);
    TableItem_FreeDetailsIn(TableLookup_BlockPool(table, 0), item, kind);
    // Only items on the top list carry the top flag: with the list empty
    // (tables without a top limit) there is no member to look for.
    LONG member = ANALYSIS_NO_ITEM;
    if (table->TopTableListHead >= 0)
        member = FindMember(table, item->ovString, TableLookup_NameHash(table, item->ovString), 0,
                            1, index);
    if (member >= 0) {
        FoldItem(table, member, index, kind);
        return;
    }
    if (topLimit == 0) {
        FoldItem(table, 0, index, kind);
        return;
    }
    if (table->TopCount + 1 < topLimit) {
        item->ovTopFlag = 1;
        ++table->TopCount;
        InsertTopItemIntoList(table, index);
        return;
    }
    LONG weakest = TopListHeap_Weakest(table);
    if (weakest < 0) {
        // No member to give way (a top limit of 1): the item joins the rest.
        FoldItem(table, 0, index, kind);
        return;
    }
    UnlinkItemFromTopTableList(table, weakest);
    FoldItem(table, 0, weakest, kind);
    item->ovTopFlag = 1;
    InsertTopItemIntoList(table, index);
}

void ExpireIdleItems(int kind, const TableContext* context, AnalysisTable* table, DWORD time,
                     DWORD cachedTime, DWORD topLimit) {
    while (table->DateListTail >= 0) {
        LONG tail = table->DateListTail;
        if ((unsigned long long)table->lpItems[tail]->ovLastDateTime + cachedTime >= time)
            break;
        ExpireItem(kind, context, table, tail, topLimit);
    }
}

LONG NewItem(AnalysisTable* table, const char* name, NameStore* store, DWORD time,
             DWORD cachedTime) {
    LONG index = TakeItemSlot(table);
    if (index < 0)
        return ANALYSIS_NO_ITEM;
    if (!NameItem(table, index, name, store)) {
        ReleaseItemSlot(table, index, TABLE_KIND_PLAIN);
        return ANALYSIS_NO_ITEM;
    }
    table->lpItems[index]->ovLastDateTime = time;
    if (cachedTime != 0)
        InsertLinkListItem(table, index);
    return index;
}

} // namespace

int FindTableItem(const char* name, AnalysisTable* table, int skipAggregate, LONG* item) {
    LONG found = ANALYSIS_NO_ITEM;
    if (name && table->lpItems && (TableLookup_HasHash(table) || TableLookup_Build(table))) {
        DWORD hash = HashItemName(name);
        found = FindMember(table, name, hash, skipAggregate, 0, ANALYSIS_NO_ITEM);
        if (found < 0)
            found = FindMember(table, name, hash, skipAggregate, 1, ANALYSIS_NO_ITEM);
    }
    if (item)
        *item = found;
    return found >= 0;
}

// InsertTableItem, with names (the store that keeps name, or null for a text).
static DWORD Insert(int kind, int* created, const TableContext* context, AnalysisTable* table,
                    const char* name, NameStore* names, const char* preferredName, DWORD time,
                    DWORD cachedTime, DWORD topLimit, int skipAggregate) {
    if (created)
        *created = 0;
    if (!name)
        return 0;
    if (table->ovCount == 0 && table->DeleteCount == 0 && !InitTable(context, table, cachedTime))
        return 0;
    if (table->lpItems && !TableLookup_HasHash(table) && !TableLookup_Build(table))
        return 0;
    if (cachedTime != 0)
        ExpireIdleItems(kind, context, table, time, cachedTime, topLimit);

    const bool preferred = preferredName && preferredName[0];
    LONG index = ANALYSIS_NO_ITEM;
    if (preferred)
        index = FindMember(table, preferredName, HashItemName(preferredName), skipAggregate, 0,
                           ANALYSIS_NO_ITEM);
    if (index < 0) {
        DWORD hash = names ? NameStore_HashOf(name) : HashItemName(name);
        index = FindMember(table, name, hash, skipAggregate, 0, ANALYSIS_NO_ITEM);
        if (index >= 0 && preferred && !NameItem(table, index, preferredName))
            return 0;
    }
    if (index >= 0) {
        AnalysisItem* item = table->lpItems[index];
        if (cachedTime != 0 && time > item->ovLastDateTime) {
            item->ovLastDateTime = time;
            UnlinkItemFromList(table, index);
            InsertLinkListItem(table, index);
        }
        return (DWORD)index + 1;
    }
    index = preferred ? NewItem(table, preferredName, nullptr, time, cachedTime)
                      : NewItem(table, name, names, time, cachedTime);
    if (index < 0)
        return 0;
    if (created)
        *created = 1;
    return (DWORD)index + 1;
}

DWORD InsertTableItem(int kind, int* created, const TableContext* context, AnalysisTable* table,
                      const char* name, const char* preferredName, DWORD time, DWORD cachedTime,
                      DWORD maxCached, DWORD topLimit, int skipAggregate) {
    (void)maxCached;
    return Insert(kind, created, context, table, name, nullptr, preferredName, time, cachedTime,
                  topLimit, skipAggregate);
}

DWORD InsertStoredTableItem(int kind, int* created, const TableContext* context,
                            AnalysisTable* table, const char* stored, const char* preferredName,
                            DWORD time, DWORD cachedTime, DWORD topLimit) {
    NameStore* names = context ? context->Names : nullptr;
    if (!names)
        return 0;
    return Insert(kind, created, context, table, stored, names, preferredName, time, cachedTime,
                  topLimit, 0);
}

DWORD AddTableItem(AnalysisTable* table, const char* name, int skipAggregate) {
    return InsertTableItem(TABLE_KIND_PLAIN, nullptr, nullptr, table, name, nullptr, 0, 0, 0, 0,
                           skipAggregate);
}
