// Opening a report run: the handle's settings, the log files of the range,
// the DNS stage and, by kind, the hit listing or the run context.
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include "core/engine_settings.h"
#include "core/engine_state.h"
#include "core/gsw_binding.h"
#include "ovcore/fetch.h"
#include "ovcore/logpath.h"
#include "ovcore/registration.h"
#include "ovcore/report_run.h"
#include "run/report_dns_stage.h"
#include "run/run_setup.h"
#include "settings/install_folder.h"
#include "ovkit/text_copy.h"

namespace {

// Cuts a folder path (with or without its trailing backslash) just after the
// backslash or colon before its last part.
void ParentFolder(const char* folder, char* parent) {
    lstrcpynA(parent, folder, MAX_PATH);
    size_t n = strlen(parent);
    if (n && parent[n - 1] == '\\')
        parent[--n] = 0;
    while (n && parent[n - 1] != '\\' && parent[n - 1] != ':')
        n--;
    parent[n] = 0;
}

void FillHandle(ReportHandle* r, HWND window, AnalysisProfile* profile, const char* profileFile,
                const char* callerText, const char* styleName, const char* language,
                const char* runText) {
    r->ClientWindow = window;
    r->Profile = profile;
    OvkitCopyText(r->Language, REPORT_LANGUAGE_TEXT, language && *language ? language : "ENGLISH");
    SetReportDataPaths(r);
    r->DnsTimeoutMs = Engine_Settings().defaults.dnsTimeoutMs;
    r->OverrideMultiHome = profile->OverrideMultiHome;
    OvkitCopyText(r->ProfileFileName, MAX_PATH, profileFile);
    OvkitCopyText(r->CallerText, REPORT_CALLER_TEXT, callerText);
    OvkitCopyText(r->StyleName, MAX_PATH, styleName);
    OvkitCopyText(r->ReportTitle, MAX_PATH, runText);
}

// The folder normalised against the data folder in a local buffer, so that
// a longer result never overruns the caller's text; copied back bounded.
void NormaliseOutputFolder(ReportHandle* r, char* folder) {
    char normal[MAX_PATH] = "";
    if (folder) {
        OvkitCopyText(normal, MAX_PATH, folder);
        NormalizeLogPathAt(normal, MAX_PATH, r->DataPath, time(NULL));
        lstrcpynA(folder, normal, MAX_PATH);
    }
    OvkitCopyText(r->OutputFolder, REPORT_OUTPUT_FOLDER, normal);
}

void CloseRunLogs(ReportHandle* r) {
    if (r->RunState.LogsOpen)
        FileInfo_CloseAll(&r->Profile->LogFiles);
    r->RunState.LogsOpen = FALSE;
}

void StopGraphing(ReportHandle* r) {
    if (r->RunState.GraphingStarted)
        ReleaseGSWLibrary(0);
    r->RunState.GraphingStarted = FALSE;
}

BOOL OpenListing(ReportHandle* r) {
    HitListingSetup setup = {};
    setup.kind = r->ReportKind;
    setup.option = r->ListingOption;
    setup.lineWidth = r->LineWidth;
    setup.outputFolder = r->OutputFolder;
    setup.profileFileName = r->ProfileFileName;
    setup.logPath = r->LogPath;
    setup.callerText = r->CallerText;
    setup.start = r->StartTime;
    setup.end = r->EndTime;
    return HitListing_Open(&r->Listing, &setup) == 0;
}

} // namespace

void SetReportDataPaths(ReportHandle* r) {
    OvkitCopyText(r->DataPath, MAX_PATH, Engine_State().dataFolder);
    ParentFolder(r->DataPath, r->DataParent);
    ParentFolder(r->DataParent, r->DataGrandParent);
    InstallFolder_EnsureSet();
}

BOOL ReportKindHasBuffers(int kind) {
    return kind != REPORT_KIND_FILTER_ONLY && kind != REPORT_KIND_TABLES;
}

void ReportRun_Release(ReportHandle* r) {
    StopGraphing(r);
    CloseRunLogs(r);
    free(r);
}

ORB_EXPORT(ReportHandle*)
ORB_Cre8Report(HWND window, AnalysisProfile* profile, const char* profileFile,
               const char* callerText, char* outputFolder, int lineWidth, WORD callerWord,
               ORB_TIME start, ORB_TIME end, int kind, int listingOption, const char* styleName,
               const char* language, const char* runText, const TemplateSection* sections,
               WORD sectionCount, DWORD reserved, WORD* error) {
    WORD scratch = 0;
    if (!error)
        error = &scratch;
    *error = 0;
    ReportHandle* r = profile ? (ReportHandle*)calloc(1, sizeof(ReportHandle)) : nullptr;
    if (!r)
        return nullptr;
    FillHandle(r, window, profile, profileFile, callerText, styleName, language, runText);
    NormaliseOutputFolder(r, outputFolder);
    r->StartTime = start;
    r->EndTime = end;
    r->ReportKind = kind;
    r->ListingOption = listingOption;
    r->CallerWord = callerWord;
    r->LineWidth = lineWidth;
    r->RunState.Reserved = reserved;

    r->Sections = sections;
    r->SectionCount = sections ? sectionCount : 0;
    SetReportTopCounts(r->Sections, r->SectionCount);

    if (RemoteADT_Cre8Report(profile, r->ProfileFileName, start, end, r->Reserved[0],
                             r->Reserved[2], r->LogPath, window, &r->DnsMode, 0, error) != 0) {
        free(r);
        return nullptr;
    }
    r->RunState.LogsOpen = TRUE;
    InitGSWLibrary(0, Engine_State().impersonationToken);
    r->RunState.GraphingStarted = TRUE;
    PageTitles_BeginRun();
    ReportRun_SetupDns(r);

    // The listing's first buffer also gets its header here.
    if (ReportKindHasBuffers(kind) && !OpenListing(r)) {
        ReportRun_Release(r);
        return nullptr;
    }
    r->DonePercent = r->RecordCount = 0;
    // The history database's own runs keep their stored grid.
    if (kind == REPORT_KIND_TABLES && SetupRunContext(r, 1))
        r->Run->GridFollowsHits = TRUE;
    return r;
}
