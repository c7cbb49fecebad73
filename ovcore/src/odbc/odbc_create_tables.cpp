// Making and dropping the history tables. Existence is asked of the driver's
// table list first, since drivers disagree on the SQLSTATE of "table exists".
#include <stdio.h>
#include <string.h>

#include "odbc/odbc_rows.h"

static void TypeNameOf(SQLHDBC dbc, SQLSMALLINT type, const char* fallback, char* out) {
    const OdbcApi* api = OdbcBound();
    strcpy(out, fallback);
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    if (!OdbcOk(api->SQLAllocStmt(dbc, &stmt)))
        return;
    char name[256] = "";
    SQLLEN length = 0;
    if (OdbcOk(api->SQLGetTypeInfo(stmt, type)) &&
        OdbcOk(api->SQLBindCol(stmt, 1, SQL_C_CHAR, name, sizeof(name), &length)) &&
        OdbcOk(api->SQLFetch(stmt)) && length != SQL_NULL_DATA && name[0])
        strcpy(out, name);
    api->SQLFreeStmt(stmt, SQL_DROP);
}

void GetODBCTypeNames(SQLHDBC dbc, char* textType, char* intType) {
    TypeNameOf(dbc, SQL_VARCHAR, "VARCHAR2", textType);
    TypeNameOf(dbc, SQL_INTEGER, "NUMBER(10,0)", intType);
}

// 1 when the data source lists a table of that name (any case), 0 when not,
// -1 when it cannot list its tables.
static int TableListed(SQLHDBC dbc, const char* table) {
    const OdbcApi* api = OdbcBound();
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    if (!OdbcOk(api->SQLAllocStmt(dbc, &stmt)))
        return -1;
    int found = -1;
    char name[256];
    SQLLEN length = 0;
    if (OdbcOk(
            api->SQLTables(stmt, nullptr, 0, nullptr, 0, nullptr, 0, (SQLCHAR*)"TABLE", SQL_NTS)) &&
        OdbcOk(api->SQLBindCol(stmt, 3, SQL_C_CHAR, name, sizeof(name), &length))) {
        found = 0;
        while (!found && OdbcOk(api->SQLFetch(stmt)))
            found = length != SQL_NULL_DATA && _stricmp(name, table) == 0;
    }
    api->SQLFreeStmt(stmt, SQL_DROP);
    return found;
}

static bool MeansExists(const char* state, SQLINTEGER native) {
    return strcmp(state, "S0001") == 0 || strcmp(state, "42S01") == 0 ||
           strcmp(state, "42P07") == 0 || (strcmp(state, "S1000") == 0 && native == 955);
}

static bool MeansIndexExists(const char* state) {
    return strcmp(state, "S0011") == 0 || strcmp(state, "42S11") == 0 ||
           strcmp(state, "42P07") == 0;
}

// Runs sql; 1 done, 0 the object was there already, -1 failed (shown).
static int RunCreate(SQLHDBC dbc, const char* sql, bool index) {
    const OdbcApi* api = OdbcBound();
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    if (!OdbcOk(api->SQLAllocStmt(dbc, &stmt)))
        return -1;
    SQLRETURN r = api->SQLExecDirect(stmt, (SQLCHAR*)sql, SQL_NTS);
    int result = 1;
    if (!OdbcOk(r)) {
        char state[6];
        SQLINTEGER native = 0;
        OdbcLastState(OdbcEnvironment(), dbc, stmt, state, &native);
        if (index ? MeansIndexExists(state) : MeansExists(state, native)) {
            result = 0;
        } else {
            ReportODBCError(r, "", OdbcEnvironment(), dbc, stmt);
            result = -1;
        }
    }
    api->SQLFreeStmt(stmt, SQL_DROP);
    return result;
}

int CreateODBCTables(OdbcHistory* db) {
    if (!db || !OdbcBound())
        return ODBC_TABLES_FAILED;
    char textType[256], intType[256];
    GetODBCTypeNames(db->dbc, textType, intType);
    int result = ODBC_TABLES_CREATED;
    for (int t = 0; t < ODBC_TABLE_COUNT; ++t) {
        const OdbcTableDef& def = OdbcTable(t);
        char sql[2048];
        int made = 0;
        if (TableListed(db->dbc, def.name) != 1) {
            OdbcCreateTableSql(def, textType, intType, sql, sizeof(sql));
            made = RunCreate(db->dbc, sql, false);
        }
        if (made < 0)
            return ODBC_TABLES_FAILED;
        if (made == 0) {
            if (t == 0)
                result = ODBC_TABLES_EXISTED;
            continue;
        }
        OdbcCreateIndexSql(def, sql, sizeof(sql));
        if (RunCreate(db->dbc, sql, true) < 0)
            return ODBC_TABLES_FAILED;
    }
    return result;
}

int DropODBCTables(OdbcHistory* db) {
    if (!db || !OdbcBound())
        return 0;
    int ok = 1;
    for (int t = 0; t < ODBC_TABLE_COUNT; ++t) {
        char sql[128];
        snprintf(sql, sizeof(sql), "DROP TABLE %s", OdbcTable(t).name);
        ok &= OdbcExec(db->dbc, sql, "DROP TABLE");
    }
    return ok;
}
