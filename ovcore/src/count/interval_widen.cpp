// A report run's range and interval grid follow its hits: a log's first and
// last lines are not always its earliest and latest hits (servers write lines
// out of order by seconds), and a hit outside the grid would be counted in no
// interval and in no table's total.
#include "tables/analysis_tables.h"
#include "reportini/interval_rows.h"
#include "run/run_context.h"
#include "tables/item_intervals.h"

#include <string.h>

namespace {

struct Grid {
    ORB_TIME Start;
    DWORD Length;
    DWORD Count;
};

// Where interval i of the old grid lands in the new one; the new grid starts
// a whole number of old intervals earlier and its length is a multiple of the
// old one, so each old interval lies inside one new interval.
struct GridMove {
    Grid From, To;
    DWORD Target(DWORD i) const {
        return DWORD(
            ((unsigned long long)(From.Start - To.Start) + (unsigned long long)i * From.Length) /
            To.Length);
    }
};

template <typename T> void MoveCounts(T* values, const GridMove& m) {
    T moved[ANALYSIS_INTERVALS] = {};
    for (DWORD i = 0; i < m.From.Count; ++i)
        moved[m.Target(i)] += values[i];
    memcpy(values, moved, sizeof moved);
}

void MoveItems(AnalysisTable* table, int kind, const GridMove& m) {
    for (DWORD n = 0; table->lpItems && n < table->ovCount; ++n) {
        AnalysisItem* item = table->lpItems[n];
        if (!item)
            continue;
        DWORD hits[ANALYSIS_INTERVALS], users[ANALYSIS_INTERVALS];
        ItemIntervals_Load(&item->ovIntervals, hits, users);
        MoveCounts(hits, m);
        MoveCounts(users, m);
        // The moved counts take no more room than before, unless the block
        // must be made anew and memory is short: then they are lost.
        ItemIntervals_Store(&item->ovIntervals, hits, users);
        if (kind == TABLE_KIND_BANDWIDTH && item->lpExtra &&
            item->ovTopNamesCount == ANALYSIS_INTERVALS)
            MoveCounts((double*)item->lpExtra, m);
    }
}

void MovePeriodCounts(PeriodBlock& p, const GridMove& m) {
    DWORD* arrays[] = {p.NewVisits,    p.HomeVisits,      p.ForeignVisits, p.UnknownVisits,  p.Hits,
                       p.HomePageHits, p.NotModifiedHits, p.FailedHits,    p.OtherMethodHits};
    for (DWORD* values : arrays)
        MoveCounts(values, m);
    MoveCounts(p.Bytes, m);
    for (DWORD n = 0; p.TopTablesPtr && n < p.TopTablesCount; ++n)
        MoveItems(p.TopTablesPtr + n, TableKindOfNumber((int)n), m);
    if (p.TopUsersPtr)
        MoveItems(p.TopUsersPtr, TABLE_KIND_VISITOR, m);
}

// The grid of interval length `length` that starts a whole number of the old
// grid's intervals before (or at) its start and reaches from first to last.
Grid GridOver(const Grid& old, DWORD length, ORB_TIME first, ORB_TIME last) {
    Grid g = {old.Start, length, 0};
    if (first < old.Start)
        g.Start -= (ORB_TIME)(((unsigned long long)(old.Start - first) + old.Length - 1) /
                              old.Length * old.Length);
    g.Count = DWORD(((unsigned long long)(last - g.Start) + length) / length);
    return g;
}

// The first grid that holds [first, last] in at most ANALYSIS_INTERVALS
// intervals: the same length to the old grid's end or to last, else the
// first scale row whose length is a multiple of the old one (*row set).
// FALSE when none does.
BOOL WiderGrid(const RunContext* c, const Grid& old, ORB_TIME first, ORB_TIME last, Grid* out,
               WORD* row) {
    ORB_TIME oldEnd = old.Start + (old.Count * old.Length - 1);
    *out = GridOver(old, old.Length, first, last > oldEnd ? last : oldEnd);
    if (out->Count <= ANALYSIS_INTERVALS)
        return TRUE;
    *out = GridOver(old, old.Length, first, last);
    if (out->Count <= ANALYSIS_INTERVALS)
        return TRUE;
    int rows = report::IntervalRowCount(c->Language);
    for (int r = 0; r < rows; ++r) {
        report::IntervalRow scale;
        if (!report::GetIntervalRow(c->Language, r, &scale) || scale.Seconds <= old.Length ||
            scale.Seconds % old.Length)
            continue;
        *out = GridOver(old, scale.Seconds, first, last);
        if (out->Count <= ANALYSIS_INTERVALS) {
            *row = (WORD)r;
            return TRUE;
        }
    }
    return FALSE;
}

void WidenGrid(RunContext* c, ORB_TIME first, ORB_TIME last) {
    ReportIntervals& iv = c->Intervals;
    DWORD count = iv.Count < ANALYSIS_INTERVALS ? iv.Count : ANALYSIS_INTERVALS;
    Grid old = {iv.FirstStart, iv.Length, count};
    Grid wide;
    WORD row = iv.Row;
    if (old.Length == 0 || !WiderGrid(c, old, first, last, &wide, &row))
        return; // the hit stays outside every interval
    if (wide.Start != old.Start || wide.Length != old.Length)
        MovePeriodCounts(c->Period, GridMove{old, wide});
    iv.FirstStart = wide.Start;
    iv.Length = wide.Length;
    iv.Count = (WORD)wide.Count;
    iv.Row = row;
}

BOOL InGrid(const ReportIntervals& iv, ORB_TIME t) {
    return iv.Length && t >= iv.FirstStart &&
           (unsigned long long)(t - iv.FirstStart) < (unsigned long long)iv.Count * iv.Length;
}

} // namespace

DWORD RunHitInterval(RunContext* c, ORB_TIME time) {
    ReportIntervals& iv = c->Intervals;
    if (c->GridFollowsHits && (time < iv.RangeStart || time > iv.RangeEnd)) {
        if (time < iv.RangeStart)
            iv.RangeStart = time;
        else
            iv.RangeEnd = time;
        if (!InGrid(iv, time))
            WidenGrid(c, iv.RangeStart, iv.RangeEnd);
        FormatReportRangeText(c->Language, &iv, c->RangeText, sizeof c->RangeText);
    }
    return RunInterval(c, time);
}
