// ovrundump: runs a report run of kind 6 over the logs given, with default
// settings, every table in use and DNS look-ups off (--dns turns them on),
// and prints what the run counted, tab-separated:
//
//   ovrundump [--dns] log...
//
// First the per-period block ("period" lines: field name, then its value or
// one value per interval), then every table in table order: a "table" line
// (number, keyword, item count), then one line per item in the table's
// sorted order: keyword, position, name, hits, users, non-cached hits,
// bytes, seconds on pages, visits timed; last the visitor table as
// table 44, "Visitors".
//
// Runs unattended in a throw-away install folder beside the system's
// temporary files: an engine message goes to standard error, and the exit
// status is 1 after one, or when the run could not be opened.
#include <stdio.h>
#include <string.h>

#include "common/tool_install.h"
#include "core/message_sink.h"
#include "ovcore/ovcore.h"
#include "rundump/period_print.h"
#include "count/accumulate.h"
#include "run/report_handle.h"

int main(int argc, char** argv) {
    Engine_StartUnattendedProgram();
    BOOL dns = FALSE;
    int first = ovtool::TakeDnsOption(argc, argv, &dns);
    if (first >= argc) {
        fprintf(stderr, "usage: ovrundump [--dns] log...\n");
        return 2;
    }
    ovtool::ToolInstall install;
    if (!install.Make("ovrundump", "")) {
        fprintf(stderr, "cannot make the install folder %s\n", install.Root().c_str());
        return 1;
    }
    AnalysisProfile* profile =
        ovtool::MakeLogProfile(install, "ovrundump", argv + first, argc - first, dns);
    ovtool::RunRequest request;
    request.name = "ovrundump";
    request.everyTable = true; // whatever a template would ask for
    ReportHandle* report = profile ? ovtool::RunLogsToEnd(profile, request) : nullptr;
    RunContext* context = report ? EndSummaryContext(report) : nullptr;
    if (context) {
        PrintPeriodBlock(context);
        PrintRunTables(context);
    }
    ORB_CloseReport(report, nullptr);
    if (profile)
        ORB_FreeURL(profile);
    AnalysisProfile_Free(profile);
    return context && Engine_ErrorCount() == 0 ? 0 : 1;
}
