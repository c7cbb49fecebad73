// The engine loads its texts from its client's module, so the shipped
// plug-in must carry them; without them every engine message reads
// "String Not Found!".
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "ovcore/registration.h"

namespace {
std::string BuiltPlugin() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string s(path, n);
    return s.substr(0, s.find_last_of('\\') + 1) + "ovdesk.dll";
}

std::string Text(HMODULE module, UINT id) {
    char text[1024] = "";
    int n = LoadStringA(module, id, text, sizeof text);
    return n > 0 ? std::string(text, n) : std::string();
}
} // namespace

// This test program carries the engine's texts too: the built DLL must hold
// every one of them, word for word.
TEST(EngineTexts, TheBuiltPluginCarriesEveryEngineText) {
    HMODULE plugin = LoadLibraryExA(BuiltPlugin().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(plugin, nullptr) << BuiltPlugin();
    HMODULE self = GetModuleHandleA(nullptr);
    int carried = 0;
    for (UINT id = ORB_FIRST_STRING_ID; id <= ORB_LAST_STRING_ID; ++id) {
        std::string expected = Text(self, id);
        if (expected.empty())
            continue;
        ++carried;
        EXPECT_EQ(Text(plugin, id), expected) << "string " << id;
    }
    EXPECT_GT(carried, 100);
    EXPECT_EQ(Text(plugin, 5591), "Failed to open %s");
    FreeLibrary(plugin);
}
