// Day accounting and the per-period counters of the run's totals.
#include "hit_updaters.h"

#include <string.h>

#include "ovcore/dates.h"
#include "ovkit/text_copy.h"

// 0 Sunday .. 6 Saturday of a time value (1970-01-01 was a Thursday).
static int WeekdayOf(DWORD time) {
    return int((time / 86400 + 4) % 7);
}

// The day's date text in the language's date order, made once per day.
static const char* DayText(RunContext* run, DWORD time) {
    AccumulateState& s = run->Accum;
    DWORD day = time / 86400 + 1;
    if (s.DayNumber != day) {
        ORB_TIME t = time;
        FormatIntlDateTime(s.DayText, sizeof s.DayText, "%D", TimeToGmTm(&t), run->Language);
        s.DayNumber = day;
    }
    return s.DayText;
}

static void KeepExtreme(char* dayText, DWORD* value, const char* today, DWORD count, bool larger) {
    if (larger ? count > *value : (count != 0 && count < *value)) {
        *value = count;
        lstrcpynA(dayText, today, RUN_DATE_TEXT);
    }
}

void CountDay(RunContext* run, DWORD time) {
    PeriodBlock& p = run->Period;
    const char* text = time ? DayText(run, time) : "";
    if (time && (strcmp(text, p.Today) == 0 || time < p.TodayDateTime))
        return;
    KeepExtreme(p.BusiestDayByHits, &p.BusiestDayHits, p.Today, p.TodaysHits, true);
    KeepExtreme(p.QuietestDayByHits, &p.QuietestDayHits, p.Today, p.TodaysHits, false);
    KeepExtreme(p.BusiestDayByUsers, &p.BusiestDayUsers, p.Today, p.TodaysUsers, true);
    KeepExtreme(p.QuietestDayByUsers, &p.QuietestDayUsers, p.Today, p.TodaysUsers, false);
    OvkitCopyText(p.Today, RUN_DATE_TEXT, text);
    if (p.TodayDateTime) {
        ++p.DaysCounted;
        int weekday = WeekdayOf(p.TodayDateTime);
        if (weekday == 0 || weekday == 6) {
            p.WeekendHits += p.TodaysHits;
            p.WeekendUsers += p.TodaysUsers;
            ++p.WeekendDaysCounted;
        } else {
            p.WeekdayHits += p.TodaysHits;
            p.WeekdayUsers += p.TodaysUsers;
            ++p.WeekdaysCounted;
        }
        p.TodaysHits = p.TodaysUsers = 0;
    }
    p.TodayDateTime = time;
}

void CountPeriodHit(HitPass* pass) {
    PeriodBlock& p = pass->run->Period;
    const HitRecord* hit = pass->hit;
    if (hit->bSuccess)
        ++p.TodaysHits;
    DWORD n = pass->interval;
    if (n >= ANALYSIS_INTERVALS)
        return;
    if (hit->wMethod == HIT_METHOD_OTHER)
        ++p.OtherMethodHits[n];
    ++p.Hits[n];
    if (hit->dwStatus == 304)
        ++p.NotModifiedHits[n];
    else if (hit->bSuccess)
        p.Bytes[n] += double(hit->dwBytes);
    else
        ++p.FailedHits[n];
}
