#include "odbc/odbc_schema.h"

#include <stdarg.h>
#include <stdio.h>

namespace {

const OdbcColumn kMaster[] = {{"StartTime", 0}, {"CurrentTime", 0}, {"EndTime", 0}, {"Today", 60}};
const OdbcColumn kTemplate[] = {
    {"StartTime", 0},        {"TodayDateTime", 0},  {"Today", 60},
    {"TodaysHits", 0},       {"TodaysUsers", 0},    {"UserSessionsTimeCount", 0},
    {"UserSessionsTime", 0}, {"DocumentHits", 0},   {"FormHits", 0},
    {"FailedFormHits", 0},   {"Failed500", 0},      {"Failed501", 0},
    {"Failed502", 0},        {"Failed503", 0},      {"Failed400", 0},
    {"Failed401", 0},        {"Failed402", 0},      {"Failed403", 0},
    {"Failed404", 0},        {"TopTablesCount", 0}, {"TopTablesPtr", 0},
    {"TopUsersPtr", 0}};
const OdbcColumn kSummary[] = {
    {"StartTime", 0},        {"SummaryTableType", 0}, {"TopCount", 0},     {"ovCount", 0},
    {"DeleteCount", 0},      {"DeleteListHead", 0},   {"DateListHead", 0}, {"DateListTail", 0},
    {"TopTableListHead", 0}, {"TopTableListTail", 0}, {"ChunkSize", 0},    {"SortIndexCount", 0}};
const OdbcColumn kName[] = {{"StartTime", 0},
                            {"SummaryTableType", 0},
                            {"ovArrayOrder", 0},
                            {"ovOverflow", 0},
                            {"ovTopFlag", 0},
                            {"ovDeleted", 0},
                            {"ovPrevLink", 0},
                            {"ovNextLink", 0},
                            {"ovLastDateTime", 0},
                            {"ovOriginalIndex", 0},
                            {"ovTotalByHits", 0},
                            {"ovTotalByUsers", 0},
                            {"ovNonCachedTotalByHits", 0},
                            {"ovTotalBytes", 30},
                            {"ovLastPageWasForm", 0},
                            {"ovLastPageTime", 0},
                            {"ovLastPageEntryItem", 0},
                            {"ovTimeOnPages", 0},
                            {"ovTimeOnPagesCount", 0},
                            {"ovTopNamesCount", 0},
                            {"ovString", 250},
                            {"ovBanned", 0}};
const OdbcColumn kTopName[] = {
    {"StartTime", 0}, {"NameTableIndex", 0}, {"NameTableType", 0}, {"TopNameValue", 0}};
const OdbcColumn kDwordInterval[] = {{"StartTime", 0},      {"SummaryTableType", 0},
                                     {"ovArrayOrder", 0},   {"DataType", 0},
                                     {"IntervalNumber", 0}, {"intervalValue", 0}};
const OdbcColumn kDoubleInterval[] = {{"StartTime", 0},      {"SummaryTableType", 0},
                                      {"ovArrayOrder", 0},   {"DataType", 0},
                                      {"IntervalNumber", 0}, {"intervalValue", 30}};
const OdbcColumn kSortIndex[] = {
    {"StartTime", 0}, {"SummaryTableType", 0}, {"ovArrayOrder", 0}, {"SortIndex", 0}};
const OdbcColumn kSearchEngine[] = {
    {"StartTime", 0}, {"Engine", 250}, {"Keyword", 250}, {"ovHits", 0}, {"ovSessions", 0}};
const OdbcColumn kSearchKeyword[] = {
    {"StartTime", 0}, {"Keyword", 250}, {"Engine", 250}, {"ovHits", 0}, {"ovSessions", 0}};
const OdbcColumn kServerCounts[] = {{"StartTime", 0},
                                    {"NameTableType", 0},
                                    {"NameTableIndex", 0},
                                    {"ovServerCountIndex", 0},
                                    {"ovServerCountValue", 0}};

#define TABLE(name, columns, keys)                                                                 \
    { name, columns, (int)(sizeof(columns) / sizeof(columns[0])), keys }
const OdbcTableDef kTables[ODBC_TABLE_COUNT] = {
    TABLE("OVLogMasterTable", kMaster, 1),
    TABLE("OVLogTemplateTable", kTemplate, 1),
    TABLE("OVLogSummaryTable", kSummary, 2),
    TABLE("OVLogNameTable", kName, 2),
    TABLE("OVLogTopNameTable", kTopName, 3),
    TABLE("OVLogDwordIntervalTable", kDwordInterval, 4),
    TABLE("OVLogDoubleIntervalTable", kDoubleInterval, 4),
    TABLE("OVLogSortIndexTable", kSortIndex, 2),
    TABLE("OVLogSearchEngine", kSearchEngine, 2),
    TABLE("OVLogSearchKeyword", kSearchKeyword, 2),
    TABLE("OVServerCounts", kServerCounts, 3),
};
#undef TABLE

// Appends to a bounded text; false once it no longer fits.
struct SqlText {
    char* out;
    size_t size;
    size_t used;
    bool ok;
    void Add(const char* format, ...) {
        if (!ok)
            return;
        va_list args;
        va_start(args, format);
        int n = vsnprintf(out + used, size - used, format, args);
        va_end(args);
        if (n < 0 || (size_t)n >= size - used)
            ok = false;
        else
            used += (size_t)n;
    }
};

} // namespace

const OdbcTableDef& OdbcTable(int id) {
    return kTables[id];
}

int OdbcCreateTableSql(const OdbcTableDef& t, const char* textType, const char* intType, char* out,
                       size_t size) {
    SqlText s = {out, size, 0, size > 0};
    s.Add("CREATE TABLE %s (", t.name);
    for (int c = 0; c < t.columnCount; ++c) {
        const OdbcColumn& col = t.columns[c];
        const char* comma = c ? ", " : "";
        if (col.textSize)
            s.Add("%s%s %s(%d)", comma, col.name, textType,
                  col.textSize > ODBC_TEXT_CAP ? ODBC_TEXT_CAP : col.textSize);
        else
            s.Add("%s%s %s", comma, col.name, intType);
    }
    s.Add(")");
    return s.ok;
}

int OdbcCreateIndexSql(const OdbcTableDef& t, char* out, size_t size) {
    SqlText s = {out, size, 0, size > 0};
    s.Add("CREATE INDEX IDX%s ON %s (", t.name, t.name);
    for (int c = 0; c < t.keyCount; ++c)
        s.Add("%s%s ASC", c ? ", " : "", t.columns[c].name);
    s.Add(")");
    return s.ok;
}

int OdbcInsertSql(const OdbcTableDef& t, char* out, size_t size) {
    SqlText s = {out, size, 0, size > 0};
    s.Add("INSERT INTO %s (", t.name);
    for (int c = 0; c < t.columnCount; ++c)
        s.Add("%s%s", c ? ", " : "", t.columns[c].name);
    s.Add(") VALUES (?");
    for (int c = 1; c < t.columnCount; ++c)
        s.Add(", ?");
    s.Add(")");
    return s.ok;
}
