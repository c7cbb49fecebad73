// State of the keyword evaluators kept with the run.
#pragma once
#include <windows.h>

struct KeywordRunState {
    char LastTablePrefix[64]; // table of the last table keyword (status texts)
    DWORD DayCount;           // days of the run, set by the per-day averages
    BOOL Cancelled;           // the run was cancelled: no more page titles are fetched
    DWORD GraphCount;         // graphs drawn so far: the next graph's file number less one
};
