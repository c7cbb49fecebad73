// Object identifiers as dotted text: parsing, the suffix below the agent's
// root, and the numeric order of suffixes.
#pragma once
#include <cstddef>
#include <cstdint>

namespace ovbeacon {

// Reads the dotted numbers at the start of text into ids (at most maxIds are
// stored). Returns how many numbers the text holds, which is more than maxIds
// when they did not all fit. Stops at the first character that is neither a
// digit nor a '.' following a number.
size_t ParseOidText(const char* text, uint32_t* ids, size_t maxIds);

// Writes ids[from..count) as dotted decimal into out (size bytes). False when
// it does not fit; out is then empty.
bool FormatOidSuffix(const uint32_t* ids, size_t count, size_t from, char* out, size_t size);

// Orders two suffix texts as sequences of unsigned sub-identifiers ("2.0"
// before "10.0"; a prefix before its extensions). <0, 0 or >0.
int CompareOidSuffix(const char* a, const char* b);

} // namespace ovbeacon
