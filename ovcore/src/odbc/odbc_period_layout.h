// Where the stored rows find their values in a period block: the interval
// arrays by data type, and the template row's columns.
#pragma once
#include "run/run_context.h"

#define ODBC_BLOCK_DWORD_ARRAYS 9
#define ODBC_DATATYPE_BYTES 11
#define ODBC_DATATYPE_ITEM_HITS 9
#define ODBC_DATATYPE_ITEM_USERS 10
#define ODBC_DATATYPE_BANDWIDTH 12

// The block's DWORD interval array of data type 0-8.
DWORD* PeriodIntervalArray(PeriodBlock* period, int dataType);
inline const DWORD* PeriodIntervalArray(const PeriodBlock* period, int dataType) {
    return PeriodIntervalArray(const_cast<PeriodBlock*>(period), dataType);
}
// The DWORD fields of the template row in column order, from column 3
// (TodaysHits) to 19 (TopTablesCount); column 2 is the Today text.
#define ODBC_TEMPLATE_FIRST_COUNTER 3
#define ODBC_TEMPLATE_LAST_COUNTER 19
DWORD* TemplateCounter(PeriodBlock* period, int column);
