// A hand-built run for the keyword evaluators: a run context with the 44
// tables and the user-sessions table, a small language table, a server
// list and cleared table-keyword rows.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "tables/analysis_tables.h"
#include "tables/item_counters.h"
#include "tables/item_tail.h"
#include "tables/period_block.h"
#include "tables/table_lookup.h"
#include "ovcore/serverlist.h"
#include "keywords/header_keywords.h"
#include "run/run_context.h"
#include "write/report_output.h"

struct KeywordRun {
    RunContext* run = AllocRunContext();
    AnalysisTable tables[RUN_TABLE_COUNT]{};
    AnalysisTable sessions{};
    ServerList servers{};
    TableContext aggregate{nullptr, nullptr, "(others)"};
    ReportIniSettings language{};

    KeywordRun() {
        OpenReportOutput(run);
        for (AnalysisTable& t : tables)
            InitTable(nullptr, &t, 0);
        InitTable(nullptr, &sessions, 0);
        SetTableItemTails(tables, &sessions);
        run->Period.TopTablesCount = RUN_TABLE_COUNT;
        run->Period.TopTablesPtr = tables;
        run->Period.TopUsersPtr = &sessions;
        static const char* const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
        for (int d = 0; d < 7; ++d)
            language.ShortWeekdays[d] = (char*)days[d];
        language.WorkHours = {2, {9, 10}};
        language.AfterHours = {2, {22, 23}};
        run->Language = &language;
        ServerList_Init(&servers);
        run->Servers = &servers;
        for (ReportTableKeyword& row : g_ReportTableKeywords) {
            row.Used = 1;
            row.Empty = 0;
            row.BracketCount = 9;
        }
    }
    ~KeywordRun() {
        for (int i = 0; i < RUN_TABLE_COUNT; ++i)
            FreeTableItems(&tables[i], TableKindOfNumber(i));
        FreeTableItems(&sessions, TABLE_KIND_PLAIN);
        ServerList_FreeContents(&servers);
        run->FreeOutput(run);
        free(run);
    }
    // Makes item 0 of a table the aggregate row (as the run's tables have).
    void WithAggregate(int table) {
        FreeTableItems(&tables[table], TableKindOfNumber(table));
        TableLookup_SetItemTail(&tables[table], TableItemTail(table));
        InitTable(&aggregate, &tables[table], 1800);
    }
    // Adds an item counted hits times (users of them as users) in interval 0.
    AnalysisItem* Add(int table, const char* name, DWORD hits, DWORD users = 0) {
        DWORD r = AddTableItem(&tables[table], name, 1);
        AnalysisItem* item = r ? tables[table].lpItems[r - 1] : nullptr;
        for (DWORD i = 0; item && i < hits; ++i)
            TableItem_CountHit(item, 0, i < users);
        return item;
    }
    std::string Value(const char* keyword, DWORD* marker = nullptr) {
        char value[KEYWORD_VALUE_SIZE];
        DWORD flag = 0;
        EvaluateHeaderKeyword(nullptr, run, keyword, value, sizeof(value), &flag, nullptr);
        if (marker)
            *marker = flag;
        return value;
    }
};

// A keyword, the value it must give and whether that value is a marker.
struct KeywordCase {
    const char* keyword;
    const char* value;
    DWORD marker = 0;
};

inline void ExpectKeywordValues(KeywordRun& r, const KeywordCase* cases, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        SCOPED_TRACE(cases[i].keyword);
        DWORD marker = 0;
        EXPECT_EQ(cases[i].value, r.Value(cases[i].keyword, &marker));
        EXPECT_EQ(cases[i].marker, marker);
    }
}
