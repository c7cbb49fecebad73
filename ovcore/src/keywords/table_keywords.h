// Keywords of one statistics table: its section and chapter markers, the
// cells of its rows, its totals, its diagnostic figures and its graph.
#pragma once
#include "ovcore/analysis_table.h"
#include "write/keyword_resolve.h"

// Table number of keywords that name no table of the run.
#define NO_TABLE_NUMBER (-1)

// Writes the value of keyword (prefix + suffix + optional [n] or [n,m]) into
// value (size bytes, always terminated; empty when the keyword yields
// nothing or its row does not exist). table may be null (chapters without a
// table: only the markers apply). order is one of the TABLE_ROWS_ orders
// of report/table_values.h. Sets *markerFlag to 1 for a layout marker. Returns 0.
int EvaluateTableKeyword(ReportHandle* report, RunContext* run, char* value, DWORD size,
                         const char* keyword, const char* prefix, AnalysisTable* table,
                         int tableNumber, int order, DWORD* markerFlag, ReportStatusProc status);

// Sets value to a layout marker text and raises the marker flag.
void SetMarkerValue(char* value, DWORD size, const char* marker, DWORD* markerFlag);

// The section and chapter markers of a table prefix; 1 when suffix is one
// of them (value and marker flag set), else 0.
int EvaluateTableMarker(const char* suffix, int tableNumber, char* value, DWORD size,
                        DWORD* markerFlag);
