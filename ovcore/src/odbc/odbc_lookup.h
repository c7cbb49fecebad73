// Look-ups for reports: for a value the report shows (a client address, a
// user), the matching row of a database table, its chosen columns escaped
// for the report page (text/html_escape.h) and joined by "<BR>". One connection of its own (apart
// from the log source), one prepared statement per database-report section of the profile.
#pragma once
#include "ovcore/profile.h"

#define LOOKUP_VALUE_SIZE 300

// 1 when connected (also when already connected); 0 when the settings lack
// a connection text, table, key column or column, or the connection fails.
int ConnectLookupDatabase(const RowmereSettings* settings);
// Prepares the statement of section 1 (RowmereIP) or 2 (RowmereAuthUser):
// the section's custom SQL when set (one "?" for the key), else
// "SELECT * FROM table WHERE key = ?". 1 prepared (now or before), 0 not.
int PrepareLookup(AnalysisProfile* profile, int section);
// Looks key up: 1 when the look-up ran (out holds the columns in display
// order, escaped, joined by "<BR>" and cut to outSize - 1 characters before
// a whole reference or "<BR>", the columns after a cut left out; empty when no
// row matched), 0 on failure (out empty). NULL columns give empty texts.
int LookupRow(AnalysisProfile* profile, int section, const char* key, char* out, size_t outSize);
// Frees the statements, the connection and the environment; not connected.
void DisconnectLookupDatabase();
