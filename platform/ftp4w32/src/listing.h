// The text side of a folder listing: which names a pattern selects, the name
// on a long listing line, and the lines that go into the local listing file.
#pragma once
#include <string>
#include <vector>

namespace ftp {

// Splits a listing pattern into what the server is asked to list and the
// name filter applied here ("" = every entry): "logs/*.log" gives "logs" and
// "*.log"; a pattern without wildcards goes to the server whole.
void SplitPattern(const std::string& pattern, std::string* argument, std::string* filter);

// Case-blind match of name against a pattern with * and ?.
bool MatchName(const char* pattern, const char* name);

// The entry name of a long listing line: after the eighth field of a Unix
// line, after the third of a DOS line ("01-15-99  10:30AM  <DIR>  name"),
// else the last field; a link's " -> target" is left out. Empty when none.
std::string NameOfLongLine(const std::string& line);

// The listing file's lines from the server's raw listing: entries selected by
// filter, sorted by name; names alone for the short form (a leading path
// dropped), whole lines for the long form ("total" lines dropped).
std::vector<std::string> ListingLines(const std::string& raw, bool longForm,
                                      const std::string& filter);

} // namespace ftp
