// The analysis state of one report run (or one history-database pass): the
// settings word lists, the report's intervals, the per-period block of
// totals, the 44 statistics tables and the visitor table. SetupRunContext
// makes it when a kind-6 run opens; the per-hit updaters fill it;
// EndSummaryContext closes the visits and orders the tables; FinishReport
// frees it.
//
// The per-period block (tables/period_block.h) is stored whole by the
// history database; the rest of the context lives in memory only.
#pragma once
#include "ovcore/analysis_table.h"
#include "ovcore/company.h"
#include "ovcore/filetypes.h"
#include "ovcore/filters.h"
#include "ovcore/hitrecord.h"
#include "ovcore/profile.h"
#include "ovcore/report_ini.h"
#include "ovcore/report_intervals.h"
#include "count/accumulate_state.h"
#include "tables/period_block.h"
#include "tables/table_numbers.h"

#define RUN_CONTEXT_SIZE 31889
#define RUN_CONTEXT_VERSION 0x301

// One row of the report table keywords (process-wide, set by every template
// scan and by the report run's section list).
struct ReportTableKeyword {
    const char* Keyword;
    DWORD Used;  // the template holds the keyword
    DWORD Empty; // 1 until an updater first adds to the table in the run
    WORD BracketCount;
    WORD Reserved;
    DWORD TopCount; // rows the report shows
};
extern ReportTableKeyword g_ReportTableKeywords[RUN_TABLE_COUNT];
// The keyword of the user-sessions (visits) table, which has no row of its
// own: its Used and BracketCount come from the same template scan.
extern ReportTableKeyword g_UserSessionsKeyword;

// A heap word list made from a settings value.
struct RunWordList {
    WORD Count;
    char** Words;
};

// One ad-view entry: its name and the upper-cased words of its view and
// click lists (616 bytes in the stored form; words past the end are dropped).
#define AD_VIEW_RECORD_SIZE 616
#define AD_VIEW_NAME_SIZE 100
struct AdViewRecord {
    char Name[AD_VIEW_NAME_SIZE];
    WORD ViewWordCount;
    WORD ClickWordCount;
    char Words[AD_VIEW_RECORD_SIZE - AD_VIEW_NAME_SIZE - 4]; // view words, then click words
};

// One OVINTRA.TXT line: its six fields (domain, description, city, state,
// country, pattern) as heap texts, "city state" for the company record, and
// the pattern parsed as a subnet (2), an address range (3) or kept as a host
// name pattern (1).
struct IntranetEntry {
    char* Fields[6];
    char* CityState;
    int Type;
    FilterSubnet Subnet;
    FilterAddressRange Range;
};

// Counting state of the hit updaters that is not stored (set up zeroed).
struct RunHitState {
    WORD LogKind;          // format code of the first ordinary hit; 7/8 for referrer/agent logs
    BOOL PathsOff;         // TopPaths passed the large-table limit
    char PageName[1300];   // the current hit's page name
    DWORD PathPosition;    // end of the server prefix in PageName
    int ExtensionPosition; // -1 none
};

struct RunContext {
    DWORD dwSize;    // RUN_CONTEXT_SIZE
    DWORD dwVersion; // RUN_CONTEXT_VERSION
    ORB_TIME CreatedTime;

    // Word lists made from the module settings.
    WORD FetchTitleTypeCount;
    char** FetchTitleTypes;
    WORD DocumentTypeCount;
    FileType** DocumentTypes;
    WORD DownloadTypeCount;
    FileType** DownloadTypes;
    RunWordList USDomains;
    RunWordList OrgTypeWords;
    int* OrgTypeCodes; // parallel to OrgTypeWords: a SuffixText index
    WORD AdViewCount;
    AdViewRecord* AdViews;

    // Company file (stored form) and the intranet entries searched first.
    HANDLE CompanyFile; // INVALID_HANDLE_VALUE or null: none
    LONGLONG CompanyFileSize;
    int CompanyIsLarge;
    int IntranetCount;
    IntranetEntry* Intranet;

    // From the profile.
    char HomePage[MAX_PATH];       // expanded; "/" when the profile has none
    char HomePagePrefix[MAX_PATH]; // as given, one trailing slash removed
    FilterString* HomePageList;    // the site's default documents
    char Country[40];
    char ProfileTexts[3][MAX_PATH]; // further texts the report shows
    AnalysisProfile* Profile;       // the run's profile (not owned)
    ServerList* Servers;            // its server list (not owned)
    BOOL OverrideMultiHome;

    // The report's intervals.
    ReportIntervals Intervals; // Length, Count, FirstStart, RangeStart, RangeEnd
    int CountByMonth;          // interval = month of the hit (history database reports)
    int CountByDay;            // interval = day of the hit
    ORB_TIME MonthStarts[ANALYSIS_INTERVALS + 1];
    ORB_TIME DayStarts[ANALYSIS_INTERVALS + 1];

    DWORD MaxTopCount;    // default 500
    DWORD MaxCachedCount; // default 4000 (no effect)
    DWORD CachedTime;     // default 1800 s

    ReportIniSettings* Language; // the run's language table (owned)

    PeriodBlock Period;
    int SortSetting; // 2 sorts the tables by users, else by hits

    char RunText[MAX_PATH];
    char ReportDateText[RUN_DATE_TEXT * 2];
    char RangeText[RUN_DATE_TEXT * 4];

    RunHitState Hits;
    struct SearchEngine* SearchEngines; // loaded on the first search-engine hit
    char ErrorText[256];                // why the run stopped (out of memory)

    // The report writer's state (write/report_output.h), which the run
    // neither reads nor writes: the writer makes it for a run set up for a
    // report, and FreeRunContext hands it to FreeOutput. Null otherwise.
    struct ReportOutput* Output;
    void (*FreeOutput)(RunContext* context);

    // Areas add their own state below this line, one member each.
    BOOL GridFollowsHits;  // the range and grid widen to every hit counted (RunHitInterval)
    AccumulateState Accum; // the hit updaters' caches
};

// Makes the context zero-filled with its header words and the period
// block's size and version set. Null when memory is short.
RunContext* AllocRunContext();
// The interval number of a hit's time (by month or day table, else by the
// interval length); may be ANALYSIS_INTERVALS or more when the time lies
// outside every interval (callers count nothing then).
DWORD RunInterval(const RunContext* context, ORB_TIME time);
// RunInterval for a hit being counted. When the run's grid follows its hits
// (GridFollowsHits), a time outside the report's range first widens the
// range (and its text), and a time outside every interval the grid: the same
// interval length when ANALYSIS_INTERVALS of them reach, else the first scale
// whose length is a multiple of it, the counts so far moved into it.
DWORD RunHitInterval(RunContext* context, ORB_TIME time);
