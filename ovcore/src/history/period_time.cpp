// Period arithmetic of the history database: the start, end and successor of
// the day, week, month, quarter or year holding a time, their interval
// grids and labels. Times follow the engine's convention (wall-clock read as
// GMT), so the arithmetic is on UTC calendars and never on the local zone.
#include <stdio.h>
#include <string.h>

#include "dates/civil_time.h"
#include "dates/intl_names.h"
#include "history/history_db.h"

static struct tm Broken(ORB_TIME time) {
    struct tm t;
    Civil_FromSeconds((int64_t)time, &t);
    t.tm_hour = t.tm_min = t.tm_sec = 0;
    return t;
}

static ORB_TIME Whole(const struct tm& t) {
    return (ORB_TIME)Civil_ToSeconds(t);
}

ORB_TIME PeriodStart(int kind, ORB_TIME time) {
    struct tm t = Broken(time);
    switch (kind) {
    case PERIOD_WEEK:
        t.tm_mday -= t.tm_wday;
        break;
    case PERIOD_MONTH:
        t.tm_mday = 1;
        break;
    case PERIOD_QUARTER:
        t.tm_mday = 1;
        t.tm_mon -= t.tm_mon % 3;
        break;
    case PERIOD_YEAR:
        t.tm_mday = 1;
        t.tm_mon = 0;
        break;
    default:
        break;
    }
    return Whole(t);
}

ORB_TIME NextPeriodStart(int kind, ORB_TIME time) {
    struct tm t = Broken(PeriodStart(kind, time));
    switch (kind) {
    case PERIOD_WEEK:
        t.tm_mday += 7;
        break;
    case PERIOD_MONTH:
        t.tm_mon += 1;
        break;
    case PERIOD_QUARTER:
        t.tm_mon += 3;
        break;
    case PERIOD_YEAR:
        t.tm_year += 1;
        break;
    default:
        t.tm_mday += 1;
        break;
    }
    return Whole(t);
}

ORB_TIME PeriodEnd(int kind, ORB_TIME time) {
    return NextPeriodStart(kind, time) - 1;
}

void SetPeriodIntervals(int kind, ReportIntervals* intervals) {
    static const struct {
        WORD count, row;
        DWORD length;
    } kGrid[] = {
        {24, 19, 3600}, {7, 20, 86400}, {16, 21, 172800}, {14, 22, 604800}, {13, 23, 2419200}};
    if (kind < PERIOD_DAY || kind > PERIOD_YEAR)
        kind = PERIOD_DAY;
    intervals->Count = kGrid[kind].count;
    intervals->Row = kGrid[kind].row;
    intervals->Length = kGrid[kind].length;
}

void MakeDayEntry(ORB_TIME time, MasterEntry* entry) {
    memset(entry, 0, sizeof(*entry));
    entry->Start = PeriodStart(PERIOD_DAY, time);
    entry->End = entry->Start + HISTORY_DAY - 1;
    snprintf(entry->Name, sizeof(entry->Name), "%08x.dat", (unsigned)entry->Start);
}

char* FormatDatabasePeriodLabel(int kind, ORB_TIME time, char* text) {
    struct tm t = Broken(PeriodStart(kind, time));
    IntlNames names;
    IntlNames_FromEngine(&names);
    int year = t.tm_year + 1900, month = t.tm_mon, day = t.tm_mday;
    switch (kind) {
    case PERIOD_WEEK: {
        // The week's year is its Sunday's.
        sprintf(text, "Week of %d/%d/%d", month + 1, day, year);
        break;
    }
    case PERIOD_MONTH:
        sprintf(text, "%s, %d", names.longMonth[month], year);
        break;
    case PERIOD_QUARTER:
        sprintf(text, "Q%d, %d", month / 3 + 1, year);
        break;
    case PERIOD_YEAR:
        sprintf(text, "%d", year);
        break;
    default:
        if (names.iDate == 1)
            sprintf(text, "%d/%s/%d", day, names.shortMonth[month], year);
        else if (names.iDate == 2)
            sprintf(text, "%d/%s/%d", year, names.shortMonth[month], day);
        else
            sprintf(text, "%s/%d/%d", names.shortMonth[month], day, year);
        break;
    }
    return text;
}
