// The country and state pick lists of the intranet editor: "TEXT" resources
// of the language module, lines of a name, a comma and a code ended by
// CR LF; the first line is a heading and is not offered, and an empty line
// ends the list. The filter wizard offers the country list too.
#pragma once
#include <string>
#include <vector>

namespace lists {

struct Pick {
    std::string Name;
    std::string Code;
};

// The entries of TEXT resource id (heading left out); false when it cannot
// be loaded. A name may hold commas: the code follows the last one.
bool LoadPickList(unsigned id, std::vector<Pick>* picks);
// The code of the entry called name (letter case ignored); name itself when
// no entry is.
std::string PickCode(const std::vector<Pick>& picks, const std::string& name);
// The name of the entry whose code is code (letter case ignored: stored
// codes are upper-cased); null when none is.
const Pick* PickByCode(const std::vector<Pick>& picks, const std::string& code);

} // namespace lists
