// Moving a run's records through the DNS stage, one record a call, and
// closing the run.
#include <stdlib.h>

#include "dns/dns_ring.h"
#include "ovcore/fileinfo.h"
#include "ovcore/logread.h"
#include "logparse/w3c_warning.h"
#include "ovcore/report_run.h"
#include "run/report_dns_stage.h"
#include "run/report_read.h"
#include "run/run_setup.h"

namespace {

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

// Processing a hit failed: the run ends and its tables are finished. What
// the reader thread read ahead is dropped: the run counted exactly the
// records taken before.
short StopRun(ReportHandle* report, DWORD* progressChanged) {
    ReportRead_Stop(report);
    SetFlag(progressChanged);
    report->DonePercent = 100;
    FinishReport(report);
    report->Finished = TRUE;
    return -1;
}

// The next read: the done percent when it was due, the messages the read
// raised, then its record.
int TakeRead(ReportHandle* report, DWORD* progressChanged, HitRecord** hit) {
    AheadRead read;
    ReportRead_Take(report, &read);
    if (read.refreshed) {
        report->DonePercent = read.percent;
        SetFlag(progressChanged);
    }
    Engine_ShowHeldMessages(read.messages);
    *hit = read.hit;
    return read.code;
}

} // namespace

ORB_EXPORT(short) ORB_PeekReport(ReportHandle* report, DWORD* progressChanged, WORD* recordRead) {
    if (recordRead)
        *recordRead = 0;
    if (!report || !report->Profile)
        return -1;
    HitRecord* hit = nullptr;
    int code = report->Finished ? LOGREAD_NONE : TakeRead(report, progressChanged, &hit);
    if (code == LOGREAD_NONE) {
        ReportRead_Done(report, hit);
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
        ReportRead_Done(report, hit);
        return 0;
    }
    if (recordRead)
        *recordRead = 1;
    int queued = QueueHitForDNS(&report->Dns, hit);
    ReportRead_Done(report, hit);
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
    ReportRead_Stop(report);
    AbandonDNSFifo();
    if (ReportKindHasBuffers(report->ReportKind))
        HitListing_Close(&report->Listing);
    FinishReport(report);
    ReportRun_Release(report);
    W3C_ForgetWarnedFiles();
    return 0;
}
