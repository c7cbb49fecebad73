// The registry search for the logs of the web servers on this machine, over
// keys the test writes under its own root in HKEY_CURRENT_USER.
#include <gtest/gtest.h>
#include "desk_fixture.h"
#include "log_sources/local_log_search.h"
#include "temp_install.h"
#include <shlwapi.h>
#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {
typedef std::vector<std::pair<std::string, std::string>> Found;

void Record(const char* description, const char* path, void* context) {
    static_cast<Found*>(context)->push_back({description, path});
}

// A registry root and a folder of server files, both removed afterwards.
class ServerKeys {
  public:
    ServerKeys() {
        static int made = 0;
        name_ = "Software\\OvdeskTests\\LocalLogs" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(++made);
        RegCreateKeyExA(HKEY_CURRENT_USER, name_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &root_, nullptr);
    }
    ~ServerKeys() {
        RegCloseKey(root_);
        SHDeleteKeyA(HKEY_CURRENT_USER, name_.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\OvdeskTests"); // only when left empty
    }
    HKEY Root() const { return root_; }
    void Set(const std::string& key, const char* value, const std::string& text) {
        HKEY k;
        ASSERT_EQ(RegCreateKeyExA(root_, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k,
                                  nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(k, value, 0, REG_SZ, (const BYTE*)text.c_str(), (DWORD)text.size() + 1);
        RegCloseKey(k);
    }
    std::string Folder() const { return files_.Root(); }
    void WriteFile(const std::string& relative, const std::string& text) {
        ASSERT_TRUE(files_.Write(relative, text));
    }

  private:
    std::string name_;
    HKEY root_ = nullptr;
    ovtest::TempInstall files_;
};

const char kIis[] = "SYSTEM\\CurrentControlSet\\Services\\W3SVC\\Parameters";
const char kCBuilder[] = "Software\\InternetFactory\\CBuilder\\HTTP\\Servers";
const char kEnterprise[] = "SOFTWARE\\Netscape\\Enterprise\\3.5.1\\";
const char kInitLine[] =
    "Init fn=flex-init format.access=\"%Ses->client.ip% - %Req->vars.auth-user%\" "
    "access=\"C:/Netscape/logs/access\"\r\n";

std::string WindowsDirectory() {
    char dir[MAX_PATH];
    GetWindowsDirectoryA(dir, sizeof dir);
    return dir;
}
} // namespace

TEST(LocalLogFinders, IisFolderWithSystemRootExpandedAndBounded) {
    struct Case {
        std::string Value;
        bool Succeeds;
        std::string Path; // empty: no log
    };
    const Case cases[] = {
        {"%SystemRoot%\\System32\\LogFiles\\W3SVC1", true,
         WindowsDirectory() + "\\System32\\LogFiles\\W3SVC1\\in*.log"},
        {"%systemroot%\\Logs", true, WindowsDirectory() + "\\Logs\\in*.log"},
        {"D:\\WebLogs", true, "D:\\WebLogs\\in*.log"},
        {"", true, ""},
        // Too long once expanded: read, but no log rather than a cut path.
        {"%SystemRoot%\\" + std::string(MAX_PATH - 16, 'x'), true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Value);
        ServerKeys keys;
        keys.Set(kIis, "LogFileDirectory", c.Value);
        Found found;
        EXPECT_EQ(FindIisLogs(keys.Root(), Record, &found), c.Succeeds);
        if (c.Path.empty()) {
            EXPECT_TRUE(found.empty());
        } else {
            ASSERT_EQ(found.size(), 1u);
            EXPECT_EQ(found[0], std::make_pair(std::string("IIS Log File"), c.Path));
        }
    }
    ServerKeys none;
    Found found;
    EXPECT_FALSE(FindIisLogs(none.Root(), Record, &found));
    EXPECT_TRUE(found.empty());
}

TEST(LocalLogFinders, WebSiteNeedsAllThreeValues) {
    ServerKeys keys;
    std::string logs = std::string(WEBSITE_SERVER_KEY) + "\\Logs";
    keys.Set(WEBSITE_SERVER_KEY, "ServerRoot", "C:\\WebSite");
    keys.Set(logs, "LogDir", "logs");
    Found found;
    EXPECT_FALSE(FindWebSiteLogs(keys.Root(), Record, &found));
    keys.Set(logs, "TransferLog", "access.log");
    EXPECT_TRUE(FindWebSiteLogs(keys.Root(), Record, &found));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].first, "O'Reilly WebSite Log File");
    EXPECT_EQ(found[0].second, "C:\\WebSite\\logs\\access.log");
}

TEST(LocalLogFinders, CBuilderStopsAtTheFirstIncompleteServer) {
    ServerKeys keys;
    std::string servers = std::string(kCBuilder) + "\\";
    keys.Set(servers + "1", "Description", "Main site");
    keys.Set(servers + "1", "LogFile", "C:\\cb\\main.log");
    keys.Set(servers + "2", "Description", "Shop");
    keys.Set(servers + "2", "LogFile", "C:\\cb\\shop.log");
    Found found;
    EXPECT_TRUE(FindCBuilderLogs(keys.Root(), Record, &found));
    EXPECT_EQ(found, (Found{{"Main site", "C:\\cb\\main.log"}, {"Shop", "C:\\cb\\shop.log"}}));

    keys.Set(servers + "3", "Description", "No log value");
    keys.Set(servers + "4", "Description", "Never reached");
    keys.Set(servers + "4", "LogFile", "C:\\cb\\late.log");
    found.clear();
    EXPECT_FALSE(FindCBuilderLogs(keys.Root(), Record, &found));
    EXPECT_EQ(found.size(), 2u);
}

TEST(LocalLogFinders, NetscapeReadsEachHttpsServersObjConf) {
    ServerKeys keys;
    keys.WriteFile("www\\config\\obj.conf", std::string("# comment\r\n") + kInitLine);
    std::string config = keys.Folder() + "www/config"; // forward slashes as the server writes
    keys.Set(std::string(kEnterprise) + "https-www", "ConfigurationPath", config);
    keys.Set(std::string(kEnterprise) + "admin-serv", "ConfigurationPath", config);
    Found found;
    EXPECT_TRUE(FindNetscapeLogs(keys.Root(), Record, &found));
    EXPECT_EQ(found, (Found{{"Netscape Log File https-www", "C:/Netscape/logs/access"}}));
}

TEST(LocalLogFinders, NetscapeFallsBackToTheVendorKey) {
    ServerKeys keys;
    keys.WriteFile("old\\obj.conf", kInitLine);
    keys.Set(std::string(kEnterprise) + "https-empty", "ConfigurationPath", keys.Folder() + "none");
    keys.Set("SOFTWARE\\Netscape\\https-old", "ConfigurationPath", keys.Folder() + "old");
    Found found;
    EXPECT_TRUE(FindNetscapeLogs(keys.Root(), Record, &found));
    EXPECT_EQ(found, (Found{{"Netscape Log File https-old", "C:/Netscape/logs/access"}}));

    ServerKeys none;
    found.clear();
    EXPECT_FALSE(FindNetscapeLogs(none.Root(), Record, &found));
}

TEST(LocalLogFinders, ObjConfAccessValues) {
    const std::string overlong =
        "Init fn=flex-init format.access=x access=" + std::string(5000, 'a') + "\r\n";
    struct Case {
        std::string Text;
        const char* Path; // null: none named
    };
    const Case cases[] = {
        {kInitLine, "C:/Netscape/logs/access"},
        {"Init fn=flex-init format.access=x access=/logs/a b=c\n", "/logs/a"},
        {"Init fn=flex-init format.access=x access=\"/my logs/a=b\" next\n", "/my logs/a=b"},
        {"Init fn=flex-init format.access=x access=C:\\\\logs\\\\a\n", "C:\\logs\\a"},
        {"Init fn=flex-init format.access=x access=/logs/a=z\n", "/logs/a"},
        {"Init fn=other format.access=x access=/logs/a\n", nullptr},
        {"  Init fn=flex-init format.access=x access=/logs/a\n", nullptr},
        {"Init fn=flex-init format.access=x\n", nullptr},
        // An overlong line is skipped whole; the next line still counts.
        {overlong + "Init fn=flex-init format.access=x access=/next\n", "/next"},
        {"Init fn=flex-init format.access=x access=" + std::string(MAX_PATH + 10, 'p') + "\n",
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text.substr(0, 80));
        ovtest::TempInstall folder;
        ASSERT_TRUE(folder.Write("obj.conf", c.Text));
        char path[MAX_PATH] = "";
        EXPECT_EQ(ReadObjConfAccessLog(folder.Path("obj.conf").c_str(), path), c.Path != nullptr);
        if (c.Path) {
            EXPECT_STREQ(path, c.Path);
        }
    }
}

class LocalLogSearch : public DeskFixture {};

TEST_F(LocalLogSearch, MakesAProfilePerLogAndSaysHowMany) {
    ServerKeys keys;
    keys.Set(kIis, "LogFileDirectory", "D:\\iis");
    keys.Set(std::string(kCBuilder) + "\\1", "Description", "Shop");
    keys.Set(std::string(kCBuilder) + "\\1", "LogFile", "D:\\cb\\shop.log");
    EXPECT_EQ(FindLocalServerLogsUnder(nullptr, keys.Root()), 1);
    std::vector<ProfileListEntry*> entries = Enumerate();
    ASSERT_EQ(entries.size(), 2u);
    std::vector<std::string> seen;
    for (ProfileListEntry* entry : entries) {
        AnalysisProfile* p = entry->Profile;
        EXPECT_EQ(ServerList_GetProtocol(&p->Servers), (DWORD)SERVER_PROTOCOL_FILE);
        char name[SERVERINFO_NAME_SIZE];
        EXPECT_STREQ(ServerList_GetServerName(&p->Servers, 0, name), "LocalMachine");
        EXPECT_STREQ(p->HomePageDefaults,
                     "default.htm default.html index.htm index.html default.asp");
        char path[SERVERINFO_PATH_SIZE];
        seen.push_back(std::string(p->Description) + "|" +
                       ServerList_GetPath(&p->Servers, 0, path));
    }
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen,
              (std::vector<std::string>{"IIS Log File|D:\\iis\\in*.log", "Shop|D:\\cb\\shop.log"}));
    std::string log = SchedulerLogAdded();
    EXPECT_NE(log.find("Ostrevane found 2 log files."), std::string::npos) << log;
}

TEST(LocalLogSearchEntry, IsTheHostsCode19) {
    EXPECT_EQ(IsFunctionSupported(19), reinterpret_cast<HostEntry>(&FindLocalServerLogs));
}

TEST_F(LocalLogSearch, SaysSoWhenNoServerIsInstalled) {
    ServerKeys keys;
    EXPECT_EQ(FindLocalServerLogsUnder(nullptr, keys.Root()), 2);
    EXPECT_TRUE(Enumerate().empty());
    std::string log = SchedulerLogAdded();
    EXPECT_NE(log.find("No Log Files Detected"), std::string::npos) << log;
    EXPECT_NE(log.find("Ostrevane did not detect any log files."), std::string::npos);
}

TEST_F(LocalLogSearch, AFinderThatSucceedsWithoutLogsReportsZero) {
    ServerKeys keys;
    keys.Set(kIis, "LogFileDirectory", "");
    EXPECT_EQ(FindLocalServerLogsUnder(nullptr, keys.Root()), 1);
    EXPECT_NE(SchedulerLogAdded().find("Ostrevane found 0 log files."), std::string::npos);
}
