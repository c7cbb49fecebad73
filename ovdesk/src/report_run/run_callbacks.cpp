// Run state and the callbacks the engine's writers call during a run.
#include "report_run/report_run.h"
#include "report_run/progress_dialog.h"
#include "report_run/run_state.h"
#include "desk_services.h"
#include <cstring>

namespace {
ReportRunState g_run;
}

ReportRunState& RunState(void) {
    return g_run;
}

void BeginRunState(ReportRunRequest* request, AnalysisProfile* profile) {
    FreeProcessedFiles(&g_run.Files);
    g_run.Request = request;
    g_run.Profile = profile;
    g_run.LastMessage[0] = '\0';
    g_run.Destination[0] = '\0';
    g_run.CancelWord = RUN_GOING;
}

void EndRunState(void) {
    FreeProcessedFiles(&g_run.Files);
    g_run.Request = nullptr;
    g_run.Profile = nullptr;
}

void SetLastRunMessage(const char* text) {
    lstrcpynA(g_run.LastMessage, text ? text : "", sizeof g_run.LastMessage);
}

ReportRunRequest* GetCurrentRunRequest(void) {
    return g_run.Request;
}

const char* GetLastRunMessage(void) {
    return g_run.LastMessage;
}

int CALLBACK SummaryPeekMessageCallback(int percent) {
    if (LOWORD(percent) != 0xFFFF)
        UpdateProgressPercent(percent);
    PumpMessages();
    if (g_run.CancelWord == RUN_GOING)
        return 1;
    g_run.CancelWord = RUN_GOING;
    return 0;
}

int CALLBACK UpdateStatusCallback(int kind, const char* text, int value) {
    if (text) {
        if (kind)
            AddProcessedFile(&g_run.Files, text, value);
        else if (value)
            GetProgressCaption((char*)text);
        else
            SetProgressStatus(text);
    }
    return PumpMessages();
}
