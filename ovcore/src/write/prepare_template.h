// The run's working copy of its report template.
#pragma once
#include "run/report_handle.h"

// Appends "TEMP<n>.HTM" to path (a folder, MAX_PATH characters) with the
// first n from 0 whose file does not exist. FALSE when it does not fit.
BOOL MakeTempPageName(char* path);
// Sets the run's support-file reference path and working template path and
// trims the template of the run's log format (referlog.var, agentlog.var or
// cluster.var in the template folder) to the handle's sections into the
// working copy. Nonzero when the copy was written.
int PrepareReportTemplate(ReportHandle* report, RunContext* run);
