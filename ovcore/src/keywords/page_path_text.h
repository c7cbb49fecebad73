// The display text of a visitor path: the names of its pages.
#pragma once
#include <windows.h>

struct RunContext;

// codes is a run of 8-hexadecimal-digit codes: the low 16 bits are the
// position number of a page, the high 16 bits 1 for the forms table, else
// the documents table. Writes the page names separated by CR LF into out
// (size with the NUL), stopping at the first code that names no page and
// before a name that would not fit (or pass 4,090 characters).
void BuildPagePathText(const RunContext* run, const char* codes, char* out, DWORD size);
