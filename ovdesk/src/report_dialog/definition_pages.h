// Moving a saved report definition onto the dialog's pages and back.
#pragma once
#include "desk_types.h"

// Shows the definition on the pages: range, style, Save-As text and login,
// language, title and the contents choices.
void ApplyDefinitionToPages(const ReportDefinition* definition);
// Fills definition from the pages; description is cut to 40 characters.
// Without a Save As page the Save-As fields stay empty.
void TakePagesIntoDefinition(ReportDefinition* definition, const char* description);
// Selects the range code in the Range page's combo; 1 when listed.
int SelectRangeCode(HWND rangePage, int code);
