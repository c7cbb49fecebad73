// Tables that referrer-only and agent-only logs cannot fill.
#pragma once
#include "ovcore/logread.h"

// Sets the no-data flag of the report tables that a log of this format code
// cannot fill (LOGFMT_REFERRER and LOGFMT_AGENT); other codes change nothing.
void MarkLogTypeTablesEmpty(int logFormat);
