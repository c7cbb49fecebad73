// Making and freeing the writer's state of a run.
#include "write/report_output.h"

#include <stdlib.h>

#include "run/run_setup.h"
#include "write/run_report_services.h"

namespace {

// The context's FreeOutput: the template copy is deleted with the state.
void CloseReportOutput(RunContext* run) {
    DeletePreparedTemplate(run);
    free(run->Output->PageList);
    free(run->Output);
    run->Output = nullptr;
    run->FreeOutput = nullptr;
}

} // namespace

ReportOutput* OpenReportOutput(RunContext* run) {
    if (!run->Output) {
        run->Output = (ReportOutput*)calloc(1, sizeof(ReportOutput));
        run->FreeOutput = run->Output ? CloseReportOutput : nullptr;
    }
    return run->Output;
}

int OpenRunReport(ReportHandle* report, const ReportHandle* source) {
    ReportOutput* output = OpenReportOutput(report->Run);
    if (!output)
        return 0;
    if (!source) {
        lstrcpynA(output->ReportTitle,
                  report->ReportTitle[0] ? report->ReportTitle : report->CallerText, MAX_PATH);
        lstrcpynA(output->OutputPath, report->OutputFolder, MAX_PATH);
    }
    PrepareReportTemplate(report, report->Run);
    ScanTemplateForTables(output->PreparedTemplate);
    return 1;
}
