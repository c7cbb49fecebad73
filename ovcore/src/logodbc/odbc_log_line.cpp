// One row of the log table as a comma-separated service-log line, and the
// preparation that reads the table once and orders its rows by time.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>

#include "core/progress_callback.h"
#include "core/engine_settings.h"
#include "logodbc/odbc_log_reader.h"
#include "ovcore/dates.h"
#include "ovcore/hittime.h"

namespace {

// The date order the line parser will read: the log date-format code's, or
// the [intl] order the parser falls back on while the code is unknown.
int LineDateOrder() {
    switch (GetLogDateFormat()) {
    case LOGDATE_DMY:
    case LOGDATE_DMY_GMT:
        return 1;
    case LOGDATE_YMD:
    case LOGDATE_YMD_GMT:
        return 2;
    default:
        return Engine_Settings().intl.Order;
    }
}

void FormatDate(int order, int y, int m, int d, char* out, size_t size) {
    char texts[3][12];
    snprintf(texts[0], sizeof(texts[0]), "%d", y);
    snprintf(texts[1], sizeof(texts[1]), "%d", m);
    snprintf(texts[2], sizeof(texts[2]), "%d", d);
    FormatDateInOrder(order, texts[0], texts[1], texts[2], out, size);
}

// The row's "date, time" text; false when the time is NULL.
bool RowTimeText(OdbcLogReader* r, int order, char* out, size_t size) {
    if (r->lengths[3] == SQL_NULL_DATA)
        return false;
    if (r->access) {
        RewriteAccessTimeText(r->whenText, order, out);
        return true;
    }
    char date[40];
    FormatDate(order, r->when.year, r->when.month, r->when.day, date, sizeof(date));
    snprintf(out, size, "%s, %d:%d:%d", date, r->when.hour, r->when.minute, r->when.second);
    return true;
}

const char* Text(OdbcLogReader* r, int i, int column) {
    return r->lengths[column] == SQL_NULL_DATA ? "" : r->texts[i];
}

// The line of the fetched row; false when it would not fit.
bool BuildLine(OdbcLogReader* r, const char* when, char* line) {
    char numbers[5][16];
    for (int i = 0; i < ODBC_LOG_NUMBERS; ++i)
        snprintf(numbers[i], sizeof(numbers[i]), "%d",
                 r->lengths[7 + i] == SQL_NULL_DATA ? 0 : (int)r->numbers[i]);
    int n = snprintf(line, ODBC_LINE_SIZE,
                     "%s, %s, %s, %s, %s, %s, %s, %s, %s, %s, %s, %s, %s, %s, \r\n", Text(r, 0, 1),
                     Text(r, 1, 2), when, Text(r, 2, 4), Text(r, 3, 5), Text(r, 4, 6), numbers[0],
                     numbers[1], numbers[2], numbers[3], numbers[4], Text(r, 5, 12), Text(r, 6, 13),
                     Text(r, 7, 14));
    return n > 0 && n < ODBC_LINE_SIZE;
}

// The row time as seconds (wall-clock time read as UTC); false when the text
// does not parse.
bool ParseRowTime(const char* when, int order, DWORD* time) {
    char text[300];
    snprintf(text, sizeof(text), "%s", when);
    char* comma = strchr(text, ',');
    if (comma)
        *comma = ' ';
    struct tm t;
    if (!ParseNumericDateTime(text, order, &t))
        return false;
    t.tm_isdst = 0;
    *time = Y2K_mkGMT(&t);
    return true;
}

} // namespace

int ReadODBCLine(LogSourceHandle* handle, char* line, ULONGLONG position, ULONGLONG* next) {
    OdbcLogState& state = OdbcLog();
    OdbcLogReader* r = (OdbcLogReader*)handle->lpOdbc;
    if (!r)
        return 1;
    DWORD row = (DWORD)(position / ODBC_ROW_UNIT);
    *next = (ULONGLONG)(row + 1) * ODBC_ROW_UNIT;
    int order = LineDateOrder();
    // The row order belongs to the prepared source's reader alone.
    bool ordered = state.prepared && state.prepared->lpOdbc == r;
    for (;; ++row, *next += ODBC_ROW_UNIT) {
        if (!state.scanning && row >= r->rows)
            return 1;
        int fetched;
        if (state.sequential)
            fetched = FetchOdbcRow(r, SQL_FETCH_NEXT, 0);
        else if (ordered && row < state.index.size())
            fetched = FetchOdbcRow(r, SQL_FETCH_ABSOLUTE, state.index[row].row);
        else
            return 1;
        if (fetched <= 0)
            return 1;
        char when[300];
        DWORD time = 0;
        if (fetched != 1 || !RowTimeText(r, order, when, sizeof(when)) ||
            !ParseRowTime(when, order, &time) || !BuildLine(r, when, line))
            continue;
        handle->dwPosition = (DWORD)*next;
        if (state.scanning)
            state.index.push_back({0, time});
        return 3;
    }
}

int PrepareODBCLogSource(const char* connection) {
    OdbcLogState& state = OdbcLog();
    // Another source prepared before (a run that did not drop it) gives way.
    if (state.prepared && strcmp(state.prepared->szPath, connection) == 0)
        return 1;
    if (state.prepared)
        ORB_CloseODBC(nullptr);
    LogSourceHandle* handle = (LogSourceHandle*)calloc(1, sizeof(LogSourceHandle));
    if (!handle)
        return 0;
    char source[LOGSOURCE_PATH_MAX];
    snprintf(source, sizeof(source), "%s%s", ODBC_SOURCE_PREFIX, connection);
    state.scanning = true;
    state.index.clear();
    OpenODBCLogSource(source, handle);
    if (handle->hFile == INVALID_HANDLE_VALUE) {
        free(handle);
        state.scanning = false;
        return 0;
    }
    state.sequential = true;
    char line[ODBC_LINE_SIZE];
    ULONGLONG position = 0, next = 0;
    // Rows are numbered as the cursor gives them; rows skipped as unreadable
    // keep their numbers.
    // The client's pump runs by elapsed time, not per row.
    DWORD lastPump = GetTickCount();
    for (DWORD cursorRow = 1;; ++cursorRow, position = next) {
        size_t before = state.index.size();
        if (ReadODBCLine(handle, line, position, &next) != 3)
            break;
        cursorRow += (DWORD)((next - position) / ODBC_ROW_UNIT) - 1;
        state.index[before].row = cursorRow;
        if (GetTickCount() - lastPump < 30)
            continue;
        lastPump = GetTickCount();
        if (CallProgressCallback(TRUE, 0, "", 0, -1, 0) == PROGRESS_STOP) {
            ORB_CloseODBC(handle);
            free(handle);
            return 0;
        }
    }
    std::stable_sort(state.index.begin(), state.index.end(),
                     [](const OdbcRowTime& a, const OdbcRowTime& b) { return a.time < b.time; });
    OdbcLogReader* r = (OdbcLogReader*)handle->lpOdbc;
    r->rows = (DWORD)state.index.size();
    handle->dwSize = r->rows * ODBC_ROW_UNIT;
    handle->dwPosition = 0;
    state.sequential = state.scanning = false;
    state.prepared = handle;
    return 1;
}
