// Opening the log table, counting its rows, seeking and closing.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "logodbc/odbc_log_reader.h"

OdbcLogState& OdbcLog() {
    static OdbcLogState state;
    return state;
}

namespace {

// The first table the data source lists, or "logfile".
void FindLogTable(OdbcLogReader* r, char* table) {
    const OdbcApi* api = OdbcBound();
    strcpy(table, "logfile");
    if (r->access)
        return;
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    if (!OdbcOk(api->SQLAllocStmt(r->dbc, &stmt)))
        return;
    char name[256] = "";
    SQLLEN length = 0;
    if (OdbcOk(
            api->SQLTables(stmt, nullptr, 0, nullptr, 0, nullptr, 0, (SQLCHAR*)"TABLE", SQL_NTS)) &&
        OdbcOk(api->SQLBindCol(stmt, 3, SQL_C_CHAR, name, sizeof(name), &length)) &&
        OdbcOk(api->SQLFetch(stmt)) && length != SQL_NULL_DATA && name[0])
        strcpy(table, name);
    api->SQLFreeStmt(stmt, SQL_DROP);
}

bool Check(SQLRETURN r, const char* call, OdbcLogReader* reader) {
    if (OdbcOk(r))
        return true;
    ReportODBCError(r, call, OdbcEnvironment(), reader->dbc, reader->stmt);
    return false;
}

bool BindLogColumns(OdbcLogReader* r) {
    const OdbcApi* api = OdbcBound();
    // Columns 1-14: texts, the time, texts, five numbers, texts.
    const int textColumns[ODBC_LOG_TEXTS] = {1, 2, 4, 5, 6, 12, 13, 14, 0};
    for (int i = 0; i < 8; ++i)
        if (!Check(api->SQLBindCol(r->stmt, (SQLUSMALLINT)textColumns[i], SQL_C_CHAR, r->texts[i],
                                   sizeof(r->texts[i]), &r->lengths[textColumns[i]]),
                   "SQLBindCol", r))
            return false;
    for (int i = 0; i < ODBC_LOG_NUMBERS; ++i)
        if (!Check(api->SQLBindCol(r->stmt, (SQLUSMALLINT)(7 + i), SQL_C_SLONG, &r->numbers[i], 0,
                                   &r->lengths[7 + i]),
                   "SQLBindCol", r))
            return false;
    SQLRETURN when = r->access ? api->SQLBindCol(r->stmt, 3, SQL_C_CHAR, r->whenText,
                                                 sizeof(r->whenText), &r->lengths[3])
                               : api->SQLBindCol(r->stmt, 3, SQL_C_TIMESTAMP, &r->when,
                                                 sizeof(r->when), &r->lengths[3]);
    return Check(when, "SQLBindCol", r);
}

bool OpenReader(OdbcLogReader* r, const char* connection) {
    const OdbcApi* api = OdbcBound();
    r->access = strstr(connection, "MS Access") != nullptr;
    if (!Check(api->SQLAllocConnect(OdbcEnvironment(), &r->dbc), "SQLAllocConnect", r))
        return false;
    SQLRETURN c = api->SQLDriverConnect(r->dbc, GetActiveWindow(), (SQLCHAR*)connection, SQL_NTS,
                                        nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
    if (!Check(c, "SQLDriverConnect", r))
        return false;
    char table[256];
    FindLogTable(r, table);
    if (!Check(api->SQLAllocStmt(r->dbc, &r->stmt), "SQLAllocStmt", r))
        return false;
    api->SQLSetStmtOption(r->stmt, SQL_CURSOR_TYPE, SQL_CURSOR_STATIC);
    api->SQLSetStmtOption(r->stmt, SQL_ROWSET_SIZE, 1);
    api->SQLSetCursorName(r->stmt, (SQLCHAR*)"C1", SQL_NTS);
    char sql[300];
    snprintf(sql, sizeof(sql), "SELECT * FROM %s", table);
    return Check(api->SQLExecDirect(r->stmt, (SQLCHAR*)sql, SQL_NTS), "SQLExecDirect", r) &&
           BindLogColumns(r);
}

} // namespace

int FetchOdbcRow(OdbcLogReader* r, SQLINTEGER how, DWORD n) {
    SQLULEN fetched = 0;
    SQLUSMALLINT status[1] = {SQL_ROW_SUCCESS};
    SQLRETURN result =
        OdbcBound()->SQLExtendedFetch(r->stmt, (SQLUSMALLINT)how, (SQLLEN)n, &fetched, status);
    if (result == SQL_NO_DATA)
        return 0;
    if (!OdbcOk(result))
        return -1;
    return fetched > 0 && status[0] == SQL_ROW_SUCCESS ? 1 : 2;
}

DWORD CountOdbcRows(OdbcLogReader* r) {
    if (FetchOdbcRow(r, SQL_FETCH_ABSOLUTE, 1) != 1)
        return 0;
    DWORD present = 1, missing = 1024;
    while (FetchOdbcRow(r, SQL_FETCH_ABSOLUTE, missing) == 1) {
        present = missing;
        if (missing > 0x7FFFFFFF / 2)
            return present;
        missing *= 2;
    }
    while (missing - present > 1) {
        DWORD mid = present + (missing - present) / 2;
        if (FetchOdbcRow(r, SQL_FETCH_ABSOLUTE, mid) == 1)
            present = mid;
        else
            missing = mid;
    }
    return present;
}

void ReleaseOdbcLogReader(OdbcLogReader* r) {
    const OdbcApi* api = OdbcBound();
    if (!r || --r->refs > 0)
        return;
    if (api && r->stmt)
        api->SQLFreeStmt(r->stmt, SQL_DROP);
    if (api && r->dbc) {
        api->SQLDisconnect(r->dbc);
        api->SQLFreeConnect(r->dbc);
    }
    free(r);
}

void OpenODBCLogSource(const char* source, LogSourceHandle* handle) {
    OdbcLogState& state = OdbcLog();
    // Only the prepared source's own text shares its reader and row order.
    if (state.prepared && source && strncmp(source, ODBC_SOURCE_PREFIX, 5) == 0 &&
        strcmp(source + 5, state.prepared->szPath) == 0) {
        *handle = *state.prepared;
        if (handle->lpOdbc)
            ((OdbcLogReader*)handle->lpOdbc)->refs++;
        return;
    }
    memset(handle, 0, sizeof(*handle));
    handle->wKind = LOGSOURCE_ODBC;
    handle->hFile = INVALID_HANDLE_VALUE;
    if (!source || strncmp(source, ODBC_SOURCE_PREFIX, 5) != 0 ||
        strlen(source) >= LOGSOURCE_PATH_MAX || !BindODBC32())
        return;
    snprintf(handle->szPath, sizeof(handle->szPath), "%s", source + 5);
    OdbcLogReader* r = (OdbcLogReader*)calloc(1, sizeof(OdbcLogReader));
    if (!r)
        return;
    r->refs = 1;
    handle->lpOdbc = r;
    if (!OpenReader(r, handle->szPath)) {
        ORB_CloseODBC(handle);
        handle->hFile = INVALID_HANDLE_VALUE;
        return;
    }
    if (!state.scanning) {
        r->rows = CountOdbcRows(r);
        handle->dwSize = r->rows * ODBC_ROW_UNIT;
    }
    handle->dwPosition = 0;
    handle->hFile = (HANDLE)(LONG_PTR)-3;
}

DWORD GetPreparedODBCLogSize(void) {
    const OdbcLogState& state = OdbcLog();
    return state.prepared ? state.prepared->dwSize : 0;
}

void GetODBCLogSourceSize(LogSourceHandle* handle) {
    OdbcLogReader* r = (OdbcLogReader*)handle->lpOdbc;
    if (handle->dwSize == 0 && r) {
        r->rows = CountOdbcRows(r);
        handle->dwSize = r->rows * ODBC_ROW_UNIT;
    }
}

ULONGLONG SeekODBCLogSource(LogSourceHandle* handle, LONGLONG offset, DWORD method) {
    OdbcLogReader* r = (OdbcLogReader*)handle->lpOdbc;
    DWORD rows = r ? r->rows : 0;
    if (method == FILE_BEGIN)
        handle->dwPosition = (DWORD)(offset / ODBC_ROW_UNIT) * ODBC_ROW_UNIT;
    else if (method == FILE_END)
        handle->dwPosition = rows * ODBC_ROW_UNIT;
    return handle->dwPosition;
}

ULONGLONG ODBCLineStartBefore(LogSourceHandle* handle, ULONGLONG position) {
    OdbcLogReader* r = (OdbcLogReader*)handle->lpOdbc;
    ULONGLONG row = position / ODBC_ROW_UNIT;
    DWORD rows = r ? r->rows : 0;
    if (row > rows)
        return rows ? (ULONGLONG)(rows - 1) * ODBC_ROW_UNIT : 0;
    return row ? (row - 1) * ODBC_ROW_UNIT : 0;
}

void CloseODBCLogSource(LogSourceHandle* handle) {
    // A copy of the prepared source keeps the shared reader open for the
    // others; the last handle to go closes it.
    if (!handle)
        return;
    ReleaseOdbcLogReader((OdbcLogReader*)handle->lpOdbc);
    handle->lpOdbc = nullptr;
}

ORB_EXPORT(void) ORB_CloseODBC(LogSourceHandle* handle) {
    OdbcLogState& state = OdbcLog();
    if (handle != state.prepared)
        CloseODBCLogSource(handle);
    CloseODBCLogSource(state.prepared);
    free(state.prepared);
    state.prepared = nullptr;
    state.index.clear();
    state.scanning = state.sequential = false;
}
