// What the line parsers take from the engine besides its settings snapshot
// (core/engine_settings.h): the error display, and the texts put into a hit
// whose address is not resolved.
#pragma once
#include "ovcore/registration.h"

struct HitRecord;

// Error-display callback of the client (see registration.h).
typedef ORB_ERRORDISPLAYPROC LogParseErrorFn;

// Sets a display in place of the registered client's (null: the client's).
void LogParse_SetErrorDisplay(LogParseErrorFn fn);
// The error display to use: the one set here, else the registered client's
// (null when neither).
LogParseErrorFn LogParse_ErrorDisplay();

// The registered client's string 5616 ("Unknown" while none is registered).
const char* LogParse_UnknownText();
// Puts the texts of an unresolved address into the domain, suffix and
// country fields: the registered client's strings 5614-5616, or "Numeric
// IP", "None" and "Unknown" while none is registered. Each field is filled
// whole (cut to its size, padded with zeros).
void LogParse_SetUnresolvedNames(HitRecord* rec);
