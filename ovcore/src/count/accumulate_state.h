// Counting state of the hit updaters that lives with the run context and is
// never stored: the tables' shared context, the agent and day caches and the
// company look-up list made from the intranet entries.
#pragma once
#include "tables/analysis_tables.h"
#include "ovcore/company.h"

// Agent detection is cached per distinct agent text: the item numbers the
// agent counts under in the five agent tables (-1 none).
#define AGENT_CACHE_SIZE 4096
#define AGENT_TABLES 5
struct AgentCacheEntry {
    char* Agent; // heap copy of the cut agent text; null: slot empty
    DWORD Hash;
    DWORD Length;             // of Agent
    LONG Items[AGENT_TABLES]; // browsers, platforms, spiders, Netscape, Explorer
    DWORD UsedMask;           // which of the five tables were in use then
};

// The last name counted in a table and its item (tables that keep every item
// never move one during the run): a repeated name skips the table's hash.
#define NAME_MEMO_TEXT 48
// Status codes below this have their error-table items indexed directly.
#define STATUS_KEYS 1000
struct NameMemo {
    LONG ItemPlusOne;   // 0: none
    const char* Stored; // the name when the run's store keeps it (Name is then unused)
    char Name[NAME_MEMO_TEXT];
};

struct AccumulateState {
    TableContext Tables;     // aggregate name, the visit closer and the run's name store
    AgentCacheEntry* Agents; // AGENT_CACHE_SIZE slots, made on first use
    DWORD DayNumber;         // day of the cached date text (time / 86400) + 1; 0 none
    char DayText[60];
    CompanyEntry* CompanyEntries; // the intranet entries as company entries
    BOOL CompanyEntriesMade;
    char HomeServerPrefix[MAX_PATH]; // page-name prefix taken from the home page
    BOOL HomeServerPrefixMade;
    LONG WeekdayItems[7]; // TopWeekdays items by weekday, made on first use
    LONG HourItems[24];   // TopHours items by hour
    DWORD FixedItemsMade; // bit 1 weekdays, bit 2 hours
    NameMemo Memo[44];    // by table number
    // Error-table items by status code, as item plus one (0: not looked up
    // yet): a code's first hit looks its text up, later ones skip the text.
    LONG ServerErrorItems[4]; // 500-503
    LONG ClientErrorItems[STATUS_KEYS];
};
