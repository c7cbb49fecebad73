// The ODBC driver manager, bound by name at run time: the availability
// probe, the one connection the data-source pages keep open, and the
// catalogue listings of the database-report pages.
#pragma once
#include <windows.h>

enum OdbcProbeKind { ODBC_PROBE_CACHED = 1, ODBC_PROBE_FRESH = 2 };
enum { ODBC_CONNECTION_SIZE = 300, ODBC_NAME_SIZE = 250 };

// 1 when ODBC32.DLL can be loaded, else 0; silent. The cached kind loads it
// once per run of the plug-in, the fresh kind on every call.
int ProbeOdbcLibrary(int kind);
// Connects with the connection text and no prompt; 1 with the connection
// left open, 0 with everything released (after a box with the driver
// manager's text). An open connection is released first.
int OdbcConnectNoPrompt(HWND owner, const char* connection);
// Lets the user choose a data source; its completed connection text into
// out (size bytes, at most 299 characters). 1 on success; with keep the
// connection stays open, else it is released. An open connection is
// released first.
int OdbcBrowseDataSource(HWND owner, char* out, size_t size, int keep);
// Releases the connection, the environment and the library (when bound).
void OdbcRelease(void);
// 1 while a connection is open.
int OdbcIsConnected(void);

// One listed name (table or column) and, for columns, its SQL data type.
typedef void (*OdbcRowProc)(void* context, const char* name, long dataType);
// Lists the tables of type "TABLE" of the open connection; the number
// listed, or -1 when the listing failed (after one box).
int OdbcListTables(HWND owner, OdbcRowProc row, void* context);
// Lists the columns of table with their SQL data types, in the driver's
// order; the number listed, or -1 as above.
int OdbcListColumns(HWND owner, const char* table, OdbcRowProc row, void* context);

// Tests stand in for the driver manager's own data-source prompt, which
// needs a person: prompt fills the connection text and answers 1, or 0 as
// a cancel. Null restores the driver manager's prompt.
typedef int (*OdbcPromptProc)(char* connection, size_t size);
void SetOdbcPromptForTests(OdbcPromptProc prompt);
