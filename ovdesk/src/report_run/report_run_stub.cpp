// Placeholder until the report run lands: every run fails.
#include "report_run/report_run.h"

int RunReport(HWND, HWND, AnalysisProfile*, WORD, WORD, const char*, const char*, const char*,
              const char*, const char*, ReportRunRequest*) {
    return 0;
}

int CALLBACK SummaryPeekMessageCallback(int) {
    return 0;
}
int CALLBACK UpdateStatusCallback(int, const char*, int) {
    return 0;
}
ReportRunRequest* GetCurrentRunRequest(void) {
    return nullptr;
}
const char* GetLastRunMessage(void) {
    return "";
}
