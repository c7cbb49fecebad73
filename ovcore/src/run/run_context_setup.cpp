// Making a run's context from the settings, the profile and the template.
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include "ovcore/dates.h"
#include "ovcore/logpath.h"
#include "ovcore/profile_file.h"
#include "ovcore/settings.h"
#include "ovkit/pathutil.h"
#include "count/accumulate.h"
#include "run/run_context_parts.h"
#include "run/run_setup.h"

namespace {

#define SETTING_TEXT 51
#define MAX_TOP_COUNT_DEFAULT 500
#define MAX_CACHED_COUNT_DEFAULT 4000
#define CACHED_TIME_DEFAULT 1800

// A [Defaults] number of the module settings; an empty value keeps def.
DWORD DefaultsNumber(const char* key, DWORD def) {
    char text[SETTING_TEXT] = "";
    GetModuleProfileString("Defaults", key, "", text, sizeof(text));
    return text[0] ? strtoul(text, nullptr, 10) : def;
}

void ReadLimits(RunContext* context) {
    context->MaxTopCount = DefaultsNumber("MaxTopCount", MAX_TOP_COUNT_DEFAULT);
    context->MaxCachedCount = DefaultsNumber("MaxCachedCount", MAX_CACHED_COUNT_DEFAULT);
    context->CachedTime = DefaultsNumber("CachedTime", CACHED_TIME_DEFAULT);
}

RunReportOpener g_reportOpener = nullptr;

// The home page as the report shows it (expanded, "/" when none), its
// prefix as given (one trailing slash removed) and the site's default
// documents.
void TakeProfileHomePage(ReportHandle* report, RunContext* context, const AnalysisProfile* p) {
    lstrcpynA(context->HomePage, p->HomePageBaseDir[0] ? p->HomePageBaseDir : "/", MAX_PATH);
    NormalizeLogPathAt(context->HomePage, MAX_PATH, report->DataPath, time(NULL));
    lstrcpynA(context->HomePagePrefix, p->HomePageBaseDir, MAX_PATH);
    OVKIT_StripEndSlash(context->HomePagePrefix);
    FilterStringToStruct(p->HomePageDefaults, &context->HomePageList, FILTER_TEXT_LIST);
}

// The host of a home page such as "http://www.example.com/shop" (no port),
// empty for a local folder.
void CopyHomePageHost(const char* homePage, char* host, int size) {
    host[0] = 0;
    const char* start = strstr(homePage, "://");
    if (!start || _strnicmp(homePage, "file", 4) == 0)
        return;
    start += 3;
    int length = (int)strcspn(start, "/\\:?");
    lstrcpynA(host, start, length + 1 < size ? length + 1 : size);
}

// The texts the report header shows: the web domain (the home page's host,
// else the profile's description), the report header (the profile title
// the run was opened with) and the log owner.
void TakeProfileTexts(const ReportHandle* report, RunContext* context, const AnalysisProfile* p) {
    CopyHomePageHost(p->HomePageBaseDir, context->ProfileTexts[0], MAX_PATH);
    if (!context->ProfileTexts[0][0])
        lstrcpynA(context->ProfileTexts[0], p->Description, MAX_PATH);
    lstrcpynA(context->ProfileTexts[1], report->CallerText[0] ? report->CallerText : p->Description,
              MAX_PATH);
    lstrcpynA(context->ProfileTexts[2], p->LogOwner, MAX_PATH);
}

// The stored profile of the run (its file in the data folder); the client's
// record when the file cannot be read.
void ReadRunProfile(ReportHandle* report, RunContext* context) {
    context->Profile = report->Profile;
    context->Servers = report->Profile ? &report->Profile->Servers : nullptr;
    context->OverrideMultiHome = report->OverrideMultiHome;
    char path[MAX_PATH * 2];
    lstrcpynA(path, report->DataPath, MAX_PATH);
    lstrcatA(path, report->ProfileFileName);
    AnalysisProfile* stored = AnalysisProfile_New();
    const AnalysisProfile* source =
        stored && ReadOrbisFile(path, stored) == 4 ? stored : report->Profile;
    if (source) {
        TakeProfileHomePage(report, context, source);
        TakeProfileTexts(report, context, source);
    }
    AnalysisProfile_Free(stored);
}

} // namespace

// The context from the settings and the profile; the template copy and
// the report texts only when the context is to be printed.
static int SetupContext(ReportHandle* report, int withTables, bool forReport) {
    RunContext* context = AllocRunContext();
    if (!context)
        return 0;
    context->CreatedTime = RunWallClockNow();
    if (!ReadReportIniSettings(nullptr, report->Language, &context->Language) ||
        !RunContext_ReadWordLists(context)) {
        FreeRunContext(context);
        return 0;
    }
    GetBaseProfileString("Language", "Country", "US", context->Country, sizeof(context->Country));
    report->Run = context;
    ChooseRunIntervals(report, context);
    context->Period.QuietestDayHits = 0xFFFFFFFF;
    context->Period.QuietestDayUsers = 0xFFFFFFFF;
    ReadRunProfile(report, context);
    lstrcpynA(context->RunText, report->ReportTitle, MAX_PATH);
    if (forReport) {
        SetReportGeneratedTime(context);
        SetReportRangeText(report);
        if (!RunContext_OpenReport(report, nullptr)) {
            FinishReport(report);
            return 0;
        }
    }
    ReadLimits(context);
    RunContext_OpenCompanyFile(context, report->DataPath);
    RunContext_ReadAdViews(context);
    RunContext_ReadIntranet(context);
    if (withTables && !MakeRunTables(context)) {
        FinishReport(report);
        return 0;
    }
    return 1;
}

void SetRunReportOpener(RunReportOpener opener) {
    g_reportOpener = opener;
}

int RunContext_OpenReport(ReportHandle* report, const ReportHandle* source) {
    return g_reportOpener ? g_reportOpener(report, source) : 1;
}

int SetupRunContext(ReportHandle* report, int withTables) {
    return SetupContext(report, withTables, true);
}

int SetupCountingContext(ReportHandle* report) {
    return SetupContext(report, 0, false);
}
