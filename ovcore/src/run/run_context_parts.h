// The parts of a run context made from settings files, and their release.
#pragma once
#include "run/run_context.h"

struct ReportHandle;

// File-type lists, USDomains, FetchTitleTypes and the organisation types of
// the module settings. 0 when memory ran short (the context keeps what was
// made, for FreeRunContext).
int RunContext_ReadWordLists(RunContext* context);
void RunContext_FreeWordLists(RunContext* context);

// COMPANY.BIG in the data folder (large, 1), else COMPANY.SML (0).
void RunContext_OpenCompanyFile(RunContext* context, const char* dataFolder);
// One record per ADVIEWS.TXT entry.
void RunContext_ReadAdViews(RunContext* context);
// The entries of OVINTRA.TXT in the install folder (lines without a pattern
// are left out).
void RunContext_ReadIntranet(RunContext* context);
// Parses an intranet entry's pattern (sixth field) into its type.
void RunContext_TypeIntranetEntry(IntranetEntry* entry);
// Appends the words of text (blanks) to an ad-view record's word area: the
// count added. Words that no longer fit are dropped.
WORD AdView_AddWords(AdViewRecord* record, size_t* used, const char* text);
void RunContext_FreeFiles(RunContext* context);
// The registered writer's part of a run set up for a report (see
// SetRunReportOpener); 1 when none is registered.
int RunContext_OpenReport(ReportHandle* report, const ReportHandle* source);
// Now as this system keeps times: the local wall clock read as UTC.
ORB_TIME RunWallClockNow();
