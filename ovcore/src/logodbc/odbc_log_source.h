// A log kept in a table of an ODBC data source ("odbc:" + connection text),
// served row by row as comma-separated service-log lines in time order.
// Positions are row numbers times 100. One source is prepared at a time; the
// prepared source is kept until ORB_CloseODBC.
#pragma once
#include "ovcore/logsource.h"

#define ODBC_ROW_UNIT 100
#define ODBC_LINE_SIZE 2048

// Fills the handle (kind 2); hFile -1 when the source cannot be opened. The
// text of the prepared source gives a copy of it, which reads its rows in
// time order; any other text opens a source of its own, which counts its
// rows but has no order to read them in.
void OpenODBCLogSource(const char* source, LogSourceHandle* handle);
// 1 when the source is prepared (already, or now: opened, read once and its
// rows ordered by time; a source of another text prepared before is
// dropped); 0 on failure or when the user stopped it.
int PrepareODBCLogSource(const char* connection);
// The size (rows x 100) of the prepared source; 0 when none is prepared.
DWORD GetPreparedODBCLogSize(void);
// Sets dwSize (counting the rows when it is 0).
void GetODBCLogSourceSize(LogSourceHandle* handle);
// FILE_BEGIN: row = offset / 100; FILE_END: the row count; FILE_CURRENT:
// unchanged. Returns the new position.
ULONGLONG SeekODBCLogSource(LogSourceHandle* handle, LONGLONG offset, DWORD method);
// 3 with the line of the row at position / 100 (next = the following
// position), 1 when there is no further row.
int ReadODBCLine(LogSourceHandle* handle, char* line, ULONGLONG position, ULONGLONG* next);
// The position of the row before position.
ULONGLONG ODBCLineStartBefore(LogSourceHandle* handle, ULONGLONG position);
// Closes the source and drops the prepared one (null allowed); copies of it
// still open read no further rows and close their shared connection last.
ORB_EXPORT(void) ORB_CloseODBC(LogSourceHandle* handle);
// Closes the handle's hold on its connection: the connection of a copy of
// the prepared source stays open while the prepared source or another copy
// holds it.
void CloseODBCLogSource(LogSourceHandle* handle);

// The time text of an Access driver ("1999-10-10 2:05:09 PM") in the date
// order (0 m/d/y, 1 d/m/y, 2 y/m/d) and a 24-hour clock; result holds at
// least strlen(text) + 8 bytes.
void RewriteAccessTimeText(const char* text, int dateOrder, char* result);
// "y/m/d" texts joined in the date order (0 m/d/y, 1 d/m/y, 2 y/m/d).
void FormatDateInOrder(int order, const char* y, const char* m, const char* d, char* out,
                       size_t size);
