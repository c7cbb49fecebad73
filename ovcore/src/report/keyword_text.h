// Small text routines of the keyword evaluators: prefix tests, the [n] and
// [n,m] index of a keyword, tab-split row names and bounded value texts.
#pragma once
#include <windows.h>

#include "ovcore/ovcore_base.h"

// 0 when keyword starts with prefix (case ignored), else not 0.
int CompareKeywordPrefix(const char* keyword, const char* prefix);
// True when keyword equals word without regard to case.
bool KeywordIs(const char* keyword, const char* word);
// True when keyword equals word up to an optional "[...]" index.
bool KeywordIsIndexed(const char* keyword, const char* word);

// n of a trailing [n] or [n,m] (the number behind the last "["), and m (the
// number behind the "," that follows it); 0 when absent.
DWORD KeywordIndex(const char* keyword);
DWORD KeywordSecondIndex(const char* keyword);

// The part of text before its first tab (all of it when there is none), and
// the part after it (empty when there is none); out is always terminated.
void CopyBeforeTab(const char* text, char* out, DWORD size);
void CopyAfterTab(const char* text, char* out, DWORD size);

// Bounded value texts: copy, append, and printf into out (size with the NUL;
// cut when longer). Each returns out.
char* SetValueText(char* out, DWORD size, const char* text);
char* AppendValueText(char* out, DWORD size, const char* text);
char* FormatValueText(char* out, DWORD size, const char* format, ...);

// "%02ld:%02ld:%02ld" of a number of seconds.
void FormatDuration(ULONGLONG seconds, char* out, DWORD size);
// A byte total (a double) in kilobytes, the unit of every byte column of
// the report, rounded up as the bandwidth rows are; the totals of such a
// column add the rows' kilobytes.
ULONGLONG KilobytesOf(double bytes);
void FormatByteCount(double bytes, char* out, DWORD size);
