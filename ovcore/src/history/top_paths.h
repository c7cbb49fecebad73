// Paths through the site of a stored day, renumbered into a report's page
// numbering before the day's paths are merged into the report. A path name
// is one "%08x" group per page step: form flag * 65,536 + the page's item
// number in TopForms (flag 1) or TopDocuments (flag 0). While renumbering, a
// group's top bit marks it as already renumbered.
#pragma once
#include "ovcore/analysis_table.h"

#define PATH_STEP_DONE 0x80000000u
#define PATH_STEP_FORM 0x00010000u

// Renumbers the period's TopPaths items (periodPaths) from the period's page
// tables into the report's: every group whose page name the report's table
// holds gets the report's item number; the others keep theirs.
void RenumberPagePaths(AnalysisTable* reportDocuments, AnalysisTable* reportForms,
                       const AnalysisTable* periodDocuments, const AnalysisTable* periodForms,
                       AnalysisTable* periodPaths);
// In item fromItem and every later item, every unmarked group equal to
// oldValue becomes newItem (with the form flag when isForm) marked done.
void RenumberPathSteps(AnalysisTable* paths, DWORD fromItem, DWORD oldValue, DWORD newItem,
                       int isForm);
// Clears the done marks of every group of every item.
void ClearPathStepMarks(AnalysisTable* paths);
