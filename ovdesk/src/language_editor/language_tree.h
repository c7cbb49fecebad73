// LANG.TRE: the tree of report items, the same for every language. A line
// begins with one or more ":" (their count is its depth, 1 at the top); its
// title is the text between its first "{" and the next "}", and an optional
// key, "<Name>", follows. An item without a key is a folder.
#pragma once
#include <string>
#include <vector>

namespace langedit {

struct TreeLine {
    int Depth;
    std::string Title;
    std::string Key; // empty for a folder
};

// The item lines of text in file order; lines without a title are skipped,
// and a last line without its line feed is read too.
std::vector<TreeLine> ParseTree(const std::string& text);

} // namespace langedit
