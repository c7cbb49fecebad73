// Placeholder until the output names land.
#include "report_run/output_names.h"

char* MakeDefaultReportsDir(char* buffer) {
    buffer[0] = '\0';
    return buffer;
}
void PlaceReportInReportsDir(char*, const char*, const char*) {}
void ResolveRelativeReportPath(char*, const char*) {}
void ExpandOutputNameMacros(char*) {}
int BrowseReportOutputFile(HWND, char*, int, int) {
    return 0;
}
int BrowseLogFile(HWND, char*) {
    return 0;
}
int BrowseHomePageFile(HWND, char*) {
    return 0;
}
int RotateNumberedFile(const char*) {
    return 0;
}
int IsShortFileName(char*, const char*) {
    return 0;
}
INT_PTR CALLBACK ReportSaveToDlg(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}
