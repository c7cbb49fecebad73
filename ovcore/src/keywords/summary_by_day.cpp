#include "summary_by_day.h"

#include "ovcore/report_numbers.h"
#include "header_call.h"
#include "keyword_text.h"
#include "table_keywords.h"
#include "table_values.h"
#include "ovkit/text_copy.h"

static ULONGLONG SumHours(const RunContext* run, const AnalysisTable* hours, const HourList* list,
                          bool users) {
    ULONGLONG sum = 0;
    for (WORD i = 0; run && list && i < list->Count && i < REPORTINI_MAX_HOURS; ++i) {
        char name[16];
        FormatValueText(name, sizeof(name), "%02d:00-%02d:59", list->Hours[i], list->Hours[i]);
        sum += users ? FindItemUsersByName(hours, name) : FindItemHitsByName(hours, name);
    }
    return sum;
}

ULONGLONG SumHoursHits(const RunContext* run, const AnalysisTable* hours) {
    return run && run->Language ? SumHours(run, hours, &run->Language->WorkHours, false) : 0;
}

ULONGLONG SumAfterHoursHits(const RunContext* run, const AnalysisTable* hours) {
    return run && run->Language ? SumHours(run, hours, &run->Language->AfterHours, false) : 0;
}

ULONGLONG SumHoursUsers(const RunContext* run, const AnalysisTable* hours, const HourList* list) {
    return SumHours(run, hours, list, true);
}

void MostHitsItemName(const AnalysisTable* table, bool most, char* out, DWORD size) {
    OvkitCopyText(out, size, "");
    const AnalysisItem* best = nullptr;
    for (DWORD n = 0; table && n < table->ovCount; ++n) {
        const AnalysisItem* item = GetTableRowItem(table, 0, n);
        if (item && (!best || (most ? item->ovTotalByHits > best->ovTotalByHits
                                    : item->ovTotalByHits < best->ovTotalByHits)))
            best = item;
    }
    if (best)
        OvkitCopyText(out, size, best->ovString);
}

// Weekend days are counted as days: one more, halved when above one.
static DWORD WeekendCount(DWORD counted) {
    DWORD count = counted + 1;
    return count > 1 ? count / 2 : count;
}

int FillSummaryByDayVars(const RunContext* run, const char* keyword, char* value, DWORD size,
                         DWORD* markerFlag) {
    OvkitCopyText(value, size, "");
    if (!run || CompareKeywordPrefix(keyword, "SummaryByDay") != 0)
        return 0;
    if (RunHasNoVisitors(run)) {
        SetMarkerValue(value, size, "%%Remove%%", markerFlag);
        return 1;
    }
    const PeriodBlock& p = run->Period;
    const char* word = keyword + 12;
    DWORD weekdays = p.WeekdaysCounted;
    DWORD weekend = WeekendCount(p.WeekendDaysCounted);
    const AnalysisTable* days = RunTable(run, TopWeekdays);
    if (KeywordIs(word, "AvgUsersOnWeekdays"))
        FormatCount(weekdays ? p.WeekdayUsers / weekdays : p.WeekdayUsers, value, (int)size);
    else if (KeywordIs(word, "AvgHitsOnWeekdays"))
        FormatCount(weekdays ? p.WeekdayHits / weekdays : p.WeekdayHits, value, (int)size);
    else if (KeywordIs(word, "AvgUsersOnWeekends"))
        FormatCount(p.WeekendUsers / weekend, value, (int)size);
    else if (KeywordIs(word, "AvgHitsOnWeekends"))
        FormatCount(p.WeekendHits / weekend, value, (int)size);
    else if (KeywordIs(word, "MostActiveDayOfWeek"))
        MostHitsItemName(days, true, value, size);
    else if (KeywordIs(word, "LeastActiveDayOfWeek"))
        MostHitsItemName(days, false, value, size);
    else if (KeywordIs(word, "MostActiveDayEver"))
        OvkitCopyText(value, size, p.BusiestDayByHits);
    else if (KeywordIs(word, "MostActiveDayEverHits"))
        FormatCount(p.BusiestDayHits, value, (int)size);
    else if (KeywordIs(word, "LeastActiveDayEver"))
        OvkitCopyText(value, size, p.QuietestDayByHits);
    else if (KeywordIs(word, "LeastActiveDayEverHits")) {
        if (p.QuietestDayHits == 0xFFFFFFFF)
            OvkitCopyText(value, size, "N/A");
        else
            FormatCount(p.QuietestDayHits, value, (int)size);
    }
    return 1;
}
