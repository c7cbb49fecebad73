// Moving a run's records through the DNS stage, one record a call, and
// closing the run.
#include <stdlib.h>

#include "dns/dns_ring.h"
#include "ovcore/fileinfo.h"
#include "ovcore/logread.h"
#include "logparse/w3c_warning.h"
#include "ovcore/report_run.h"
#include "run/report_dns_stage.h"
#include "run/run_setup.h"

namespace {

// The done percent is re-read on the first call and once every 500 records.
#define PROGRESS_RECORD_STEP 500

void SetFlag(DWORD* flag) {
    if (flag)
        *flag = 1;
}

// The logs are exhausted: every hit still in the ring is handed on.
void DrainRing(ReportHandle* report) {
    for (;;) {
        int answer = CheckDNS(&report->Dns);
        if (answer != DNS_CHECK_PENDING && answer != DNS_CHECK_BUSY)
            return;
        Sleep(10);
    }
}

// Processing a hit failed: the run ends and its tables are finished.
short StopRun(ReportHandle* report, DWORD* progressChanged) {
    SetFlag(progressChanged);
    report->DonePercent = 100;
    FinishReport(report);
    report->Finished = TRUE;
    return -1;
}

} // namespace

ORB_EXPORT(short) ORB_PeekReport(ReportHandle* report, DWORD* progressChanged, WORD* recordRead) {
    if (recordRead)
        *recordRead = 0;
    if (!report || !report->Profile)
        return -1;
    FileInfo* files = &report->Profile->LogFiles;
    ULONGLONG read = FileInfo_GetRecordCount(files);
    if (!report->Finished &&
        (read == 0 || read % PROGRESS_RECORD_STEP == PROGRESS_RECORD_STEP - 1)) {
        report->DonePercent = FileInfo_GetDonePercent(files);
        SetFlag(progressChanged);
    }
    HitRecord* hit = nullptr;
    int code = report->Finished ? LOGREAD_NONE : FileInfo_ReadNext(nullptr, files, &hit);
    if (code == LOGREAD_NONE) {
        HitRecord_Free(hit);
        if (!report->Finished) {
            DrainRing(report);
            report->Finished = TRUE;
            if (report->DonePercent != 100)
                SetFlag(progressChanged);
            report->DonePercent = 100;
        }
        return -1;
    }
    if (code != LOGREAD_RECORD || !hit) {
        // Only complete records enter the ring.
        HitRecord_Free(hit);
        return 0;
    }
    if (recordRead)
        *recordRead = 1;
    int queued = QueueHitForDNS(&report->Dns, hit);
    HitRecord_Free(hit);
    if (queued < 0)
        return StopRun(report, progressChanged);
    if (queued == 0)
        return 0; // no memory for the copy: the record is skipped
    if (CheckDNS(&report->Dns) == DNS_CHECK_FAILED)
        return StopRun(report, progressChanged);
    report->RecordCount++;
    return 0;
}

ORB_EXPORT(short) ORB_CloseReport(ReportHandle* report, void*) {
    if (!report)
        return 0;
    AbandonDNSFifo();
    if (ReportKindHasBuffers(report->ReportKind))
        HitListing_Close(&report->Listing);
    FinishReport(report);
    ReportRun_Release(report);
    W3C_ForgetWarnedFiles();
    return 0;
}
