#include "core/odbc_binding.h"

#include <stdio.h>

#include "core/message_sink.h"

static HMODULE g_library;
static SQLHENV g_environment;
static OdbcApi g_api;

HMODULE BindODBC32() {
    if (g_library)
        return g_library;
    HMODULE library = LoadLibraryA("ODBC32.DLL");
    if (!library)
        return 0;
    OdbcApi api = {};
    SQLHENV env = SQL_NULL_HENV;
    if (!OvkitBindOdbc(library, &api) || !OdbcOk(api.SQLAllocEnv(&env))) {
        FreeLibrary(library);
        return 0;
    }
    g_api = api;
    g_environment = env;
    g_library = library;
    return g_library;
}

void UnloadODBC32() {
    if (!g_library)
        return;
    g_api.SQLFreeEnv(g_environment);
    FreeLibrary(g_library);
    g_environment = SQL_NULL_HENV;
    g_library = 0;
    g_api = OdbcApi();
}

const OdbcApi* OdbcBound() {
    return g_library ? &g_api : nullptr;
}

SQLHENV OdbcEnvironment() {
    return g_environment;
}

int OdbcLastState(SQLHENV env, SQLHDBC dbc, SQLHSTMT stmt, char* state, SQLINTEGER* native) {
    char message[512];
    SQLSMALLINT length = 0;
    state[0] = 0;
    *native = 0;
    if (!g_library)
        return 0;
    return OdbcOk(g_api.SQLError(env, dbc, stmt, (SQLCHAR*)state, native, (SQLCHAR*)message,
                                 sizeof(message) - 1, &length));
}

SQLRETURN ReportODBCError(SQLRETURN code, const char* context, SQLHENV env, SQLHDBC dbc,
                          SQLHSTMT stmt) {
    if (code != SQL_ERROR || !g_library)
        return code;
    char state[6] = "";
    char message[512] = "";
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    g_api.SQLError(env, dbc, stmt, (SQLCHAR*)state, &native, (SQLCHAR*)message, sizeof(message) - 1,
                   &length);
    char text[700];
    if (context && context[0])
        snprintf(text, sizeof(text), "%s: %s - %s", context, state, message);
    else
        snprintf(text, sizeof(text), "%s", message);
    Engine_MessageBox(GetActiveWindow(), text, "ODBC Error", MB_OK | MB_ICONEXCLAMATION);
    return code;
}
