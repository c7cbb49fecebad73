#include "odbc/odbc_rows.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "core/message_sink.h"

int OdbcExec(SQLHDBC dbc, const char* sql, const char* context, bool quiet) {
    const OdbcApi* api = OdbcBound();
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    if (!api || !OdbcOk(api->SQLAllocStmt(dbc, &stmt)))
        return 0;
    SQLRETURN r = api->SQLExecDirect(stmt, (SQLCHAR*)sql, SQL_NTS);
    // SQL_NO_DATA: a DELETE that matched nothing.
    bool ok = OdbcOk(r) || r == SQL_NO_DATA;
    if (!ok && !quiet)
        ReportODBCError(r, context, OdbcEnvironment(), dbc, stmt);
    api->SQLFreeStmt(stmt, SQL_DROP);
    return ok;
}

int OdbcTransaction(SQLHDBC dbc, int (*work)(void* context), void* context) {
    const OdbcApi* api = OdbcBound();
    if (!api || !dbc)
        return 0;
    SQLRETURN r = api->SQLSetConnectOption(dbc, SQL_AUTOCOMMIT, SQL_AUTOCOMMIT_OFF);
    if (!OdbcOk(r)) {
        ReportODBCError(r, "SQLSetConnectOption", OdbcEnvironment(), dbc, SQL_NULL_HSTMT);
        return 0;
    }
    int ok = work(context);
    r = api->SQLTransact(OdbcEnvironment(), dbc, (SQLUSMALLINT)(ok ? SQL_COMMIT : SQL_ROLLBACK));
    if (!OdbcOk(r)) {
        ReportODBCError(r, "SQLTransact", OdbcEnvironment(), dbc, SQL_NULL_HSTMT);
        if (ok)
            api->SQLTransact(OdbcEnvironment(), dbc, SQL_ROLLBACK);
        ok = 0;
    }
    api->SQLSetConnectOption(dbc, SQL_AUTOCOMMIT, SQL_AUTOCOMMIT_ON);
    return ok;
}

static int BindColumns(OdbcStatement* s, bool parameters) {
    const OdbcApi* api = OdbcBound();
    for (int c = 0; c < s->def->columnCount; ++c) {
        const OdbcColumn& col = s->def->columns[c];
        SQLRETURN r;
        if (parameters && col.textSize) {
            s->row.lengths[c] = SQL_NTS;
            r = api->SQLBindParameter(s->stmt, (SQLUSMALLINT)(c + 1), SQL_PARAM_INPUT, SQL_C_CHAR,
                                      SQL_VARCHAR, col.textSize, 0, s->row.texts[c],
                                      sizeof(s->row.texts[c]), &s->row.lengths[c]);
        } else if (parameters) {
            s->row.lengths[c] = 0;
            r = api->SQLBindParameter(s->stmt, (SQLUSMALLINT)(c + 1), SQL_PARAM_INPUT,
                                      SQL_C_SBIGINT, SQL_INTEGER, 0, 0, &s->row.wide[c], 0,
                                      &s->row.lengths[c]);
        } else if (col.textSize) {
            r = api->SQLBindCol(s->stmt, (SQLUSMALLINT)(c + 1), SQL_C_CHAR, s->row.texts[c],
                                sizeof(s->row.texts[c]), &s->row.lengths[c]);
        } else {
            r = api->SQLBindCol(s->stmt, (SQLUSMALLINT)(c + 1), SQL_C_SBIGINT, &s->row.wide[c], 0,
                                &s->row.lengths[c]);
        }
        if (!OdbcOk(r)) {
            ReportODBCError(r, parameters ? "SQLBindParameter" : "SQLBindCol", OdbcEnvironment(),
                            s->dbc, s->stmt);
            return 0;
        }
    }
    return 1;
}

static int StartStatement(SQLHDBC dbc, int tableId, OdbcStatement* s) {
    const OdbcApi* api = OdbcBound();
    memset(s, 0, sizeof(*s));
    s->dbc = dbc;
    s->def = &OdbcTable(tableId);
    SQLRETURN r = api ? api->SQLAllocStmt(dbc, &s->stmt) : SQL_ERROR;
    if (!OdbcOk(r)) {
        ReportODBCError(r, "SQLAllocStmt", OdbcEnvironment(), dbc, SQL_NULL_HSTMT);
        s->stmt = SQL_NULL_HSTMT;
        return 0;
    }
    return 1;
}

int OdbcPrepareInsert(SQLHDBC dbc, int tableId, OdbcStatement* s) {
    if (!StartStatement(dbc, tableId, s))
        return 0;
    char sql[1024];
    OdbcInsertSql(*s->def, sql, sizeof(sql));
    SQLRETURN r = OdbcBound()->SQLPrepare(s->stmt, (SQLCHAR*)sql, SQL_NTS);
    if (!OdbcOk(r)) {
        ReportODBCError(r, "SQLPrepare", OdbcEnvironment(), dbc, s->stmt);
        return 0;
    }
    return BindColumns(s, true);
}

int OdbcInsertRow(OdbcStatement* s, const char* context) {
    for (int c = 0; c < s->def->columnCount; ++c)
        s->row.wide[c] = s->row.ints[c];
    SQLRETURN r = OdbcBound()->SQLExecute(s->stmt);
    if (!OdbcOk(r)) {
        ReportODBCError(r, context, OdbcEnvironment(), s->dbc, s->stmt);
        return 0;
    }
    return 1;
}

int OdbcSelectPeriod(SQLHDBC dbc, int tableId, DWORD startTime, OdbcStatement* s) {
    if (!StartStatement(dbc, tableId, s))
        return 0;
    char sql[256];
    snprintf(sql, sizeof(sql), "SELECT * FROM %s WHERE StartTime = %u", s->def->name,
             (unsigned)startTime);
    SQLRETURN r = OdbcBound()->SQLExecDirect(s->stmt, (SQLCHAR*)sql, SQL_NTS);
    if (!OdbcOk(r)) {
        ReportODBCError(r, "SQLExecDirect", OdbcEnvironment(), dbc, s->stmt);
        return 0;
    }
    return BindColumns(s, false);
}

int OdbcFetchRow(OdbcStatement* s) {
    SQLRETURN r = OdbcBound()->SQLFetch(s->stmt);
    if (r == SQL_NO_DATA)
        return 0;
    if (!OdbcOk(r)) {
        ReportODBCError(r, "SQLFetch", OdbcEnvironment(), s->dbc, s->stmt);
        return -1;
    }
    for (int c = 0; c < s->def->columnCount; ++c) {
        s->row.ints[c] = (DWORD)s->row.wide[c];
        if (s->row.lengths[c] != SQL_NULL_DATA)
            continue;
        s->row.ints[c] = 0;
        s->row.texts[c][0] = 0;
    }
    return 1;
}

void OdbcCloseStatement(OdbcStatement* s) {
    const OdbcApi* api = OdbcBound();
    if (api && s->stmt)
        api->SQLFreeStmt(s->stmt, SQL_DROP);
    s->stmt = SQL_NULL_HSTMT;
}

DWORD OdbcStoreLink(LONG value) {
    return value == -1 ? ODBC_STORED_NONE : (DWORD)value;
}

LONG OdbcLoadLink(DWORD value) {
    return value == ODBC_STORED_NONE ? -1 : (LONG)value;
}

int OdbcFormatDouble(double value, char* out) {
    char text[400];
    snprintf(text, sizeof(text), "%f", value);
    char* point = strchr(text, '.');
    if (point)
        *point = 0;
    if (strlen(text) > 29) {
        out[0] = 0;
        Engine_MessageBox(GetActiveWindow(), "Double value larger than 29 digits", "ODBC Error",
                          MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }
    strcpy(out, text);
    return 1;
}

double OdbcParseDouble(const char* text) {
    return text[0] ? strtod(text, nullptr) : 0.0;
}

void OdbcSetText(OdbcStatement* s, int column, const char* text) {
    int size = s->def->columns[column].textSize;
    snprintf(s->row.texts[column], (size_t)size, "%s", text ? text : "");
}
