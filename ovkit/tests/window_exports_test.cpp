#include <gtest/gtest.h>
#include <windows.h>
#include "dialog_template.h"
#include "ovkit/bevel_frame.h"
#include "ovkit/grow_box.h"
#include "ovkit/keyboard_hook.h"
#include "ovkit/propsheet.h"
#include <string>

namespace {

std::string BesideTestProgram(const char* name) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

// Binds an export by its undecorated name with the declaration's own type.
template <class Fn> Fn Bind(HMODULE dll, const char* name, Fn) {
    return reinterpret_cast<Fn>(GetProcAddress(dll, name));
}
#define OV_BIND(dll, fn) Bind(dll, #fn, &fn)

INT_PTR CALLBACK QuietPage(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

} // namespace

// The shipped DLL's window helpers, called through their undecorated names.
TEST(OvkitDllWindows, ExportsWorkFromTheDll) {
    HMODULE dll = LoadLibraryA(BesideTestProgram("ovkit.dll").c_str());
    ASSERT_NE(dll, nullptr);
    auto setHook = OV_BIND(dll, OVKIT_SetKeyboardHook);
    auto releaseHook = OV_BIND(dll, OVKIT_ReleaseKeyboardHook);
    auto propertySheet = OV_BIND(dll, OVKIT_PropertySheet);
    ASSERT_NE(setHook, nullptr);
    ASSERT_NE(releaseHook, nullptr);
    ASSERT_NE(propertySheet, nullptr);
    EXPECT_NE(OV_BIND(dll, IsPropertySheetMessage), nullptr);
    EXPECT_NE(OV_BIND(dll, OVKIT_SetTabOrder), nullptr);
    EXPECT_NE(OV_BIND(dll, OVKIT_PaintGrowBox), nullptr);
    EXPECT_NE(OV_BIND(dll, OVKIT_ShowGrowBox), nullptr);
    EXPECT_NE(OV_BIND(dll, OVKIT_SubclassGrowBox), nullptr);
    EXPECT_NE(OV_BIND(dll, OVKIT_DrawKarstPolygons), nullptr);

    // The hook is ovkit's own, on this thread, whatever module the caller names.
    HHOOK hook = setHook(nullptr);
    ASSERT_NE(hook, nullptr);
    EXPECT_TRUE(releaseHook(hook));

    HWND host = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400, nullptr,
                                nullptr, nullptr, nullptr);
    ovtest::DialogTemplate page("Only", 100, 50);
    PROPSHEETPAGEA record = {};
    record.dwSize = sizeof record;
    record.dwFlags = PSP_DLGINDIRECT;
    record.pResource = page.Get();
    record.pfnDlgProc = QuietPage;
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE;
    header.hwndParent = host;
    header.nPages = 1;
    header.ppsp = &record;
    HWND sheet = propertySheet(&header);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(GetParent(sheet), host);
    DestroyWindow(host);
    EXPECT_FALSE(IsWindow(sheet));
    EXPECT_TRUE(FreeLibrary(dll));
}
