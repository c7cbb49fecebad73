// The master rows: one per stored day, listing its start, end and how far
// it is filled; the cursor over their start times stands in for the master
// file's entry pointer.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "core/message_sink.h"
#include "odbc/odbc_rows.h"
#include "ovcore/dates.h"

static const DWORD kDay = 86400;

static int AppendStart(OdbcHistory* db, DWORD start) {
    if (db->masterCount == db->masterCapacity) {
        DWORD capacity = db->masterCapacity + 256;
        DWORD* grown = (DWORD*)realloc(db->masterStarts, capacity * sizeof(DWORD));
        if (!grown)
            return 0;
        db->masterStarts = grown;
        db->masterCapacity = capacity;
    }
    db->masterStarts[db->masterCount++] = start;
    return 1;
}

int LoadODBCMasterTimes(OdbcHistory* db) {
    const OdbcApi* api = OdbcBound();
    if (!db || !db->dbc || !api)
        return 0;
    db->masterCount = 0;
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    if (!OdbcOk(api->SQLAllocStmt(db->dbc, &stmt)))
        return 0;
    const char* master = OdbcTable(ODBC_MASTER).name;
    char sql[200];
    snprintf(sql, sizeof(sql), "SELECT %s FROM %s ORDER BY %s ASC", "StartTime", master,
             "StartTime");
    SQLUINTEGER start = 0;
    SQLLEN length = 0;
    int ok = OdbcOk(api->SQLExecDirect(stmt, (SQLCHAR*)sql, SQL_NTS)) &&
             OdbcOk(api->SQLBindCol(stmt, 1, SQL_C_ULONG, &start, 0, &length));
    while (ok && OdbcOk(api->SQLFetch(stmt)))
        ok = AppendStart(db, start);
    api->SQLFreeStmt(stmt, SQL_DROP);
    return ok;
}

static int ReadMasterRow(OdbcHistory* db, DWORD start, OdbcMasterEntry* entry) {
    OdbcStatement* s = (OdbcStatement*)calloc(1, sizeof(OdbcStatement));
    if (!s)
        return 0;
    int found = OdbcSelectPeriod(db->dbc, ODBC_MASTER, start, s) && OdbcFetchRow(s) > 0;
    if (found) {
        entry->startTime = s->row.ints[0];
        entry->currentTime = s->row.ints[1];
        entry->endTime = s->row.ints[2];
        snprintf(entry->label, sizeof(entry->label), "%s", s->row.texts[3]);
    }
    OdbcCloseStatement(s);
    free(s);
    return found;
}

int ReadNextMasterRow(OdbcHistory* db, OdbcMasterEntry* entry) {
    if (!db || db->masterIndex >= db->masterCount)
        return 0;
    memset(entry, 0, sizeof(*entry));
    ReadMasterRow(db, db->masterStarts[db->masterIndex], entry);
    ++db->masterIndex;
    return 1;
}

static bool HasConnection(OdbcHistory* db, const char* operation) {
    const char* missing = !db ? "DB" : !db->dbc ? "ODBC" : nullptr;
    if (!missing)
        return true;
    char text[120];
    snprintf(text, sizeof(text), "Calling %s with no %s connection", operation, missing);
    Engine_MessageBox(GetActiveWindow(), text, "Fatal Error", MB_OK | MB_ICONSTOP);
    return false;
}

void SetODBCEntryPointer(OdbcHistory* db, DWORD index) {
    if (HasConnection(db, "SetODBCEntryPointer"))
        db->masterIndex = index;
}

void ResetToLastODBCEntry(OdbcHistory* db) {
    if (HasConnection(db, "ResetToLastODBCEntry") && db->masterIndex > 0)
        --db->masterIndex;
}

static int InsertMaster(OdbcHistory* db, const OdbcMasterEntry* e) {
    OdbcStatement* s = (OdbcStatement*)calloc(1, sizeof(OdbcStatement));
    if (!s)
        return 0;
    int ok = OdbcPrepareInsert(db->dbc, ODBC_MASTER, s);
    if (ok) {
        s->row.ints[0] = e->startTime;
        s->row.ints[1] = e->currentTime;
        s->row.ints[2] = e->endTime;
        OdbcSetText(s, 3, e->label);
        ok = OdbcInsertRow(s, "Write MasterTable");
    }
    OdbcCloseStatement(s);
    free(s);
    return ok;
}

int RewriteLastODBCEntry(OdbcHistory* db, const OdbcMasterEntry* entry) {
    if (!HasConnection(db, "RewriteLastODBCEntry"))
        return 0;
    // The old row goes only together with the new row's coming.
    struct Work {
        OdbcHistory* db;
        const OdbcMasterEntry* entry;
    } work = {db, entry};
    return OdbcTransaction(
        db->dbc,
        [](void* context) {
            Work* k = (Work*)context;
            char sql[160];
            snprintf(sql, sizeof(sql), "DELETE FROM %s WHERE %s = %u", OdbcTable(ODBC_MASTER).name,
                     "StartTime", (unsigned)k->entry->startTime);
            return OdbcExec(k->db->dbc, sql, "Write MasterTable") && InsertMaster(k->db, k->entry)
                       ? 1
                       : 0;
        },
        &work);
}

static int InsertEmptyDay(OdbcHistory* db, DWORD start) {
    OdbcMasterEntry e = {start, start + kDay - 1, 0, ""};
    char timeText[40];
    FormatUtcDateTime(timeText, e.label, start);
    return InsertMaster(db, &e);
}

int EnsureMasterRows(OdbcHistory* db, DWORD firstTime, DWORD lastTime, int create) {
    if (!db || !db->dbc || !create || !firstTime || !lastTime)
        return 1;
    DWORD firstDay = firstTime - firstTime % kDay;
    if (db->masterCount == 0) {
        for (DWORD day = firstDay; day <= lastTime; day += kDay)
            if (!InsertEmptyDay(db, day))
                return 0;
        return LoadODBCMasterTimes(db);
    }
    DWORD first = db->masterStarts[0];
    DWORD last = db->masterStarts[db->masterCount - 1];
    if (first <= firstTime && lastTime < last + kDay)
        return 1;
    for (DWORD day = firstDay; day < first; day += kDay)
        if (!InsertEmptyDay(db, day))
            return 0;
    for (DWORD day = last + kDay; day <= lastTime; day += kDay)
        if (!InsertEmptyDay(db, day))
            return 0;
    return LoadODBCMasterTimes(db);
}
