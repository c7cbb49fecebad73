#include "remote_fetch_fixture.h"

#include <cstring>

#include "core/engine_state.h"
#include "core/net_binding.h"
#include "fetch_status_window.h"
#include "settings/install_folder.h"
#include "wait_until.h"

namespace fetchtest {

std::string LogBytes(size_t n, int seed) {
    std::string text;
    for (int i = 0; text.size() < n; i++)
        text += logtest::CommonLine(seed, 60 * i, "/p" + std::to_string(seed * 1000 + i));
    return text.substr(0, n);
}

void RemoteFetchTest::SetUpEngine() {
    ASSERT_TRUE(InstallFolder_SetFromFileName((install_.Root() + "ovcore.dll").c_str()));
    saved_ = Engine_State().dataFolder;
    lstrcpynA(Engine_State().dataFolder, install_.Data().c_str(), MAX_PATH);
    ASSERT_TRUE(NetBinding_Bind());
    Settings("Detect", "30");
    window_ = MakeStatusWindow();
    g_seen.clear();
}

long RemoteFetchTest::RunOverFetchedLogs(const std::string& name) {
    install_.Write("ovdesk\\template\\ENGLISH.RPL", ""); // the report words
    DWORD network = 0;
    short slot = ORB_Register(install_.Data().c_str(), 60, 1, NULL, &network,
                              GetModuleHandleA(NULL), 0, NULL, NULL); // the run's DNS ring
    long records = -1;
    FetchResult r = Fetch(name);
    char folder[MAX_PATH] = "";
    WORD error = 0;
    std::string set = name + ".wlp";
    ReportHandle* report = slot < 0 || r.closed != 0
                               ? nullptr
                               : ORB_Cre8Report(NULL, client_, set.c_str(), "run", folder, 76, 0,
                                                client_->FirstLogTime, client_->LastLogTime, 6, 0,
                                                "(Default)", "ENGLISH", "run", NULL, 0, 0, &error);
    if (report) {
        while (ORB_PeekReport(report, nullptr, nullptr) != -1)
            ;
        records = (long)ADT_GetReportRecCount(report);
        ORB_CloseReport(report, nullptr);
    }
    ORB_FreeURL(client_);
    if (slot >= 0)
        ORB_DeRegister(slot);
    return records;
}

void RemoteFetchTest::TearDown() {
    if (!window_)
        return;
    EXPECT_TRUE(errors_.texts.empty());
    EXPECT_EQ(boxes_.Count(), 0u);
    DestroyWindow(window_);
    AnalysisProfile_Free(client_);
    lstrcpynA(Engine_State().dataFolder, saved_.c_str(), MAX_PATH);
    NetSettings_Reset();
    InstallFolder_Reset();
}

void RemoteFetchTest::Settings(const char* mode, const char* timeout, const char* proxy,
                               const char* proxyAuth, const char* passive) {
    const std::string module = install_.ModuleIni(), base = install_.BaseIni();
    WritePrivateProfileStringA("Defaults", "FTPDownload", mode, module.c_str());
    WritePrivateProfileStringA("Defaults", "TransferTimeout", timeout, module.c_str());
    WritePrivateProfileStringA("Defaults", "FTPPassive", passive, module.c_str());
    WritePrivateProfileStringA("Defaults", "ProxyEnable", proxy[0] ? "1" : "0", base.c_str());
    WritePrivateProfileStringA("Defaults", "HttpProxy", proxy, base.c_str());
    WritePrivateProfileStringA("Defaults", "HttpProxyAuth", proxyAuth, base.c_str());
    ORB_NotifyIniFileChanged(0);
}

void RemoteFetchTest::Profile(const std::string& name, const std::string& url, const char* user,
                              const char* password) {
    AnalysisProfile* p = AnalysisProfile_New();
    strcpy(p->BaseName, name.c_str());
    strcpy(p->Extension, "wlp");
    strcpy(p->Description, "Remote");
    ServerList_SetProtocol(&p->Servers, protocol_);
    ServerList_AddServer(&p->Servers, "Web", url.c_str(), user, password);
    std::string path = install_.Data() + name + ".wlp";
    ASSERT_TRUE(WriteOrbisFile(path.c_str(), p));
    AnalysisProfile_Free(p);
    AnalysisProfile_Free(client_);
    client_ = AnalysisProfile_New();
    ASSERT_EQ(ReadOrbisFile(path.c_str(), client_), 4);
}

FetchResult RemoteFetchTest::Fetch(const std::string& name) {
    FetchResult r = {};
    UrlFetchHandle handle = nullptr;
    r.opened = ORB_OpenURL(window_, (name + ".wlp").c_str(), &handle);
    if (r.opened == 0) {
        bool done = ovtest::WaitUntil(
            [&] {
                ORB_GetURLDonePercent(handle);
                return ORB_PeekURL() != 0;
            },
            20000);
        EXPECT_TRUE(done) << "the fetch hangs";
        ORB_GetURLDonePercent(handle);
        r.closed = ORB_CloseURL(window_, handle, client_);
    }
    char text[FETCH_ERROR_SIZE];
    ORB_GetURLErrMsg(text);
    r.error = text;
    return r;
}

void RemoteFetchTest::ExpectCancelKeeps(UrlFetchHandle handle, const std::string& name,
                                        const std::string& file, const std::string& good,
                                        DWORD limitMs) {
    DWORD start = GetTickCount();
    EXPECT_EQ(ORB_CloseURL(window_, handle, client_), -1);
    EXPECT_LT(GetTickCount() - start, limitMs);
    char text[FETCH_ERROR_SIZE];
    ORB_GetURLErrMsg(text);
    EXPECT_STREQ(text, "FTP Transfer aborted by user.");
    EXPECT_EQ(Copy(name, file), good);
    EXPECT_TRUE(StrayFiles().empty());
    ORB_FreeURL(client_);
}

std::string RemoteFetchTest::Copy(const std::string& name, const std::string& file) {
    return ovtest::ReadFileBytes(install_.Data() + name + ".ftp\\" + file);
}

std::vector<std::string> RemoteFetchTest::StrayFiles() {
    std::vector<std::string> found;
    WIN32_FIND_DATAA d;
    HANDLE h = FindFirstFileA((install_.Data() + "*.tmp").c_str(), &d);
    if (h == INVALID_HANDLE_VALUE)
        return found;
    do
        found.push_back(d.cFileName);
    while (FindNextFileA(h, &d));
    FindClose(h);
    return found;
}

} // namespace fetchtest
