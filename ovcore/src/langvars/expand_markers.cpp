// ExpandVarMarkers: "<name>" in a short settings text becomes the value of
// that language variable.
#include "langvars/var_table.h"
#include "ovcore/langvars.h"
#include <string>
#include <string.h>

namespace {

void AppendBounded(std::string& out, const char* text, size_t length, size_t room) {
    if (out.size() >= room)
        return;
    out.append(text, length < room - out.size() ? length : room - out.size());
}

} // namespace

ORB_EXPORT(int) ExpandVarMarkers(char* text, int size) {
    if (!text || size <= 0)
        return 1;
    const std::string work(text, strnlen(text, size_t(size)));
    const size_t room = size_t(size) - 1;
    std::string out;
    size_t nameStart = std::string::npos; // inside a marker when set
    for (size_t i = 0; i < work.size(); ++i) {
        char c = work[i];
        if (c == '<') {
            nameStart = i + 1; // a second "<" starts the marker afresh
        } else if (c == '>' && nameStart != std::string::npos) {
            std::string name = work.substr(nameStart, i - nameStart);
            const char* value = langvars::FindValue(name.c_str());
            if (value)
                AppendBounded(out, value, strlen(value), room);
            nameStart = std::string::npos;
        } else if (nameStart == std::string::npos) {
            AppendBounded(out, &c, 1, room);
        }
    }
    memcpy(text, out.c_str(), out.size() + 1);
    return 1;
}
