// The fetch road of local-file profiles, the fetch lists and their files.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/engine_state.h"
#include "core/net_binding.h"
#include "fetch_status_window.h"
#include "fetch/fetch_state.h"
#include "logread_fixtures.h"
#include "msgbox_watcher.h"
#include "ovcore/ovcore.h"
#include "temp_install.h"

namespace {

using fetchtest::g_seen;
using fetchtest::MakeStatusWindow;

// Profiles and logs in a throw-away install's data folder.
class FetchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_ = Engine_State().dataFolder;
        lstrcpynA(Engine_State().dataFolder, install_.Data().c_str(), MAX_PATH);
        window_ = MakeStatusWindow();
        g_seen.clear();
    }
    void TearDown() override {
        EXPECT_TRUE(errors_.texts.empty());
        EXPECT_EQ(boxes_.Count(), 0u);
        DestroyWindow(window_);
        AnalysisProfile_Free(client_);
        lstrcpynA(Engine_State().dataFolder, saved_.c_str(), MAX_PATH);
    }

    // Writes "<name>.wlp" with one server and keeps a client copy of it.
    void WriteProfile(const std::string& name, DWORD protocol,
                      const std::vector<std::string>& paths) {
        AnalysisProfile* p = AnalysisProfile_New();
        strcpy(p->BaseName, name.c_str());
        strcpy(p->Extension, "wlp");
        strcpy(p->Description, "Fetch title");
        ServerList_SetProtocol(&p->Servers, protocol);
        for (const std::string& path : paths)
            ServerList_AddServer(&p->Servers, "LocalMachine", path.c_str(), "", "");
        ASSERT_TRUE(WriteOrbisFile((install_.Data() + name + ".wlp").c_str(), p));
        AnalysisProfile_Free(client_);
        client_ = AnalysisProfile_New();
        ASSERT_EQ(ReadOrbisFile((install_.Data() + name + ".wlp").c_str(), client_), 4);
    }
    std::string WriteLog(const std::string& name, const std::string& bytes) {
        ovtest::WriteFileBytes(install_.Path(name), bytes);
        return install_.Path(name);
    }
    std::string ErrorText() {
        char text[FETCH_ERROR_SIZE];
        ORB_GetURLErrMsg(text);
        return text;
    }
    // The client's loop: open, poll until done, close.
    short FetchAndClose(const std::string& profileFile) {
        UrlFetchHandle handle = nullptr;
        short opened = ORB_OpenURL(window_, profileFile.c_str(), &handle);
        EXPECT_EQ(opened, 0) << ErrorText();
        EXPECT_NE(handle, nullptr);
        EXPECT_EQ(ORB_PeekURL(), -1);
        EXPECT_EQ(ORB_GetURLDonePercent(handle), 0);
        return ORB_CloseURL(window_, handle, client_);
    }

    ovtest::MsgBoxWatcher boxes_;
    logtest::ErrorRecorder errors_;
    logtest::LogInstall install_;
    std::string saved_;
    HWND window_ = nullptr;
    AnalysisProfile* client_ = nullptr;
};

TEST_F(FetchTest, LocalProfileFillsItsKeptFileListAndLogTimes) {
    WriteProfile("local", 0, {WriteLog("a.log", logtest::CommonLog(4, 60, 600))});
    ASSERT_EQ(FetchAndClose("local.wlp"), 0);
    EXPECT_EQ(ORB_GetURLErrMsg(nullptr), 1);
    EXPECT_EQ(client_->LogInfoValid, 1);
    ASSERT_EQ(FileInfo_GetFileCount(&client_->LogFiles), 1);
    EXPECT_EQ(client_->FirstLogTime, logtest::kDay + 60);
    EXPECT_EQ(client_->LastLogTime, logtest::kDay + 60 + 3 * 600);
    EXPECT_EQ(client_->LogSizeKB, 1u);
    ASSERT_FALSE(g_seen.empty());
    std::string accessing = "Accessing: " + install_.Path("a.log");
    EXPECT_EQ(g_seen[0].message, (UINT)WM_USER + 20);
    EXPECT_EQ(g_seen[0].text, accessing.substr(0, FETCH_STATUS_NAME_MAX));
    EXPECT_EQ(g_seen.size(), 1u); // a file profile's close sends nothing
    EXPECT_EQ(ORB_FreeURL(client_), 0);
    EXPECT_EQ(FileInfo_GetFileCount(&client_->LogFiles), 1);
}

// Detection with the "unpack" argument reads a gzip log through its copy.
TEST_F(FetchTest, GzipLogIsReadThroughItsUnpackedCopy) {
    WriteProfile("packed", 0,
                 {WriteLog("a.log.gz", logtest::GzipBytes(logtest::CommonLog(3, 0, 60)))});
    ASSERT_EQ(FetchAndClose("packed.wlp"), 0);
    ASSERT_EQ(FileInfo_GetFileCount(&client_->LogFiles), 1);
    EXPECT_EQ(client_->LogFiles.wSourceKind, FILEINFO_KIND_GZIP);
    EXPECT_EQ(client_->LastLogTime, logtest::kDay + 120);
    ORB_FreeURL(client_);
}

TEST_F(FetchTest, LogsWithoutReadableRecordsFailTheClose) {
    struct Case {
        const char* name;
        bool write;
    } cases[] = {{"gone.log", false}, {"junk.log", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path =
            c.write ? WriteLog(c.name, "\x01\x02 no record here\n\n") : install_.Path(c.name);
        WriteProfile("bad", 0, {path});
        client_->LogInfoValid = 1;
        EXPECT_EQ(FetchAndClose("bad.wlp"), -1);
        EXPECT_EQ(client_->LogInfoValid, 0);
    }
    EXPECT_EQ(ORB_CloseURL(window_, nullptr, nullptr), 0);
}

// Under the default month-first order, day-first dates read out of order.
TEST_F(FetchTest, DayFirstLogsSettleTheirCodeAndRewriteTheProfile) {
    std::string log =
        "1.2.3.4, -, 12/10/99, 13:55:36, W3SVC1, WEB1, 10.0.0.1, 100, 300, 2326, 200, 0, GET, "
        "/a.html, -,\r\n"
        "1.2.3.4, -, 01/11/99, 08:00:00, W3SVC1, WEB1, 10.0.0.1, 100, 300, 2326, 200, 0, GET, "
        "/b.html, -,\r\n";
    WriteProfile("dayfirst", 0, {WriteLog("in.log", log)});
    ASSERT_EQ(FetchAndClose("dayfirst.wlp"), 0);
    EXPECT_EQ(client_->LogFileFormat, (DWORD)LOGDATE_DMY);
    EXPECT_EQ(client_->FirstLogTime, 939736536u); // 1999-10-12 13:55:36
    EXPECT_EQ(client_->LastLogTime, 941443200u);  // 1999-11-01 08:00:00
    AnalysisProfile* stored = AnalysisProfile_New();
    ASSERT_EQ(ReadOrbisFile((install_.Data() + "dayfirst.wlp").c_str(), stored), 4);
    EXPECT_EQ(stored->LogFileFormat, (DWORD)LOGDATE_DMY);
    AnalysisProfile_Free(stored);
    EXPECT_EQ(GetLogDateFormat(), (DWORD)LOGDATE_DMY);
    SetLogDateFormat(0);
    ORB_FreeURL(client_);
}

TEST_F(FetchTest, RemoteAndUnreadableProfilesAreRefusedWithAReason) {
    struct Case {
        const char* name;
        DWORD protocol;
        std::vector<std::string> paths;
        const char* reason;
    } cases[] = {
        {"viaftp", 1, {"h/logs/a.log"}, "A winsock.DLL ver 1.1 is required."},
        {"unbound", 2, {"h/a.log"}, "A winsock.DLL ver 1.1 is required."},
        {"twohttp", 2, {"h/a.log", "g/b.log"}, "must name exactly one server"},
        {"twoftp", 1, {"h/a.log", "g/b.log"}, "must name exactly one server"},
    };
    NetBinding_Unbind(); // the remote roads need the network libraries
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteProfile(c.name, c.protocol, c.paths);
        UrlFetchHandle handle = (UrlFetchHandle)1;
        EXPECT_EQ(ORB_OpenURL(window_, (std::string(c.name) + ".wlp").c_str(), &handle), -1);
        EXPECT_EQ(handle, nullptr);
        EXPECT_NE(ErrorText().find(c.reason), std::string::npos) << ErrorText();
    }
    UrlFetchHandle handle = nullptr;
    EXPECT_EQ(ORB_OpenURL(window_, "missing.wlp", &handle), -1);
    EXPECT_EQ(ErrorText(), "The profile missing.wlp could not be read.");
    std::string longName(400, 'n');
    EXPECT_EQ(ORB_OpenURL(window_, longName.c_str(), &handle), -1);
    EXPECT_EQ(ErrorText().find("The name is too long"), 0u);
    EXPECT_EQ(ORB_OpenURL(window_, "missing.wlp", nullptr), -1);
}

TEST_F(FetchTest, OdbcCloseTellsTheWindowAndAStaleHandleIsIgnored) {
    WriteProfile("odbc", 4, {"odbc:DSN=web"});
    UrlFetchHandle handle = nullptr;
    ASSERT_EQ(ORB_OpenURL(window_, "odbc.wlp", &handle), 0);
    g_seen.clear();
    EXPECT_EQ(ORB_CloseFTP(window_, handle, client_), 0);
    ASSERT_EQ(g_seen.size(), 2u);
    EXPECT_EQ(g_seen[0].message, (UINT)WM_USER + 21);
    EXPECT_EQ(g_seen[1].message, (UINT)WM_USER + 23);
    g_seen.clear();
    EXPECT_EQ(ORB_CloseFTP(window_, handle, client_), 0); // already freed: no second free
    EXPECT_TRUE(g_seen.empty());
}

// The done percent used to be computed in 32 bits and wrapped above 43 MB.
TEST_F(FetchTest, DonePercentIsUncappedAndComputedIn64Bits) {
    WriteProfile("pct", 0, {WriteLog("a.log", logtest::CommonLog(1, 0, 1))});
    UrlFetchHandle handle = nullptr;
    ASSERT_EQ(ORB_OpenURL(window_, "pct.wlp", &handle), 0);
    FetchState& s = Fetch_State();
    struct Case {
        ULONGLONG expected, received;
        WORD percent;
    } cases[] = {
        {1000, 1500, 150}, {100000000, 50000000, 50}, {60000000000ULL, 45000000000ULL, 75}};
    for (const Case& c : cases) {
        s.expected = c.expected;
        s.received = c.received;
        EXPECT_EQ(ORB_PeekURL(), c.received >= c.expected ? -1 : 0);
        EXPECT_EQ(ORB_GetURLDonePercent(handle), c.percent);
    }
    s.received = 10;
    EXPECT_EQ(ORB_PeekURL(), 0);
    g_seen.clear();
    ORB_GetURLDonePercent(handle);
    ORB_GetURLDonePercent(handle);
    ASSERT_EQ(g_seen.size(), 1u); // told once per change
    EXPECT_EQ(g_seen[0].message, (UINT)WM_USER + 31);
    EXPECT_EQ(g_seen[0].text, "10");
    s.expected = s.received = s.lastReported = 0;
    ORB_CloseFTP(window_, handle, client_);
}

TEST(FetchList, LocalCopyNamesAreEightThreeAndUnique) {
    struct Case {
        std::vector<std::string> remote;
        std::vector<std::string> local;
    } cases[] = {
        {{"access.log", "access.log.1"}, {"access.log", "access.1"}},
        {{"access.log", "access.old.log"}, {"access.log", "acce0000.log"}},
        {{"/logs/a.log", "x/a.log", "b\\a.log"}, {"a.log", "a0000.log", "a0001.log"}},
        {{"verylongname.text", "noext"}, {"verylong.tex", "noext."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.remote[0]);
        FetchList list = {};
        for (const std::string& r : c.remote)
            ASSERT_TRUE(FetchList_Add(&list, r.c_str(), "HTTP"));
        ASSERT_TRUE(MakeLocalCopyNames(&list, "C:\\d\\p.ftp\\"));
        for (size_t i = 0; i < c.local.size(); i++)
            EXPECT_EQ(list.lpEntries[i].szLocalPath, "C:\\d\\p.ftp\\" + c.local[i]);
        FetchList_Clear(&list);
    }
}

// Entries used to be filled with "%s%s" whatever the lengths.
TEST(FetchList, OverLongNamesAreRefusedWithAnErrorText) {
    FetchList list = {};
    Fetch_State().errorText[0] = 0;
    EXPECT_FALSE(FetchList_Add(&list, std::string(FETCH_NAME_SIZE, 'r').c_str(), "HTTP"));
    EXPECT_FALSE(FetchList_Add(&list, "a.log", std::string(FETCH_LISTING_SIZE, 'l').c_str()));
    EXPECT_EQ(list.dwCount, 0u);
    EXPECT_EQ(std::string(Fetch_State().errorText).find("The name is too long"), 0u);
    ASSERT_TRUE(FetchList_Add(&list, "a.log", "HTTP"));
    Fetch_State().errorText[0] = 0;
    EXPECT_FALSE(MakeLocalCopyNames(&list, ("C:\\" + std::string(260, 'f') + "\\").c_str()));
    EXPECT_EQ(list.lpEntries[0].szLocalPath[0], 0);
    EXPECT_NE(Fetch_State().errorText[0], 0);
    FetchList_Clear(&list);
}

TEST(FetchList, ListingFileRoundTripsAndCutsLongLines) {
    ovtest::TempInstall install;
    FetchList list = {};
    strcpy(list.szHeader, "ftp://h/logs/*.log");
    FetchList_Add(&list, "a.log", "-rw-r--r-- 1 u g 10 Oct 10 a.log");
    FetchList_Add(&list, "b.log", "HTTP");
    MakeLocalCopyNames(&list, "C:\\p.ftp\\");
    std::string path = install.Data() + "p.dir";
    ASSERT_TRUE(WriteFetchList(&list, path.c_str()));
    FetchList back = {};
    ASSERT_TRUE(ReadFetchList(&back, path.c_str()));
    EXPECT_STREQ(back.szHeader, list.szHeader);
    ASSERT_EQ(back.dwCount, 2u);
    for (DWORD i = 0; i < 2; i++) {
        EXPECT_STREQ(back.lpEntries[i].szLocalPath, list.lpEntries[i].szLocalPath);
        EXPECT_STREQ(back.lpEntries[i].szRemoteName, list.lpEntries[i].szRemoteName);
        EXPECT_STREQ(back.lpEntries[i].szListing, list.lpEntries[i].szListing);
    }
    std::string longListing(300, 'L');
    ovtest::WriteFileBytes(path, "head\r\nC:\\x\r\n\r\nHTTP\r\nC:\\y\r\ny.log\r\n" + longListing +
                                     "\r\n");
    ASSERT_TRUE(ReadFetchList(&back, path.c_str()));
    ASSERT_EQ(back.dwCount, 1u); // the entry without a remote name is dropped
    EXPECT_STREQ(back.lpEntries[0].szRemoteName, "y.log");
    EXPECT_EQ(std::string(back.lpEntries[0].szListing), longListing.substr(0, 99));
    EXPECT_FALSE(ReadFetchList(&back, (install.Data() + "none.dir").c_str()));
    FetchList_Clear(&list);
    FetchList_Clear(&back);
}

// Any path the list file named used to be deleted.
TEST(FetchList, DeletingCopiesTouchesOnlyTheCopyFolder) {
    ovtest::TempInstall install;
    std::string data = install.Data(), folder = data + "p.ftp\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    struct Case {
        std::string path;
        bool deleted;
    } cases[] = {
        {folder + "a.log", true},
        {data + "victim.log", false},
        {folder + "..\\victim2.log", false},
    };
    std::string list = "http://h/a.log\n";
    for (const Case& c : cases) {
        ASSERT_TRUE(ovtest::WriteFileBytes(c.path, "x"));
        list += c.path + "\nh/a.log\nHTTP\n";
    }
    ASSERT_TRUE(ovtest::WriteFileBytes(data + "p.dir", list));
    EXPECT_TRUE(DeleteDownloadedFiles((data + "p.dir").c_str()));
    for (const Case& c : cases)
        EXPECT_EQ(ovtest::FileExistsAt(c.path), !c.deleted) << c.path;
    EXPECT_FALSE(ovtest::FileExistsAt(data + "p.dir"));
    EXPECT_EQ(GetFileAttributesA((data + "p.ftp").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(FtpErrorText, CodesMapToTheirTexts) {
    struct Case {
        int code;
        const char* text;
    } cases[] = {
        {1, "User ID needs a password"},
        {-1, "FTP Transfer aborted by user."},
        {1005, "Can't write to file (Is the disk full?)"},
        {1010, "Server can not open file."},
        {1013, "Close failed (cmd is in progress)."},
        {2007, "FTP Timeout occured."},
        {3002, "FTP Host rejected the TYPE command."},
        {5005, "Winsock bind is not succesful."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        FtpErrorText(c.code);
        EXPECT_STREQ(Fetch_State().errorText, c.text);
    }
    FtpErrorText(42); // unknown codes leave the text
    EXPECT_STREQ(Fetch_State().errorText, "Winsock bind is not succesful.");
    Fetch_State().errorText[0] = 0;
}

} // namespace
