#include <gtest/gtest.h>
#include "msgbox_watcher.h"
#include "temp_install.h"
#include "ovkit/resources.h"
#include "ovkit/startup.h"
#include <string>

namespace {

HINSTANCE Self() {
    return GetModuleHandleA(nullptr);
}

bool ClassRegistered(HINSTANCE instance, const char* name) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    return GetClassInfoExA(instance, name, &wc) != FALSE;
}

std::string BesideTestProgram(const char* name) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

LRESULT CALLBACK SquatterProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    return DefWindowProcA(window, message, w, l);
}

} // namespace

TEST(OvkitStartup, AttachMakesDrawingStateAndClassesAndDetachRemovesThem) {
    ovtest::MsgBoxWatcher boxes;
    ASSERT_TRUE(OvkitProcessAttach(Self()));
    EXPECT_EQ(OVKIT_GetBitmapInstance(), Self());
    EXPECT_NE(OvkitGetPatternBrush(), nullptr);
    EXPECT_NE(OvkitGetLibraryFont(), nullptr);
    const WORD iconIds[5] = {109, 108, 107, 106, 105};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(OvkitGetIconTable()[i].id, iconIds[i]);
        EXPECT_NE(OvkitGetIconTable()[i].icon, nullptr) << iconIds[i];
    }
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(OVKIT_ClassNames[i]);
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        ASSERT_TRUE(GetClassInfoExA(Self(), OVKIT_ClassNames[i], &wc));
        EXPECT_EQ(wc.style, 0x1003u);
        EXPECT_EQ(wc.cbWndExtra, static_cast<int>(sizeof(LONG_PTR)));
        EXPECT_EQ(wc.hbrBackground, nullptr);
        EXPECT_EQ(wc.hCursor != nullptr, i != 2 && i != 3);
    }
    // A window of each class does default processing for now.
    HWND bar = CreateWindowExA(0, "Ostrevane Progress Bar", "x", WS_POPUP, 0, 0, 10, 10, nullptr,
                               nullptr, Self(), nullptr);
    ASSERT_NE(bar, nullptr);
    DestroyWindow(bar);

    OvkitProcessDetach();
    for (const char* name : OVKIT_ClassNames)
        EXPECT_FALSE(ClassRegistered(Self(), name)) << name;
    EXPECT_EQ(OvkitGetPatternBrush(), nullptr);
    EXPECT_EQ(OvkitGetLibraryFont(), nullptr);
    EXPECT_EQ(boxes.Count(), 0u);
}

// A class that cannot be registered fails the load with a box; the first
// class has the library's caption, the others "Ostrevane".
TEST(OvkitStartup, ClassRegistrationFailureFailsAttachWithMessage) {
    for (int failing = 0; failing < 5; ++failing) {
        SCOPED_TRACE(OVKIT_ClassNames[failing]);
        WNDCLASSEXA squatter = {};
        squatter.cbSize = sizeof squatter;
        squatter.lpfnWndProc = SquatterProc;
        squatter.hInstance = Self();
        squatter.lpszClassName = OVKIT_ClassNames[failing];
        ASSERT_TRUE(RegisterClassExA(&squatter));
        {
            ovtest::MsgBoxWatcher boxes(IDOK);
            EXPECT_FALSE(OvkitProcessAttach(Self()));
            ASSERT_EQ(boxes.Count(), 1u);
            EXPECT_EQ(boxes.Seen()[0].caption, failing == 0 ? OVKIT_CAPTION : "Ostrevane");
            EXPECT_EQ(boxes.Seen()[0].text, "Unable to register a window class.");
        }
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(ClassRegistered(Self(), OVKIT_ClassNames[i]), i <= failing) << i;
        OvkitProcessDetach();
        for (const char* name : OVKIT_ClassNames)
            EXPECT_FALSE(ClassRegistered(Self(), name)) << name;
    }
}

TEST(OvkitStartup, DisplaySettingsAreClampedAndScaled) {
    struct Case {
        const char* ini; // body of [RepaintInfoSection]; null: no file
        OvkitDisplaySettings expected;
    };
    const Case cases[] = {
        {nullptr, {2, 1, 1000, 4000, 0}},
        {"DrawSubliminals=7\r\nDrawBitmaps=5\r\n", {2, 1, 1000, 4000, 0}},
        {"DrawSubliminals=-1\r\nDrawBitmaps=-1\r\n", {2, 1, 1000, 4000, 0}},
        {"DrawSubliminals=0\r\nDrawBitmaps=0\r\nForce16Color=3\r\n", {0, 0, 1000, 4000, 3}},
        {"QuickHelpDelay=0\r\nQuickHelpDuration=10\r\n", {2, 1, 0, 10000, 0}},
    };
    ovtest::TempInstall install;
    int n = 0;
    for (const Case& c : cases) {
        std::string name = "repaint" + std::to_string(n++) + ".ini";
        SCOPED_TRACE(name);
        if (c.ini) {
            ASSERT_TRUE(install.Write(name, std::string("[RepaintInfoSection]\r\n") + c.ini));
        }
        OvkitDisplaySettings read = {};
        OvkitReadDisplaySettings(install.Path(name).c_str(), &read);
        EXPECT_EQ(read.drawSubliminals, c.expected.drawSubliminals);
        EXPECT_EQ(read.drawBitmaps, c.expected.drawBitmaps);
        EXPECT_EQ(read.quickHelpDelayMs, c.expected.quickHelpDelayMs);
        EXPECT_EQ(read.quickHelpDurationMs, c.expected.quickHelpDurationMs);
        EXPECT_EQ(read.force16Color, c.expected.force16Color);
    }
}

TEST(OvkitStartup, BitmapResourceIdsOfPictures) {
    const struct {
        int picture, id;
    } cases[] = {{0, 0},     {-1, 0},    {23, 0},    {1, 1169}, {2, 1153},
                 {13, 1150}, {18, 1151}, {20, 1158}, {21, 112}, {22, 113}};
    for (const auto& c : cases)
        EXPECT_EQ(OVKIT_GetBitmapResource(c.picture), c.id) << c.picture;
}

// The shipped DLL: loads with its classes, exports undecorated names, holds
// every picture, and unloads leaving nothing registered.
TEST(OvkitDll, LoadsWithClassesAndUnloadsCleanly) {
    ovtest::MsgBoxWatcher boxes;
    ASSERT_EQ(GetModuleHandleA("ovkit.dll"), nullptr);
    HMODULE dll = LoadLibraryA(BesideTestProgram("ovkit.dll").c_str());
    ASSERT_NE(dll, nullptr) << GetLastError();
    for (const char* name : OVKIT_ClassNames) {
        EXPECT_TRUE(ClassRegistered(dll, name)) << name;
        EXPECT_FALSE(ClassRegistered(Self(), name)) << name;
    }

    auto getInstance = reinterpret_cast<decltype(&OVKIT_GetBitmapInstance)>(
        GetProcAddress(dll, "OVKIT_GetBitmapInstance"));
    auto getResource = reinterpret_cast<decltype(&OVKIT_GetBitmapResource)>(
        GetProcAddress(dll, "OVKIT_GetBitmapResource"));
    ASSERT_NE(getInstance, nullptr);
    ASSERT_NE(getResource, nullptr);
    EXPECT_NE(GetProcAddress(dll, "OVKIT_LANGSTRING_MAKEINTRESOURCE"), nullptr);
    EXPECT_NE(GetProcAddress(dll, "OVKIT_WriteSchedulerLogFile"), nullptr);
    EXPECT_EQ(GetProcAddress(dll, "OVKIT_FreeResourceCache"), nullptr); // internal
    EXPECT_EQ(getInstance(), dll);
    for (int picture = 1; picture <= 22; ++picture) {
        HBITMAP bitmap = LoadBitmapA(getInstance(), MAKEINTRESOURCEA(getResource(picture)));
        EXPECT_NE(bitmap, nullptr) << picture;
        DeleteObject(bitmap);
    }

    EXPECT_TRUE(FreeLibrary(dll));
    EXPECT_EQ(GetModuleHandleA("ovkit.dll"), nullptr);
    for (const char* name : OVKIT_ClassNames)
        EXPECT_FALSE(ClassRegistered(dll, name)) << name;
    EXPECT_EQ(boxes.Count(), 0u);
}
