// One report-wide keyword being evaluated, shared by the files of the
// header evaluator. Each family evaluator returns 1 when the keyword is one
// of its words (value set), else 0.
#pragma once
#include "write/keyword_resolve.h"
#include "run/run_context.h"

struct HeaderCall {
    ReportHandle* report;
    RunContext* run;
    const char* keyword;
    char* value;
    DWORD size;
    DWORD* markerFlag;
    ReportStatusProc status;
};

// Log format codes of the reports that have no visitors.
#define LOG_KIND_REFERRER_ONLY 7
#define LOG_KIND_AGENT_ONLY 8
bool RunHasNoVisitors(const RunContext* run);

// Table number of the run (null past the run's tables); the user-sessions
// table.
AnalysisTable* RunTable(const RunContext* run, int number);
AnalysisTable* RunUserSessionsTable(const RunContext* run);

void SetHeaderCount(const HeaderCall& call, ULONGLONG count);
void SetHeaderPercent(const HeaderCall& call, double part, double whole);
void SetHeaderMarker(const HeaderCall& call, const char* marker);
void SetHeaderText(const HeaderCall& call, const char* text);

// The statistics table that a keyword's prefix names: the prefix, the table
// number (NO_TABLE_NUMBER: the user-sessions table) and the order of its
// rows. False when the keyword names no table.
struct KeywordTable {
    const char* prefix;
    int number;
    int order;
};
bool FindKeywordTable(const char* keyword, KeywordTable* found);

// Hands the keyword to the table evaluator with this prefix and table.
int EvaluateHeaderTable(const HeaderCall& call, const char* prefix, int number, int order);

int EvaluateHeaderFigures(const HeaderCall& call);
int EvaluateTechnicalKeyword(const HeaderCall& call);
int EvaluateStatsChapterKeyword(const HeaderCall& call);
int EvaluateSummaryKeyword(const HeaderCall& call);
int EvaluateBandwidthKeyword(const HeaderCall& call);
int EvaluateAdsKeyword(const HeaderCall& call);
int EvaluateUsersDatabaseKeyword(const HeaderCall& call);
// Drops the database connection of the report's look-ups (when the report
// is written).
void EndReportLookups(void);
int EvaluateDebugTotalsKeyword(const HeaderCall& call);
int EvaluateStyleKeyword(const HeaderCall& call);
int EvaluateLayoutKeyword(const HeaderCall& call);
int EvaluateDocumentKeyword(const HeaderCall& call);
int EvaluatePageKeyword(const HeaderCall& call);
int EvaluateTablePrefixKeyword(const HeaderCall& call);
