// One period's totals and its table set: the 44 numbered tables and the
// visitor table. The history database stores the block whole, so its layout
// is pinned.
#pragma once
#include <stddef.h>

#include "ovcore/analysis_table.h"
#include "tables/table_numbers.h"

#define PERIOD_BLOCK_SIZE 1840
#define RUN_DATE_TEXT 60

#pragma pack(push, 1)
// The run's totals (one per period in the history database).
struct PeriodBlock {
    DWORD dwSize;    // 1840
    DWORD dwVersion; // 0x301
    DWORD TodayDateTime;
    char Today[RUN_DATE_TEXT];
    DWORD TodaysHits;
    DWORD TodaysUsers;
    DWORD DaysCounted;
    DWORD WeekdayHits, WeekdayUsers, WeekdaysCounted;
    DWORD WeekendHits, WeekendUsers, WeekendDaysCounted;
    DWORD UserSessionsTimeCount;
    DWORD UserSessionsTime;
    char BusiestDayByHits[RUN_DATE_TEXT];
    DWORD BusiestDayHits;
    char QuietestDayByHits[RUN_DATE_TEXT];
    DWORD QuietestDayHits; // starts at 0xFFFFFFFF
    char BusiestDayByUsers[RUN_DATE_TEXT];
    DWORD BusiestDayUsers;
    char QuietestDayByUsers[RUN_DATE_TEXT];
    DWORD QuietestDayUsers; // starts at 0xFFFFFFFF
    DWORD NewVisits[ANALYSIS_INTERVALS];
    DWORD HomeVisits[ANALYSIS_INTERVALS];
    DWORD ForeignVisits[ANALYSIS_INTERVALS];
    DWORD UnknownVisits[ANALYSIS_INTERVALS];
    DWORD DocumentHits;
    DWORD Hits[ANALYSIS_INTERVALS];
    DWORD HomePageHits[ANALYSIS_INTERVALS];
    DWORD NotModifiedHits[ANALYSIS_INTERVALS]; // status 304
    double Bytes[ANALYSIS_INTERVALS];
    DWORD FailedHits[ANALYSIS_INTERVALS];
    DWORD OtherMethodHits[ANALYSIS_INTERVALS]; // method code 4
    DWORD FormHits;
    DWORD FailedFormHits;
    DWORD Failed500, Failed501, Failed502, Failed503;
    DWORD Failed400, Failed401, Failed402, Failed403, Failed404;
    DWORD TopTablesCount; // 44
    AnalysisTable* TopTablesPtr;
    AnalysisTable* TopUsersPtr; // the visitor table
};
#pragma pack(pop)
static_assert(offsetof(PeriodBlock, BusiestDayByHits) == 116, "period block layout");
static_assert(offsetof(PeriodBlock, NewVisits) == 372, "period block layout");
static_assert(offsetof(PeriodBlock, DocumentHits) == 884, "period block layout");
static_assert(offsetof(PeriodBlock, Bytes) == 1272, "period block layout");
static_assert(offsetof(PeriodBlock, FormHits) == 1784, "period block layout");
static_assert(offsetof(PeriodBlock, Failed400) == 1808, "period block layout");
static_assert(offsetof(PeriodBlock, TopTablesCount) == 1828, "period block layout");
#ifndef _WIN64
static_assert(sizeof(PeriodBlock) == PERIOD_BLOCK_SIZE, "period block is 1840 bytes");
#endif

// The period's empty table set (every numbered table and the visitors),
// without the run's bindings and leaving its table count alone; 0 when
// memory is short (nothing is kept).
int MakePeriodTableSet(PeriodBlock* period);
// Gives the numbered tables and the visitor table of a set, before their
// first item, the tails their items carry (TableItemTail). 1, or 0 when
// memory is short.
int SetTableItemTails(AnalysisTable* tables, AnalysisTable* visitors);
