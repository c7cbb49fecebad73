// A client status window for fetch tests: records what the engine tells it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace fetchtest {

struct SeenMessage {
    UINT message;
    std::string text; // the status or byte-count text, else empty
};
// Messages WM_USER+20 to WM_USER+31 the status windows got, in order.
extern std::vector<SeenMessage> g_seen;

// A hidden window that records into g_seen.
HWND MakeStatusWindow();

} // namespace fetchtest
