#include "summary_frame.h"

#include "ovcore/report_ini.h"
#include "ovcore/settings.h"
#include "write/style_settings.h"

int ReadSortSetting(const char* styleName) {
    char ini[MAX_PATH];
    if (!GetStyleIniPath(ini))
        return 0;
    return (int)GetPrivateProfileIntA(styleName, "Sort By", 0, ini);
}

ReportIniSettings* ReadReportLanguageWords(const ReportHandle* report) {
    char moduleFolder[MAX_PATH];
    if (!ORB_GetMainPath(moduleFolder))
        return NULL;
    ReportIniSettings* words = NULL;
    if (!ReadReportIniSettings(moduleFolder, report->Language, &words)) {
        FreeSummaryArrays(words);
        return NULL;
    }
    return words;
}
