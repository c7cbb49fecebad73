// The W3C extended log format's field map: one per log file, owned by the
// file (made at open or at the file's first W3C line, released at close).
// A reopen of the file keeps it: later "#Fields:" directives are what change it.
#pragma once
#include "ovcore/ovcore_base.h"

#define W3C_MAX_COLUMNS 48
#define W3C_COLUMN_NONE (-1)    // no column
#define W3C_COLUMN_UNKNOWN (-3) // a name outside the table: ignored
// Column indexes of the known field names.
enum W3CField {
    W3C_DATE = 0,
    W3C_TIME = 1,
    W3C_CLIENT_IP = 2,
    W3C_USERNAME = 3,
    W3C_METHOD = 5,
    W3C_URI_STEM = 6,
    W3C_STATUS = 7,
    W3C_URI_QUERY = 8,
    W3C_BYTES_OUT = 9,
    W3C_BYTES_IN = 10,
    W3C_USER_AGENT = 11,
    W3C_COOKIE = 12,
    W3C_REFERRER = 13,
    W3C_COMPUTER_NAME = 14,
    W3C_SERVER_IP = 15,
    W3C_FIELD_COUNT = 16
};

struct W3CFieldMap {
    int aiColumn[W3C_MAX_COLUMNS]; // W3CField, W3C_COLUMN_UNKNOWN or W3C_COLUMN_NONE
    DWORD dwColumns;               // columns kept (at most 48)
    char szDate[12];               // first word of the last "#Date: "
    DWORD bFieldsSeen;
    DWORD bHasDate;
    DWORD bHasTime;
    DWORD bWarned;    // the invalid-format message was shown for this file
    DWORD dwDeclared; // columns the directive declared (those past 48 are ignored)
};
static_assert(sizeof(W3CFieldMap) == 228, "W3C field map");

// Zero-filled map with every column W3C_COLUMN_NONE, or null.
W3CFieldMap* W3CFieldMap_New();
// Null accepted.
void W3CFieldMap_Free(W3CFieldMap* map);

// All columns none, counts and flags for date and time 0.
void W3C_ResetMap(W3CFieldMap* map);
// Reset, then "time c-ip cs-method cs-uri-stem sc-status".
void W3C_SetDefaultFields(W3CFieldMap* map);
// Reset, then the full list used for lines with more columns than their
// directive.
void W3C_SetFullFields(W3CFieldMap* map);
// Parses the names behind "#Fields: " (text up to its CR or LF) into the map.
// 1 on success. 0 when the text has no line end, no column, or no "time"
// column: the map is then unusable (column 0 none) until the next good
// directive, and the invalid-format message is shown once for the map.
BOOL W3C_ParseFields(W3CFieldMap* map, const char* text, DWORD length);
// 1 when "#Version: ", "#Date: " or "#Fields: " begins the text or a line of it.
BOOL W3C_IsDirective(const char* text, DWORD length);
// The per-file step at open: text is the file's first bytes (up to 4,096).
// When a "#Fields: " directive begins a line there, the map in *slot (made
// when null) is parsed from it: 1 on success (the caller then sets the
// file's format hint to 11); on failure the map is released (*slot null) and
// the answer is 0. Without a directive *slot is left alone and 0 answered.
// Run once at the real open only, never at the transparent reopen.
BOOL W3C_ScanOpeningText(W3CFieldMap** slot, const char* text, DWORD length);
// Applies one directive line to the map in *slot (made with the default
// fields when null), as reading the file line by line would: "#Date: " sets
// the date, "#Fields: " the columns; other lines change nothing. line[end]
// is the line's CR, LF or NUL. quiet: a bad "#Fields:" shows no message.
// 0 when the map cannot be made.
BOOL W3C_ApplyDirective(W3CFieldMap** slot, const char* line, DWORD end, BOOL quiet);
