// Reading the pick lists and turning names into codes and back.
#include "list_editors/pick_lists.h"
#include "desk_services.h"
#include <cstring>

namespace lists {

bool LoadPickList(unsigned id, std::vector<Pick>* picks) {
    picks->clear();
    DWORD size = 0;
    char* text = GetTextResource(id, &size);
    if (!text)
        return false;
    bool heading = true;
    for (const char* line = text; *line;) {
        size_t length = strcspn(line, "\r\n");
        if (!length && !heading)
            break; // an empty line ends the list
        std::string row(line, length);
        size_t comma = row.rfind(',');
        if (!heading && comma != std::string::npos && comma > 0 && comma + 1 < length)
            picks->push_back({row.substr(0, comma), row.substr(comma + 1)});
        if (length)
            heading = false;
        line += length;
        line += strspn(line, "\r");
        line += *line == '\n';
    }
    FreeResourceCopy(text);
    return true;
}

std::string PickCode(const std::vector<Pick>& picks, const std::string& name) {
    for (const Pick& pick : picks)
        if (_stricmp(pick.Name.c_str(), name.c_str()) == 0)
            return pick.Code;
    return name;
}

const Pick* PickByCode(const std::vector<Pick>& picks, const std::string& code) {
    for (const Pick& pick : picks)
        if (_stricmp(pick.Code.c_str(), code.c_str()) == 0)
            return &pick;
    return nullptr;
}

} // namespace lists
