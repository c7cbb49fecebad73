// The ODBC driver manager (ODBC32.DLL) as this system binds it: one list of
// functions, one table and one binder for the plug-in's data-source pages and
// the engine alike. Header only; each caller loads (and frees) the library
// and allocates its environment itself.
#pragma once
#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include "ovkit/dll_binding.h"

#define OVKIT_ODBC_FUNCTIONS(X)                                                                    \
    X(SQLAllocEnv)                                                                                 \
    X(SQLAllocConnect)                                                                             \
    X(SQLDriverConnect)                                                                            \
    X(SQLDisconnect)                                                                               \
    X(SQLFreeConnect)                                                                              \
    X(SQLFreeEnv)                                                                                  \
    X(SQLError)                                                                                    \
    X(SQLAllocStmt)                                                                                \
    X(SQLFreeStmt)                                                                                 \
    X(SQLSetStmtOption)                                                                            \
    X(SQLSetCursorName)                                                                            \
    X(SQLExecDirect)                                                                               \
    X(SQLBindCol)                                                                                  \
    X(SQLExtendedFetch)                                                                            \
    X(SQLTransact)                                                                                 \
    X(SQLTables)                                                                                   \
    X(SQLColumns)                                                                                  \
    X(SQLGetTypeInfo)                                                                              \
    X(SQLPrepare)                                                                                  \
    X(SQLExecute)                                                                                  \
    X(SQLBindParameter)                                                                            \
    X(SQLParamData)                                                                                \
    X(SQLPutData)                                                                                  \
    X(SQLSetConnectOption)                                                                         \
    X(SQLGetInfo)                                                                                  \
    X(SQLFetch)

struct OvkitOdbcApi {
#define OVKIT_ODBC_SLOT(fn) decltype(&::fn) fn;
    OVKIT_ODBC_FUNCTIONS(OVKIT_ODBC_SLOT)
#undef OVKIT_ODBC_SLOT
};

// Fills *api from module, every function or none: false (and *api all null)
// when one is missing (its name goes to the debug output).
inline bool OvkitBindOdbc(HMODULE module, OvkitOdbcApi* api) {
    bool ok = true;
#define OVKIT_ODBC_BIND(fn) ok = ok && OVKIT_BIND_MEMBER(module, *api, fn, "ODBC32.DLL");
    OVKIT_ODBC_FUNCTIONS(OVKIT_ODBC_BIND)
#undef OVKIT_ODBC_BIND
    if (!ok)
        *api = OvkitOdbcApi();
    return ok;
}
