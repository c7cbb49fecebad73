// Entry-page lists as the profile reader needs them.
#pragma once
#include "ovcore/filters.h"

// Parses text in list mode into *out (null when it holds no item: a blank,
// "" or a lone comma). False only when memory ran short (*out null then).
bool ParseEntryPages(const char* szText, EntryPageFilter** out);
