// Which of the run's file types (module settings word lists) a URL's
// extension is: counting marks documents, the writer fetches page titles.
#pragma once
#include "run/run_context.h"

// True when ext (without its dot) is one of the run's title-fetch types
// (case ignored); false for an empty extension.
bool IsTitleFetchType(const RunContext* run, const char* ext);
// With an extension, whether it is one of the run's document types; without
// one, true when url has no "?".
bool IsDocumentUrl(const RunContext* run, const char* url, const char* ext);
