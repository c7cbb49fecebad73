// Small text routines of the keyword evaluators: prefix tests, tab-split
// row names and bounded value texts. A keyword's [n,m] index is read with
// the run's GetBracketNumber and GetBracketSecondNumber (run/run_setup.h).
#pragma once
#include <windows.h>

#include "ovcore/ovcore_base.h"

// 0 when keyword starts with prefix (case ignored), else not 0.
int CompareKeywordPrefix(const char* keyword, const char* prefix);
// True when keyword equals word without regard to case.
bool KeywordIs(const char* keyword, const char* word);
// True when keyword equals word up to an optional "[...]" index.
bool KeywordIsIndexed(const char* keyword, const char* word);

// The part of text before its first tab (all of it when there is none), and
// the part after it (empty when there is none); out is always terminated.
void CopyBeforeTab(const char* text, char* out, DWORD size);
void CopyAfterTab(const char* text, char* out, DWORD size);

// printf into out (size with the NUL; cut when longer). Returns out. Plain
// copies and appends use ovkit/text_copy.h.
char* FormatValueText(char* out, DWORD size, const char* format, ...);

// "%02ld:%02ld:%02ld" of a number of seconds.
void FormatDuration(ULONGLONG seconds, char* out, DWORD size);
// A byte total (a double) in kilobytes, the unit of every byte column of
// the report, rounded up as the bandwidth rows are; the totals of such a
// column add the rows' kilobytes.
ULONGLONG KilobytesOf(double bytes);
void FormatByteCount(double bytes, char* out, DWORD size);
