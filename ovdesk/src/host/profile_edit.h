// Profile copies made for the host's copy function.
#pragma once
#include "ovcore/ovcore.h"

// Longest description a profile shows the host, with its zero.
enum { HOST_DESCRIPTION_SIZE = 80 };

// A new profile copied from source (run-time fields left out), described
// "Copy of <description>" within HOST_DESCRIPTION_SIZE bytes, without a
// history database when the source keeps it over ODBC. Not yet given a file.
// Null without memory.
AnalysisProfile* MakeProfileCopy(const AnalysisProfile* source);
