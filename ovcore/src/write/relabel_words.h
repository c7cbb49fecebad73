// The words of a report read from the history database, brought into the
// report's language: its days were stored with the words of the language in
// use then.
#pragma once
#include "run/run_context.h"

// Copies month name n of the run's language (n of 12 and more counts on in
// the next year) into text (at least 64 characters; emptied when there is
// no language); returns its length with the terminator.
int GetMonthName(int n, const RunContext* run, char* text);

// Item names of the language-dependent tables (visitor classes, weekdays,
// status texts, form errors, organisation types) that equal a word of
// previous (without regard to case) become the run's language's word at
// the same place; the generated-on text is made afresh and the busiest and
// quietest day texts take the new month names. 1, or 0 when a copy failed
// (the walk stops there).
int RelabelRunContextWords(RunContext* run, const ReportIniSettings* previous);
