// The ODBC state behind a log source handle, shared by its parts.
#pragma once
#include <vector>

#include "core/odbc_binding.h"
#include "logodbc/odbc_log_source.h"

#define ODBC_LOG_TEXTS 9
#define ODBC_LOG_NUMBERS 5

struct OdbcLogReader {
    int refs; // handles holding it: the prepared one and its open copies
    SQLHDBC dbc;
    SQLHSTMT stmt;
    DWORD rows;
    bool access; // an Access driver: the time column is text
    char texts[ODBC_LOG_TEXTS][256];
    SQLINTEGER numbers[ODBC_LOG_NUMBERS];
    TIMESTAMP_STRUCT when;
    char whenText[256];
    SQLLEN lengths[16];
};

// One row of the time index: where the row is and when it was logged.
struct OdbcRowTime {
    DWORD row; // absolute row number in the cursor
    DWORD time;
};

// Module state: one prepared source at a time.
struct OdbcLogState {
    LogSourceHandle* prepared;
    std::vector<OdbcRowTime> index;
    bool scanning;
    bool sequential;
};
OdbcLogState& OdbcLog();

// Fetches row n (1-based) by how (absolute or next). 1 a row, 2 a row the
// driver marks as not readable, 0 none, -1 error.
int FetchOdbcRow(OdbcLogReader* r, SQLINTEGER how, DWORD n);
// Counts the cursor's rows by halving between a row that exists and one
// that does not.
DWORD CountOdbcRows(OdbcLogReader* r);
// Drops one handle's hold on a reader; the last one frees its statement,
// its connection and the reader (null allowed).
void ReleaseOdbcLogReader(OdbcLogReader* r);
