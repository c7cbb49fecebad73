// Reading LANG.TRE's item lines.
#include "language_editor/language_tree.h"

namespace langedit {

namespace {
bool ParseLine(const std::string& line, TreeLine* item) {
    size_t depth = line.find_first_not_of(':');
    if (depth == 0 || depth == std::string::npos)
        return false;
    size_t open = line.find('{', depth);
    size_t close = open == std::string::npos ? open : line.find('}', open + 1);
    if (close == std::string::npos)
        return false;
    item->Depth = (int)depth;
    item->Title = line.substr(open + 1, close - open - 1);
    item->Key.clear();
    size_t keyOpen = line.find('<', close + 1);
    size_t keyClose = keyOpen == std::string::npos ? keyOpen : line.find('>', keyOpen + 1);
    if (keyClose != std::string::npos)
        item->Key = line.substr(keyOpen, keyClose - keyOpen + 1);
    return true;
}
} // namespace

std::vector<TreeLine> ParseTree(const std::string& text) {
    std::vector<TreeLine> items;
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        TreeLine item;
        if (ParseLine(text.substr(at, end - at), &item))
            items.push_back(item);
        at = end + 1;
    }
    return items;
}

} // namespace langedit
