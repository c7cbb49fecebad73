// Records shared by the plug-in's areas: the report run request, scheduled
// events, page tables, saved report definitions and the office hand-over
// state. The host-facing records live in ovdesk/host_interface.h.
#pragma once
#include <windows.h>
#include "ovcore/ovcore.h"
#include "ovdesk/host_interface.h"

// Run modes of a ReportRunRequest.
enum RunMode {
    RUN_MODE_SCHEDULED = 2, // a scheduled event (host code 11)
    RUN_MODE_REALTIME = 3,  // a realtime report
    RUN_MODE_CHOOSER = 4,   // View Log File dialog, scheduler's report chooser
};

// What a report run is started with.
struct ReportRunRequest {
    ScheduleEvent* Event;       // null for an interactive run
    AnalysisProfile* Profile;   // working copy of the profile
    AnalysisProfile** Profiles; // the plug-in's loaded list
    DWORD ProfileCount;
    WORD RunMode; // host code 1's argument, or a RunMode
    // The caller's keep-viewer word (null counts as 0): a scheduled view
    // run saves and closes its viewer unless the word is set.
    WORD* KeepViewer;
};

// Kinds of saved report definitions (ActivityType of an event).
enum DefinitionKind {
    DEFINITION_VIEW = 0,    // .MR
    DEFINITION_MG = 1,      // .MG
    DEFINITION_ME = 2,      // .ME
    DEFINITION_SUMMARY = 3, // .MSS
};

// Values of ScheduleEvent::Remote.
enum EventRemote {
    EVENT_ORDINARY = 0,
    EVENT_REMOTE_REQUEST = 1,
    EVENT_REALTIME = 2,
};

// ScheduleEvent, the one scheduled activity, crosses to the host: it lives
// in ovdesk/host_interface.h.

// One page of a property sheet or tabbed dialog.
struct SheetPageRow {
    DLGPROC Procedure;
    WORD TemplateId;
    WORD PageIndex;
    const DLGTEMPLATE* Template; // filled while the sheet is shown
};

// Field sizes of a saved report definition.
enum {
    // A saved report's name: at most 40 characters wherever it is typed,
    // stored, listed or looked up (a longer stored one is known by its first 40).
    DEFINITION_DESCRIPTION_CHARS = 40,
    DEFINITION_DESCRIPTION_SIZE = DEFINITION_DESCRIPTION_CHARS + 1,
    DEFINITION_MAX_SECTIONS = 100,
    DEFINITION_RANGE_TEXT_SIZE = 12,
    DEFINITION_TITLE_SIZE = 128,
};

// A saved report ("memorized report") in memory; zero-filled before use.
struct ReportDefinition {
    char Description[DEFINITION_DESCRIPTION_SIZE];
    char Server[40];      // look-up test only; not stored
    char SetName[9];      // look-up test only; not stored
    char SetExtension[4]; // look-up test only; not stored
    char ReportStyle[MAX_PATH];
    char SaveReportAs[MAX_PATH];
    char SaveToUserName[36];
    char SaveToPassword[36];
    char ReportLanguage[64];
    WORD ViewType; // not stored
    WORD OrderBy;
    WORD ReportRange;
    char StartTime[DEFINITION_RANGE_TEXT_SIZE];
    char StartDate[DEFINITION_RANGE_TEXT_SIZE];
    char StopTime[DEFINITION_RANGE_TEXT_SIZE];
    char StopDate[DEFINITION_RANGE_TEXT_SIZE];
    BYTE DisplayFlags[10]; // 1 after every read; not stored
    char ReportTitle[DEFINITION_TITLE_SIZE];
    WORD ContentCount; // 0..99 sections
    TemplateSection Sections[DEFINITION_MAX_SECTIONS];
};

// State of an office hand-over, shared by the progress dialog and delivery.
typedef WORD DocumentHandOverState;
enum {
    HANDOVER_IDLE = 0,
    HANDOVER_WAITING = 1,
    HANDOVER_FINISHED = 2,
    HANDOVER_FAILED = 3,
};
