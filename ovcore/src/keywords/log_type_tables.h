// Tables that referrer-only and agent-only logs cannot fill.
#pragma once
#include <windows.h>

#define LOG_FORMAT_REFERRER_ONLY 7
#define LOG_FORMAT_AGENT_ONLY 8

// Sets the no-data flag of the report tables that a log of this format code
// cannot fill (codes 7 and 8); other codes change nothing.
void MarkLogTypeTablesEmpty(int logFormat);
