// The engine loads its texts from its client's module, so the shipped
// plug-in must carry them; without them every engine message reads
// "String Not Found!".
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "ovcore/registration.h"

namespace {
// A DLL built beside this program.
std::string Built(const char* name) {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string s(path, n);
    return s.substr(0, s.find_last_of('\\') + 1) + name;
}

std::string Text(HMODULE module, UINT id) {
    char text[1024] = "";
    int n = LoadStringA(module, id, text, sizeof text);
    return n > 0 ? std::string(text, n) : std::string();
}
} // namespace

// The built DLL must hold every text of the engine's own script, word for
// word, beside its own texts. Guards a block of string ids shared with the
// plug-in's texts, where the engine's were lost.
TEST(EngineTexts, TheBuiltPluginCarriesEveryEngineText) {
    HMODULE plugin = LoadLibraryExA(Built("ovdesk.dll").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(plugin, nullptr);
    HMODULE engine =
        LoadLibraryExA(Built("engine_texts_only.dll").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(engine, nullptr);
    int carried = 0;
    for (UINT id = ORB_FIRST_STRING_ID; id <= ORB_LAST_STRING_ID; ++id) {
        std::string expected = Text(engine, id);
        if (expected.empty())
            continue;
        ++carried;
        EXPECT_EQ(Text(plugin, id), expected) << "string " << id;
    }
    EXPECT_GT(carried, 100);
    EXPECT_EQ(Text(plugin, 5591), "Failed to open %s");
    EXPECT_EQ(Text(plugin, 5739), "Invalid Extended Log File Format");
    EXPECT_EQ(Text(plugin, 5729), "K"); // the plug-in's own, in the same block
    FreeLibrary(engine);
    FreeLibrary(plugin);
}
