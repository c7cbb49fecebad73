// The FTP browser dialog, driven by messages, walking the loopback server.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "ftp/ftp_browse_list.h"
#include "base/library_resources.h"
#include "msgbox_watcher.h"
#include "ovkit/ftp.h"
#include "test_server.h"
#include "wait_until.h"

namespace {

using Items = std::vector<std::string>;

HWND ListOf(HWND dialog) {
    return GetDlgItem(dialog, OVKIT_IDC_FTP_LIST);
}

Items ItemsOf(HWND dialog) {
    Items items;
    HWND list = ListOf(dialog);
    int count = (int)SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
    for (int i = 0; i < count; i++) {
        char text[MAX_PATH] = "";
        LVITEMA item = {};
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        SendMessageA(list, LVM_GETITEMTEXTA, i, (LPARAM)&item);
        items.push_back(text);
    }
    return items;
}

int IndexOf(HWND dialog, const std::string& name) {
    Items items = ItemsOf(dialog);
    for (size_t i = 0; i < items.size(); i++)
        if (items[i] == name)
            return (int)i;
    return -1;
}

void DoubleClick(HWND dialog, const std::string& name) {
    NMITEMACTIVATE n = {};
    n.hdr.hwndFrom = ListOf(dialog);
    n.hdr.idFrom = OVKIT_IDC_FTP_LIST;
    n.hdr.code = NM_DBLCLK;
    n.iItem = IndexOf(dialog, name);
    ASSERT_GE(n.iItem, 0) << name;
    SendMessageA(dialog, WM_NOTIFY, OVKIT_IDC_FTP_LIST, (LPARAM)&n);
}

void Select(HWND dialog, const std::string& name) {
    LVITEMA item = {};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(ListOf(dialog), LVM_SETITEMSTATE, IndexOf(dialog, name), (LPARAM)&item);
}

std::string Selected(HWND dialog) {
    int i = (int)SendMessageA(ListOf(dialog), LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED);
    return i < 0 ? "" : ItemsOf(dialog)[i];
}

std::string PathText(HWND dialog) {
    char text[512] = "";
    GetDlgItemTextA(dialog, OVKIT_IDC_FTP_PATH, text, sizeof(text));
    return text;
}

BOOL CALLBACK FindShownBrowser(HWND window, LPARAM found) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char caption[32] = "";
    GetWindowTextA(window, caption, sizeof(caption));
    if (process != GetCurrentProcessId() || strcmp(caption, "FTP Browser") != 0 ||
        !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The browser dialog of this process once it shows, else null.
HWND ShownBrowser() {
    HWND found = nullptr;
    EnumWindows(FindShownBrowser, (LPARAM)&found);
    return found;
}

struct BrowseRun {
    int result;
    std::string address;
};

BOOL CALLBACK CloseDialogsOfThisProcess(HWND window, LPARAM) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char kind[16] = "";
    GetClassNameA(window, kind, sizeof(kind));
    // Both the browser and the message boxes it shows are dialogs.
    if (process == GetCurrentProcessId() && strcmp(kind, "#32770") == 0)
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

// Runs the browser on this thread while steps drive its dialog from another;
// steps end by pressing a button or double-clicking a file. A browser that
// does not end (steps that failed half-way, an error box nobody answers) is
// closed after a time limit and fails the test instead of holding it.
BrowseRun Browse(const std::string& address, bool folderOnly, const char* password,
                 std::function<void(HWND)> steps) {
    OVKIT_FtpBrowseRecord record = {};
    lstrcpynA(record.user, "weblogs", sizeof(record.user));
    lstrcpynA(record.password, password, sizeof(record.password));
    lstrcpynA(record.address, address.c_str(), sizeof(record.address));
    std::atomic<bool> ended{false}, closedByTest{false};
    std::thread driver([&] {
        HWND dialog = nullptr;
        ovtest::WaitUntil([&] { return ended || (dialog = ShownBrowser()) != nullptr; }, 60000);
        if (dialog && !ended)
            steps(dialog);
        if (ovtest::WaitUntil([&] { return ended.load(); }, 30000))
            return;
        closedByTest = true;
        for (int tries = 0; tries < 30; tries++) {
            EnumWindows(CloseDialogsOfThisProcess, 0);
            if (ovtest::WaitUntil([&] { return ended.load(); }, 1000))
                return;
        }
        fprintf(stderr, "the FTP browser could not be closed; the test ends here\n");
        ExitProcess(1);
    });
    BrowseRun run;
    run.result =
        folderOnly ? OVKIT_FtpBrowseDirectory(nullptr, &record) : OVKIT_FtpBrowse(nullptr, &record);
    ended = true;
    driver.join();
    EXPECT_FALSE(closedByTest) << "the browser did not end and was closed by the test";
    run.address = record.address;
    return run;
}

class FtpBrowseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(ftptest::Server().ok) << "run through ctest: the FTP test servers are not up";
        host_ = "127.0.0.1:" + std::to_string(ftptest::Server().port);
    }
    std::string host_;
};

const Items kLogs = {"..", "sub", "access1.log", "access2.log", "big.log", "error.txt"};

TEST_F(FtpBrowseTest, WalksTheServersFoldersAndGivesTheChosenFile) {
    Items top, logs, sub, backInLogs, backAtTop;
    std::string pathInSub, pathOfChoice;
    BrowseRun run = Browse(host_, false, "secret", [&](HWND dialog) {
        top = ItemsOf(dialog);
        DoubleClick(dialog, "logs");
        logs = ItemsOf(dialog);
        DoubleClick(dialog, "sub");
        sub = ItemsOf(dialog);
        pathInSub = PathText(dialog);
        DoubleClick(dialog, "..");
        backInLogs = ItemsOf(dialog);
        DoubleClick(dialog, "..");
        backAtTop = ItemsOf(dialog);
        DoubleClick(dialog, "logs");
        Select(dialog, "big.log");
        pathOfChoice = PathText(dialog);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(run.result, 1);
    EXPECT_EQ(run.address, host_ + "/logs/big.log");
    // The top has no "..", and its folders come before its files.
    ASSERT_FALSE(top.empty());
    EXPECT_NE(top[0], "..");
    for (const char* folder : {"empty", "logs", "upload"})
        EXPECT_NE(std::find(top.begin(), top.end(), folder), top.end()) << folder;
    EXPECT_EQ(logs, kLogs);
    EXPECT_EQ(sub, (Items{"..", "inner.log"}));
    EXPECT_EQ(pathInSub, "/logs/sub");
    EXPECT_EQ(backInLogs, kLogs);
    EXPECT_EQ(backAtTop, top);
    EXPECT_EQ(pathOfChoice, "/logs/big.log");
    EXPECT_FALSE(ftptest::FileExists("shortdir.ftp"));
    EXPECT_FALSE(ftptest::FileExists(FtpListingPath(true)));
}

TEST_F(FtpBrowseTest, StartsAtTheAddressAndConfirmsAsTheModeSays) {
    struct Case {
        const char* what;
        std::string start;
        bool folderOnly;
        const char* doubleClick; // else OK
        std::string selected, address;
    } cases[] = {
        {"file, OK", "ftp://" + host_ + "/logs/access2.log", false, nullptr, "access2.log",
         host_ + "/logs/access2.log"},
        {"folder, OK with a file", "FTP://" + host_ + "/logs/access2.log", true, nullptr,
         "access2.log", host_ + "/logs"},
        {"file, double-click", host_ + "/logs/sub/", false, "inner.log", "",
         host_ + "/logs/sub/inner.log"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string selected;
        BrowseRun run = Browse(c.start, c.folderOnly, "secret", [&](HWND dialog) {
            selected = Selected(dialog);
            if (c.doubleClick)
                DoubleClick(dialog, c.doubleClick);
            else
                SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        EXPECT_EQ(run.result, 1);
        EXPECT_EQ(selected, c.selected);
        EXPECT_EQ(run.address, c.address);
    }
}

TEST_F(FtpBrowseTest, ALongPathIsShownCutFromTheLeft) {
    const std::string path = "deep" + std::to_string(GetTickCount()) + "/" + std::string(70, 'a') +
                             "/" + std::string(70, 'b');
    ASSERT_EQ(SHCreateDirectoryExA(nullptr, ftptest::ServedPath(path).c_str(), nullptr),
              ERROR_SUCCESS);
    ASSERT_TRUE(ftptest::WriteBytes(ftptest::ServedPath(path + "/f.log"), "log\n"));
    std::string shown;
    BrowseRun run = Browse(host_ + "/" + path + "/f.log", false, "secret", [&](HWND dialog) {
        shown = PathText(dialog);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(run.address, host_ + "/" + path + "/f.log");
    const std::string full = "/" + path + "/f.log";
    ASSERT_GT(shown.size(), 3u);
    EXPECT_LT(shown.size(), full.size());
    EXPECT_EQ(shown.substr(0, 3), "...");
    EXPECT_EQ(full.substr(full.size() - (shown.size() - 3)), shown.substr(3));

    // An address that the record cannot hold is refused, not cut.
    // (made through the long-path form: the folder's name is beyond MAX_PATH)
    const std::string deeper = std::string(150, 'c');
    const std::string served = ftptest::ServedPath(path + "/" + deeper);
    const std::wstring wide = L"\\\\?\\" + std::wstring(served.begin(), served.end());
    ASSERT_TRUE(CreateDirectoryW(wide.c_str(), nullptr));
    HANDLE file = CreateFileW((wide + L"\\g.log").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    bool stillOpen = false;
    const std::string start = host_ + "/" + path + "/";
    run = Browse(start, false, "secret", [&](HWND dialog) {
        DoubleClick(dialog, deeper);
        DoubleClick(dialog, "g.log");
        stillOpen = IsWindow(dialog) && IsWindowVisible(dialog);
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(run.result, 0);
    EXPECT_EQ(run.address, start);
}

TEST_F(FtpBrowseTest, ARefusedLoginIsShownAndCancels) {
    ovtest::MsgBoxWatcher boxes;
    std::string start = host_ + "/logs/";
    BrowseRun run = Browse(start, false, "wrong", [](HWND) {});
    EXPECT_EQ(run.result, 0);
    EXPECT_EQ(run.address, start);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Seen()[0].text, "Server rejected the username/password");
}

// Writes the two listing files and reads them as the browser does.
Items ReadListing(const std::vector<std::string>& names, const std::vector<std::string>& lines,
                  const std::string& path, std::vector<FtpEntryKind>* kinds) {
    std::string folder = ftptest::LocalFolder();
    std::string shortText, longText;
    for (const auto& n : names)
        shortText += n + "\r\n";
    for (const auto& l : lines)
        longText += l + "\r\n";
    ftptest::WriteBytes(folder + "s.ftp", shortText);
    ftptest::WriteBytes(folder + "l.ftp", longText);
    Items items;
    for (const FtpBrowseEntry& e : FtpReadListing(folder + "s.ftp", folder + "l.ftp", path)) {
        items.push_back(e.name);
        kinds->push_back(e.kind);
    }
    ftptest::RemoveLocalFolder(folder);
    return items;
}

TEST(FtpBrowseListing, FoldersAreToldByTheirOwnLongLine) {
    std::vector<FtpEntryKind> kinds;
    Items items = ReadListing(
        {"a.log", "ab", "b", "dosdir", "short", "/top/named"},
        {"-rw-r--r-- 1 u g 10 Jan 1 10:00 a.log", "drwxr-xr-x 2 u g 0 Jan 1 10:00 ab",
         "-rw-r--r-- 1 u g 10 Jan 1 10:00 b", "01-15-99  10:30AM       <DIR>          dosdir",
         "drw 1 short", "drwx------ 2 u g 0 Jan 1 10:00 named"},
        "/top", &kinds);
    // "b" used to take the line of folder "ab", which ends with it.
    EXPECT_EQ(items, (Items{"..", "ab", "dosdir", "named", "a.log", "b", "short"}));
    EXPECT_EQ(kinds, (std::vector<FtpEntryKind>{FTP_ENTRY_UP, FTP_ENTRY_FOLDER, FTP_ENTRY_FOLDER,
                                                FTP_ENTRY_FOLDER, FTP_ENTRY_FILE, FTP_ENTRY_FILE,
                                                FTP_ENTRY_FILE}));
    kinds.clear();
    EXPECT_EQ(ReadListing({"x"}, {"-rw 1 x"}, "/", &kinds), Items{"x"});
}

} // namespace
