// The tips of TIP.TXT: blocks from "[TIP]" to "[END TIP]", tags in any case.
#pragma once
#include <string>

namespace bandolet {

// The whole of a text file; false when it cannot be read.
bool ReadTextFile(const char* path, std::string* text);

// How many tips the file holds; 0 when it is missing.
int CountTips(const char* path);
// A new zero-terminated copy of tip index (from 0), freed with OVKIT_MyFree;
// null when there is no such tip or it has no end tag.
char* ReadTip(const char* path, int index);

} // namespace bandolet
