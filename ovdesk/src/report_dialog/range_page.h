// The Range page's combo and fields, shared by the Create Report and View
// Log File dialogs (same control ids).
#pragma once
#include "desk_types.h"

enum {
    RANGE_COMBO = 9956,
    RANGE_START_TIME = 9957,
    RANGE_START_DATE = 9958,
    RANGE_END_TIME = 9959,
    RANGE_END_DATE = 9960,
    RANGE_HINT = 19965,
    RANGE_SPECIFY = 1, // "Specify Date/Time"
};

// Fills the range combo (request null: without codes 1 to 4).
void FillReportRangeCombo(HWND page, ReportRunRequest* request);
// Fills the four fields for a range code.
void ShowReportRange(HWND page, int code, AnalysisProfile* profile);
// ShowReportRange with code 0, then enables the range combo.
void ResetReportRange(HWND page, AnalysisProfile* profile);
// Reads the four fields into time values (left unchanged when the profile's
// log times are unknown).
void ReadReportRange(HWND page, DWORD* start, DWORD* end, AnalysisProfile* profile);
