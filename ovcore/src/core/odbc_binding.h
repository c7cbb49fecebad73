// ODBC32.DLL, bound by name on first use, all entry points or none. The
// history database, the ODBC log source and the report look-ups share the
// one binding and its process-wide environment.
#pragma once
#include "ovkit/odbc_api.h"

typedef OvkitOdbcApi OdbcApi;

// Loads and binds the library and allocates the process environment. The
// library handle, or 0 (then nothing stays loaded; the missing name goes to
// the debug output). Binds only while the process slot is empty.
HMODULE BindODBC32();
// Frees the process environment and the library; the slot is empty again.
void UnloadODBC32();
// The bound entry points, or null while the library is not bound.
const OdbcApi* OdbcBound();
// The process environment of the binding (null while not bound).
SQLHENV OdbcEnvironment();

// Reports an ODBC result: SQL_ERROR shows "%s: %s - %s" (context, SQLSTATE,
// message; the message alone without a context) captioned "ODBC Error";
// every other code passes silently. Returns code.
SQLRETURN ReportODBCError(SQLRETURN code, const char* context, SQLHENV env, SQLHDBC dbc,
                          SQLHSTMT stmt);
// 1 for SQL_SUCCESS and SQL_SUCCESS_WITH_INFO.
inline bool OdbcOk(SQLRETURN code) {
    return code == SQL_SUCCESS || code == SQL_SUCCESS_WITH_INFO;
}
// The SQLSTATE (6 bytes) and native error of the last failure on the handles;
// 1 when the driver gave one.
int OdbcLastState(SQLHENV env, SQLHDBC dbc, SQLHSTMT stmt, char* state, SQLINTEGER* native);
