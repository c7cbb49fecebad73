#include "tips.h"

#include <windows.h>
#include <cctype>
#include <cstring>
#include <string>

#include "ovkit/fileutil.h"
#include "ovkit/memory.h"

namespace bandolet {

namespace {

constexpr char kOpen[] = "[tip]";
constexpr char kClose[] = "[end tip]";

std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return s;
}

// Calls found(start of text, end of text or npos) for each tip; stops when it
// returns false.
template <typename F> void EachTip(const std::string& text, F found) {
    std::string lower = Lower(text);
    for (size_t at = lower.find(kOpen); at != std::string::npos;) {
        size_t start = at + sizeof kOpen - 1;
        size_t end = lower.find(kClose, start);
        if (!found(start, end) || end == std::string::npos)
            return;
        at = lower.find(kOpen, end + sizeof kClose - 1);
    }
}

} // namespace

bool ReadTextFile(const char* path, std::string* text) {
    HGLOBAL handle = nullptr;
    DWORD size = 0;
    char* data = OVKIT_ReadEntireFile(path, &handle, FALSE, OF_READ | OF_SHARE_DENY_NONE, &size);
    if (!data)
        return false;
    text->assign(data, size);
    OVKIT_UnlockAndFree(&handle);
    return true;
}

int CountTips(const char* path) {
    std::string text;
    int count = 0;
    if (ReadTextFile(path, &text))
        EachTip(text, [&](size_t, size_t) { return ++count, true; });
    return count;
}

char* ReadTip(const char* path, int index) {
    std::string text;
    if (index < 0 || !ReadTextFile(path, &text))
        return nullptr;
    char* copy = nullptr;
    int i = 0;
    EachTip(text, [&](size_t start, size_t end) {
        if (i++ < index)
            return true;
        if (end != std::string::npos) {
            copy = static_cast<char*>(OVKIT_MyAlloc(end - start + 1));
            if (copy) {
                memcpy(copy, text.data() + start, end - start);
                copy[end - start] = '\0';
            }
        }
        return false;
    });
    return copy;
}

} // namespace bandolet
