#include <gtest/gtest.h>
#include "../src/browser/browser_dde.h"
#include "../src/browser/browser_detect.h"
#include "library_ini.h"
#include "msgbox_watcher.h"
#include "ovkit/browser.h"
#include "scratch_file.h"
#include "scratch_machine_key.h"
#include "temp_install.h"
#include "wait_until.h"
#include <ddeml.h>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using ovkittest::ScopedLibraryIni;

namespace {

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}
int ThreadWindows() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

std::string BesideTestProgram(const char* name) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

// A DDE server of the test's own that answers every request of its service
// and records topic and item.
class FakeBrowserServer {
  public:
    explicit FakeBrowserServer(const char* service) : service_(service) {
        thread_ = std::thread([this] { Run(); });
        ovtest::WaitUntil([this] { return ready_.load(); });
    }
    ~FakeBrowserServer() {
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    std::vector<std::string> Requests() {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }

  private:
    static FakeBrowserServer* current_;

    static HDDEDATA CALLBACK Callback(UINT type, UINT, HCONV, HSZ topic, HSZ item, HDDEDATA,
                                      ULONG_PTR, ULONG_PTR) {
        FakeBrowserServer* self = current_;
        if (type == XTYP_CONNECT)
            return reinterpret_cast<HDDEDATA>(TRUE);
        if (type != XTYP_REQUEST)
            return nullptr;
        char topicText[256] = "";
        char itemText[2048] = "";
        DdeQueryStringA(self->instance_, topic, topicText, sizeof topicText, CP_WINANSI);
        DdeQueryStringA(self->instance_, item, itemText, sizeof itemText, CP_WINANSI);
        {
            std::lock_guard<std::mutex> lock(self->mutex_);
            self->requests_.push_back(std::string(topicText) + " " + itemText);
        }
        DWORD windowId = 7;
        return DdeCreateDataHandle(self->instance_, reinterpret_cast<LPBYTE>(&windowId),
                                   sizeof windowId, 0, item, CF_TEXT, 0);
    }

    void Run() {
        threadId_ = GetCurrentThreadId();
        current_ = this;
        DdeInitializeA(&instance_, Callback, APPCLASS_STANDARD | CBF_SKIP_ALLNOTIFICATIONS, 0);
        HSZ name = DdeCreateStringHandleA(instance_, service_, CP_WINANSI);
        DdeNameService(instance_, name, nullptr, DNS_REGISTER);
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
        ready_ = true;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        DdeNameService(instance_, name, nullptr, DNS_UNREGISTER);
        DdeFreeStringHandle(instance_, name);
        DdeUninitialize(instance_);
    }

    const char* service_;
    DWORD instance_ = 0;
    DWORD threadId_ = 0;
    std::atomic<bool> ready_{false};
    std::mutex mutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};
FakeBrowserServer* FakeBrowserServer::current_ = nullptr;

// Points OV_BROWSER_RECORD at a fresh file for the stand-in browser.
class LaunchRecord {
  public:
    LaunchRecord() { SetEnvironmentVariableA("OV_BROWSER_RECORD", file_.Path()); }
    ~LaunchRecord() { SetEnvironmentVariableA("OV_BROWSER_RECORD", nullptr); }
    // The stand-in's command line, once it has written it.
    std::string Wait() {
        std::string line;
        // Starting a program under a busy Wine can take seconds.
        ovtest::WaitUntil(
            [&] {
                line = ovtest::ReadFileBytes(file_.Path());
                return !line.empty();
            },
            30000);
        return line;
    }

  private:
    ovkittest::ScratchFile file_;
};

} // namespace

TEST(BrowserLaunch, DdeUrlFromAddress) {
    const struct {
        const char* address;
        const char* url;
    } cases[] = {
        {"c:\\reports\\index.htm", "file:///c|/reports/index.htm"},
        {"https://example.test/a", "https://example.test/a"},
        {"HTTP://x/", "HTTP://x/"},
        {"FTP:host/f", "FTP:host/f"},
        {"\\\\server\\share\\a.htm", "file://///server/share/a.htm"},
    };
    for (const auto& c : cases) {
        char url[256];
        OvkitBrowserDdeUrl(c.address, url, sizeof url);
        EXPECT_STREQ(url, c.url) << c.address;
    }
}

TEST(BrowserLaunch, NetscapeOverDdeTakesTheFileUrl) {
    FakeBrowserServer netscape("NETSCAPE");
    EXPECT_TRUE(OVKIT_ShowHTMDocument(nullptr, "c:\\reports\\index.htm"));
    std::vector<std::string> seen = netscape.Requests();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], "WWW_Activate 0xFFFFFFFF,0");
    EXPECT_EQ(seen[1], "WWW_OpenURL \"file:///c|/reports/index.htm\",\"\",0,1|2,\"\",\"\",\"\"");
}

TEST(BrowserLaunch, InternetExplorerOverDdeWhenNetscapeIsAbsent) {
    FakeBrowserServer explorer("IEXPLORE");
    EXPECT_TRUE(OVKIT_ShowHTMDocument(nullptr, "https://example.test/r"));
    std::vector<std::string> seen = explorer.Requests();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], "WWW_OpenURL \"https://example.test/r\",\"\",0xFFFFFFFF,0,\"\",\"\",\"\","
                       "\"Ostrevane\"");
}

// Guards the quoting: an unquoted program path or address with blanks split
// into several arguments.
TEST(BrowserLaunch, StartsTheUserSelectedBrowserWithTheAddressQuoted) {
    std::string program = BesideTestProgram("ovkit_browser_standin.exe");
    ScopedLibraryIni path("Browser", "Path", program.c_str());
    LaunchRecord record;
    ovtest::MsgBoxWatcher boxes;
    const char address[] = "c:\\my reports\\index.htm";
    int windows = ThreadWindows();
    EXPECT_TRUE(OVKIT_ShowHTMDocument(nullptr, address));
    // Guards the failed DDE connections, whose client windows once stayed behind.
    EXPECT_EQ(ThreadWindows(), windows);
    EXPECT_EQ(record.Wait(), "\"" + program + "\" \"" + address + "\"");
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST(BrowserLaunch, MissingUserSelectedBrowserFailsToLaunch) {
    ScopedLibraryIni path("Browser", "Path", "c:\\nowhere\\nobrowser.exe");
    ovtest::MsgBoxWatcher boxes;
    char found[MAX_PATH];
    char name[64];
    ASSERT_TRUE(OVKIT_DetectBrowser(nullptr, found, name));
    EXPECT_STREQ(found, "c:\\nowhere\\nobrowser.exe");
    EXPECT_STREQ(name, "User-selected browser");
    EXPECT_FALSE(OVKIT_ShowHTMDocument(nullptr, "http://x/"));
    ASSERT_TRUE(boxes.WaitFor(1));
    EXPECT_EQ(boxes.Seen()[0].text, "Unable to launch your browser.");
    EXPECT_EQ(boxes.Seen()[0].caption, "Ostrevane User Interface DLL");
}

TEST(BrowserLaunch, ProgramFromRegistryCommand) {
    const struct {
        const char* value;
        const char* program;
    } cases[] = {
        {"\"C:\\Program Files\\Web\\browse.exe\" -nohome \"%1\"",
         "C:\\PROGRAM FILES\\WEB\\BROWSE.EXE"},
        {"c:\\web\\browse.exe,1", "C:\\WEB\\BROWSE.EXE"},
        {"c:\\netscape", "C:\\NETSCAPE\\NETSCAPE.EXE"},
    };
    for (const auto& c : cases) {
        char out[MAX_PATH];
        OvkitProgramFromCommand(c.value, "NETSCAPE.EXE", out);
        EXPECT_STREQ(out, c.program) << c.value;
    }
}

TEST(BrowserLaunch, RegistryStringData) {
    const char kKey[] = "Software\\OstrevaneTest\\Browser";
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("default"), 8);
    RegSetValueExA(key, "named", 0, REG_SZ, reinterpret_cast<const BYTE*>("0123456789"), 11);
    RegCloseKey(key);
    char out[8] = "junk";
    EXPECT_TRUE(OVKIT_FindRegistryStringData(HKEY_CURRENT_USER, kKey, "", out, sizeof out));
    EXPECT_STREQ(out, "default");
    EXPECT_FALSE(OVKIT_FindRegistryStringData(HKEY_CURRENT_USER, kKey, "named", out, sizeof out))
        << "a value longer than the buffer";
    EXPECT_STREQ(out, "");
    EXPECT_FALSE(OVKIT_FindRegistryStringData(HKEY_CURRENT_USER, "Software\\OstrevaneNone", "", out,
                                              sizeof out));
    RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\OstrevaneTest");
}

TEST(BrowserLaunch, DetectsTheDefaultBrowserFromTheRegistry) {
    ovkittest::ScratchMachineKey machine;
    std::string program = BesideTestProgram("ovkit_browser_standin.exe");
    machine.SetDefault("SOFTWARE\\Classes\\http\\shell\\open\\command",
                       "\"" + program + "\" -nohome \"%1\"");
    char found[MAX_PATH];
    char name[64];
    ASSERT_TRUE(OVKIT_DetectBrowser(nullptr, found, name));
    EXPECT_STREQ(found, CharUpperA(&program[0]));
    EXPECT_STREQ(name, "Default Browser");
}

TEST(BrowserLaunch, NoBrowserAnywhereIsReported) {
    ovkittest::ScratchMachineKey machine;
    ovtest::MsgBoxWatcher boxes;
    EXPECT_FALSE(OVKIT_ShowHTMDocument(nullptr, "http://x/"));
    ASSERT_TRUE(boxes.WaitFor(1));
    EXPECT_EQ(boxes.Seen()[0].text, "Unable to detect your browser.");
}
