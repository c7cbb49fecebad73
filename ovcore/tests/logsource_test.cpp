#include "logread_fixtures.h"
#include "msgbox_watcher.h"
#include "logread/engine_link.h"
#include <gtest/gtest.h>

using namespace logtest;

namespace {

class LogSourceTest : public ::testing::Test {
  protected:
    LogInstall install;
    ErrorRecorder errors;
    ovtest::MsgBoxWatcher boxes;

    std::string Write(const std::string& name, const std::string& bytes) {
        install.Write("logs\\" + name, bytes);
        return install.Path("logs\\" + name);
    }
    std::vector<Hit> Hits(const std::string& path) {
        FileInfo* info = FileInfo_New();
        FileInfo_AddServerPath(nullptr, "web.wlp", nullptr, nullptr, 0, path.c_str(), info, TRUE,
                               nullptr);
        std::vector<Hit> hits = ReadAllHits(info);
        FileInfo_Free(info);
        return hits;
    }
    std::string ZipIni() { return install.Data() + "web.ZIP\\OV_ZIP.INI"; }
};

TEST_F(LogSourceTest, ArchiveTypeFromContent) {
    struct Case {
        const char* name;
        std::string bytes;
        int kind;
    } cases[] = {
        {"gzip", GzipBytes("a\n"), ARCHIVE_GZIP},
        {"zip", ZipBytes({{"a.log", "a\n"}}), ARCHIVE_ZIP},
        {"one PK mark", "PK plain text\n", ARCHIVE_NONE},
        {"self-extracting", "MZ" + std::string(300, 'x') + ZipBytes({{"a", "b"}}), ARCHIVE_ZIP},
        {"plain", "1.2.3.4 - - x\n", ARCHIVE_NONE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.kind, DetectArchiveType(Write("probe", c.bytes).c_str()));
    }
    EXPECT_EQ(ARCHIVE_NONE, DetectArchiveType(install.Path("logs\\missing").c_str()));
}

TEST_F(LogSourceTest, ArchivesGiveTheHitsOfTheirPlainCopies) {
    std::string a = CommonLog(300, 0, 7), b = CommonLog(200, 5, 11, 2);
    std::vector<Hit> plain = Hits(Write("a.log", a));
    ASSERT_EQ(300u, plain.size());
    EXPECT_EQ(plain, Hits(Write("a.log.gz", GzipBytes(a))));

    Write("b.log", b);
    std::vector<Hit> both = Hits(install.Path("logs\\a.log") + "|b.log");
    ASSERT_EQ(500u, both.size());
    EXPECT_EQ(both, Hits(Write("ab.zip", ZipBytes({{"a.log", a}, {"b.log", b}}))));
    EXPECT_TRUE(errors.texts.empty());
    EXPECT_EQ(0u, boxes.Count());
}

TEST_F(LogSourceTest, SecondRunReusesCopiesUntilTheArchiveChanges) {
    std::string zip = Write("one.zip", ZipBytes({{"x.log", CommonLog(10, 0, 1)}}));
    ASSERT_EQ(10u, Hits(zip).size());
    EXPECT_EQ(1u, GetPrivateProfileIntA("Main", "NumUnzippedFiles", 0, ZipIni().c_str()));
    std::string copy = install.Data() + "web.ZIP\\UNZIP1.LOG";
    ASSERT_TRUE(ovtest::FileExistsAt(copy));

    // Unchanged archive: the copy is read as it stands (a marker line shows it).
    ovtest::WriteFileBytes(copy, CommonLog(3, 0, 1));
    EXPECT_EQ(3u, Hits(zip).size());

    // A changed archive (size differs) is unpacked again into the same copy.
    Write("one.zip", ZipBytes({{"x.log", CommonLog(12, 0, 1)}}));
    EXPECT_EQ(12u, Hits(zip).size());

    // A lost copy is unpacked again.
    DeleteFileA(copy.c_str());
    EXPECT_EQ(12u, Hits(zip).size());
    EXPECT_EQ(1u, GetPrivateProfileIntA("Main", "NumUnzippedFiles", 0, ZipIni().c_str()));

    ORB_DeleteTempZIPFiles("web");
    EXPECT_FALSE(ovtest::FileExistsAt(copy));
    EXPECT_FALSE(ovtest::FileExistsAt(ZipIni()));
}

TEST_F(LogSourceTest, DamagedArchivesReportThroughTheErrorDisplay) {
    std::string log = CommonLog(2000, 0, 3);
    std::string gz = GzipBytes(log);
    std::string zip = ZipBytes({{"x.log", log}});
    std::string flipped = zip;
    for (size_t i = 40; i < 200; i += 3)
        flipped[i] = (char)~flipped[i];
    struct Case {
        const char* name;
        std::string file, bytes, kind;
    } cases[] = {
        {"cut gzip", "cut.gz", gz.substr(0, gz.size() / 2), "GZ"},
        {"gzip without trailer", "notrail.gz", gz.substr(0, gz.size() - 6), "GZ"},
        {"flipped zip data", "flip.zip", flipped, "ZIP"},
        {"zip directory cut", "cutdir.zip", zip.substr(0, zip.size() - 30) + "PK..PK", "ZIP"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        errors.texts.clear();
        std::string path = Write(c.file, c.bytes);
        EXPECT_TRUE(Hits(path).empty());
        ASSERT_EQ(1u, errors.texts.size());
        EXPECT_EQ("A problem was enountered during \r\ndecompression of the " + c.kind +
                      " file \r\n" + path + ".",
                  errors.texts[0]);
        EXPECT_EQ("Ostrevane", errors.captions[0]);
    }
}

std::vector<WPARAM> g_percents;
std::string g_shownName;

LRESULT CALLBACK ProgressProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER)
        g_percents.push_back(wParam);
    if (message == WM_USER + 20)
        g_shownName = (const char*)lParam;
    return DefWindowProcA(window, message, wParam, lParam);
}

// A log that packs better than 10:1 still reports at most 100 percent.
TEST_F(LogSourceTest, GunzipProgressStopsAt100) {
    HWND window =
        CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(window, GWLP_WNDPROC, (LONG_PTR)ProgressProc);
    LogRead_SetProgressWindow(window);
    g_percents.clear();
    std::string log;
    for (int i = 0; i < 20; i++)
        log += CommonLog(500, 0, 1);
    EXPECT_EQ(10000u, Hits(Write("big.log.gz", GzipBytes(log))).size());
    LogRead_SetProgressWindow(nullptr);
    DestroyWindow(window);
    ASSERT_GE(g_percents.size(), 3u);
    EXPECT_EQ(0u, g_percents.front());
    EXPECT_EQ(100u, g_percents.back());
    for (WPARAM p : g_percents)
        EXPECT_LE(p, 100u);
    EXPECT_EQ("big.log.gz", g_shownName);
}

TEST_F(LogSourceTest, OverLongPathsFailTheOpen) {
    std::string longPath = "C:\\" + std::string(1100, 'a') + ".log";
    EXPECT_EQ(INVALID_LOG_SOURCE,
              OpenLogSource(longPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ(INVALID_LOG_SOURCE, OpenLogSource("<<k.v.ZIP>>odbc:dsn", GENERIC_READ, 0, nullptr,
                                                OPEN_EXISTING, 0, nullptr));
    LogFile* f = LogFile_New();
    EXPECT_FALSE(LogFile_Open(f, ("C:\\" + std::string(600, 'b')).c_str(), 0, 1));
    LogFile_Free(f);
    char folder[MAX_PATH];
    EXPECT_FALSE(GetTempUnzipFolder(std::string(300, 'c').c_str(), folder, sizeof(folder)));
}

LogSourceHandle* OpenForReading(const std::string& path, DWORD flags) {
    return OpenLogSource(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | flags, nullptr);
}

// A source opened for a front-to-back read serves its reads from blocks read
// ahead: its seeks and reads must give what the system's give, at block
// edges, behind the end and after a seek that fails.
TEST_F(LogSourceTest, ReadAheadGivesTheSystemsPositionsAndBytes) {
    std::string bytes;
    for (int i = 0; i < 200000; ++i)
        bytes += char('a' + (i * 7 + i / 26) % 26);
    std::string path = Write("big.log", bytes);
    LogSourceHandle* ahead = OpenForReading(path, FILE_FLAG_SEQUENTIAL_SCAN);
    LogSourceHandle* system = OpenForReading(path, FILE_FLAG_RANDOM_ACCESS);
    ASSERT_NE(INVALID_LOG_SOURCE, ahead);
    ASSERT_NE(INVALID_LOG_SOURCE, system);
    const struct {
        DWORD method;
        LONGLONG offset;
        DWORD count;
    } steps[] = {
        {FILE_CURRENT, 0, 100},      {FILE_CURRENT, 65000, 1000}, // across the first block's end
        {FILE_BEGIN, 131000, 20000}, {FILE_BEGIN, 70000, 10},     // back into an earlier block
        {FILE_END, -10, 100},        {FILE_BEGIN, 250000, 10},    // behind the end
        {FILE_CURRENT, -300000, 0},  {FILE_CURRENT, 0, 5},        // a failed seek moves nothing
        {FILE_BEGIN, 5, 3},
    };
    std::vector<char> a(20000), b(20000);
    for (const auto& step : steps) {
        SCOPED_TRACE(std::to_string(step.method) + " " + std::to_string(step.offset));
        ULONGLONG at = SeekLogSource(system, step.offset, step.method);
        EXPECT_EQ(at, SeekLogSource(ahead, step.offset, step.method));
        DWORD gotA = 0, gotB = 0;
        ASSERT_TRUE(ReadLogSource(ahead, a.data(), step.count, &gotA, nullptr));
        ASSERT_TRUE(ReadLogSource(system, b.data(), step.count, &gotB, nullptr));
        ASSERT_EQ(gotB, gotA);
        EXPECT_EQ(std::string(b.data(), gotB), std::string(a.data(), gotA));
    }
    EXPECT_TRUE(CloseLogSource(ahead));
    EXPECT_TRUE(CloseLogSource(system));
}

// A log that grows while it is read: the bytes added behind the block read
// before are read, not taken for the end of the file.
TEST_F(LogSourceTest, ReadAheadSeesBytesAddedBehindItsBlock) {
    std::string path = Write("growing.log", std::string(1000, 'x'));
    LogSourceHandle* s = OpenForReading(path, FILE_FLAG_SEQUENTIAL_SCAN);
    ASSERT_NE(INVALID_LOG_SOURCE, s);
    char text[2000];
    DWORD got = 0;
    ASSERT_TRUE(ReadLogSource(s, text, sizeof text, &got, nullptr));
    EXPECT_EQ(1000u, got);
    HANDLE writer = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, writer);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(writer, "added line\n", 11, &written, nullptr));
    CloseHandle(writer);
    ASSERT_TRUE(ReadLogSource(s, text, sizeof text, &got, nullptr));
    EXPECT_EQ("added line\n", std::string(text, got));
    EXPECT_TRUE(CloseLogSource(s));
}

TEST_F(LogSourceTest, ZippedPrefixOpensTheCopy) {
    std::string path = Write("p.log", "x\n");
    LogSourceHandle* s = OpenLogSource((ZIPPED_PREFIX + path).c_str(), GENERIC_READ,
                                       FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_LOG_SOURCE, s);
    EXPECT_EQ(path, s->szPath);
    EXPECT_EQ(2u, GetLogSourceSize(s));
    EXPECT_TRUE(CloseLogSource(s));
}

} // namespace
