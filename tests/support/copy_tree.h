// Copying a folder tree: the one copy of the console tools and the tests.
#pragma once
#include <string>

namespace ovfiles {

// Copies the folder tree from into to (both end in a backslash), making the
// folders; an existing file is replaced. False when a folder or file could
// not be made (the rest is still copied).
bool CopyTree(const std::string& from, const std::string& to);

} // namespace ovfiles
