#include <gtest/gtest.h>
#include "msgbox_watcher.h"
#include "temp_install.h"
#include "debug_output_capture.h"
#include "ovkit/memory.h"
#include "ovkit/resources.h"
#include <cstring>
#include <string>

namespace {

// Resources of the test program's language module (test_language.rc).
const UINT kMenu = 501;
const UINT kDialog = 502;
const UINT kHello = 503;       // "Hello" (English), "Salut" (French)
const UINT kEnglishOnly = 504; // "Only English"
const UINT kFrenchOnly = 505;
const UINT kMissing = 9999;
const LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
const LANGID kFrench = MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH);

class LanguageResources : public ::testing::Test {
  protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset() {
        OVKIT_FreeResourceCache();
        OVKIT_Register(0);
    }

    HINSTANCE module_ = GetModuleHandleA(nullptr);

    // The text resource as a string; "<null>" when the look-up fails.
    std::string Text(UINT id, int* size = nullptr) {
        int length = -1;
        char* copy = OVKIT_LANGSTRING_MAKEINTRESOURCE(id, &length, module_);
        if (size)
            *size = length;
        if (!copy)
            return "<null>";
        std::string text(copy, length);
        EXPECT_EQ(copy[length], '\0');
        OVKIT_MyFree(copy);
        return text;
    }

    DWORD RawSize(UINT id, LPCSTR type) {
        return SizeofResource(module_, FindResourceA(module_, MAKEINTRESOURCEA(id), type));
    }
};

bool HoldsWide(const void* data, int size, const wchar_t* text) {
    size_t bytes = std::wcslen(text) * sizeof(wchar_t);
    const char* p = static_cast<const char*>(data);
    for (int i = 0; i + static_cast<int>(bytes) <= size; ++i)
        if (std::memcmp(p + i, text, bytes) == 0)
            return true;
    return false;
}

} // namespace

TEST_F(LanguageResources, DialogIsCachedAndEachWritableCallerGetsOwnCopy) {
    HGLOBAL first = OVKIT_LANGDLGBOX_MAKEINTRESOURCE(kDialog, module_);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(OVKIT_LANGDLGBOX_MAKEINTRESOURCE(kDialog, module_), first);

    // A writable request after a plain look-up still gets a copy.
    int size1 = 0, size2 = 0;
    auto* copy1 = static_cast<unsigned char*>(
        OVKIT_LANGDLGBOX_MAKEINTRESOURCE_WRITABLE(kDialog, &size1, module_));
    ASSERT_NE(copy1, nullptr);
    EXPECT_EQ(static_cast<DWORD>(size1), RawSize(kDialog, RT_DIALOG));
    EXPECT_EQ(std::memcmp(copy1, LockResource(first), size1), 0);
    EXPECT_EQ(copy1[size1], 0);

    copy1[0] ^= 0xFF; // the caller changes its copy
    auto* copy2 = static_cast<unsigned char*>(
        OVKIT_LANGDLGBOX_MAKEINTRESOURCE_WRITABLE(kDialog, &size2, module_));
    ASSERT_NE(copy2, nullptr);
    EXPECT_NE(copy2, copy1);
    EXPECT_EQ(size2, size1);
    EXPECT_EQ(std::memcmp(copy2, LockResource(first), size2), 0);
    OVKIT_MyFree(copy1);
    OVKIT_MyFree(copy2);
}

TEST_F(LanguageResources, TextCopyEndsInNulOnEveryLookUp) {
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        int size = 0;
        EXPECT_EQ(Text(kHello, &size), "Hello");
        EXPECT_EQ(size, 5);
    }
}

TEST_F(LanguageResources, MenuHandleLoadsAsMenu) {
    HGLOBAL menu = OVKIT_LANGMENU_MAKEINTRESOURCE(kMenu, module_);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(OVKIT_PRODMENU_MAKEINTRESOURCE(kMenu, module_), menu);
    HMENU loaded = LoadMenuIndirectA(LockResource(menu));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(loaded, 0)), 2);
    DestroyMenu(loaded);
}

TEST_F(LanguageResources, MissingOrWrongTypeFails) {
    int size = -1;
    EXPECT_EQ(OVKIT_LANGMENU_MAKEINTRESOURCE(kMissing, module_), nullptr);
    EXPECT_EQ(OVKIT_LANGMENU_MAKEINTRESOURCE(kDialog, module_), nullptr);
    EXPECT_EQ(OVKIT_LANGDLGBOX_MAKEINTRESOURCE(kMenu, module_), nullptr);
    EXPECT_EQ(OVKIT_LANGDLGBOX_MAKEINTRESOURCE_WRITABLE(kMissing, &size, module_), nullptr);
    EXPECT_EQ(size, 0);
    size = -1;
    EXPECT_EQ(OVKIT_LANGSTRING_MAKEINTRESOURCE(kMissing, &size, module_), nullptr);
    EXPECT_EQ(size, 0);
    // A failed look-up takes no entry: the resource is found afterwards.
    EXPECT_EQ(Text(kHello), "Hello");
}

// The cache keys on the whole id but finds by its low 16 bits, so one text
// fills all 1000 entries.
TEST_F(LanguageResources, FullCacheFailsEveryLookUpUntilFreed) {
    ASSERT_EQ(Text(kHello), "Hello");
    for (UINT k = 1; k < 1000; ++k)
        ASSERT_NE(OVKIT_LANGMENU_MAKEINTRESOURCE((k << 16) | kMenu, module_), nullptr) << k;
    EXPECT_EQ(Text(kHello), "<null>");
    EXPECT_EQ(OVKIT_LANGMENU_MAKEINTRESOURCE(kMenu | (1u << 16), module_), nullptr);
    OVKIT_FreeResourceCache();
    EXPECT_EQ(Text(kHello), "Hello");
}

// A resource missing in the registered language fails quietly: no box.
TEST_F(LanguageResources, RegisteredLanguageChoosesVariant) {
    ovtest::MsgBoxWatcher boxes;
    ovkittest::DebugOutputCapture debug;
    const struct {
        LANGID language;
        UINT id;
        const char* expected;
    } cases[] = {
        {0, kHello, "Hello"},
        {kEnglish, kHello, "Hello"},
        {kEnglish, kFrenchOnly, "<null>"},
        {kEnglish, kEnglishOnly, "Only English"},
        {kFrench, kHello, "Salut"},
        {kFrench, kEnglishOnly, "<null>"},
        {kFrench, kFrenchOnly,
         "Seulement en fran\xE7"
         "ais"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.language << " " << c.id);
        Reset();
        OVKIT_Register(c.language);
        EXPECT_EQ(Text(c.id), c.expected);
    }
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_TRUE(debug.Saw("resource 504 of type TEXT not found for language 0x040C"));

    Reset();
    OVKIT_Register(kFrench);
    int size = 0;
    void* dialog = OVKIT_LANGDLGBOX_MAKEINTRESOURCE_WRITABLE(kDialog, &size, module_);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(HoldsWide(dialog, size, L"Essai"));
    OVKIT_MyFree(dialog);
}

TEST(OvkitRuntimeLanguage, ReadsProgramLanguageBesideModule) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string dll(self);
    dll = dll.substr(0, dll.find_last_of('\\') + 1) + "ovkit.dll";
    const struct {
        const char* ini; // null: no settings file
        const char* expected;
    } cases[] = {
        {nullptr, "ENGLISH"},
        {"[Language]\r\nReport=GERMAN\r\n", "ENGLISH"},
        {"[Language]\r\nProgram=FRENCH\r\n", "FRENCH"},
        {"[Language]\r\nProgram=ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\r\n",
         "ABCDEFGHIJKLMNOPQRSTUVWXYZ012"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ini ? c.ini : "no file");
        ovtest::TempInstall install;
        if (c.ini)
            ASSERT_TRUE(install.Write("ostrevan.ini", c.ini));
        else
            DeleteFileA(install.BaseIni().c_str());
        std::string copy = install.Path("ovkit.dll");
        ASSERT_TRUE(CopyFileA(dll.c_str(), copy.c_str(), FALSE));
        HMODULE module = LoadLibraryExA(copy.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
        ASSERT_NE(module, nullptr);
        char buffer[30];
        std::memset(buffer, 'x', sizeof buffer);
        int length = OVKIT_ReadRuntimeLanguage(module, buffer);
        EXPECT_EQ(std::string(buffer), c.expected);
        EXPECT_EQ(length, static_cast<int>(std::strlen(c.expected)));
        FreeLibrary(module);
    }
}
