#include <gtest/gtest.h>
#include "ovkit/fileutil.h"
#include "ovkit/filedialog.h"
#include "ovkit/memory.h"
#include "../src/files/fileread.h"
#include "msgbox_watcher.h"
#include "temp_install.h"
#include "wait_until.h"
#include <cstring>
#include <string>
#include <thread>

namespace {

using ovtest::FileExistsAt;
using ovtest::ReadFileBytes;
using ovtest::WriteFileBytes;

std::string Pattern(size_t n) {
    std::string s(n, '\0');
    for (size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>('a' + (i * 7 + i / 251) % 26);
    return s;
}

class WholeFile : public ::testing::Test {
  protected:
    ovtest::TempInstall install_;
    std::string Dir() const { return install_.Data(); }
    // A folder below the data folder that makes the file path about 150 characters.
    std::string LongDir() const {
        std::string dir = Dir() + std::string(140 - Dir().size(), 'L') + "\\";
        CreateDirectoryA(dir.c_str(), nullptr);
        return dir;
    }
    static void Release(HGLOBAL* handle) { OVKIT_UnlockAndFree(handle); }
};

TEST_F(WholeFile, ReadsEveryPieceSize) {
    const size_t sizes[] = {0, 1, 32767, 32768, 32769, 65536 + 5};
    for (size_t n : sizes) {
        SCOPED_TRACE(n);
        std::string path = Dir() + "r.bin";
        std::string bytes = Pattern(n);
        ASSERT_TRUE(WriteFileBytes(path, bytes));
        HGLOBAL handle = nullptr;
        DWORD size = 12345;
        char* data = OVKIT_ReadEntireFile(path.c_str(), &handle, TRUE, OF_READ, &size);
        ASSERT_NE(data, nullptr);
        ASSERT_NE(handle, nullptr);
        EXPECT_EQ(size, n);
        EXPECT_EQ(std::string(data, n), bytes);
        for (int i = 0; i < 63; ++i) // the data is always followed by zero bytes
            ASSERT_EQ(data[n + i], 0);
        EXPECT_GE(GlobalSize(handle), n + 63);
        Release(&handle);
    }
}

TEST_F(WholeFile, MissingAndUnopenableFiles) {
    ovtest::MsgBoxWatcher watcher;
    HGLOBAL handle = nullptr;
    DWORD size = 0;
    std::string missing = Dir() + "missing.log";
    EXPECT_EQ(OVKIT_ReadEntireFile(missing.c_str(), &handle, TRUE, OF_READ, &size), nullptr);

    std::string locked = Dir() + "locked.log";
    ASSERT_TRUE(WriteFileBytes(locked, "x"));
    HANDLE holder =
        CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_EQ(OVKIT_ReadEntireFile(locked.c_str(), &handle, FALSE, OF_READ, &size), nullptr);
    EXPECT_EQ(watcher.Count(), 0u); // missing file, or errors not wanted: silent
    EXPECT_EQ(OVKIT_ReadEntireFile(locked.c_str(), &handle, TRUE, OF_READ, &size), nullptr);
    CloseHandle(holder);
    ASSERT_TRUE(watcher.WaitFor(1));
    EXPECT_EQ(watcher.Seen()[0].caption, "Ostrevane User Interface DLL");
    EXPECT_EQ(watcher.Seen()[0].text, "Unable to open " + locked + ".");
    EXPECT_EQ(handle, nullptr);
}

TEST_F(WholeFile, ShareModesFollowTheStyleWord) {
    std::string path = Dir() + "shared.log";
    ASSERT_TRUE(WriteFileBytes(path, "abc"));
    // A writer holds the file open, as a server does with its live log.
    HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    HGLOBAL handle = nullptr;
    DWORD size = 0;
    EXPECT_NE(OVKIT_ReadEntireFile(path.c_str(), &handle, FALSE, OF_SHARE_DENY_NONE, &size),
              nullptr);
    Release(&handle);
    EXPECT_EQ(OVKIT_ReadEntireFile(path.c_str(), &handle, FALSE, OF_SHARE_DENY_WRITE, &size),
              nullptr);
    CloseHandle(writer);
}

TEST_F(WholeFile, ReadFailureIsAlwaysShown) {
    ovtest::MsgBoxWatcher watcher;
    std::string path = Dir() + "wo.log";
    ASSERT_TRUE(WriteFileBytes(path, "data"));
    HGLOBAL handle = nullptr;
    DWORD size = 0;
    // Opened for writing only, so reading fails, whatever showErrors says.
    EXPECT_EQ(OVKIT_ReadEntireFile(path.c_str(), &handle, FALSE, OF_WRITE, &size), nullptr);
    ASSERT_TRUE(watcher.WaitFor(1));
    EXPECT_EQ(watcher.Seen()[0].text, "Unable to read from " + path + ".");
    EXPECT_EQ(handle, nullptr);
}

TEST_F(WholeFile, ShrunkFileReportsBytesRead) {
    // The directory entry said 40,000 bytes; only 33,000 are left when read.
    std::string path = Dir() + "shrunk.log";
    std::string bytes = Pattern(33000);
    ASSERT_TRUE(WriteFileBytes(path, bytes));
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    HGLOBAL handle = nullptr;
    DWORD size = 0;
    char* data = ReadOpenedFile(file, 40000, &handle, &size, path.c_str());
    CloseHandle(file);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(size, 33000u);
    EXPECT_EQ(std::string(data, size), bytes);
    EXPECT_EQ(data[size], 0);
    Release(&handle);
}

TEST_F(WholeFile, WriteCreatesOrTruncates) {
    std::string path = Dir() + "w.log";
    ASSERT_TRUE(WriteFileBytes(path, std::string(70000, 'o')));
    std::string bytes = Pattern(65536); // whole pieces and an empty remainder
    EXPECT_TRUE(OVKIT_WriteEntireFile(path.c_str(), bytes.data(), DWORD(bytes.size())));
    EXPECT_EQ(ReadFileBytes(path), bytes);
    EXPECT_TRUE(OVKIT_WriteEntireFile(path.c_str(), "", 0));
    EXPECT_EQ(ReadFileBytes(path), "");

    ovtest::MsgBoxWatcher watcher;
    std::string nowhere = Dir() + "no\\such\\folder\\w.log";
    EXPECT_FALSE(OVKIT_WriteEntireFile(nowhere.c_str(), "x", 1));
    EXPECT_EQ(watcher.Count(), 0u); // cannot create: no message
}

TEST_F(WholeFile, CopyBytes) {
    std::string from = Dir() + "from.log", to = Dir() + "to.log";
    std::string bytes = Pattern(40000);
    ASSERT_TRUE(WriteFileBytes(from, bytes));
    ASSERT_TRUE(WriteFileBytes(to, std::string(50000, 'x')));
    EXPECT_TRUE(OVKIT_MyCopyFile(from.c_str(), to.c_str()));
    EXPECT_EQ(ReadFileBytes(to), bytes);

    std::string empty = Dir() + "empty.log", target = Dir() + "never.log";
    ASSERT_TRUE(WriteFileBytes(empty, ""));
    EXPECT_FALSE(OVKIT_MyCopyFile(empty.c_str(), target.c_str()));
    EXPECT_FALSE(FileExistsAt(target));
    EXPECT_FALSE(OVKIT_MyCopyFile((Dir() + "missing").c_str(), target.c_str()));
}

TEST_F(WholeFile, PathsLongerThan128Characters) {
    std::string dir = LongDir();
    std::string from = dir + "source-file.log", to = dir + "copied-file.log";
    ASSERT_GE(from.size(), 150u);
    ASSERT_LT(from.size(), size_t(MAX_PATH));
    std::string bytes = Pattern(1000);
    EXPECT_TRUE(OVKIT_WriteEntireFile(from.c_str(), bytes.data(), DWORD(bytes.size())));
    HGLOBAL handle = nullptr;
    DWORD size = 0;
    char* data = OVKIT_ReadEntireFile(from.c_str(), &handle, TRUE, OF_READ, &size);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::string(data, size), bytes);
    Release(&handle);
    EXPECT_TRUE(OVKIT_MyCopyFile(from.c_str(), to.c_str()));
    EXPECT_EQ(ReadFileBytes(to), bytes);
}

TEST_F(WholeFile, FindAndCountFiles) {
    std::string dir = Dir();
    for (const char* name : {"a.log", "b.log", "c.log", "d.txt"})
        ASSERT_TRUE(WriteFileBytes(dir + name, "x"));
    CreateDirectoryA((dir + "sub.log").c_str(), nullptr); // folders are not counted
    EXPECT_EQ(OVKIT_CountFiles(dir.c_str(), "*.log"), 3);
    EXPECT_EQ(OVKIT_CountFiles(dir.c_str(), "*.gz"), 0);
    EXPECT_EQ(OVKIT_CountFiles((dir + "a").c_str(), "*.log"), 1); // joined as they stand

    WIN32_FIND_DATAA found;
    std::memset(&found, 0x55, sizeof found);
    EXPECT_TRUE(OVKIT_FindFile((dir + "d.txt").c_str(), &found));
    EXPECT_STREQ(found.cFileName, "d.txt");
    EXPECT_EQ(found.nFileSizeLow, 1u);
    EXPECT_FALSE(OVKIT_FindFile((dir + "none.txt").c_str(), &found));
    EXPECT_EQ(found.nFileSizeLow, 0u); // cleared
}

TEST(FileDialog, ConvertFileList) {
    char list[] = "Logs\x01*.log;*.txt\x01"
                  "All\x01*.*\x01\x01";
    OVKIT_ConvertFileList(list);
    EXPECT_EQ(std::memcmp(list, "Logs\0*.log;*.txt\0All\0*.*\0\0", sizeof list), 0);
}

TEST(FileDialog, CancelledDialogKeepsSuggestion) {
    ovtest::TempInstall install;
    char path[MAX_PATH] = "";
    char folder[MAX_PATH];
    std::strcpy(folder, install.Data().c_str());
    char name[MAX_PATH] = "report.htm";
    char filter[] = "Pages\x01*.htm\x01\x01";
    const char* title = "ovkit test save";
    std::atomic<bool> cancelled{false};
    std::thread canceller([&] {
        ovtest::WaitUntil(
            [&] {
                HWND dialog = FindWindowA("#32770", title);
                if (dialog)
                    cancelled = PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0) != 0;
                return cancelled.load();
            },
            20000);
    });
    BOOL chosen = OVKIT_GetFilename(nullptr, nullptr, path, folder, name, filter, title, FALSE);
    canceller.join();
    EXPECT_TRUE(cancelled);
    EXPECT_FALSE(chosen);
    EXPECT_EQ(std::string(path), install.Data() + "report.htm");
    EXPECT_EQ(std::string(folder) + "\\", install.Data()); // trailing backslash removed
}

} // namespace
