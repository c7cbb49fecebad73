// Module-wide state of the one report run under way, shared by the run, its
// engine callbacks and delivery.
#pragma once
#include "desk_types.h"
#include "report_run/processed_files.h"

enum {
    RUN_MESSAGE_SIZE = 498,     // 495 of message, the line break and the zero
    RUN_DESTINATION_SIZE = 300, // FTP folder or mail address
};

// Cancel word values (set by the progress dialog).
enum { RUN_GOING = 0, RUN_STOP_HERE = 1, RUN_CANCEL = 2 };

struct ReportRunState {
    ReportRunRequest* Request;
    AnalysisProfile* Profile;
    char LastMessage[RUN_MESSAGE_SIZE];
    char Destination[RUN_DESTINATION_SIZE];
    ProcessedFileList Files;
    volatile LONG CancelWord;
};

ReportRunState& RunState(void);
// Clears the state for a new run of request and profile.
void BeginRunState(ReportRunRequest* request, AnalysisProfile* profile);
// Frees the file list and forgets request and profile.
void EndRunState(void);
// Keeps text as the run's last message.
void SetLastRunMessage(const char* text);
