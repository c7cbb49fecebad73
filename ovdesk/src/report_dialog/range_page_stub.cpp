// Placeholder until the Range page lands.
#include "report_dialog/range_page.h"

void FillReportRangeCombo(HWND, ReportRunRequest*) {}
void ShowReportRange(HWND, int, AnalysisProfile*) {}
void ResetReportRange(HWND, AnalysisProfile*) {}
void ReadReportRange(HWND, DWORD*, DWORD*, AnalysisProfile*) {}
