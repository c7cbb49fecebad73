// One table keyword being evaluated, shared by the files of the table
// evaluator.
#pragma once
#include "ovcore/analysis_table.h"
#include "run/run_context.h"

struct TableCall {
    RunContext* run;
    const AnalysisTable* table;
    int number; // RunTable, or NO_TABLE_NUMBER
    int kind;   // TableKind of the table's items
    int order;  // TABLE_ROWS_FROM_START, _FROM_END or _AFTER_AGGREGATE
    const char* prefix;
    const char* keyword;
    DWORD n, m; // the keyword's [n,m]
    char* value;
    DWORD size;
    DWORD* markerFlag; // the value's kind (KEYWORD_VALUE_ of report/keyword_resolve.h)
};

// Name of row n (empty when the row does not exist).
const char* RowName(const TableCall& call);

// Row-name keywords: Title, DescURL, DescReferrer, Desc2, Desc and Path.
// 1 when suffix is one of them (value set), else 0.
int EvaluateRowNameKeyword(const TableCall& call, const char* suffix);
// The detail families of the search tables; 1 when the prefix is one of
// them (value set), else 0.
int EvaluateSearchDetailKeyword(const TableCall& call, const char* suffix);

// Text of the profile's server m, or null past the list.
const char* ServerNameAt(const RunContext* run, DWORD m);
