// A deep copy of a menu, so that two owners never destroy one menu handle.
#pragma once
#include <windows.h>

namespace ovkit {

// A new menu with the same items (texts, ids, states, data, bitmaps) and
// copies of its submenus; null for a null menu or when the copy fails.
HMENU CopyMenuTree(HMENU source);

} // namespace ovkit
