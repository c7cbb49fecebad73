// The end of a run: delivery of the written report and the remote status.
#include "report_run/run_steps.h"
#include "report_run/progress_dialog.h"
#include "report_run/remote_status.h"
#include "report_run/report_delivery.h"
#include "desk_services.h"
#include <cstring>

void DeliverReport(ReportRunJob& job) {
    ReportRunState& state = RunState();
    int show = job.Unattended || job.Destination != DESTINATION_FILE ? 0 : 1;
    char handover[MAX_PATH];
    show = DispatchReportOutput(job.OutputFile, GetProgressDialog(), show, handover,
                                job.Destination, ".TXT", &job.DeliveryFailed);
    if (job.Destination == DESTINATION_MAIL) {
        // A comma-delimited report goes by mail as its text overview.
        if (FormatKindOfName(job.OutputFile) == FORMAT_CMA)
            ReplaceFileExtension(job.OutputFile, sizeof job.OutputFile, ".TXT");
        job.DeliveryFailed |= !MailReport(job.Dialog, GetProgressDialog(), job.OutputFile,
                                          &state.Files, job.OutputName, job.Request);
        show = 0;
    } else if (job.Destination == DESTINATION_FTP) {
        job.DeliveryFailed |=
            !UploadReport(job.Dialog, GetProgressDialog(), &state.Files, job.OutputFile,
                          job.Request, job.FtpUserName, job.FtpPassword);
        show = 0;
    }
    CloseProgressDialog();
    if (show && !IsDeskUnattended())
        ShowReportOutput(job.Dialog, job.Destination, job.OutputFile, job.OutputName, job.Request);
}

void FinishRemoteRequest(ReportRunJob& job) {
    const ScheduleEvent* event = job.Request ? job.Request->Event : nullptr;
    char path[MAX_PATH];
    static BYTE record[STATUS_RECORD_SIZE];
    if (!RemoteStatusPath(event, 0, path) || !ReadStatusRecord(path, record))
        return;
    ReportRunState& state = RunState();
    const char* mail = (const char*)record + STATUS_MAIL_OFFSET;
    if (job.ReportWritten && mail[0]) {
        size_t length = strnlen(mail, STATUS_MAIL_SIZE);
        memcpy(state.Destination, mail, length);
        state.Destination[length] = '\0';
        if (!MailReport(job.Dialog, nullptr, job.OutputFile, &state.Files, job.OutputName,
                        job.Request))
            job.DeliveryFailed = TRUE;
    }
    FinishStatusRecord(path, record, job.ReportWritten && !job.DeliveryFailed, state.LastMessage);
}
