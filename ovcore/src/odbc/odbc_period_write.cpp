// Writing one period into the history tables, in one transaction: either
// every row of the period is replaced, or the stored period stays as it was.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "tables/analysis_tables.h"
#include "core/progress_callback.h"
#include "odbc/odbc_period_layout.h"
#include "odbc/odbc_rows.h"
#include "tables/item_record.h"
#include "tables/item_tail.h"

namespace {

struct PeriodWriter {
    DWORD start;
    OdbcStatement* s; // one prepared INSERT per table
};

OdbcStatement& Row(PeriodWriter& w, int table) {
    OdbcStatement& s = w.s[table];
    s.row.ints[0] = w.start;
    return s;
}

int WriteInterval(PeriodWriter& w, DWORD tableType, DWORD order, int dataType,
                  const DWORD* values) {
    for (DWORD n = 0; n < ANALYSIS_INTERVALS; ++n) {
        if (!values[n])
            continue;
        OdbcStatement& s = Row(w, ODBC_DWORD_INTERVAL);
        DWORD v[] = {tableType, order, (DWORD)dataType, n, values[n]};
        memcpy(&s.row.ints[1], v, sizeof(v));
        if (!OdbcInsertRow(&s, "Write DwordInterval Table"))
            return 0;
    }
    return 1;
}

int WriteDoubles(PeriodWriter& w, DWORD tableType, DWORD order, int dataType,
                 const double* values) {
    for (DWORD n = 0; n < ANALYSIS_INTERVALS; ++n) {
        if (values[n] == 0.0)
            continue;
        OdbcStatement& s = Row(w, ODBC_DOUBLE_INTERVAL);
        DWORD v[] = {tableType, order, (DWORD)dataType, n};
        memcpy(&s.row.ints[1], v, sizeof(v));
        OdbcFormatDouble(values[n], s.row.texts[5]);
        if (!OdbcInsertRow(&s, "Write DoubleInterval Table"))
            return 0;
    }
    return 1;
}

int WriteSubLists(PeriodWriter& w, DWORD index, const AnalysisItem* item) {
    const TopNameList* slots = (const TopNameList*)item->lpExtra;
    for (DWORD k = 0; k < item->ovTopNamesCount && k < SUBLIST_SLOTS; ++k) {
        bool path = k == SUBLIST_PATH_SLOT;
        DWORD count = path ? slots[k].wCount / 2 : slots[k].wCount;
        for (DWORD j = 0; j < count && slots[k].lpValues; ++j) {
            OdbcStatement& s = Row(w, ODBC_TOPNAME);
            s.row.ints[1] = index;
            s.row.ints[2] = k;
            s.row.ints[3] =
                path ? ((const DWORD*)slots[k].lpValues)[j] : ((const WORD*)slots[k].lpValues)[j];
            if (!OdbcInsertRow(&s, "Write TopNameTable"))
                return 0;
        }
    }
    return 1;
}

int WriteSearchDetails(PeriodWriter& w, int tableNumber, const AnalysisItem* item) {
    bool engine = tableNumber == TopSearchEngines || tableNumber == TopSearchKeyPhrases;
    int table = engine ? ODBC_SEARCH_ENGINE : ODBC_SEARCH_KEYWORD;
    SearchDetail* const* details = (SearchDetail* const*)item->lpExtra;
    for (DWORD j = 0; j < item->ovTopNamesCount; ++j) {
        if (!details[j])
            continue;
        OdbcStatement& s = Row(w, table);
        OdbcSetText(&s, 1, item->ovString);
        OdbcSetText(&s, 2, details[j]->lpName);
        s.row.ints[3] = details[j]->dwHits;
        s.row.ints[4] = details[j]->dwSessions;
        if (!OdbcInsertRow(&s, engine ? "Write Engine Detail" : "Write Keyword Detail"))
            return 0;
    }
    return 1;
}

int WriteServerCounts(PeriodWriter& w, int tableNumber, DWORD index, const AnalysisItem* item) {
    const DWORD* counts = (const DWORD*)item->lpExtra;
    for (DWORD j = 0; j < item->ovTopNamesCount; ++j) {
        OdbcStatement& s = Row(w, ODBC_SERVER_COUNTS);
        DWORD v[] = {(DWORD)tableNumber, index, j, counts[j]};
        memcpy(&s.row.ints[1], v, sizeof(v));
        if (!OdbcInsertRow(&s, "Write ServerCountsTable"))
            return 0;
    }
    return 1;
}

int WriteItemExtra(PeriodWriter& w, int tableNumber, int kind, DWORD index,
                   const AnalysisItem* item) {
    if (!item->lpExtra)
        return 1;
    switch (kind) {
    case TABLE_KIND_SERVERS:
        return WriteServerCounts(w, tableNumber, index, item);
    case TABLE_KIND_SEARCH:
        return WriteSearchDetails(w, tableNumber, item);
    case TABLE_KIND_BANDWIDTH:
        return WriteDoubles(w, (DWORD)tableNumber, index, ODBC_DATATYPE_BANDWIDTH,
                            (const double*)item->lpExtra);
    default:
        return WriteSubLists(w, index, item);
    }
}

int WriteNameRow(PeriodWriter& w, DWORD tableType, DWORD index, const AnalysisItem* item) {
    OdbcStatement& s = Row(w, ODBC_NAME);
    DWORD v[] = {tableType,
                 index,
                 item->ovOverflow,
                 item->ovTopFlag,
                 item->ovDeleted,
                 OdbcStoreLink(item->ovPrevLink),
                 OdbcStoreLink(item->ovNextLink),
                 OdbcStoreLink((LONG)item->ovLastDateTime),
                 item->ovOriginalIndex,
                 item->ovTotalByHits,
                 item->ovTotalByUsers,
                 item->ovNonCachedTotalByHits};
    memcpy(&s.row.ints[1], v, sizeof(v));
    OdbcFormatDouble(item->ovTotalBytes, s.row.texts[13]);
    const ItemVisitTimes* visit = ItemVisitTimesOf(item);
    DWORD rest[] = {visit ? visit->ovLastPageWasForm : 0u,
                    visit ? visit->ovLastPageTime : 0u,
                    visit ? visit->ovLastPageEntryItem : 0u,
                    ItemTimeOnPages(item),
                    ItemTimeOnPagesCount(item),
                    item->ovTopNamesCount};
    memcpy(&s.row.ints[14], rest, sizeof(rest));
    OdbcSetText(&s, 20, item->ovString);
    s.row.ints[21] = item->ovBanned;
    return OdbcInsertRow(&s, "Write NameTable");
}

int WriteItem(PeriodWriter& w, DWORD tableType, int tableNumber, int kind, DWORD index,
              const AnalysisItem* item) {
    ItemRecord record;
    ItemRecord_FromItem(item, &record);
    if (!WriteItemExtra(w, tableNumber, kind, index, item) ||
        !WriteInterval(w, tableType, index, ODBC_DATATYPE_ITEM_HITS, record.ovHitIntervals) ||
        !WriteInterval(w, tableType, index, ODBC_DATATYPE_ITEM_USERS, record.ovUserIntervals))
        return 0;
    return WriteNameRow(w, tableType, index, item);
}

int WriteTable(PeriodWriter& w, DWORD tableType, int tableNumber, int kind,
               const AnalysisTable* t) {
    DWORD slots = t->lpItems ? t->ovCount + t->DeleteCount : 0;
    for (DWORD i = 0; i < slots; ++i) {
        if (t->lpItems[i] && !WriteItem(w, tableType, tableNumber, kind, i, t->lpItems[i]))
            return 0;
        if (CallProgressCallback(TRUE, 0, "", 0, -1, 0) == PROGRESS_STOP)
            return 0;
    }
    DWORD sorted = t->lpSortIndex ? t->SortIndexCount : 0;
    for (DWORD j = 0; j < sorted; ++j) {
        OdbcStatement& s = Row(w, ODBC_SORT_INDEX);
        DWORD v[] = {tableType, j, t->lpSortIndex[j]};
        memcpy(&s.row.ints[1], v, sizeof(v));
        if (!OdbcInsertRow(&s, "Write SortIndex Table"))
            return 0;
    }
    OdbcStatement& s = Row(w, ODBC_SUMMARY);
    DWORD v[] = {tableType,
                 t->TopCount,
                 t->ovCount,
                 t->DeleteCount,
                 OdbcStoreLink(t->DeleteListHead),
                 OdbcStoreLink(t->DateListHead),
                 OdbcStoreLink(t->DateListTail),
                 OdbcStoreLink(t->TopTableListHead),
                 OdbcStoreLink(t->TopTableListTail),
                 t->ChunkSize,
                 sorted};
    memcpy(&s.row.ints[1], v, sizeof(v));
    return OdbcInsertRow(&s, "Write SummaryTable");
}

int WriteBlock(PeriodWriter& w, const PeriodBlock* p) {
    for (int d = 0; d < ODBC_BLOCK_DWORD_ARRAYS; ++d)
        if (!WriteInterval(w, ODBC_PERIOD_ROWS, ODBC_PERIOD_ROWS, d, PeriodIntervalArray(p, d)))
            return 0;
    if (!WriteDoubles(w, ODBC_PERIOD_ROWS, ODBC_PERIOD_ROWS, ODBC_DATATYPE_BYTES, p->Bytes))
        return 0;
    OdbcStatement& s = Row(w, ODBC_TEMPLATE);
    s.row.ints[1] = p->TodayDateTime;
    OdbcSetText(&s, 2, p->Today);
    for (int c = ODBC_TEMPLATE_FIRST_COUNTER; c <= ODBC_TEMPLATE_LAST_COUNTER; ++c)
        s.row.ints[c] = *TemplateCounter(const_cast<PeriodBlock*>(p), c);
    s.row.ints[20] = p->TopTablesPtr != nullptr;
    s.row.ints[21] = p->TopUsersPtr != nullptr;
    return OdbcInsertRow(&s, "Write TemplateTable");
}

int WriteMaster(PeriodWriter& w, const OdbcMasterEntry* e) {
    OdbcStatement& s = Row(w, ODBC_MASTER);
    s.row.ints[1] = e->currentTime;
    s.row.ints[2] = e->endTime;
    OdbcSetText(&s, 3, e->label);
    return OdbcInsertRow(&s, "Write MasterTable");
}

int WriteAll(PeriodWriter& w, SQLHDBC dbc, const PeriodBlock* p, const OdbcMasterEntry* e) {
    for (int t = 0; t < ODBC_TABLE_COUNT; ++t) {
        char sql[160];
        snprintf(sql, sizeof(sql), "DELETE FROM %s WHERE %s = %u", OdbcTable(t).name, "StartTime",
                 (unsigned)w.start);
        if (!OdbcExec(dbc, sql, "Delete Period") || !OdbcPrepareInsert(dbc, t, &w.s[t]))
            return 0;
    }
    const AnalysisTable* tables = p->TopTablesPtr;
    for (DWORD n = 0; tables && n < p->TopTablesCount && n < RUN_TABLE_COUNT; ++n)
        if (!WriteTable(w, n, (int)n, TableKindOfNumber((int)n), &tables[n]))
            return 0;
    if (p->TopUsersPtr &&
        !WriteTable(w, ODBC_VISITOR_TABLE, -1, TABLE_KIND_VISITOR, p->TopUsersPtr))
        return 0;
    return WriteBlock(w, p) && WriteMaster(w, e);
}

} // namespace

int WritePeriodODBC(OdbcHistory* db, const PeriodBlock* period, const OdbcMasterEntry* entry) {
    if (!db || !db->dbc || !OdbcBound() || !period || !entry)
        return 0;
    PeriodWriter w = {entry->startTime,
                      (OdbcStatement*)calloc(ODBC_TABLE_COUNT, sizeof(OdbcStatement))};
    if (!w.s)
        return 0;
    struct Work {
        PeriodWriter* w;
        SQLHDBC dbc;
        const PeriodBlock* period;
        const OdbcMasterEntry* entry;
    } work = {&w, db->dbc, period, entry};
    int ok = OdbcTransaction(
        db->dbc,
        [](void* context) {
            Work* k = (Work*)context;
            int done = WriteAll(*k->w, k->dbc, k->period, k->entry);
            for (int t = 0; t < ODBC_TABLE_COUNT; ++t)
                OdbcCloseStatement(&k->w->s[t]);
            return done;
        },
        &work);
    free(w.s);
    if (ok)
        LoadODBCMasterTimes(db);
    return ok;
}
