// The history database kept in an ODBC data source, behind the same handle,
// entries and period read and commit as the folder form: the master rows are
// read into the handle's entries at open, and a period is written with its
// master row in one transaction.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "history/history_db.h"
#include "odbc/odbc_history.h"

namespace {

OdbcHistory* Db(const HistoryDatabase* handle) {
    return handle && handle->Type == SWIFTMERE_ODBC ? (OdbcHistory*)handle->Connection : nullptr;
}

OdbcMasterEntry RowOf(const MasterEntry& e, ORB_TIME current) {
    OdbcMasterEntry row = {e.Start, e.End, current, ""};
    char timeText[40];
    FormatUtcDateTime(timeText, row.label, e.Start);
    return row;
}

// The master rows (their start times loaded) as entries, in start order.
int LoadEntries(HistoryDatabase* handle, OdbcHistory* db) {
    handle->Entries =
        (MasterEntry*)calloc(db->masterCount ? db->masterCount : 1, sizeof(MasterEntry));
    if (!handle->Entries)
        return 0;
    SetODBCEntryPointer(db, 0);
    OdbcMasterEntry row;
    while (handle->EntryCount < db->masterCount && ReadNextMasterRow(db, &row)) {
        MasterEntry* e = &handle->Entries[handle->EntryCount++];
        MakeDayEntry(row.startTime, e);
        e->Start = row.startTime;
        e->End = row.endTime ? row.endTime : row.startTime + HISTORY_DAY - 1;
        e->Current = row.currentTime;
    }
    return 1;
}

} // namespace

int OpenOdbcHistory(HistoryDatabase* handle, const AnalysisProfile* profile, ORB_TIME firstTime,
                    ORB_TIME lastTime, int create) {
    OdbcHistory* db = ConnectToODBCDatabase(profile->ODBCSwiftmere);
    if (!db)
        return 0;
    handle->Connection = db;
    // An update makes the tables it needs; a first update finds none.
    if (create && CreateODBCTables(db) == ODBC_TABLES_FAILED)
        return 0;
    return LoadODBCMasterTimes(db) && EnsureMasterRows(db, firstTime, lastTime, create) &&
           LoadEntries(handle, db);
}

void CloseOdbcHistory(HistoryDatabase* handle) {
    DisconnectFromODBCDatabase(Db(handle));
    if (handle)
        handle->Connection = nullptr;
}

int ReadOdbcPeriod(const HistoryDatabase* handle, const MasterEntry* entry, RunContext* context) {
    OdbcHistory* db = Db(handle);
    if (!db)
        return PERIOD_BAD;
    switch (ReadPeriodODBC(db, &context->Period, entry->Start)) {
    case ODBC_READ_LOADED:
        return PERIOD_LOADED;
    case ODBC_READ_NO_TEMPLATE:
        return PERIOD_EMPTY;
    default:
        return PERIOD_BAD;
    }
}

int CommitOdbcPeriod(HistoryDatabase* handle, DWORD n, RunContext* context, ORB_TIME current) {
    OdbcHistory* db = Db(handle);
    if (!db || n >= handle->EntryCount)
        return 0;
    OdbcMasterEntry row = RowOf(handle->Entries[n], current);
    if (!WritePeriodODBC(db, &context->Period, &row))
        return 0;
    handle->Entries[n].Current = current;
    return 1;
}

int SaveOdbcEntry(HistoryDatabase* handle, DWORD n, const MasterEntry* entry) {
    OdbcHistory* db = Db(handle);
    if (!db || n >= handle->EntryCount)
        return 0;
    OdbcMasterEntry row = RowOf(*entry, entry->Current);
    if (!RewriteLastODBCEntry(db, &row))
        return 0;
    handle->Entries[n] = *entry;
    return 1;
}
