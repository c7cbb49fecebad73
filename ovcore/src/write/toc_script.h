// The table-of-contents script of a frame report, built from the anchors of
// the finished pages.
#pragma once
#include <string>

// Builds the script from the pages of pageList (names each ended by a NUL,
// then an empty name). Each page anchor reads
//   <a name="anchor"><!--Chapter title::Item title-->
// A page that cannot be opened or held ends the script after a message
// (with what was built so far: nothing); false then.
bool BuildTocScript(const char* pageList, std::string& out);
