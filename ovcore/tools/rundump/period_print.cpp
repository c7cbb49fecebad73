#include "rundump/period_print.h"
#include "tables/item_tail.h"

#include <stdio.h>

namespace {

struct Number {
    const char* name;
    DWORD PeriodBlock::*field;
};
const Number kNumbers[] = {
    {"TodayDateTime", &PeriodBlock::TodayDateTime},
    {"TodaysHits", &PeriodBlock::TodaysHits},
    {"TodaysUsers", &PeriodBlock::TodaysUsers},
    {"DaysCounted", &PeriodBlock::DaysCounted},
    {"WeekdayHits", &PeriodBlock::WeekdayHits},
    {"WeekdayUsers", &PeriodBlock::WeekdayUsers},
    {"WeekdaysCounted", &PeriodBlock::WeekdaysCounted},
    {"WeekendHits", &PeriodBlock::WeekendHits},
    {"WeekendUsers", &PeriodBlock::WeekendUsers},
    {"WeekendDaysCounted", &PeriodBlock::WeekendDaysCounted},
    {"UserSessionsTimeCount", &PeriodBlock::UserSessionsTimeCount},
    {"UserSessionsTime", &PeriodBlock::UserSessionsTime},
    {"BusiestDayHits", &PeriodBlock::BusiestDayHits},
    {"QuietestDayHits", &PeriodBlock::QuietestDayHits},
    {"BusiestDayUsers", &PeriodBlock::BusiestDayUsers},
    {"QuietestDayUsers", &PeriodBlock::QuietestDayUsers},
    {"DocumentHits", &PeriodBlock::DocumentHits},
    {"FormHits", &PeriodBlock::FormHits},
    {"FailedFormHits", &PeriodBlock::FailedFormHits},
    {"Failed400", &PeriodBlock::Failed400},
    {"Failed401", &PeriodBlock::Failed401},
    {"Failed402", &PeriodBlock::Failed402},
    {"Failed403", &PeriodBlock::Failed403},
    {"Failed404", &PeriodBlock::Failed404},
    {"Failed500", &PeriodBlock::Failed500},
    {"Failed501", &PeriodBlock::Failed501},
    {"Failed502", &PeriodBlock::Failed502},
    {"Failed503", &PeriodBlock::Failed503},
};

struct Text {
    const char* name;
    const char (PeriodBlock::*field)[RUN_DATE_TEXT];
};
const Text kTexts[] = {
    {"Today", &PeriodBlock::Today},
    {"BusiestDayByHits", &PeriodBlock::BusiestDayByHits},
    {"QuietestDayByHits", &PeriodBlock::QuietestDayByHits},
    {"BusiestDayByUsers", &PeriodBlock::BusiestDayByUsers},
    {"QuietestDayByUsers", &PeriodBlock::QuietestDayByUsers},
};

struct PerInterval {
    const char* name;
    DWORD (PeriodBlock::*field)[ANALYSIS_INTERVALS];
};
const PerInterval kPerInterval[] = {
    {"NewVisits", &PeriodBlock::NewVisits},
    {"HomeVisits", &PeriodBlock::HomeVisits},
    {"ForeignVisits", &PeriodBlock::ForeignVisits},
    {"UnknownVisits", &PeriodBlock::UnknownVisits},
    {"Hits", &PeriodBlock::Hits},
    {"HomePageHits", &PeriodBlock::HomePageHits},
    {"NotModifiedHits", &PeriodBlock::NotModifiedHits},
    {"FailedHits", &PeriodBlock::FailedHits},
    {"OtherMethodHits", &PeriodBlock::OtherMethodHits},
};

} // namespace

void PrintPeriodBlock(const RunContext* context) {
    const PeriodBlock& p = context->Period;
    DWORD count = context->Intervals.Count;
    if (count > ANALYSIS_INTERVALS)
        count = ANALYSIS_INTERVALS;
    printf("period\tIntervals\t%u\t%lu\n", (unsigned)count,
           (unsigned long)context->Intervals.Length);
    for (const Number& n : kNumbers)
        printf("period\t%s\t%lu\n", n.name, (unsigned long)(p.*n.field));
    for (const Text& t : kTexts)
        printf("period\t%s\t%.*s\n", t.name, RUN_DATE_TEXT, p.*t.field);
    for (const PerInterval& a : kPerInterval) {
        printf("period\t%s", a.name);
        for (DWORD i = 0; i < count; i++)
            printf("\t%lu", (unsigned long)(p.*a.field)[i]);
        printf("\n");
    }
    printf("period\tBytes");
    for (DWORD i = 0; i < count; i++)
        printf("\t%.0f", p.Bytes[i]);
    printf("\n");
}

namespace {

void PrintTable(int number, const char* keyword, const AnalysisTable* table) {
    DWORD count = table && table->lpItems ? table->ovCount : 0;
    printf("table\t%d\t%s\t%lu\n", number, keyword, (unsigned long)count);
    for (DWORD i = 0; i < count; i++) {
        const AnalysisItem* item = table->lpItems[i];
        if (!item || item->ovDeleted)
            continue;
        printf("%s\t%lu\t%s\t%lu\t%lu\t%lu\t%.0f\t%lu\t%lu\n", keyword, (unsigned long)i,
               item->ovString ? item->ovString : "", (unsigned long)item->ovTotalByHits,
               (unsigned long)item->ovTotalByUsers, (unsigned long)item->ovNonCachedTotalByHits,
               item->ovTotalBytes, (unsigned long)ItemTimeOnPages(item),
               (unsigned long)ItemTimeOnPagesCount(item));
    }
}

} // namespace

void PrintRunTables(const RunContext* context) {
    const AnalysisTable* tables = context->Period.TopTablesPtr;
    for (int t = 0; t < RUN_TABLE_COUNT; t++)
        PrintTable(t, g_ReportTableKeywords[t].Keyword, tables ? &tables[t] : nullptr);
    PrintTable(RUN_TABLE_COUNT, "Visitors", context->Period.TopUsersPtr);
}
