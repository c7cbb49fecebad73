#include "relabel_words.h"

#include <stdlib.h>
#include <string.h>

#include "tables/table_lookup.h"
#include "run/run_setup.h"

namespace {

// A table and the word list its item names come from.
struct WordTable {
    int table;
    size_t offset; // of the list in ReportIniSettings
    int count;
};

const WordTable kTables[] = {
    {TopVisitors, offsetof(ReportIniSettings, Legends), 4},
    {TopWeekdays, offsetof(ReportIniSettings, ShortWeekdays), 7},
    {TopServerErrors, offsetof(ReportIniSettings, ReturnCodes), RC_COUNT},
    {TopClientErrors, offsetof(ReportIniSettings, ReturnCodes), RC_COUNT},
    {TopFormErrors, offsetof(ReportIniSettings, Generic), GEN_COUNT},
    {TopSuffixes, offsetof(ReportIniSettings, Suffixes), SUF_COUNT},
};

char* const* WordsOf(const ReportIniSettings* s, size_t offset) {
    return (char* const*)((const BYTE*)s + offset);
}

int RelabelTable(AnalysisTable* table, char* const* from, char* const* to, int count) {
    DWORD slots = table->lpItems ? table->ovCount + table->DeleteCount : 0;
    for (DWORD i = 0; i < slots; ++i) {
        AnalysisItem* item = table->lpItems[i];
        if (!item || !item->ovString)
            continue;
        for (int w = 0; w < count; ++w) {
            if (!from[w] || !to[w] || lstrcmpiA(item->ovString, from[w]) != 0)
                continue;
            char* copy = _strdup(to[w]);
            if (!copy)
                return 0;
            // The name hash is keyed by the name: the item moves with it.
            int hashed = TableLookup_HasHash(table);
            if (hashed)
                TableLookup_Remove(table, (LONG)i);
            free(item->ovString);
            item->ovString = copy;
            if (hashed && !TableLookup_Add(table, (LONG)i))
                return 0;
            break;
        }
    }
    return 1;
}

// The first month name of `from` in text becomes the name at its place in
// `to`: the text before it stays, and the text from the first blank after
// it. 1 when a name was found.
int RelabelMonth(char* text, char* const* from, char* const* to) {
    for (int m = 0; m < 12; ++m) {
        const char* at = from[m] && *from[m] && to[m] ? strstr(text, from[m]) : nullptr;
        if (!at)
            continue;
        char out[RUN_DATE_TEXT];
        const char* blank = strchr(at, ' ');
        size_t head = (size_t)(at - text);
        lstrcpynA(out, text, (int)(head + 1 < sizeof(out) ? head + 1 : sizeof(out)));
        size_t room = sizeof(out) - strlen(out);
        strncat(out, to[m], room - 1);
        room = sizeof(out) - strlen(out);
        if (blank)
            strncat(out, blank, room - 1);
        lstrcpynA(text, out, RUN_DATE_TEXT);
        return 1;
    }
    return 0;
}

void RelabelDay(char* text, const ReportIniSettings* from, const ReportIniSettings* to) {
    // The long names first: a short name is often the start of a long one.
    if (!RelabelMonth(text, from->LongMonths, to->LongMonths))
        RelabelMonth(text, from->ShortMonths, to->ShortMonths);
}

} // namespace

int GetMonthName(int n, const RunContext* run, char* text) {
    text[0] = 0;
    if (n < 0 || !run || !run->Language)
        return 1;
    const char* name = run->Language->LongMonths[n % 12];
    lstrcpynA(text, name ? name : "", 64);
    return (int)strlen(text) + 1;
}

int RelabelRunContextWords(RunContext* run, const ReportIniSettings* previous) {
    const ReportIniSettings* now = run ? run->Language : nullptr;
    if (!now || !previous || !run->Period.TopTablesPtr)
        return 0;
    for (const WordTable& t : kTables)
        if (!RelabelTable(&run->Period.TopTablesPtr[t.table], WordsOf(previous, t.offset),
                          WordsOf(now, t.offset), t.count))
            return 0;
    SetReportGeneratedTime(run);
    RelabelDay(run->Period.BusiestDayByHits, previous, now);
    RelabelDay(run->Period.QuietestDayByHits, previous, now);
    RelabelDay(run->Period.BusiestDayByUsers, previous, now);
    RelabelDay(run->Period.QuietestDayByUsers, previous, now);
    return 1;
}
