#include "graphs/graph_points.h"

#include <stdio.h>
#include <string.h>

#include "ovcore/report_ini.h"
#include "keywords/keyword_text.h"
#include "write/relabel_words.h"
#include "keywords/table_values.h"

#define GRAPH_MOST_POINTS 50

namespace {

enum { KIND_HITS, KIND_PERCENT, KIND_USERS, KIND_BYTES };

DWORD RowCount(const TableCall& c) {
    DWORD n = 0;
    while (c.table && n < c.table->ovCount && GetTableRowItem(c.table, c.order, n))
        ++n;
    return n;
}

DWORD IntervalCount(const TableCall& c) {
    DWORD count = c.run ? c.run->Intervals.Count : 0;
    return count < ANALYSIS_INTERVALS ? count : ANALYSIS_INTERVALS;
}

double Kilobytes(double bytes) {
    return (double)KilobytesOf(bytes);
}

double Share(double part, double whole) {
    return whole > 0 ? part * 100.0 / whole : 0.0; // no total, no share
}

double TableHits(const TableCall& c) {
    return (double)SumTableHits(c.table, 0, TABLE_ALL_ITEMS);
}

double RowBytes(const TableCall& c, DWORD n) {
    if (c.number == TopBandwidth)
        return GetTableItemDoubleSum(c.table, TABLE_KIND_BANDWIDTH, c.order, n);
    return GetTableItemBytes(c.table, c.order, n);
}

double RowValue(const TableCall& c, int kind, DWORD n) {
    switch (kind) {
    case KIND_PERCENT:
        return Share(GetTableItemHits(c.table, c.order, n), TableHits(c));
    case KIND_USERS:
        return GetTableItemUsers(c.table, c.order, n);
    case KIND_BYTES:
        return Kilobytes(RowBytes(c, n));
    default:
        return GetTableItemHits(c.table, c.order, n);
    }
}

// Interval k of row: its counters; the bandwidth table's bytes come from
// the row's interval values, or from the run's when the row keeps none.
double IntervalValue(const TableCall& c, int kind, DWORD row, DWORD k) {
    switch (kind) {
    case KIND_PERCENT:
        return Share(GetTableItemIntervalHits(c.table, c.order, row, k), TableHits(c));
    case KIND_USERS:
        return GetTableItemIntervalUsers(c.table, c.order, row, k);
    case KIND_BYTES: {
        const AnalysisItem* item = GetTableRowItem(c.table, c.order, row);
        if (c.number == TopBandwidth && item && item->lpExtra)
            return Kilobytes(GetTableItemDouble(c.table, TABLE_KIND_BANDWIDTH, c.order, row, k));
        if (c.number == TopBandwidth && c.run)
            return Kilobytes(c.run->Period.Bytes[k]);
        return 0;
    }
    default:
        return GetTableItemIntervalHits(c.table, c.order, row, k);
    }
}

// The name of row n as the report shows it.
const char* ShownName(const TableCall& c, DWORD n) {
    const AnalysisItem* item = GetTableRowItem(c.table, c.order, n);
    const char* name = item ? item->ovString : "";
    const ReportIniSettings* language = c.run ? c.run->Language : nullptr;
    if (language && c.number == TopCountries)
        return LookupCountryName(language, name);
    if (language && c.number == TopStates)
        return LookupStateName(language, name);
    return name;
}

void IntervalLabel(const TableCall& c, DWORD k, char* out, int size) {
    out[0] = 0;
    if (c.run && c.run->CountByMonth) {
        char month[64];
        if (GetMonthName((int)k, c.run, month) > 1)
            lstrcpynA(out, month, size);
    } else if (c.run && c.run->Language) {
        FormatIntervalStartText(c.run->Language, &c.run->Intervals, (int)k, out, size);
    }
}

const char* LegendWord(const TableCall& c, int index, const char* fallback) {
    const ReportIniSettings* language = c.run ? c.run->Language : nullptr;
    const char* word = language ? language->Legends[index] : nullptr;
    return word && word[0] ? word : fallback;
}

const char* GenericWord(const TableCall& c, int index, const char* fallback) {
    const ReportIniSettings* language = c.run ? c.run->Language : nullptr;
    const char* word = language ? language->Generic[index] : nullptr;
    return word && word[0] ? word : fallback;
}

// The total in the data kind: of the plotted row's intervals, or of the table.
double TotalValue(const TableCall& c, const GraphRequest& g, DWORD first) {
    if (g.Timeline) {
        double sum = 0;
        for (DWORD k = 0; k < IntervalCount(c); ++k)
            sum += IntervalValue(c, g.DataKind, first, k);
        return sum;
    }
    switch (g.DataKind) {
    case KIND_PERCENT:
        return TableHits(c) > 0 ? 100.0 : 0.0;
    case KIND_USERS:
        return (double)SumTableUsers(c.table, 0, TABLE_ALL_ITEMS);
    case KIND_BYTES: {
        double sum = 0;
        for (DWORD n = 0; n < RowCount(c); ++n)
            sum += Kilobytes(RowBytes(c, n));
        return sum;
    }
    default:
        return TableHits(c);
    }
}

void DropTotal(GraphPoints* out) {
    memmove(out->values, out->values + 1, sizeof(double) * (size_t)(out->count - 1));
    memmove(out->labels, out->labels + 1, sizeof out->labels[0] * (size_t)(out->count - 1));
    --out->count;
    out->hasTotal = false;
}

} // namespace

bool BuildGraphPoints(const TableCall& c, const GraphRequest& g, GraphPoints* out) {
    memset(out, 0, sizeof *out);
    DWORD available = g.Timeline ? IntervalCount(c) : RowCount(c);
    DWORD first = g.First, last = g.Last;
    if (available == 0 || first >= available)
        return false;
    if (last > available - 1)
        last = available - 1;
    if (last > first + GRAPH_MOST_POINTS - 1)
        last = first + GRAPH_MOST_POINTS - 1;
    if (first > last)
        return false;
    bool pie = g.GraphType == 3;
    out->hasTotal = g.Total && last > first; // one row and its total: the row alone
    if (out->hasTotal) {
        const char* word =
            pie ? GenericWord(c, GEN_OTHERS, "Others") : LegendWord(c, LEG_TOTAL, "Total");
        snprintf(out->labels[0], sizeof out->labels[0], "%s%s", pie ? " " : "", word);
        out->count = 1;
    }
    for (DWORD n = first; n <= last; ++n, ++out->count) {
        char* label = out->labels[out->count];
        if (g.Timeline) {
            out->values[out->count] = IntervalValue(c, g.DataKind, first, n);
            IntervalLabel(c, n, label, GSW_TEXT_MAX + 1);
        } else {
            out->values[out->count] = RowValue(c, g.DataKind, n);
            char number[16] = " ";
            if (!pie)
                snprintf(number, sizeof number, "%lu. ", (unsigned long)(n + 1));
            snprintf(label, GSW_TEXT_MAX + 1, "%s%s", number, ShownName(c, n));
        }
    }
    if (out->hasTotal) {
        // A pie's slices make up its whole: the total's slice is the rest.
        double total = TotalValue(c, g, first), rest = total;
        for (int i = 1; i < out->count; ++i)
            rest -= out->values[i];
        out->values[0] = pie ? (rest > 0 ? rest : 0) : total;
        if (pie && out->values[0] <= 0) // every row is shown: no empty slice
            DropTotal(out);
    }
    return true;
}
