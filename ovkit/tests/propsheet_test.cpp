#include <gtest/gtest.h>
#include <windows.h>
#include "dialog_template.h"
#include "ovkit/cwindow.h"
#include "ovkit/propsheet.h"
#include <cstring>
#include <malloc.h>
#include <string>
#include <vector>

namespace {

// What a test page does and what it was told.
struct PageScript {
    LONG_PTR applyAnswer = PSNRET_NOERROR;
    std::vector<int> codes;
    HWND window = nullptr;
};

INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* record = reinterpret_cast<PROPSHEETPAGEA*>(lParam);
        auto* script = reinterpret_cast<PageScript*>(record->lParam);
        script->window = page;
        SetWindowLongPtrA(page, DWLP_USER, reinterpret_cast<LONG_PTR>(script));
        return FALSE;
    }
    auto* script = reinterpret_cast<PageScript*>(GetWindowLongPtrA(page, DWLP_USER));
    if (message == WM_NOTIFY && script) {
        int code = static_cast<int>(reinterpret_cast<NMHDR*>(lParam)->code);
        script->codes.push_back(code);
        if (code == static_cast<int>(PSN_APPLY))
            SetWindowLongPtrA(page, DWLP_MSGRESULT, script->applyAnswer);
        return TRUE;
    }
    return FALSE;
}

std::vector<WPARAM> g_hostCommands;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_COMMAND)
        g_hostCommands.push_back(w);
    return DefWindowProcA(window, message, w, l);
}

HWND MakeHost() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "OvkitSheetHost";
    RegisterClassA(&wc);
    g_hostCommands.clear();
    return CreateWindowExA(0, "OvkitSheetHost", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800,
                           600, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// A host window with a sheet of in-memory pages "Alpha" (an edit and a
// 3-state box) and "Beta" (one edit).
struct SheetFixture {
    // recordSize: the size each page record claims and takes in the array
    // (0: sizeof(PROPSHEETPAGEA)).
    explicit SheetFixture(DWORD flags = 0, const char* startCaption = nullptr, UINT startIndex = 0,
                          UINT recordSize = 0)
        : alpha("Alpha", 100, 60), beta("Beta", 80, 40) {
        alpha.Add(ovtest::DialogTemplate::kEdit, "", 201, WS_TABSTOP | WS_BORDER, 5, 5, 60, 12)
            .Add(ovtest::DialogTemplate::kButton, "three", 202, WS_TABSTOP | BS_AUTO3STATE, 5, 20,
                 60, 12);
        beta.Add(ovtest::DialogTemplate::kEdit, "", 301, WS_TABSTOP | WS_BORDER, 5, 5, 60, 12);
        host = MakeHost();
        DLGTEMPLATE* templates[2] = {alpha.Get(), beta.Get()};
        const UINT size = recordSize ? recordSize : sizeof(PROPSHEETPAGEA);
        for (int i = 0; i < 2; ++i) {
            pages[i].dwSize = size;
            pages[i].dwFlags = PSP_DLGINDIRECT;
            pages[i].pResource = templates[i];
            pages[i].pfnDlgProc = PageProc;
            pages[i].lParam = reinterpret_cast<LPARAM>(&scripts[i]);
        }
        PROPSHEETHEADERA header = {};
        header.dwSize = sizeof header;
        header.dwFlags = PSH_PROPSHEETPAGE | flags;
        header.hwndParent = host;
        header.nPages = 2;
        if (flags & PSH_USEPSTARTPAGE)
            header.pStartPage = startCaption;
        else
            header.nStartPage = startIndex;
        records.resize(2 * size);
        for (int i = 0; i < 2; ++i)
            memcpy(&records[i * size], &pages[i], size);
        header.ppsp = reinterpret_cast<PROPSHEETPAGEA*>(records.data());
        sheet = OVKIT_PropertySheet(&header);
    }
    ~SheetFixture() { DestroyWindow(host); }

    HWND Tab() const { return FindWindowExA(sheet, nullptr, "SysTabControl32", nullptr); }
    HWND Button(const char* text) const { return FindWindowExA(sheet, nullptr, "BUTTON", text); }
    int Selected() const { return static_cast<int>(SendMessageA(Tab(), TCM_GETCURSEL, 0, 0)); }
    // Clicks a window at its centre (or at a given client point).
    static void Click(HWND window, POINT at) {
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    }
    static void Click(HWND window) {
        RECT r;
        GetClientRect(window, &r);
        Click(window, {r.right / 2, r.bottom / 2});
    }

    ovtest::DialogTemplate alpha, beta;
    PageScript scripts[2];
    PROPSHEETPAGEA pages[2] = {};
    std::vector<BYTE> records;
    HWND host = nullptr;
    HWND sheet = nullptr;
};

bool HasCode(const PageScript& script, int code) {
    for (int c : script.codes)
        if (c == code)
            return true;
    return false;
}

} // namespace

TEST(OvkitPropertySheet, BuildsAModelessSheetOfTheCallersPages) {
    SheetFixture f;
    ASSERT_NE(f.sheet, nullptr);
    EXPECT_EQ(GetParent(f.sheet), f.host);
    EXPECT_TRUE(CWindow::FromHandle(f.sheet) != nullptr);
    char text[64];
    GetWindowTextA(f.sheet, text, sizeof text);
    EXPECT_STREQ(text, "CPropSheet");

    // The tabs carry the pages' own captions; the pages became children.
    ASSERT_EQ(SendMessageA(f.Tab(), TCM_GETITEMCOUNT, 0, 0), 2);
    const char* captions[2] = {"Alpha", "Beta"};
    for (int i = 0; i < 2; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(f.Tab(), TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(text, captions[i]);
        EXPECT_EQ(reinterpret_cast<HWND>(item.lParam), f.scripts[i].window);
        EXPECT_EQ(GetParent(f.scripts[i].window), f.sheet);
        LONG style = GetWindowLongA(f.scripts[i].window, GWL_STYLE);
        EXPECT_EQ(style & (WS_CHILD | WS_CAPTION | WS_POPUP), WS_CHILD);
    }
    EXPECT_EQ(f.Selected(), 0);
    EXPECT_TRUE(IsWindowVisible(f.scripts[0].window));
    EXPECT_FALSE(IsWindowVisible(f.scripts[1].window));
    EXPECT_TRUE(HasCode(f.scripts[0], PSN_SETACTIVE));

    // Small pages still get a tab area of at least 300 x 200.
    RECT tab;
    GetWindowRect(f.Tab(), &tab);
    EXPECT_GE(tab.right - tab.left, 300);
    EXPECT_GE(tab.bottom - tab.top, 200);

    // The buttons stand at the bottom right, 5 pixels apart and from the edge.
    RECT client, ok, cancel, help;
    GetClientRect(f.sheet, &client);
    GetWindowRect(f.Button("OK"), &ok);
    GetWindowRect(f.Button("Cancel"), &cancel);
    GetWindowRect(f.Button("Help"), &help);
    POINT corner = {client.right, client.bottom};
    ClientToScreen(f.sheet, &corner);
    EXPECT_EQ(help.right, corner.x - 5);
    EXPECT_EQ(help.bottom, corner.y - 5);
    EXPECT_EQ(cancel.right + 5, help.left);
    EXPECT_EQ(ok.right + 5, cancel.left);
}

// First-version records, as the plug-in builds them, are read one after the
// other by their own size.
TEST(OvkitPropertySheet, ReadsFirstVersionPageRecords) {
    SheetFixture f(0, nullptr, 1, PROPSHEETPAGEA_V1_SIZE);
    ASSERT_EQ(SendMessageA(f.Tab(), TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_NE(f.scripts[1].window, nullptr);
    EXPECT_EQ(f.Selected(), 1);
}

TEST(OvkitPropertySheet, StartPage) {
    const struct {
        DWORD flags;
        const char* caption;
        UINT index;
        int expected;
    } cases[] = {
        {PSH_USEPSTARTPAGE, "Beta", 0, 1},
        {PSH_USEPSTARTPAGE, "bETA", 0, 1},  // letter case does not matter
        {PSH_USEPSTARTPAGE, "Gamma", 1, 0}, // no match: the first page
        {0, nullptr, 1, 1},
        {0, nullptr, 7, 0}, // out of range: the first page
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption ? c.caption : "index");
        SheetFixture f(c.flags, c.caption, c.index);
        EXPECT_EQ(f.Selected(), c.expected);
        EXPECT_TRUE(IsWindowVisible(f.scripts[c.expected].window));
        EXPECT_FALSE(IsWindowVisible(f.scripts[1 - c.expected].window));
    }
}

TEST(OvkitPropertySheet, ClickingATabShowsItsPage) {
    SheetFixture f;
    RECT second;
    SendMessageA(f.Tab(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    f.scripts[1].codes.clear();
    SheetFixture::Click(f.Tab(),
                        {(second.left + second.right) / 2, (second.top + second.bottom) / 2});
    EXPECT_EQ(f.Selected(), 1);
    EXPECT_TRUE(IsWindowVisible(f.scripts[1].window));
    EXPECT_FALSE(IsWindowVisible(f.scripts[0].window));
    EXPECT_TRUE(HasCode(f.scripts[1], PSN_SETACTIVE));

    SendMessageA(f.sheet, 1125, 0, 0); // PSM_SETCURSEL
    EXPECT_EQ(f.Selected(), 0);
    EXPECT_TRUE(IsWindowVisible(f.scripts[0].window));
}

// Guards against asking every control for PSN_APPLY and reading its first
// extra long: a 3-state box left indeterminate holds 2 there.
TEST(OvkitPropertySheet, OkAsksOnlyThePagesAndARefusalKeepsTheSheet) {
    const struct {
        LONG_PTR secondAnswer;
        bool okReachesParent;
    } cases[] = {{PSNRET_NOERROR, true}, {PSNRET_INVALID_NOCHANGEPAGE, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.secondAnswer);
        SheetFixture f;
        f.scripts[1].applyAnswer = c.secondAnswer;
        HWND box = GetDlgItem(f.scripts[0].window, 202);
        SendMessageA(box, BM_SETCHECK, BST_INDETERMINATE, 0);
        SheetFixture::Click(f.Button("OK"));
        EXPECT_TRUE(HasCode(f.scripts[0], PSN_APPLY));
        EXPECT_TRUE(HasCode(f.scripts[1], PSN_APPLY));
        EXPECT_EQ(g_hostCommands,
                  c.okReachesParent ? std::vector<WPARAM>{IDOK} : std::vector<WPARAM>{});
        EXPECT_TRUE(IsWindow(f.sheet));
    }
}

TEST(OvkitPropertySheet, CancelAlwaysReachesTheParentAndHelpGoesToTheShownPage) {
    SheetFixture f;
    f.scripts[0].applyAnswer = PSNRET_INVALID_NOCHANGEPAGE;
    SheetFixture::Click(f.Button("Help"));
    EXPECT_TRUE(HasCode(f.scripts[0], PSN_HELP));
    EXPECT_FALSE(HasCode(f.scripts[1], PSN_HELP));
    EXPECT_TRUE(g_hostCommands.empty());
    SheetFixture::Click(f.Button("Cancel"));
    EXPECT_TRUE(HasCode(f.scripts[0], PSN_RESET));
    EXPECT_TRUE(HasCode(f.scripts[1], PSN_RESET));
    EXPECT_EQ(g_hostCommands, std::vector<WPARAM>{IDCANCEL});

    SendMessageA(f.sheet, 1131, 0, 0); // PSM_CANCELTOCLOSE
    EXPECT_NE(f.Button("Close"), nullptr);
    EXPECT_EQ(f.Button("OK"), nullptr);
    EXPECT_FALSE(IsWindowEnabled(f.Button("Cancel")));
}

TEST(OvkitPropertySheet, DestroyedWithItsParent) {
    HWND sheet, page;
    {
        SheetFixture f;
        sheet = f.sheet;
        page = f.scripts[0].window;
    }
    EXPECT_FALSE(IsWindow(sheet));
    EXPECT_FALSE(IsWindow(page));
    MSG msg = {};
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_TAB;
    EXPECT_FALSE(IsPropertySheetMessage(sheet, &msg));
    EXPECT_EQ(CWindow::m_UsageCount, 0);
}

namespace {

// Holds Shift down (as the asynchronous key state sees it) while alive.
struct ShiftHeld {
    ShiftHeld() { keybd_event(VK_SHIFT, 0, 0, 0); }
    ~ShiftHeld() { keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0); }
};

// Tab as the caller's loop would hand it over; returns where the focus went.
HWND PressTab(HWND sheet, bool shift) {
    MSG msg = {};
    msg.hwnd = GetFocus();
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_TAB;
    if (shift) {
        ShiftHeld held;
        EXPECT_TRUE(IsPropertySheetMessage(sheet, &msg));
    } else {
        EXPECT_TRUE(IsPropertySheetMessage(sheet, &msg));
    }
    return GetFocus();
}

} // namespace

TEST(OvkitPropertySheet, TabMovesRoundTheTabControlPageAndButtons) {
    SheetFixture f;
    HWND page = f.scripts[0].window;
    HWND edit = GetDlgItem(page, 201);
    HWND box = GetDlgItem(page, 202);
    ASSERT_EQ(GetFocus(), f.Tab());
    const struct {
        bool shift;
        HWND expected;
    } steps[] = {
        {false, edit},
        {false, box}, // within the page: the dialog manager
        {false, f.Button("OK")},
        {false, f.Button("Cancel")},
        {false, f.Button("Help")},
        {false, f.Tab()},
        {true, f.Button("Help")},
        {true, f.Button("Cancel")},
        {true, f.Button("OK")},
        {true, box},
        {true, edit},
        {true, f.Tab()},
    };
    int n = 0;
    for (const auto& step : steps) {
        SCOPED_TRACE(n++);
        EXPECT_EQ(PressTab(f.sheet, step.shift), step.expected);
    }
    // A disabled button is passed over.
    SendMessageA(f.sheet, 1131, 0, 0); // PSM_CANCELTOCLOSE
    SetFocus(f.Button("Close"));
    EXPECT_EQ(PressTab(f.sheet, false), f.Button("Help"));
    // Other keys go to the page's dialog manager; other windows are not the sheet.
    MSG msg = {};
    msg.hwnd = edit;
    msg.message = WM_CHAR;
    msg.wParam = 'a';
    EXPECT_TRUE(IsPropertySheetMessage(f.sheet, &msg));
    EXPECT_FALSE(IsPropertySheetMessage(f.host, &msg));
}

namespace {

// Bytes in use on the C runtime heap, where the library's copies live.
size_t HeapBytesInUse() {
    _HEAPINFO entry = {};
    size_t used = 0;
    while (_heapwalk(&entry) == _HEAPOK) {
        if (entry._useflag == _USEDENTRY)
            used += entry._size;
    }
    return used;
}

// A page record of a resource template (pResource null) or an in-memory one.
PROPSHEETPAGEA PageRecord(PageScript* script, DLGTEMPLATE* inMemory = nullptr) {
    PROPSHEETPAGEA page = {};
    page.dwSize = sizeof page;
    if (inMemory) {
        page.dwFlags = PSP_DLGINDIRECT;
        page.pResource = inMemory;
    } else {
        page.hInstance = GetModuleHandleA(nullptr);
        page.pszTemplate = MAKEINTRESOURCEA(502); // a DIALOGEX template
    }
    page.pfnDlgProc = PageProc;
    page.lParam = reinterpret_cast<LPARAM>(script);
    return page;
}

// A sheet of one page; with a start caption, PSH_USEPSTARTPAGE.
HWND OnePageSheet(HWND host, const PROPSHEETPAGEA* page, const char* startCaption = nullptr) {
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | (startCaption ? PSH_USEPSTARTPAGE : 0);
    header.pStartPage = startCaption;
    header.hwndParent = host;
    header.nPages = 1;
    header.ppsp = page;
    return OVKIT_PropertySheet(&header);
}

std::string FirstTabText(HWND sheet) {
    char text[256] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(FindWindowExA(sheet, nullptr, "SysTabControl32", nullptr), TCM_GETITEMA, 0,
                 reinterpret_cast<LPARAM>(&item));
    return text;
}

} // namespace

TEST(OvkitPropertySheet, PageFromAnExtendedResourceTemplate) {
    HWND host = MakeHost();
    PageScript script;
    PROPSHEETPAGEA page = PageRecord(&script);
    HWND sheet = OnePageSheet(host, &page);
    ASSERT_NE(sheet, nullptr);
    ASSERT_NE(script.window, nullptr);
    EXPECT_EQ(GetParent(script.window), sheet);
    EXPECT_EQ(GetWindowLongA(script.window, GWL_STYLE) & (WS_CHILD | WS_CAPTION), WS_CHILD);
    const std::string text = FirstTabText(sheet);
    EXPECT_TRUE(text == "Test" || text == "Essai") << text;
    EXPECT_NE(GetDlgItem(script.window, 100), nullptr);
    EXPECT_TRUE(IsWindowEnabled(script.window));
    DestroyWindow(host);
}

// Guards against keeping the writable copy of each page's template: every
// opening of the sheet would leak one.
TEST(OvkitPropertySheet, OpeningAgainKeepsNoTemplateCopies) {
    HWND host = MakeHost();
    PageScript script;
    script.codes.reserve(64); // the script's own record must not grow the heap
    PROPSHEETPAGEA page = PageRecord(&script);
    DestroyWindow(OnePageSheet(host, &page)); // first use fills the caches
    const size_t before = HeapBytesInUse();
    for (int i = 0; i < 5; ++i) {
        HWND sheet = OnePageSheet(host, &page);
        ASSERT_NE(sheet, nullptr);
        DestroyWindow(sheet);
    }
    EXPECT_EQ(HeapBytesInUse(), before);
    DestroyWindow(host);
}

// Guards against reading a page caption into a fixed buffer unbounded.
TEST(OvkitPropertySheet, LongCaptionIsCutOnItsTab) {
    HWND host = MakeHost();
    const std::string caption(150, 'c');
    ovtest::DialogTemplate longPage(caption.c_str(), 100, 50);
    PageScript script;
    PROPSHEETPAGEA page = PageRecord(&script, longPage.Get());
    HWND sheet = OnePageSheet(host, &page, caption.c_str());
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(FirstTabText(sheet), std::string(99, 'c'));
    DestroyWindow(host);
}
