// How ORB_PeekReport reads the run's logs: a read is the done percent when
// due, then the next record of the merged logs. The reads are made on a
// reader thread ahead of the client's thread where the machine has more
// than one processor and the logs are files, else on the client's thread;
// either way the client sees the same reads in the same order.
#pragma once
#include "run/read_ahead.h"
#include "run/report_handle.h"

// The run's next read. The hit stays the reader's: give it back with
// ReportRead_Done once the run has taken its copy.
void ReportRead_Take(ReportHandle* report, AheadRead* read);
void ReportRead_Done(ReportHandle* report, HitRecord* hit);
// Stops the run's reader thread, if any, before its logs are closed or
// its run ends early; the reads it made ahead are dropped unseen.
void ReportRead_Stop(ReportHandle* report);
// Whether runs may read on a thread of their own (default yes); the tests
// compare both ways.
void ReportRead_AllowThread(BOOL allow);
