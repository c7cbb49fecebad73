// The plug-in's own settings.
#include "services/plugin_settings.h"
#include "services/file_services.h"
#include <cstdio>

namespace {
int g_browserKind = 1;
}

int GetDefaultReportRange(const ReportRunRequest* request) {
    if (request && request->Event)
        return 0;
    return GetModuleProfileInt("Defaults", "ReportRange", 0);
}

void SetDefaultReportRange(int range, const ReportRunRequest* request) {
    if (request && request->Event)
        return;
    char text[16];
    snprintf(text, sizeof text, "%d", range == 1 ? 0 : range);
    WriteModuleProfileString("Defaults", "ReportRange", text);
}

int GetTimeoutSetting(void) {
    return GetModuleProfileInt("Defaults", "Timeout", 60);
}

void GetBrowserPath(char* path) {
    GetBaseProfileString("Browser", "Path", "", path, BROWSER_PATH_SIZE);
}

void SetBrowserPath(const char* path) {
    WriteBaseProfileString("Browser", "Path", path);
    char name[MAX_PATH];
    GetFileNamePart(path, name);
    if (_stricmp(name, "IEXPLORE.EXE") == 0)
        g_browserKind = 1;
    else if (_stricmp(name, "NETSCAPE.EXE") == 0)
        g_browserKind = 0;
}

int GetBrowserKind(void) {
    return g_browserKind;
}

void GetLastSummary(char* name) {
    GetModuleProfileString("Report", "Last Summary", "", name, LAST_REPORT_SIZE);
}
void SetLastSummary(const char* name) {
    WriteModuleProfileString("Report", "Last Summary", name);
}
void GetLastView(char* name) {
    GetModuleProfileString("Report", "Last View", "", name, LAST_REPORT_SIZE);
}
void SetLastView(const char* name) {
    WriteModuleProfileString("Report", "Last View", name);
}

void GetDefaultSummaryTemplate(char* name) {
    GetModuleProfileString("Summary Report", "Default Template", "EXECUTIV.TPL", name,
                           TEMPLATE_NAME_SETTING_SIZE);
}

void GetProgramLanguage(char* name) {
    GetBaseProfileString("Language", "Program", "ENGLISH", name, LANGUAGE_SETTING_SIZE);
}
void GetReportLanguage(char* name) {
    GetModuleProfileString("Language", "Report", "ENGLISH", name, LANGUAGE_SETTING_SIZE);
}
void GetLanguageCountry(char* name) {
    GetBaseProfileString("Language", "Country", "US", name, LANGUAGE_SETTING_SIZE);
}
