// Reading a language-variables file into table pairs (private).
#pragma once
#include <string>
#include <vector>

namespace langvars {

struct VarPair {
    std::string name;
    std::string value;
};

// Scans text (length bytes) for "<name>" "{value}" pairs, in file order, at
// most LANGVAR_MAX_PAIRS of them.
std::vector<VarPair> ParsePairs(const char* text, size_t length);

// Replaces the table by pairs (sorted here) and remembers path as loaded.
void Install(std::vector<VarPair>&& pairs, const std::string& path);

// True when path (compared without case) is the file loaded last.
bool IsLoaded(const char* path);

} // namespace langvars
