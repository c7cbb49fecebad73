// The kinds of report run (ORB_Cre8Report's kind argument): what a run does
// with the hits that pass its filters.
#pragma once

#define REPORT_KIND_HITS 2
#define REPORT_KIND_VISITORS 3
#define REPORT_KIND_BUFFERS 4
#define REPORT_KIND_FILTER_ONLY 5
#define REPORT_KIND_TABLES 6
