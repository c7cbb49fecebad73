// The View Log File run and the report viewer over real listings of small
// logs: scheduled views saved to their files, and the viewer driven by its
// messages.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "desk_run_fixture.h"
#include "desk_services.h"
#include "msgbox_watcher.h"
#include "report_run/progress_dialog.h"
#include "resource_ids.h"
#include "temp_install.h"
#include "view_log/view_log.h"
#include "viewer/viewer_request.h"
#include "wait_until.h"

using desktest::DeskInstall;

namespace {

// A common-log line with its status.
std::string Hit(int client, unsigned second, const std::string& url, int status) {
    char line[200];
    std::snprintf(line, sizeof line,
                  "10.0.0.%d - - [10/Oct/1999:01:%02u:%02u +0000] \"GET %s HTTP/1.0\" %d 2048\n",
                  client, second / 60, second % 60, url.c_str(), status);
    return line;
}

// Hits of three clients, every fifth one failing; each URL names its hit.
std::string ListingLog(int hits) {
    std::string log;
    for (int i = 0; i < hits; ++i)
        log += Hit(1 + i % 3, (unsigned)i, "/dir/page" + std::to_string(i) + ".html",
                   i % 5 == 4 ? 404 : 200);
    return log;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find("\r\n", at);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

int LinesNaming(const std::string& text, const std::string& url) {
    int count = 0;
    for (const std::string& line : Lines(text))
        if (line.find(url) != std::string::npos)
            ++count;
    return count;
}

BOOL CALLBACK CountViewer(HWND window, LPARAM found) {
    if (GetDlgItem(window, IDC_VIEW_TEXT))
        ++*(int*)found;
    return TRUE;
}

// The windows of this thread that hold a viewer's text view.
int ViewerWindows() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountViewer, (LPARAM)&count);
    return count;
}

// Buffer files and temporary names a run could leave behind in folder.
std::vector<std::string> Leftovers(const std::string& folder) {
    std::vector<std::string> found;
    for (const char* pattern : {"~*.TMP", "0000_*"}) {
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((folder + pattern).c_str(), &data);
        if (find == INVALID_HANDLE_VALUE)
            continue;
        do
            found.push_back(data.cFileName);
        while (FindNextFileA(find, &data));
        FindClose(find);
    }
    return found;
}

std::string ExeFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    *(strrchr(path, '\\') + 1) = 0;
    return path;
}

std::string CurrentFolder() {
    char path[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, path);
    return std::string(path) + "\\";
}

struct ViewFixture : ::testing::Test {
    DeskInstall& desk = desktest::Desk();
    ovtest::MsgBoxWatcher boxes;
    ScheduleEvent event = {};
    ReportRunRequest scheduled = {};
    HMODULE controls = nullptr;

    void SetUp() override {
        DeskInstall::ClearSchedulerLog();
        scheduled.Event = &event;
        scheduled.RunMode = RUN_MODE_SCHEDULED;
        controls = LoadLibraryA("CSTCTLS4.dll");
        ASSERT_TRUE(controls);
        auto start = (CstRegisterControlsProc)GetProcAddress(
            controls, MAKEINTRESOURCEA(CSTCTLS4_ORDINAL_REGISTER));
        ASSERT_EQ(1, start(GetModuleHandleA(nullptr)));
        CreateDirectoryA((desk.Install().Root() + "out").c_str(), nullptr);
    }
    void TearDown() override {
        auto stop = (CstUnregisterControlsProc)GetProcAddress(
            controls, MAKEINTRESOURCEA(CSTCTLS4_ORDINAL_UNREGISTER));
        stop(GetModuleHandleA(nullptr));
        FreeLibrary(controls);
    }
    std::string Output(const std::string& name) const {
        return desk.Install().Root() + "out\\" + name;
    }
};

struct ScheduledViewCase {
    const char* name;
    WORD viewType;
    WORD order;    // 0 time: one section; 6 result: failed and successful hits apart
    WORD fileType; // 1 .RPT, 2 .CCR
};

TEST_F(ViewFixture, ScheduledViewSavesEveryHitOfEverySectionAndLeavesNothingBehind) {
    const ScheduledViewCase cases[] = {
        {"standard.rpt", VIEW_TYPE_STANDARD, 0, 1},
        {"detailed.ccr", VIEW_TYPE_DETAILED, 0, 2},
        {"standard-by-result.rpt", VIEW_TYPE_STANDARD, 6, 1},
        {"detailed-by-result.ccr", VIEW_TYPE_DETAILED, 6, 2},
    };
    const int hits = 25;
    for (const ScheduledViewCase& c : cases) {
        SCOPED_TRACE(c.name);
        AnalysisProfile* profile =
            desk.WriteProfile(std::string("v") + c.name[0] + std::to_string(c.order),
                              desk.WriteLog("listing.log", ListingLog(hits)));
        std::string output = Output(c.name);
        lstrcpynA(event.SaveAsFilename, output.c_str(), MAX_PATH);
        event.SaveAsFileType = c.fileType;
        ViewChoice choice = {c.viewType, c.order};
        EXPECT_EQ(1, RunUrlReport(nullptr, profile, 0, choice, &scheduled))
            << DeskInstall::SchedulerLog();
        std::string text = ovtest::ReadFileBytes(output);
        // One line per hit, its folder and file name together (the file-name
        // mark between them in a colour coded report).
        std::string mark = c.fileType == 2 ? "\x01\x0A" : "";
        for (int i = 0; i < hits; ++i) {
            std::string url = "/dir/" + mark + "page" + std::to_string(i) + ".html";
            EXPECT_EQ(1, LinesNaming(text, url)) << "hit " << i;
        }
        bool coded = text.find("\x01\x0E") != std::string::npos;
        EXPECT_EQ(c.fileType == 2, coded) << "attribute codes only in a colour coded report";
        if (c.fileType == 1) {
            EXPECT_EQ(std::string::npos, text.find('\t')) << "tabs are expanded";
        }
        bool twoSections = text.find("\r\n\r\n\r\n\r\n") != std::string::npos;
        EXPECT_EQ(c.order == 6, twoSections);
        EXPECT_EQ(0, ViewerWindows());
        EXPECT_TRUE(Leftovers(ExeFolder()).empty());
        EXPECT_TRUE(Leftovers(CurrentFolder()).empty());
        EXPECT_TRUE(Leftovers(desk.Install().Root()).empty());
    }
    EXPECT_EQ(nullptr, GetProgressDialog());
    EXPECT_EQ(0u, boxes.Count());
}

TEST_F(ViewFixture, AViewThatCannotOpenItsLogFailsIntoTheSchedulerLog) {
    AnalysisProfile* profile = desk.WriteProfile("vmissing", desk.Install().Data() + "gone.log");
    lstrcpynA(event.SaveAsFilename, Output("gone.rpt").c_str(), MAX_PATH);
    ViewChoice choice = {VIEW_TYPE_STANDARD, 0};
    EXPECT_EQ(0, RunUrlReport(nullptr, profile, 0, choice, &scheduled));
    EXPECT_NE(std::string::npos, DeskInstall::SchedulerLog().find("Could not open the log file"))
        << DeskInstall::SchedulerLog();
    EXPECT_FALSE(ovtest::FileExistsAt(Output("gone.rpt")));
    EXPECT_EQ(0u, boxes.Count());
}

// The viewer over a listing the test runs itself.
struct ViewerFixture : ViewFixture {
    ReportHandle* report = nullptr;
    ViewerRequest request = {};
    HWND viewer = nullptr;

    void Open(const std::string& name, int hits, WORD order) {
        AnalysisProfile* profile =
            desk.WriteProfile(name, desk.WriteLog(name + ".log", ListingLog(hits)));
        char set[MAX_PATH];
        std::snprintf(set, sizeof set, "%s.%s", profile->BaseName, profile->Extension);
        UrlFetchHandle fetch = nullptr;
        ASSERT_EQ(0, ORB_OpenURL(nullptr, set, &fetch));
        ASSERT_TRUE(ovtest::WaitUntil([] { return ORB_PeekURL() != 0; }));
        ASSERT_EQ(0, ORB_CloseURL(nullptr, fetch, profile));
        char folder[MAX_PATH] = ".\\";
        WORD error = 0;
        report = ORB_Cre8Report(nullptr, profile, set, "", folder, 76, 0, 0, 0xFFFFFFFF, 3, order,
                                "(Default)", "English", "", nullptr, 0, 0, &error);
        ASSERT_TRUE(report) << error;
        request.Report = report;
        request.ReportKind = order;
        request.RunRequest = &scheduled; // hidden, and saves without asking
        viewer = OpenViewer(nullptr, &request);
        ASSERT_TRUE(viewer);
        DWORD refreshed = 0;
        WORD record = 0;
        while (ORB_PeekReport(report, &refreshed, &record) == 0)
            if (refreshed)
                SendMessageA(viewer, VIEWER_MORE_TEXT, 0, 0);
        SendMessageA(viewer, VIEWER_COMPLETE, 0, 0);
    }
    void TearDown() override {
        if (viewer)
            DestroyWindow(viewer);
        ORB_CloseReport(report, nullptr);
        ViewFixture::TearDown();
    }
    void Command(int id, int code = 0) {
        SendMessageA(viewer, WM_COMMAND, MAKEWPARAM(id, code), (LPARAM)GetDlgItem(viewer, id));
    }
    std::string Item(int id) {
        char text[200] = "";
        GetDlgItemTextA(viewer, id, text, sizeof text);
        return text;
    }
    bool Shown(int id) {
        return (GetWindowLongA(GetDlgItem(viewer, id), GWL_STYLE) & WS_VISIBLE) != 0;
    }
    long Lines() {
        return (long)SendDlgItemMessageA(viewer, IDC_VIEW_TEXT, CSTV_GETLINECOUNT, 0, 0);
    }
};

TEST_F(ViewerFixture, SectionsSwitchWithWrapAround) {
    Open("sections", 20, 6);
    EXPECT_EQ(1u, request.Complete);
    ASSERT_EQ(2u, ADT_ViewReportCount(report));
    EXPECT_TRUE(Shown(IDC_VIEW_SECTIONS));
    EXPECT_TRUE(Shown(IDC_VIEW_NEXT));
    EXPECT_EQ(2, SendDlgItemMessageA(viewer, IDC_VIEW_SECTIONS, CB_GETCOUNT, 0, 0));
    long first = Lines();
    Command(IDC_VIEW_PREVIOUS);
    EXPECT_EQ(1u, ADT_GetViewReportBufferNum(report)) << "before the first comes the last";
    EXPECT_NE(first, Lines());
    EXPECT_EQ(std::to_string(Lines()), Item(IDC_VIEW_LINES));
    char caption[200];
    GetWindowTextA(viewer, caption, sizeof caption);
    EXPECT_NE(std::string::npos, std::string(caption).find("Report for Result: "));
    Command(IDC_VIEW_NEXT);
    EXPECT_EQ(0u, ADT_GetViewReportBufferNum(report)) << "after the last comes the first";
    EXPECT_EQ(first, Lines());
    SendDlgItemMessageA(viewer, IDC_VIEW_SECTIONS, CB_SETCURSEL, 1, 0);
    Command(IDC_VIEW_SECTIONS, CBN_SELCHANGE);
    EXPECT_EQ(1u, ADT_GetViewReportBufferNum(report));
}

TEST_F(ViewerFixture, FindShowsTheLineAndItsPage) {
    Open("finding", 90, 0);
    EXPECT_FALSE(Shown(IDC_VIEW_SECTIONS)) << "one section: no section controls";
    EXPECT_TRUE(Shown(IDC_VIEW_PAGE));
    EXPECT_FALSE(Shown(IDC_VIEW_PROGRESS));
    EXPECT_EQ(60u, request.LinesPerPage) << "no printer: 60 lines a page";
    long lines = Lines();
    ASSERT_GT(lines, 120);
    EXPECT_EQ("1", Item(IDC_VIEW_PAGE));
    EXPECT_EQ(std::to_string((lines - 1) / 60 + 1), Item(IDC_VIEW_PAGES));
    SetDlgItemTextA(viewer, IDC_VIEW_FIND_TEXT, "PAGE85.html");
    Command(IDC_VIEW_FIND_NEXT);
    EXPECT_EQ(0u, boxes.Count());
    char line[300] = "";
    SendDlgItemMessageA(viewer, IDC_VIEW_TEXT, CSTV_GETLINE, sizeof line, (LPARAM)line);
    EXPECT_NE(std::string::npos, std::string(line).find("page85.html")) << line;
    long top = (long)SendDlgItemMessageA(viewer, IDC_VIEW_TEXT, CSTV_GETTOPLINE, 0, 0) - 1;
    EXPECT_EQ(std::to_string(top / 60 + 1), Item(IDC_VIEW_PAGE));
    EXPECT_NE("1", Item(IDC_VIEW_PAGE));
    // Going on finds no further one: the question to start again is answered
    // yes by the watcher and the first one is found again.
    Command(IDC_VIEW_FIND_NEXT);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("Scan from beginning of file?", boxes.Seen()[0].caption);
    SetDlgItemTextA(viewer, IDC_VIEW_FIND_TEXT, "no such text");
    Command(IDC_VIEW_FIND_NEXT);
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_EQ("Text was not found.", boxes.Seen()[1].text);
}

TEST_F(ViewerFixture, SaveWritesTheSectionAndClosingStoresPlacementAndFont) {
    Open("saving", 10, 0);
    std::string output = Output("saved.rpt");
    lstrcpynA(event.SaveAsFilename, output.c_str(), MAX_PATH);
    event.SaveAsFileType = 1;
    Command(IDC_VIEW_SAVE);
    EXPECT_EQ(1u, request.Saved);
    std::string text = ovtest::ReadFileBytes(output);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(1, LinesNaming(text, "page" + std::to_string(i) + ".html"));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(viewer, IDC_VIEW_SAVE)));

    HWND sizes = GetDlgItem(viewer, IDC_VIEW_SIZE);
    ASSERT_GT(SendMessageA(sizes, CB_GETCOUNT, 0, 0), 3);
    SendMessageA(sizes, CB_SETCURSEL, 3, 0); // " 9"
    Command(IDC_VIEW_SIZE, CBN_SELCHANGE);
    EXPECT_EQ(9, GetModuleProfileInt("Report", "FontSize", 0));
    char face[40] = "";
    GetModuleProfileString("Report", "FontFace", "", face, sizeof face);
    EXPECT_EQ(Item(IDC_VIEW_FACE), face);

    MoveWindow(viewer, 12, 34, 700, 500, FALSE);
    SendMessageA(viewer, WM_CLOSE, 0, 0);
    EXPECT_EQ(1u, request.Closed);
    EXPECT_EQ(12, GetModuleProfileInt("Report", "WindowLeft", 0));
    EXPECT_EQ(34, GetModuleProfileInt("Report", "WindowTop", 0));
    EXPECT_EQ(700, GetModuleProfileInt("Report", "WindowWidth", 0));
    EXPECT_EQ(500, GetModuleProfileInt("Report", "WindowHeight", 0));
}

} // namespace

// The memorized-views combo is drawn by its owner: the format icon, then the text.
TEST_F(ViewFixture, MemorizedViewItemIsDrawnWithItsFormatIconAndText) {
    ReportRunRequest request = {};
    request.Profile = desk.WriteProfile("vdraw", desk.WriteLog("draw.log", ListingLog(1)));
    HWND dialog = CreateDialogIndirectParamA(GetPluginInstance(), GetDialogTemplate(IDD_VIEW_LOG),
                                             nullptr, SetReportDlg, (LPARAM)&request);
    ASSERT_TRUE(dialog);
    HWND combo = GetDlgItem(dialog, IDC_VL_MEMORIZED);
    EXPECT_TRUE(GetWindowLongA(combo, GWL_STYLE) & CBS_OWNERDRAWFIXED);
    const int width = 200, height = 36;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_TRUE(bitmap && bits);
    HGDIOBJ old = SelectObject(dc, bitmap);
    DRAWITEMSTRUCT item = {ODT_COMBOBOX, IDC_VL_MEMORIZED,      0, ODA_DRAWENTIRE, 0, combo,
                           dc,           {0, 0, width, height}, 0};
    SendMessageA(dialog, WM_DRAWITEM, IDC_VL_MEMORIZED, (LPARAM)&item);
    GdiFlush();
    const DWORD* pixels = static_cast<const DWORD*>(bits);
    DWORD background = pixels[0];
    auto differs = [&](int left, int right) {
        int count = 0;
        for (int y = 0; y < height; ++y)
            for (int x = left; x < right; ++x)
                count += (pixels[y * width + x] & 0xFFFFFF) != (background & 0xFFFFFF);
        return count;
    };
    EXPECT_GT(differs(2, 34), 20) << "the format icon";
    EXPECT_GT(differs(36, width), 20) << "the item's text";
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    DestroyWindow(dialog);
}
