// The DNS stage of a report run and the steps the run's other parts share.
#pragma once
#include "run/report_handle.h"

// Fills report->Dns: the run's DNS mode, time-out and filters, and where
// kept hits go (the listing for kinds 2-4, the tables for kind 6, nowhere
// for kind 5).
void ReportRun_SetupDns(ReportHandle* report);
// Kinds 2-4 write view buffers.
BOOL ReportKindHasBuffers(int kind);
// Stops the charting, closes the run's log files and frees the handle.
void ReportRun_Release(ReportHandle* report);
