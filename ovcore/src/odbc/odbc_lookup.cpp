#include "odbc/odbc_lookup.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "core/message_sink.h"
#include "core/odbc_binding.h"
#include "text/html_escape.h"

namespace {

#define LOOKUP_MAX_COLUMNS 64

struct LookupState {
    SQLHENV env;
    SQLHDBC dbc;
    SQLHSTMT stmt[2];
    bool connected;
    // Length indicators of the bound columns (SQLLEN is wider than the
    // column record's stored 32-bit length on 64-bit builds).
    SQLLEN lengths[2][LOOKUP_MAX_COLUMNS];
};
LookupState g_lookup;

RowmereSettings* Section(AnalysisProfile* profile, int section) {
    if (!profile || (section != 1 && section != 2))
        return nullptr;
    return section == 1 ? profile->RowmereIP : profile->RowmereAuthUser;
}

bool Report(SQLRETURN r, const char* context, SQLHSTMT stmt) {
    if (OdbcOk(r))
        return true;
    ReportODBCError(r, context, g_lookup.env, g_lookup.dbc, stmt);
    return false;
}

bool IsText(DWORD type) {
    return type == SQL_CHAR || type == SQL_VARCHAR;
}
bool IsWhole(DWORD type) {
    return type == SQL_NUMERIC || type == SQL_INTEGER || type == SQL_SMALLINT;
}
bool IsFloating(DWORD type) {
    return type == SQL_DECIMAL || type == SQL_FLOAT || type == SQL_REAL || type == SQL_DOUBLE;
}

// Binds every column to its value buffer (made once, then reused), in the C
// type that FormatLookupColumn reads for its data type.
bool BindLookupColumns(SQLHSTMT stmt, RowmereColumn* column, SQLLEN* lengths) {
    for (int n = 0; column && n < LOOKUP_MAX_COLUMNS; column = column->Next, ++n) {
        if (!column->lpValue && !(column->lpValue = (char*)calloc(1, LOOKUP_VALUE_SIZE)))
            return false;
        DWORD type = column->RowmereDataType;
        SQLSMALLINT cType = IsWhole(type)      ? SQL_C_SLONG
                            : IsFloating(type) ? SQL_C_DOUBLE
                                               : SQL_C_CHAR;
        SQLRETURN r = OdbcBound()->SQLBindCol(stmt, (SQLUSMALLINT)column->RowmereColumnNumber,
                                              cType, column->lpValue, 250, &lengths[n]);
        if (!Report(r, "SQLBindCol", stmt))
            return false;
    }
    return true;
}

void FormatLookupColumn(char* out, size_t size, const RowmereColumn* column) {
    DWORD type = column->RowmereDataType;
    out[0] = 0;
    // A NULL column (indicator -1) holds whatever the last row left there.
    if ((LONG)column->dwValueLength == (LONG)SQL_NULL_DATA)
        return;
    if (IsText(type))
        snprintf(out, size, "%s", column->lpValue);
    else if (IsWhole(type))
        snprintf(out, size, "%d", (int)*(const SQLINTEGER*)column->lpValue);
    else if (IsFloating(type))
        snprintf(out, size, "%f", *(const double*)column->lpValue);
}

const RowmereColumn* ColumnAt(const RowmereColumn* column, DWORD position) {
    for (; column; column = column->Next)
        if (column->RowmereReportSequence == position)
            return column;
    return nullptr;
}

// Appends mark-up when it fits whole; false when it does not.
bool AppendMarkup(char* out, size_t size, const char* markup) {
    size_t used = strlen(out);
    if (used + strlen(markup) >= size)
        return false;
    strcpy(out + used, markup);
    return true;
}

} // namespace

int ConnectLookupDatabase(const RowmereSettings* s) {
    if (g_lookup.connected)
        return 1;
    if (!s || !s->RowmereDSN[0] || !s->RowmereTable[0] || !s->RowmereKeyColumn[0] || !s->lpColumns)
        return 0;
    const OdbcApi* api = BindODBC32() ? OdbcBound() : nullptr;
    if (!api || !OdbcOk(api->SQLAllocEnv(&g_lookup.env))) {
        Engine_MessageBox(GetActiveWindow(), "Error loading ODBC library", "Ostrevane",
                          MB_OK | MB_ICONEXCLAMATION);
        g_lookup.env = SQL_NULL_HENV;
        return 0;
    }
    SQLRETURN r = api->SQLAllocConnect(g_lookup.env, &g_lookup.dbc);
    if (Report(r, "Error allocating SQL connection", SQL_NULL_HSTMT)) {
        r = api->SQLDriverConnect(g_lookup.dbc, GetActiveWindow(), (SQLCHAR*)s->RowmereDSN, SQL_NTS,
                                  nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
        if (Report(r, "Error connecting to driver", SQL_NULL_HSTMT)) {
            g_lookup.connected = true;
            return 1;
        }
        api->SQLFreeConnect(g_lookup.dbc);
    }
    api->SQLFreeEnv(g_lookup.env);
    g_lookup = LookupState();
    return 0;
}

int PrepareLookup(AnalysisProfile* profile, int section) {
    RowmereSettings* s = Section(profile, section);
    if (!s)
        return 0;
    SQLHSTMT* stmt = &g_lookup.stmt[section - 1];
    if (*stmt)
        return 1;
    if (!g_lookup.connected || !s->lpColumns)
        return 0;
    const OdbcApi* api = OdbcBound();
    if (!Report(api->SQLAllocStmt(g_lookup.dbc, stmt), "SQLAllocStmt", SQL_NULL_HSTMT)) {
        *stmt = SQL_NULL_HSTMT;
        return 0;
    }
    char sql[ROWMERE_SQL_SIZE + 2 * ROWMERE_TEXT_SIZE + 40];
    if (s->szCustomSQL[0])
        snprintf(sql, sizeof(sql), "%s", s->szCustomSQL);
    else
        snprintf(sql, sizeof(sql), "SELECT * FROM %s WHERE %s = ?", s->RowmereTable,
                 s->RowmereKeyColumn);
    if (!Report(api->SQLPrepare(*stmt, (SQLCHAR*)sql, SQL_NTS), "SQLPrepare", *stmt)) {
        api->SQLFreeStmt(*stmt, SQL_DROP);
        *stmt = SQL_NULL_HSTMT;
        return 0;
    }
    return 1;
}

int LookupRow(AnalysisProfile* profile, int section, const char* key, char* out, size_t outSize) {
    if (out && outSize)
        out[0] = 0;
    RowmereSettings* s = Section(profile, section);
    if (!s || !key || !out || !outSize || !g_lookup.connected || !g_lookup.stmt[section - 1])
        return 0;
    const OdbcApi* api = OdbcBound();
    SQLHSTMT stmt = g_lookup.stmt[section - 1];
    SQLLEN keyLength = (SQLLEN)strlen(key);
    SQLRETURN r =
        api->SQLBindParameter(stmt, 1, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR,
                              keyLength ? keyLength : 1, 0, (SQLPOINTER)key, keyLength, &keyLength);
    if (!Report(r, "SQLBindParameter", stmt) || !Report(api->SQLExecute(stmt), "SQLExecute", stmt))
        return 0;
    int result = 0;
    SQLLEN* lengths = g_lookup.lengths[section - 1];
    if (BindLookupColumns(stmt, s->lpColumns, lengths)) {
        r = api->SQLFetch(stmt);
        int n = 0;
        for (RowmereColumn* c = s->lpColumns; c && n < LOOKUP_MAX_COLUMNS; c = c->Next, ++n)
            c->dwValueLength = (DWORD)lengths[n];
        if (r == SQL_NO_DATA) {
            result = 1;
        } else if (Report(r, "SQLFetch", stmt)) {
            char text[LOOKUP_VALUE_SIZE];
            for (DWORD at = 0;; ++at) {
                const RowmereColumn* column = ColumnAt(s->lpColumns, at);
                if (!column)
                    break;
                FormatLookupColumn(text, sizeof(text), column);
                if (at && !AppendMarkup(out, outSize, "<BR>"))
                    break; // the columns after a cut are left out
                AppendHtmlText(out, outSize, text);
            }
            result = 1;
        }
    }
    api->SQLFreeStmt(stmt, SQL_CLOSE);
    return result;
}

void DisconnectLookupDatabase() {
    const OdbcApi* api = OdbcBound();
    if (api) {
        for (SQLHSTMT stmt : g_lookup.stmt)
            if (stmt)
                api->SQLFreeStmt(stmt, SQL_DROP);
        if (g_lookup.dbc) {
            api->SQLDisconnect(g_lookup.dbc);
            api->SQLFreeConnect(g_lookup.dbc);
        }
        if (g_lookup.env)
            api->SQLFreeEnv(g_lookup.env);
    }
    g_lookup = LookupState();
}
