// Row buffers bound to the columns of one schema table, for inserting and
// for reading the rows of a period.
#pragma once
#include "odbc/odbc_history.h"
#include "odbc/odbc_schema.h"

// Numbers travel as 64-bit values, so that unsigned 32-bit values past
// 2^31 (times after 2038) are neither refused nor stored negative by
// drivers that take 32-bit C values as signed.
struct OdbcRow {
    DWORD ints[ODBC_MAX_COLUMNS];
    SQLBIGINT wide[ODBC_MAX_COLUMNS];
    char texts[ODBC_MAX_COLUMNS][256];
    SQLLEN lengths[ODBC_MAX_COLUMNS];
};

struct OdbcStatement {
    SQLHSTMT stmt;
    SQLHDBC dbc;
    const OdbcTableDef* def;
    OdbcRow row;
};

// Runs one statement text. 1/0; the failure is reported with context unless
// quiet is set.
int OdbcExec(SQLHDBC dbc, const char* sql, const char* context, bool quiet = false);
// Runs work(context) with autocommit off and commits what it did when it
// answers nonzero, else rolls it back; autocommit is on again afterwards.
// 1 committed, 0 rolled back or failed (reported).
int OdbcTransaction(SQLHDBC dbc, int (*work)(void* context), void* context);
// Prepares the table's INSERT with every parameter bound to the row. 1/0.
int OdbcPrepareInsert(SQLHDBC dbc, int tableId, OdbcStatement* s);
// Inserts the row. 1/0 (reported with context).
int OdbcInsertRow(OdbcStatement* s, const char* context);
// Selects the table's rows of one start time, columns bound to the row. 1/0.
int OdbcSelectPeriod(SQLHDBC dbc, int tableId, DWORD startTime, OdbcStatement* s);
// 1 a row (NULL texts empty, NULL numbers 0), 0 no more rows, -1 error.
int OdbcFetchRow(OdbcStatement* s);
void OdbcCloseStatement(OdbcStatement* s);

// Column value helpers: -1 and its stored stand-in, doubles as decimal text.
DWORD OdbcStoreLink(LONG value);
LONG OdbcLoadLink(DWORD value);
// 1, or 0 when the text would be longer than 29 characters (out empty).
int OdbcFormatDouble(double value, char* out);
double OdbcParseDouble(const char* text);
// Copies text into a column buffer, cut to the column's size minus one.
void OdbcSetText(OdbcStatement* s, int column, const char* text);
