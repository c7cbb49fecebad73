// The plug-in's own binding of the ODBC driver manager: one connection that
// the data-source pages open and the database-report pages list from.
#include "profile_sheet/odbc_binding.h"
#include "desk_services.h"
#include "ovkit/odbc_api.h"
#include <cstring>

namespace {
// The driver manager's table, with the library and the one environment and
// connection the pages share.
struct DeskOdbc : OvkitOdbcApi {
    HMODULE Library;
    SQLHENV Environment;
    SQLHDBC Connection;
};
DeskOdbc g_odbc;
int g_probe; // 0 not yet tested, 1 available, 2 not available
OdbcPromptProc g_prompt;

bool Ok(SQLRETURN status) {
    return status == SQL_SUCCESS || status == SQL_SUCCESS_WITH_INFO;
}

void Complain(HWND owner, const char* text) {
    DeskMessageBox(owner, text, OVDESK_CAPTION, MB_OK | MB_ICONEXCLAMATION);
}

// The driver manager's text of a failed call, in one box; status back.
SQLRETURN ReportError(HWND owner, SQLRETURN status, SQLHSTMT statement) {
    if (status != SQL_ERROR || !g_odbc.Library)
        return status;
    char state[6] = "";
    char message[512] = "";
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    g_odbc.SQLError(g_odbc.Environment, g_odbc.Connection, statement, (SQLCHAR*)state, &native,
                    (SQLCHAR*)message, sizeof message - 1, &length);
    DeskMessageBox(owner, message, "ODBC Error", MB_OK | MB_ICONEXCLAMATION);
    return status;
}

bool Bind(HWND owner) {
    if (g_odbc.Library)
        return true;
    HMODULE library = LoadLibraryA("ODBC32.DLL");
    if (!library) {
        Complain(owner, "Error loading ODBC library");
        return false;
    }
    DeskOdbc bound = {};
    bound.Library = library;
    if (!OvkitBindOdbc(library, &bound)) {
        FreeLibrary(library);
        Complain(owner, "Error loading function pointer from ODBC library");
        return false;
    }
    g_odbc = bound;
    return true;
}

// Environment and connection handles on the bound library.
bool Allocate(HWND owner) {
    if (!Bind(owner))
        return false;
    if (!Ok(ReportError(owner, g_odbc.SQLAllocEnv(&g_odbc.Environment), SQL_NULL_HSTMT)) ||
        !Ok(ReportError(owner, g_odbc.SQLAllocConnect(g_odbc.Environment, &g_odbc.Connection),
                        SQL_NULL_HSTMT))) {
        OdbcRelease();
        return false;
    }
    return true;
}

SQLRETURN Connect(HWND owner, const char* text, char* out, size_t size, SQLUSMALLINT mode) {
    char completed[1024] = "";
    SQLSMALLINT length = 0;
    SQLRETURN status =
        g_odbc.SQLDriverConnect(g_odbc.Connection, owner, (SQLCHAR*)text, SQL_NTS,
                                (SQLCHAR*)completed, sizeof completed, &length, mode);
    if (Ok(status) && out && size) {
        strncpy(out, completed, size - 1);
        out[size - 1] = '\0';
    }
    return status;
}

// Runs a catalogue call and hands each row's name (and type) to row.
int ListRows(HWND owner, SQLUSMALLINT nameColumn, bool withType,
             SQLRETURN (*catalogue)(SQLHSTMT, const char*), const char* argument, OdbcRowProc row,
             void* context) {
    if (!g_odbc.Connection)
        return -1;
    SQLHSTMT statement = SQL_NULL_HSTMT;
    if (!Ok(ReportError(owner, g_odbc.SQLAllocStmt(g_odbc.Connection, &statement), SQL_NULL_HSTMT)))
        return -1;
    char name[ODBC_NAME_SIZE] = "";
    SQLLEN nameLength = 0, typeLength = 0;
    // The data type is a SMALLINT: bound as one, then widened.
    SQLSMALLINT dataType = 0;
    int listed = -1;
    if (Ok(ReportError(owner, catalogue(statement, argument), statement))) {
        g_odbc.SQLBindCol(statement, nameColumn, SQL_C_CHAR, name, sizeof name, &nameLength);
        if (withType)
            g_odbc.SQLBindCol(statement, 5, SQL_C_SSHORT, &dataType, sizeof dataType, &typeLength);
        listed = 0;
        bool commitFailed = false;
        for (;;) {
            SQLRETURN status = g_odbc.SQLFetch(statement);
            if (status == SQL_NO_DATA || !Ok(status))
                break;
            // A failed commit of a read-only listing loses nothing: the row
            // is used, and the failure told once.
            if (!Ok(g_odbc.SQLTransact(g_odbc.Environment, g_odbc.Connection, SQL_COMMIT)))
                commitFailed = true;
            row(context, name, (long)dataType);
            ++listed;
        }
        if (commitFailed)
            Complain(owner, "The data source could not commit its catalogue reads.");
    }
    g_odbc.SQLFreeStmt(statement, SQL_DROP);
    return listed;
}

SQLRETURN TablesOf(SQLHSTMT statement, const char*) {
    return g_odbc.SQLTables(statement, nullptr, 0, nullptr, 0, nullptr, 0, (SQLCHAR*)"TABLE",
                            SQL_NTS);
}

SQLRETURN ColumnsOf(SQLHSTMT statement, const char* table) {
    return g_odbc.SQLColumns(statement, nullptr, 0, nullptr, 0, (SQLCHAR*)table, SQL_NTS, nullptr,
                             0);
}
} // namespace

int ProbeOdbcLibrary(int kind) {
    if (kind == ODBC_PROBE_CACHED && g_probe)
        return g_probe == 1;
    HMODULE library = LoadLibraryA("ODBC32.DLL");
    if (library)
        FreeLibrary(library);
    g_probe = library ? 1 : 2;
    return library != nullptr;
}

int OdbcConnectNoPrompt(HWND owner, const char* connection) {
    OdbcRelease();
    if (!Allocate(owner))
        return 0;
    if (!Ok(ReportError(owner, Connect(owner, connection, nullptr, 0, SQL_DRIVER_NOPROMPT),
                        SQL_NULL_HSTMT))) {
        OdbcRelease();
        return 0;
    }
    return 1;
}

int OdbcBrowseDataSource(HWND owner, char* out, size_t size, int keep) {
    OdbcRelease();
    if (!Allocate(owner))
        return 0;
    SQLRETURN status;
    if (g_prompt) {
        char chosen[ODBC_CONNECTION_SIZE] = "";
        status = g_prompt(chosen, sizeof chosen)
                     ? Connect(owner, chosen, out, size, SQL_DRIVER_NOPROMPT)
                     : (SQLRETURN)SQL_NO_DATA;
    } else {
        status = Connect(owner, "", out, size, SQL_DRIVER_COMPLETE);
    }
    ReportError(owner, status, SQL_NULL_HSTMT);
    if (!Ok(status) || !keep)
        OdbcRelease();
    if (Ok(status) && size > ODBC_CONNECTION_SIZE - 1)
        out[ODBC_CONNECTION_SIZE - 1] = '\0';
    return Ok(status) ? 1 : 0;
}

void OdbcRelease(void) {
    if (!g_odbc.Library)
        return;
    if (g_odbc.Connection) {
        g_odbc.SQLDisconnect(g_odbc.Connection);
        g_odbc.SQLFreeConnect(g_odbc.Connection);
    }
    if (g_odbc.Environment)
        g_odbc.SQLFreeEnv(g_odbc.Environment);
    FreeLibrary(g_odbc.Library);
    g_odbc = DeskOdbc();
}

int OdbcIsConnected(void) {
    return g_odbc.Connection != SQL_NULL_HDBC;
}

int OdbcListTables(HWND owner, OdbcRowProc row, void* context) {
    return ListRows(owner, 3, false, TablesOf, nullptr, row, context);
}

int OdbcListColumns(HWND owner, const char* table, OdbcRowProc row, void* context) {
    return ListRows(owner, 4, true, ColumnsOf, table, row, context);
}

void SetOdbcPromptForTests(OdbcPromptProc prompt) {
    g_prompt = prompt;
}
