// The handle of one report run, from ORB_Cre8Report to ORB_CloseReport: the
// run's arguments, the data folders, the DNS stage, the hit listing (kinds
// 2-4) and the run context (kind 6). Owned by the engine; the client holds
// it as an opaque pointer.
#pragma once
#include "dns/dns_ring.h"
#include "listing/hit_listing.h"
#include "ovcore/logfile.h"
#include "ovcore/profile.h"
#include "ovcore/report_template.h"
#include "core/report_kinds.h"
#include "run/report_run_state.h"
#include "run/run_context.h"

#define REPORT_CALLER_TEXT 55
#define REPORT_LANGUAGE_TEXT 79
#define REPORT_OUTPUT_FOLDER 300

struct ReportHandle {
    HWND ClientWindow;
    int DnsMode; // DNS_MODE_*
    DWORD OverrideMultiHome;
    ORB_TIME StartTime;
    ORB_TIME EndTime;
    DWORD Reserved[8];
    DWORD DonePercent;
    DWORD RecordCount;
    DWORD DnsTimeoutMs;
    char DataPath[MAX_PATH];
    char DataParent[MAX_PATH];
    char DataGrandParent[MAX_PATH];
    char LogPath[MAX_PATH]; // filled by the log-source opening
    char ProfileFileName[MAX_PATH];
    char CallerText[REPORT_CALLER_TEXT];
    int ReportKind;
    int ListingOption;
    WORD CallerWord;                         // kept, not used (the plug-in's range code)
    char StyleName[MAX_PATH];                // the caller's second text: the report style's name
    char Language[REPORT_LANGUAGE_TEXT];     // "ENGLISH" by default
    char OutputFolder[REPORT_OUTPUT_FOLDER]; // kind 6: the report file to write
    char ReportTitle[MAX_PATH];              // the run text: the report's title
    int LineWidth;

    HitListing Listing; // kinds 2-4
    DnsRun Dns;

    RunContext* Run;                 // kind 6; null before set-up and after FinishReport
    AnalysisProfile* Profile;        // the caller's profile (not owned)
    const TemplateSection* Sections; // the caller's section list (not owned)
    WORD SectionCount;

    BOOL Finished; // ORB_PeekReport returned -1

    ReportRunState RunState; // opening and closing of the run
};
