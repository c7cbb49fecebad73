// The variant of a table caption's language variable that fits the run's
// profile (database descriptions, several servers).
#pragma once
#include <windows.h>

// Hook of ReplaceLanguageVar: report is the ReportHandle. Writes into
// outName the variant to look up for name, or name itself.
void WINAPI GetTableCaptionKey(void* report, const char* name, char* outName, int outSize);
