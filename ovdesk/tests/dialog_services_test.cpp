// Window and file services of the plug-in's dialogs, and its own settings.
#include <gtest/gtest.h>
#include "desk_services.h"
#include "services/custom_text.h"
#include "services/dialog_services.h"
#include "services/file_services.h"
#include "services/plugin_settings.h"
#include "startup/plugin_state.h"
#include "temp_install.h"
#include "desk_fixture.h"
#include <commctrl.h>
#include <cstring>

TEST(FileServices, PathPartsTable) {
    struct Case {
        const char *path, *directory, *name, *extension;
    } cases[] = {
        {"C:\\v1.2\\report", "C:\\v1.2\\", "report", ""},
        {"C:\\out\\week.htm", "C:\\out\\", "week.htm", ".htm"},
        {"D:log.txt", "D:", "log.txt", ".txt"},
        {"plain", "", "plain", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        char out[MAX_PATH];
        GetDirectoryPart(c.path, out);
        EXPECT_STREQ(out, c.directory);
        GetFileNamePart(c.path, out);
        EXPECT_STREQ(out, c.name);
        GetFileExtension(c.path, out);
        EXPECT_STREQ(out, c.extension);
    }
    char path[MAX_PATH];
    BuildModulePath("C:\\dir", "a.ini", path);
    EXPECT_STREQ(path, "C:\\dir\\a.ini");
    BuildModulePath("C:\\dir\\", "a.ini", path);
    EXPECT_STREQ(path, "C:\\dir\\a.ini");
}

TEST(FileServices, WholeFilesAndCopies) {
    ovtest::TempInstall install;
    std::string bytes(64000, 'x');
    bytes[31999] = 'a';
    bytes[63999] = 'z';
    std::string source = install.Path("big.txt");
    ASSERT_TRUE(ovtest::WriteFileBytes(source, bytes));

    HGLOBAL block = nullptr;
    DWORD size = 0;
    char* data = (char*)ReadWholeFile(source.c_str(), &block, 0, FILE_SHARE_READ, &size);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(size, 64000u);
    EXPECT_EQ(std::string(data, size), bytes);
    GlobalUnlock(block);
    GlobalFree(block);
    EXPECT_EQ(ReadWholeFile(install.Path("none.txt").c_str(), &block, 1, 0, &size), nullptr);

    std::string target = install.Path("copy.txt");
    EXPECT_EQ(CopyFileContents(source.c_str(), target.c_str()), 1);
    EXPECT_EQ(ovtest::ReadFileBytes(target), bytes);
    EXPECT_EQ(CopyFileContents(install.Path("none.txt").c_str(), target.c_str()), 0);
    EXPECT_EQ(FileIsPresent(install.Path("*.txt").c_str()), 1);
    EXPECT_EQ(FileIsPresent(install.Path("*.doc").c_str()), 0);

    HANDLE file = CreateFileA(install.Path("chunk.bin").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    EXPECT_EQ(WriteFileChunk("chunk.bin", file, "abc", 3, &written), 1);
    EXPECT_EQ(written, 3u);
    CloseHandle(file);
    EXPECT_EQ(ovtest::ReadFileBytes(install.Path("chunk.bin")), "abc");
}

TEST(WindowServices, TheHundredAndFirstDecoratedControlIsLeftAlone) {
    SetPluginInstance(GetModuleHandleA(nullptr));
    HWND parent =
        CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    std::vector<HWND> controls;
    for (int i = 0; i <= DECORATION_TABLE_SIZE; ++i)
        controls.push_back(
            CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr));
    for (HWND c : controls)
        DecorateControl(c, DECORATION_SUNKEN);
    EXPECT_EQ(GetDecoratedControlCount(), DECORATION_TABLE_SIZE);
    EXPECT_EQ((WNDPROC)GetWindowLongPtrA(controls.back(), GWLP_WNDPROC) == DecoratedControlProc,
              false);
    EXPECT_EQ((WNDPROC)GetWindowLongPtrA(controls.front(), GWLP_WNDPROC) == DecoratedControlProc,
              true);
    DestroyWindow(parent); // destroying the controls frees their entries
    EXPECT_EQ(GetDecoratedControlCount(), 0);

    HWND window =
        CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 120, 80, nullptr, nullptr, nullptr, nullptr);
    CenterWindowOnScreen(window);
    CenterWindowOnScreen(window);
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, 120);
    EXPECT_EQ(r.bottom - r.top, 80);
    DestroyWindow(window);
}

TEST(WindowServices, ListViewRowsSplitAtTabs) {
    InitCommonControls();
    HWND list = CreateWindowA(WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT, 0, 0, 300, 200, nullptr,
                              nullptr, nullptr, nullptr);
    ASSERT_NE(list, nullptr);
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH;
    column.cx = 50;
    for (int i = 0; i < 3; ++i)
        ListView_InsertColumn(list, i, &column);
    EXPECT_EQ(ListViewSetRow(list, "a\tb\tc"), 0);
    EXPECT_EQ(ListViewSetRow(list, "d\t\tf"), 1);
    char text[16];
    ListView_GetItemText(list, 0, 2, text, sizeof text);
    EXPECT_STREQ(text, "c");
    ListView_GetItemText(list, 1, 1, text, sizeof text);
    EXPECT_STREQ(text, "f");
    DestroyWindow(list);
}

TEST(WindowServices, CustomTextFitStopsAtHeightOne) {
    HDC dc = GetDC(nullptr);
    CustomTextBlock block = {};
    const char* text = "A banner text long enough to need several lines at any height";
    int fitted = FitCustomTextHeight(dc, block, text, 40);
    EXPECT_GT(fitted, 1);
    EXPECT_LT(fitted, CUSTOM_TEXT_FIT_START);
    EXPECT_EQ(FitCustomTextHeight(dc, block, text, 0), 1); // nothing fits: smallest font
    ReleaseDC(nullptr, dc);
}

TEST(PluginSettings, RangeAndBrowser) {
    ovtest::TempInstall install;
    HMODULE library = PointEngineSettingsAt(install);
    ASSERT_NE(library, nullptr);

    SetDefaultReportRange(1, nullptr);
    char text[16];
    GetModuleProfileString("Defaults", "ReportRange", "", text, sizeof text);
    EXPECT_STREQ(text, "0");
    SetDefaultReportRange(7, nullptr);
    EXPECT_EQ(GetDefaultReportRange(nullptr), 7);
    ScheduleEvent event = {};
    ReportRunRequest scheduled = {&event, nullptr, nullptr, 0, RUN_MODE_SCHEDULED};
    EXPECT_EQ(GetDefaultReportRange(&scheduled), 0);
    SetDefaultReportRange(9, &scheduled);
    EXPECT_EQ(GetDefaultReportRange(nullptr), 7);

    SetBrowserPath("C:\\Net\\netscape.exe");
    char browser[BROWSER_PATH_SIZE];
    GetBrowserPath(browser);
    EXPECT_STREQ(browser, "C:\\Net\\netscape.exe");
    EXPECT_EQ(GetBrowserKind(), 0);
    SetBrowserPath("C:\\Other\\viewer.exe");
    EXPECT_EQ(GetBrowserKind(), 0);
    SetBrowserPath("C:\\IE\\IEXPLORE.EXE");
    EXPECT_EQ(GetBrowserKind(), 1);
    FreeLibrary(library);
}
