// Connecting to the ODBC history database and the table exports that
// connect for one call.
#include <stdlib.h>
#include <string.h>

#include "odbc/odbc_history.h"

static void Trace(const char* text) {
    OutputDebugStringA(text);
}

// Names are stored as the logs have them: bytes of the system code page, or
// of no code page at all (raw UTF-8 in a URL). A PostgreSQL server would
// read them in the client encoding its driver chose (UTF-8 mostly) and
// refuse the day that holds one invalid there; LATIN1 takes every byte as
// the character of its own value and gives the same byte back on reading.
static void KeepNameBytes(SQLHDBC dbc) {
    const OdbcApi* api = OdbcBound();
    char dbms[64] = "";
    SQLSMALLINT length = 0;
    if (!OdbcOk(api->SQLGetInfo(dbc, SQL_DBMS_NAME, dbms, sizeof(dbms), &length)) ||
        _stricmp(dbms, "PostgreSQL") != 0)
        return;
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    if (!OdbcOk(api->SQLAllocStmt(dbc, &stmt)))
        return;
    SQLRETURN r = api->SQLExecDirect(stmt, (SQLCHAR*)"SET client_encoding TO 'LATIN1'", SQL_NTS);
    ReportODBCError(r, "Set client encoding", SQL_NULL_HENV, SQL_NULL_HDBC, stmt);
    api->SQLFreeStmt(stmt, SQL_DROP);
}

OdbcHistory* ConnectToODBCDatabase(const char* connection) {
    Trace("ConnectToODBCDatabase - Entering");
    if (!connection || !BindODBC32())
        return nullptr;
    const OdbcApi* api = OdbcBound();
    OdbcHistory* db = (OdbcHistory*)calloc(1, sizeof(OdbcHistory));
    if (!db)
        return nullptr;
    Trace("ConnectToODBCDatabase - Memory allocated");
    SQLRETURN r = api->SQLAllocConnect(OdbcEnvironment(), &db->dbc);
    if (!OdbcOk(r)) {
        ReportODBCError(r, "Error allocating SQL connection", OdbcEnvironment(), SQL_NULL_HDBC,
                        SQL_NULL_HSTMT);
        free(db);
        return nullptr;
    }
    Trace("ConnectToODBCDatabase - Connection allocated");
    api->SQLSetConnectOption(db->dbc, SQL_OPT_TRACE, SQL_OPT_TRACE_OFF);
    char result[300];
    SQLSMALLINT resultLength = 0;
    r = api->SQLDriverConnect(db->dbc, GetActiveWindow(), (SQLCHAR*)connection, SQL_NTS,
                              (SQLCHAR*)result, sizeof(result) - 1, &resultLength,
                              SQL_DRIVER_NOPROMPT);
    if (!OdbcOk(r)) {
        ReportODBCError(r, "Error connecting to driver", OdbcEnvironment(), db->dbc,
                        SQL_NULL_HSTMT);
        api->SQLFreeConnect(db->dbc);
        free(db);
        return nullptr;
    }
    Trace("ConnectToODBCDatabase - Driver connected");
    KeepNameBytes(db->dbc);
    LoadODBCMasterTimes(db); // none yet when the tables are still to be made
    Trace("ConnectToODBCDatabase - Leaving");
    return db;
}

void DisconnectFromODBCDatabase(OdbcHistory* db) {
    if (!db)
        return;
    Trace("DisconnectFromODBCDatabase - Freeing connection");
    const OdbcApi* api = OdbcBound();
    if (api && db->dbc) {
        api->SQLDisconnect(db->dbc);
        api->SQLFreeConnect(db->dbc);
    }
    free(db->masterStarts);
    free(db);
}

static int CreateTablesOfProfile(AnalysisProfile* profile) {
    if (!profile)
        return 0;
    OdbcHistory* db = ConnectToODBCDatabase(profile->ODBCSwiftmere);
    if (!db)
        return 0;
    int result = CreateODBCTables(db);
    DisconnectFromODBCDatabase(db);
    return result;
}

ORB_EXPORT(int) ORB_CreateODBCTables(AnalysisProfile* profile) {
    return CreateTablesOfProfile(profile) == ODBC_TABLES_CREATED;
}

ORB_EXPORT(int) ORB_DoODBCTablesExist(AnalysisProfile* profile) {
    return CreateTablesOfProfile(profile) == ODBC_TABLES_EXISTED;
}

ORB_EXPORT(void) ORB_DeleteODBCDatabase(AnalysisProfile* profile) {
    if (!profile || profile->SwiftmereFlag != SWIFTMERE_ODBC)
        return;
    OdbcHistory* db = ConnectToODBCDatabase(profile->ODBCSwiftmere);
    if (!db)
        return;
    DropODBCTables(db);
    DisconnectFromODBCDatabase(db);
}
