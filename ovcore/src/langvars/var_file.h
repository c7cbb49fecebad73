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

// A file's size and last-write time: a change of either means the file was
// saved again (the report-language editor writes it while the engine runs).
struct FileStamp {
    unsigned long long size;
    unsigned long long written;
    bool operator==(const FileStamp& o) const { return size == o.size && written == o.written; }
};

// Replaces the table by pairs (sorted here) and remembers path as loaded,
// with the stamp the file had when it was read.
void Install(std::vector<VarPair>&& pairs, const std::string& path, const FileStamp& stamp);

// True when path (compared without case) is the file loaded last and the
// file's size and time are still those it had then.
bool IsLoaded(const char* path);

} // namespace langvars
