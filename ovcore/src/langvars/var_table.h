// The engine-wide language-variable table (private to the engine).
#pragma once

namespace langvars {

// Byte order of names, case counting: the one order the table is sorted and
// searched by (never the locale's).
int CompareNames(const char* a, const char* b);

// The value of the variable called name, or null when there is none.
const char* FindValue(const char* name);

// Empties the table and forgets the path last loaded.
void Clear();

// Number of pairs the table holds.
int Count();

} // namespace langvars
