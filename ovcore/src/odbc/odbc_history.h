// The history database kept in an ODBC data source: the connection, the
// eleven tables, one period written or read, and the master rows that list
// the stored days.
//
// Conventions: 1/0 functions return 0 on failure, after the failing ODBC call
// was reported (ReportODBCError) or its message shown.
#pragma once
#include "core/odbc_binding.h"
#include "ovcore/profile.h"
#include "ovcore/history.h"
#include "run/run_context.h"

// One open ODBC history database (zero-filled when made).
struct OdbcHistory {
    SQLHDBC dbc;
    // Start times of the master rows, ascending, and the cursor over them.
    DWORD masterCount;
    DWORD masterIndex;
    DWORD masterCapacity;
    DWORD* masterStarts;
};

// One stored day as the master row holds it.
struct OdbcMasterEntry {
    DWORD startTime;
    DWORD endTime;
    DWORD currentTime; // 0 no data yet; endTime + 1 complete
    char label[RUN_DATE_TEXT];
};

// Binds ODBC when needed and connects without prompting; a PostgreSQL
// server is told to keep name bytes as they are (client encoding LATIN1).
// The new record, or null ("Error allocating SQL connection" / "Error
// connecting to driver").
OdbcHistory* ConnectToODBCDatabase(const char* connection);
// Disconnects and frees the record (null allowed).
void DisconnectFromODBCDatabase(OdbcHistory* db);

#define ODBC_TABLES_EXISTED 1
#define ODBC_TABLES_FAILED 2
#define ODBC_TABLES_CREATED 3
// Creates every missing table (with its index) in the driver's own type
// names. ODBC_TABLES_EXISTED when the first table was there already (missing
// ones are still made), ODBC_TABLES_CREATED, or ODBC_TABLES_FAILED.
int CreateODBCTables(OdbcHistory* db);
// Drops the eleven tables; 1 when every drop succeeded.
int DropODBCTables(OdbcHistory* db);
// The type names CreateODBCTables uses: the driver's own, or "VARCHAR2" and
// "NUMBER(10,0)" when it names none (buffers of 256 bytes).
void GetODBCTypeNames(SQLHDBC dbc, char* textType, char* intType);

// Writes one period in one transaction: its old rows go, the block and its
// tables (sort indexes as materialised) and the master row are inserted.
// 1 written; 0 failed or stopped through the progress callback, and then the
// stored period is as it was.
int WritePeriodODBC(OdbcHistory* db, const PeriodBlock* period, const OdbcMasterEntry* entry);

#define ODBC_READ_LOADED 23
#define ODBC_READ_NO_TEMPLATE 22
#define ODBC_READ_FAILED 24
#define ODBC_READ_STOPPED 8
// Reads the period of startTime into period: the stored totals, and the 44
// tables and the visitor table (heap blocks owned by the caller, freed with
// FreeODBCPeriodTables; empty tables when none were stored). A code above.
int ReadPeriodODBC(OdbcHistory* db, PeriodBlock* period, DWORD startTime);
// Frees the tables ReadPeriodODBC made; the block's pointers become null.
void FreeODBCPeriodTables(PeriodBlock* period);

// Master rows: the start times, ascending, are loaded on connect and after
// EnsureMasterRows. 1 when an entry was read and the cursor moved on.
int LoadODBCMasterTimes(OdbcHistory* db);
int ReadNextMasterRow(OdbcHistory* db, OdbcMasterEntry* entry);
void SetODBCEntryPointer(OdbcHistory* db, DWORD index);
void ResetToLastODBCEntry(OdbcHistory* db);
// Replaces the row of entry's start time. 1/0.
int RewriteLastODBCEntry(OdbcHistory* db, const OdbcMasterEntry* entry);
// Adds a master row (current time 0) for every missing day of firstTime to
// lastTime in front of and behind the stored ones. 1/0.
int EnsureMasterRows(OdbcHistory* db, DWORD firstTime, DWORD lastTime, int create);

// The exports on a profile's ODBC history tables are in ovcore/history.h.
