// Reading one period back from the history tables: the template row into the
// block, then the tables rebuilt slot by slot from their summary and name
// rows, with each item's sub-rows attached afterwards.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "tables/analysis_tables.h"
#include "tables/table_slots.h"
#include "core/message_sink.h"
#include "core/progress_callback.h"
#include "odbc/odbc_period_layout.h"
#include "odbc/odbc_period_tables.h"
#include "odbc/odbc_rows.h"
#include "tables/item_intervals.h"
#include "tables/item_tail.h"

namespace {

const char kReadCaption[] = "Reading ODBC Tables Error";

struct PeriodReader {
    SQLHDBC dbc;
    DWORD start;
    PeriodBlock* period;
    OdbcStatement s;
    // Of the search tables: each slot's stored detail count, which tells
    // the detail rows of two tables sharing a detail table apart.
    DWORD* detailCounts[RUN_TABLE_COUNT];
};

void ShowReadError(const char* text) {
    Engine_MessageBox(GetActiveWindow(), text, kReadCaption, MB_OK | MB_ICONEXCLAMATION);
}

// Runs each row of one table of the period through take; ODBC_READ_LOADED,
// or the code that take or the select gave.
template <typename Take> int EachRow(PeriodReader& r, int table, Take take) {
    if (!OdbcSelectPeriod(r.dbc, table, r.start, &r.s)) {
        OdbcCloseStatement(&r.s);
        return ODBC_READ_FAILED;
    }
    int code = ODBC_READ_LOADED;
    int fetched;
    while (code == ODBC_READ_LOADED && (fetched = OdbcFetchRow(&r.s)) > 0)
        code = take(r.s.row);
    if (code == ODBC_READ_LOADED && fetched < 0)
        code = ODBC_READ_FAILED;
    OdbcCloseStatement(&r.s);
    return code;
}

int ReadTemplate(PeriodReader& r) {
    PeriodBlock* p = r.period;
    int rows = 0;
    int code = EachRow(r, ODBC_TEMPLATE, [&](const OdbcRow& row) {
        p->TodayDateTime = row.ints[1];
        snprintf(p->Today, RUN_DATE_TEXT, "%s", row.texts[2]);
        for (int c = ODBC_TEMPLATE_FIRST_COUNTER; c <= ODBC_TEMPLATE_LAST_COUNTER; ++c)
            *TemplateCounter(p, c) = row.ints[c];
        ++rows;
        return ODBC_READ_LOADED;
    });
    return code == ODBC_READ_LOADED && rows == 0 ? ODBC_READ_NO_TEMPLATE
           : code == ODBC_READ_FAILED            ? ODBC_READ_NO_TEMPLATE
                                                 : code;
}

int ReadSummaries(PeriodReader& r) {
    return EachRow(r, ODBC_SUMMARY, [&](const OdbcRow& row) {
        AnalysisTable* t = PeriodTableOfType(r.period, row.ints[1], nullptr);
        if (!t)
            return ODBC_READ_LOADED; // a table the block does not keep
        DWORD slots = row.ints[3] + row.ints[4];
        if (t->lpItems || !MakeTableSlots(t, slots))
            return ODBC_READ_FAILED;
        DWORD type = row.ints[1];
        if (type < RUN_TABLE_COUNT && TableKindOfNumber((int)type) == TABLE_KIND_SEARCH && slots &&
            !(r.detailCounts[type] = (DWORD*)calloc(slots, sizeof(DWORD))))
            return ODBC_READ_FAILED;
        t->TopCount = row.ints[2];
        t->ovCount = row.ints[3];
        t->DeleteCount = row.ints[4];
        t->DeleteListHead = OdbcLoadLink(row.ints[5]);
        t->DateListHead = OdbcLoadLink(row.ints[6]);
        t->DateListTail = OdbcLoadLink(row.ints[7]);
        t->TopTableListHead = OdbcLoadLink(row.ints[8]);
        t->TopTableListTail = OdbcLoadLink(row.ints[9]);
        t->SortIndexCount = row.ints[11];
        return ODBC_READ_LOADED;
    });
}

int ReadNames(PeriodReader& r) {
    return EachRow(r, ODBC_NAME, [&](const OdbcRow& row) {
        int kind = 0;
        AnalysisTable* t = PeriodTableOfType(r.period, row.ints[1], &kind);
        if (!t)
            return ODBC_READ_LOADED;
        AnalysisItem* item = TableSlot(t, row.ints[2]);
        if (!item) {
            ShowReadError("Actual name table count is larger than expected count.");
            return ODBC_READ_FAILED;
        }
        item->ovOverflow = row.ints[3] != 0;
        item->ovTopFlag = row.ints[4] != 0;
        item->ovDeleted = row.ints[5] != 0;
        item->ovPrevLink = OdbcLoadLink(row.ints[6]);
        item->ovNextLink = OdbcLoadLink(row.ints[7]);
        item->ovLastDateTime = (DWORD)OdbcLoadLink(row.ints[8]);
        item->ovOriginalIndex = row.ints[9];
        item->ovTotalByHits = row.ints[10];
        item->ovTotalByUsers = row.ints[11];
        item->ovNonCachedTotalByHits = row.ints[12];
        item->ovTotalBytes = OdbcParseDouble(row.texts[13]);
        if (ItemVisitTimes* visit = ItemVisitTimesOf(item)) {
            visit->ovLastPageWasForm = row.ints[14] != 0;
            visit->ovLastPageTime = row.ints[15];
            visit->ovLastPageEntryItem = row.ints[16];
        }
        if (ItemPageTimes* times = ItemPageTimesOf(item)) {
            times->ovTimeOnPages = row.ints[17];
            times->ovTimeOnPagesCount = row.ints[18];
        }
        item->ovBanned = (BYTE)row.ints[21];
        if (!item->ovDeleted && !NameItem(t, (LONG)row.ints[2], row.texts[20]))
            return ODBC_READ_FAILED;
        if (!PrepareItemExtra(item, kind, row.ints[19]))
            return ODBC_READ_FAILED;
        if (row.ints[1] < RUN_TABLE_COUNT && r.detailCounts[row.ints[1]])
            r.detailCounts[row.ints[1]][row.ints[2]] = row.ints[19];
        if (CallProgressCallback(TRUE, 0, "", 0, -1, 0) == PROGRESS_STOP)
            return ODBC_READ_STOPPED;
        return ODBC_READ_LOADED;
    });
}

bool CheckInterval(DWORD n) {
    if (n < ANALYSIS_INTERVALS)
        return true;
    ShowReadError("Illegal value for interval number.");
    return false;
}

int ReadDwordIntervals(PeriodReader& r) {
    return EachRow(r, ODBC_DWORD_INTERVAL, [&](const OdbcRow& row) {
        DWORD type = row.ints[1], order = row.ints[2], n = row.ints[4];
        int dataType = (int)row.ints[3];
        if (!CheckInterval(n))
            return ODBC_READ_FAILED;
        DWORD* value = nullptr;
        if (type == ODBC_PERIOD_ROWS) {
            DWORD* values = PeriodIntervalArray(r.period, dataType);
            value = values ? &values[n] : nullptr;
        } else if (AnalysisItem* item =
                       TableSlot(PeriodTableOfType(r.period, type, nullptr), order)) {
            bool hits = dataType == ODBC_DATATYPE_ITEM_HITS;
            if (hits || dataType == ODBC_DATATYPE_ITEM_USERS) {
                value = hits ? ItemHitSlot(item, n) : ItemUserSlot(item, n);
                if (!value)
                    return ODBC_READ_FAILED; // memory is short
            }
        }
        if (value)
            *value = row.ints[5];
        return ODBC_READ_LOADED;
    });
}

int ReadDoubleIntervals(PeriodReader& r) {
    return EachRow(r, ODBC_DOUBLE_INTERVAL, [&](const OdbcRow& row) {
        DWORD type = row.ints[1], order = row.ints[2], n = row.ints[4];
        if (!CheckInterval(n))
            return ODBC_READ_FAILED;
        double value = OdbcParseDouble(row.texts[5]);
        if (type == ODBC_PERIOD_ROWS && row.ints[3] == ODBC_DATATYPE_BYTES) {
            r.period->Bytes[n] = value;
        } else if (row.ints[3] == ODBC_DATATYPE_BANDWIDTH) {
            AnalysisItem* item = TableSlot(PeriodTableOfType(r.period, type, nullptr), order);
            if (item && !SetBandwidthSlot(item, n, value))
                return ODBC_READ_FAILED;
        }
        return ODBC_READ_LOADED;
    });
}

int ReadTopNames(PeriodReader& r) {
    return EachRow(r, ODBC_TOPNAME, [&](const OdbcRow& row) {
        AnalysisItem* item = TableSlot(r.period->TopUsersPtr, row.ints[1]);
        if (item && !AddStoredSubValue(item, row.ints[2], row.ints[3]))
            return ODBC_READ_FAILED;
        return ODBC_READ_LOADED;
    });
}

int ReadServerCounts(PeriodReader& r) {
    return EachRow(r, ODBC_SERVER_COUNTS, [&](const OdbcRow& row) {
        AnalysisItem* item =
            TableSlot(PeriodTableOfType(r.period, row.ints[1], nullptr), row.ints[2]);
        if (item && item->lpExtra && row.ints[3] < item->ovTopNamesCount)
            ((DWORD*)item->lpExtra)[row.ints[3]] = row.ints[4];
        return ODBC_READ_LOADED;
    });
}

// The two search tables whose details one detail table holds, each with the
// table that lists its detail names.
struct SearchPair {
    int table, partner;
};

bool HasItem(AnalysisTable* tables, int number, const char* name) {
    LONG index = ANALYSIS_NO_ITEM;
    return tables[number].lpItems && FindTableItem(name, &tables[number], 0, &index);
}

// A detail row (item text, detail name) of one of two tables that share a
// detail table: the word and phrase tables both hold the engine names, and
// a one-word phrase is a word too. It belongs to the first table whose item
// of that text still lacks details of its stored count and whose partner
// lists the detail's name; else to the first with room, else to the first
// that has the item.
AnalysisItem* DetailOwner(PeriodReader& r, const SearchPair (&pair)[2], const char* item,
                          const char* detail) {
    AnalysisTable* tables = r.period->TopTablesPtr;
    AnalysisItem *withRoom = nullptr, *first = nullptr;
    for (const SearchPair& p : pair) {
        AnalysisTable* t = &tables[p.table];
        LONG index = ANALYSIS_NO_ITEM;
        if (!t->lpItems || !FindTableItem(item, t, 0, &index))
            continue;
        AnalysisItem* owner = t->lpItems[index];
        const DWORD* counts = r.detailCounts[p.table];
        bool room = counts && owner->ovTopNamesCount < counts[index];
        if (room && HasItem(tables, p.partner, detail))
            return owner;
        if (room && !withRoom)
            withRoom = owner;
        if (!first)
            first = owner;
    }
    return withRoom ? withRoom : first;
}

int ReadSearchDetails(PeriodReader& r, int table, const SearchPair (&pair)[2]) {
    return EachRow(r, table, [&](const OdbcRow& row) {
        AnalysisItem* owner =
            r.period->TopTablesPtr ? DetailOwner(r, pair, row.texts[1], row.texts[2]) : nullptr;
        if (!owner)
            return ODBC_READ_LOADED;
        return AddStoredSearchDetail(owner, row.texts[2], row.ints[3], row.ints[4])
                   ? ODBC_READ_LOADED
                   : ODBC_READ_FAILED;
    });
}

int CountSortRows(PeriodReader& r) {
    return EachRow(r, ODBC_SORT_INDEX, [&](const OdbcRow& row) {
        AnalysisTable* t = PeriodTableOfType(r.period, row.ints[1], nullptr);
        if (t && row.ints[2] >= t->SortIndexCount) {
            ShowReadError("Actual sort index count is larger than expected count.");
            return ODBC_READ_FAILED;
        }
        return ODBC_READ_LOADED;
    });
}

// Words and phrases list their engines; the engines their words and phrases.
const SearchPair kWordsAndPhrases[2] = {{TopSearchEngines, TopSearchKeywords},
                                        {TopSearchKeyPhrases, TopSearchPhraseEngines}};
const SearchPair kEnginesOfWordsAndPhrases[2] = {{TopSearchKeywords, TopSearchEngines},
                                                 {TopSearchPhraseEngines, TopSearchKeyPhrases}};

int ReadTables(PeriodReader& r) {
    int code = ReadSummaries(r);
    if (code == ODBC_READ_LOADED)
        code = ReadNames(r);
    if (code == ODBC_READ_LOADED)
        code = ReadDwordIntervals(r);
    if (code == ODBC_READ_LOADED)
        code = ReadDoubleIntervals(r);
    if (code == ODBC_READ_LOADED)
        code = ReadTopNames(r);
    if (code == ODBC_READ_LOADED)
        code = ReadServerCounts(r);
    if (code == ODBC_READ_LOADED)
        code = ReadSearchDetails(r, ODBC_SEARCH_ENGINE, kWordsAndPhrases);
    if (code == ODBC_READ_LOADED)
        code = ReadSearchDetails(r, ODBC_SEARCH_KEYWORD, kEnginesOfWordsAndPhrases);
    if (code == ODBC_READ_LOADED)
        code = CountSortRows(r);
    if (code == ODBC_READ_LOADED)
        FoldCutNames(r.period);
    if (code == ODBC_READ_LOADED && !FinishPeriodTables(r.period))
        code = ODBC_READ_FAILED;
    return code;
}

} // namespace

int ReadPeriodODBC(OdbcHistory* db, PeriodBlock* period, DWORD startTime) {
    if (!db || !db->dbc || !OdbcBound() || !period)
        return ODBC_READ_FAILED;
    PeriodReader* r = (PeriodReader*)calloc(1, sizeof(PeriodReader));
    if (!r)
        return ODBC_READ_FAILED;
    r->dbc = db->dbc;
    r->start = startTime;
    r->period = period;
    period->TopTablesPtr = period->TopUsersPtr = nullptr;
    int code = ReadTemplate(*r);
    if (code == ODBC_READ_LOADED) {
        if (period->TopTablesCount > RUN_TABLE_COUNT || !MakePeriodTables(period))
            code = ODBC_READ_FAILED;
        else
            code = ReadTables(*r);
    }
    if (code != ODBC_READ_LOADED)
        FreeODBCPeriodTables(period);
    for (DWORD* counts : r->detailCounts)
        free(counts);
    free(r);
    return code;
}
