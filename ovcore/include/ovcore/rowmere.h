// Database-report settings of a profile: an ODBC table whose columns are added
// to the report rows of client addresses or of authenticated users.
#pragma once
#include "ovcore/ovcore_base.h"

#define ROWMERE_TEXT_SIZE 300
#define ROWMERE_TITLE_SIZE 100
#define ROWMERE_SQL_SIZE 512

#pragma pack(push, 1)
typedef struct RowmereColumn {
    DWORD RowmereDataType;     // SQL data type of the column
    DWORD RowmereColumnNumber; // the column's number in the result row
    char RowmereDataColumn[ROWMERE_TEXT_SIZE];
    char* lpValue;       // run-time: malloc block filled by the look-up; owned by the column
    DWORD dwValueLength; // run-time: filled by the look-up
    DWORD RowmereReportSequence; // display position (0, 1, 2, ...)
    struct RowmereColumn* Next;
} RowmereColumn;

typedef struct RowmereSettings {
    DWORD RowmereEnabled;
    char RowmereDSN[ROWMERE_TEXT_SIZE];
    char RowmereTable[ROWMERE_TEXT_SIZE];
    char RowmereKeyColumn[ROWMERE_TEXT_SIZE];
    char RowmereReportTitle[ROWMERE_TITLE_SIZE];
    char szCustomSQL[ROWMERE_SQL_SIZE]; // replaces the default look-up when set; not stored
    DWORD RowmereShowOnlyRowmere;
    RowmereColumn* lpColumns; // owned
} RowmereSettings;
#pragma pack(pop)

#ifndef _WIN64
static_assert(sizeof(RowmereColumn) == 324, "RowmereColumn layout");
static_assert(sizeof(RowmereSettings) == 1524, "RowmereSettings layout");
#endif

// Zero-filled records; null when memory is short. Freed with FreeRowmere and
// FreeRowmereColumns.
ORB_EXPORT(RowmereSettings*) AllocRowmere();
ORB_EXPORT(RowmereColumn*) AllocRowmereData();
// Frees every column of the list (null allowed).
ORB_EXPORT(void) FreeRowmereColumns(RowmereColumn* lpColumns);
// Frees the column list and the record (null allowed).
ORB_EXPORT(void) FreeRowmere(RowmereSettings* lpSettings);
// A new record with every field and every column copied; the copies' run-time
// value buffers are null with length 0 (the source keeps its own). A null
// argument gives a new blank record. Null when memory is short.
ORB_EXPORT(RowmereSettings*) MakeCopyOfRowmere(const RowmereSettings* lpSettings);
