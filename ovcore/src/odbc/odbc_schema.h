// The eleven tables of the ODBC history database: names, columns (integer or
// text of a size) and key columns (always the first keyCount columns), and
// the SQL texts made from them.
#pragma once
#include <stddef.h>

#define ODBC_TABLE_COUNT 11
#define ODBC_MAX_COLUMNS 22
#define ODBC_TEXT_CAP 254

struct OdbcColumn {
    const char* name;
    int textSize; // 0: integer
};

struct OdbcTableDef {
    const char* name;
    const OdbcColumn* columns;
    int columnCount;
    int keyCount;
};

enum OdbcTableId {
    ODBC_MASTER = 0,
    ODBC_TEMPLATE,
    ODBC_SUMMARY,
    ODBC_NAME,
    ODBC_TOPNAME,
    ODBC_DWORD_INTERVAL,
    ODBC_DOUBLE_INTERVAL,
    ODBC_SORT_INDEX,
    ODBC_SEARCH_ENGINE,
    ODBC_SEARCH_KEYWORD,
    ODBC_SERVER_COUNTS,
};

const OdbcTableDef& OdbcTable(int id);

// Stored stand-ins: -1 links and times, the visitor table, and the period
// block's own interval rows.
#define ODBC_STORED_NONE 0x0FFFFFFDu
#define ODBC_VISITOR_TABLE 0x0FFFFFFFu
#define ODBC_PERIOD_ROWS 0x0FFFFFFEu

// The SQL texts; each returns 1, or 0 when it does not fit size bytes.
int OdbcCreateTableSql(const OdbcTableDef& t, const char* textType, const char* intType, char* out,
                       size_t size);
int OdbcCreateIndexSql(const OdbcTableDef& t, char* out, size_t size);
int OdbcInsertSql(const OdbcTableDef& t, char* out, size_t size);
