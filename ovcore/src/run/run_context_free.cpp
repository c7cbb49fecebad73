// Releasing a run's context.
#include <stdlib.h>

#include "count/accumulate.h"
#include "run/run_context_parts.h"
#include "run/run_setup.h"
#include "count/search_engines.h"

void FreeRunContext(RunContext* context) {
    if (!context)
        return;
    RunContext_FreeWordLists(context);
    RunContext_FreeFiles(context);
    FreeFilterStrings(context->HomePageList);
    context->HomePageList = nullptr;
    FreeRunTables(context);
    FreeSearchEngines(context->SearchEngines);
    context->SearchEngines = nullptr;
    FreeSummaryArrays(context->Language);
    context->Language = nullptr;
    if (context->FreeOutput)
        context->FreeOutput(context); // the writer's state, with its template copy
    free(context);
}

int FinishReport(ReportHandle* report) {
    if (report && report->Run) {
        FreeRunContext(report->Run);
        report->Run = nullptr;
    }
    return 1;
}
