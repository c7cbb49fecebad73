// The run's 44 statistics tables and its visitor table, and the helpers
// through which the updaters count into them.
#include "count/accumulate.h"
#include "count/hit_updaters.h"
#include "tables/name_store.h"

#include <stdlib.h>
#include <string.h>

static void CloseVisitOfRun(void* run, AnalysisItem* visitor) {
    CloseVisit((RunContext*)run, visitor);
}

int MakeRunTables(RunContext* context) {
    if (!context || !MakePeriodTableSet(&context->Period))
        return 0;
    context->Period.TopTablesCount = RUN_TABLE_COUNT;
    BindRunTables(context);
    return 1;
}

void BindRunTables(RunContext* context) {
    TableContext& tc = context->Accum.Tables;
    tc.lpRun = context;
    tc.CloseVisit = CloseVisitOfRun;
    tc.szAggregateName = RunText(context->Language ? context->Language->Generic[GEN_OTHERS] : "");
}

void FreeRunTables(RunContext* context) {
    if (!context)
        return;
    PeriodBlock& p = context->Period;
    if (p.TopTablesPtr) {
        for (int n = 0; n < RUN_TABLE_COUNT; ++n)
            FreeTableItems(p.TopTablesPtr + n, TableKindOfNumber(n));
        free(p.TopTablesPtr);
    }
    if (p.TopUsersPtr) {
        FreeTableItems(p.TopUsersPtr, TABLE_KIND_VISITOR);
        free(p.TopUsersPtr);
    }
    p.TopTablesPtr = p.TopUsersPtr = nullptr;
    FreeAccumulateState(context);
}

static inline int Fold(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? c + 32 : c;
}

bool SameText(const char* a, const char* b) {
    for (; Fold(*a) == Fold(*b); ++a, ++b)
        if (!*a)
            return true;
    return false;
}

bool SameTextPrefix(const char* text, const char* prefix, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        if (Fold(text[i]) != Fold(prefix[i]))
            return false;
        if (!text[i])
            return true;
    }
    return true;
}

const char* RunText(const char* text) {
    return text ? text : "";
}

const char* RunStoredName(RunContext* run, const char* name) {
    NameStore*& store = run->Accum.Tables.Names;
    if (!store)
        store = NameStore_Make();
    return store ? NameStore_Intern(store, name) : nullptr;
}

bool IsStoredName(const HitPass* pass, const char* name) {
    return name && (name == pass->storedPage || name == pass->storedPageWithoutQuery ||
                    name == pass->storedHost);
}

// A repeated name: the same stored pointer, or the same text.
static bool MemoHolds(const NameMemo& memo, const char* name, bool stored) {
    if (!memo.ItemPlusOne)
        return false;
    return stored ? memo.Stored == name : !memo.Stored && strcmp(memo.Name, name) == 0;
}

static void Remember(NameMemo& memo, const char* name, bool stored, DWORD itemPlusOne) {
    size_t n = stored ? 0 : strlen(name);
    memo.ItemPlusOne = stored || n < NAME_MEMO_TEXT ? LONG(itemPlusOne) : 0;
    memo.Stored = stored ? name : nullptr;
    if (memo.ItemPlusOne && !stored)
        memcpy(memo.Name, name, n + 1);
}

LONG RunTableIndex(HitPass* pass, int table, const char* name) {
    RunContext* run = pass->run;
    NameMemo& memo = run->Accum.Memo[table];
    bool stored = IsStoredName(pass, name);
    if (name && MemoHolds(memo, name, stored))
        return memo.ItemPlusOne - 1;
    int kind = TableKindOfNumber(table);
    AnalysisTable* t = RunTableOf(run, table);
    DWORD r = 0;
    if (stored)
        r = InsertStoredTableItem(kind, nullptr, &run->Accum.Tables, t, name, nullptr, 0, 0, 0);
    else if (name)
        r = InsertTableItem(kind, nullptr, &run->Accum.Tables, t, name, nullptr, 0, 0, 0, 0, 0);
    if (!r) {
        pass->failedTable = g_ReportTableKeywords[table].Keyword;
        return ANALYSIS_NO_ITEM;
    }
    g_ReportTableKeywords[table].Empty = 0;
    Remember(memo, name, stored, r);
    return (LONG)r - 1;
}

AnalysisItem* RunTableItem(HitPass* pass, int table, const char* name) {
    LONG index = RunTableIndex(pass, table, name);
    return index < 0 ? nullptr : RunTableOf(pass->run, table)->lpItems[index];
}

AnalysisItem* CountRunItem(HitPass* pass, int table, const char* name, int users) {
    AnalysisItem* item = RunTableItem(pass, table, name);
    if (item)
        TableItem_CountHit(item, pass->interval, users);
    return item;
}

int CountRunItemWithServer(HitPass* pass, int table, const char* name) {
    AnalysisItem* item = CountRunItem(pass, table, name, 0);
    if (!item)
        return 0;
    // No server list (or a server past it) counts nothing per server.
    TableItem_CountServer(item, pass->hit->wServerIndex, pass->run->Servers);
    return 1;
}
