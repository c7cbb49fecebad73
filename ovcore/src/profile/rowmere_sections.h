// The database-report sections of the profile file ("RowmereIP",
// "RowmereAuthUser").
#pragma once
#include "ovcore/rowmere.h"
#include "profile/profile_out.h"

// Appends the section; a null record writes nothing. Every column is written.
void WriteRowmere(const char* szName, const RowmereSettings* lpSettings, ProfileOut* out);
// The section read into a new record; null when the section is missing, its
// data source, table or key column is empty, or memory is short.
RowmereSettings* ReadRowmere(const char* szName, const char* szText);
