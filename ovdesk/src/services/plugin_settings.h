// The plug-in's own settings, through the engine's settings accessors. Text
// readers fill buffers of the length named; writers take the caller's text.
#pragma once
#include "desk_types.h"

enum {
    BROWSER_PATH_SIZE = 81,
    LAST_REPORT_SIZE = 41,
    TEMPLATE_NAME_SETTING_SIZE = 81,
    LANGUAGE_SETTING_SIZE = 31,
};

// [Defaults] ReportRange; 0 for a scheduled or remote run (a request with an event).
int GetDefaultReportRange(const ReportRunRequest* request);
// Stores the range (1 is stored as 0); nothing for a request with an event.
void SetDefaultReportRange(int range, const ReportRunRequest* request);
int GetTimeoutSetting(void);
void GetBrowserPath(char* path);
// Writes [Browser] Path and sets the browser kind from the file name.
void SetBrowserPath(const char* path);
// 1 Internet Explorer, 0 Netscape (default 1).
int GetBrowserKind(void);
void GetLastSummary(char* name);
void SetLastSummary(const char* name);
void GetLastView(char* name);
void SetLastView(const char* name);
void GetDefaultSummaryTemplate(char* name);
void GetProgramLanguage(char* name);
void GetReportLanguage(char* name);
void GetLanguageCountry(char* name);
