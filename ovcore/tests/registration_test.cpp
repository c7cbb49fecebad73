// Client registration, the network binding, the engine's texts and messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dns/dns_ring.h"
#include "core/data_folder.h"
#include "core/engine_state.h"
#include "core/gsw_binding.h"
#include "core/message_sink.h"
#include "core/net_binding.h"
#include "core/netapi_binding.h"
#include "fetch/fetch_state.h"
#include "engine_settings_edit.h"
#include "msgbox_watcher.h"
#include "ovcore/ovcore.h"
#include "settings/install_folder.h"
#include "temp_install.h"

namespace {

// An engine as freshly loaded, with its install folder in a temporary install.
class RegistrationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Engine_ResetLibraryState();
        ASSERT_TRUE(InstallFolder_SetFromFileName((install.Root() + "ovkit.dll").c_str()));
    }
    void TearDown() override {
        Engine_ResetLibraryState();
        NetBinding_SetFtpFolder(NULL);
        InstallFolder_Reset();
    }
    short Register(DWORD* status = NULL, ORB_ERRORDISPLAYPROC display = NULL) {
        return ORB_Register(install.Data().c_str(), 60, 0x454E, NULL, status,
                            GetModuleHandleA(NULL), 0, NULL, display);
    }

    ovtest::TempInstall install;
};

TEST_F(RegistrationTest, ThreeSlotsThenRefusedEvenAfterADeregistration) {
    DWORD status = 99;
    EXPECT_EQ(Register(&status), 0);
    EXPECT_EQ(status, 1u); // FTP4W32.DLL stands beside the engine
    EXPECT_EQ(Register(), 1);
    EXPECT_EQ(Register(), 2);
    EXPECT_EQ(Register(), -1);
    ORB_DeRegister(1);
    EXPECT_EQ(Engine_State().slots[1].inUse, 0);
    EXPECT_EQ(Engine_State().slots[0].inUse, 1);
    EXPECT_EQ(Register(), -1);
    EXPECT_EQ(Engine_State().slots[1].inUse, 0); // the refusal took no slot
}

// The last deregistration leaves nothing engine-wide allocated (the fetched
// server list and an unclosed fetch's lists used to stay), and the engine
// registers again afterwards.
TEST_F(RegistrationTest, EngineWideResourcesGoWithTheLastSlotOnly) {
    DWORD status = 0;
    ASSERT_EQ(Register(&status), 0);
    ASSERT_EQ(Register(), 1);
    ServerList* fetched = Engine_State().fetchServerList;
    ASSERT_NE(fetched, nullptr);
    ASSERT_TRUE(FetchList_Add(Fetch_CurrentList(), "/logs/a.log", "HTTP"));
    const char* caption = LoadCachedString(5749);
    ORB_DeRegister(0);
    EXPECT_TRUE(NetBinding_IsBound());
    EXPECT_NE(Engine_State().dnsRing, nullptr);
    EXPECT_EQ(Engine_State().fetchServerList, fetched);
    EXPECT_EQ(LoadCachedString(5749), caption); // still the cached copy
    EXPECT_STREQ(Engine_State().numericAddressText, "Numeric IP");
    ORB_DeRegister(1);
    EXPECT_FALSE(NetBinding_IsBound());
    EXPECT_EQ(Engine_State().dnsRing, nullptr);
    EXPECT_EQ(Engine_State().fetchServerList, nullptr);
    EXPECT_EQ(Fetch_CurrentList()->lpEntries, nullptr);
    EXPECT_EQ(Engine_State().numericAddressText, nullptr);
    ORB_DeRegister(1); // a free slot is ignored
    ORB_DeRegister(7);

    ASSERT_EQ(Register(&status), 0);
    EXPECT_EQ(status, 1u);
    EXPECT_NE(Engine_State().dnsRing, nullptr);
    ASSERT_NE(Engine_State().fetchServerList, nullptr);
    EXPECT_EQ(Fetch_GetFetchedServerList(), Engine_State().fetchServerList);
    EXPECT_STREQ(LoadCachedString(5749), "Ostrevane");
    EXPECT_STREQ(Engine_State().numericAddressText, "Numeric IP");
}

// The line parsers used to keep their built-in values whatever the engine
// had read: they read what registration loaded, and the settings reload
// keeps it.
TEST_F(RegistrationTest, ParsersSeeTheRegisteredValues) {
    WriteModuleProfileInt("Defaults", "DisableColdFusion", 1);
    WriteModuleProfileInt("intl", "iDate", 1);
    WriteModuleProfileString("intl", "sDate", ".");
    WriteModuleProfileString("intl", "sTime", "-");
    ASSERT_EQ(Register(), 0);
    const EngineSettings& p = Engine_Settings();
    EXPECT_TRUE(p.defaults.disableColdFusion);
    EXPECT_EQ(p.intl.Order, 1);
    EXPECT_EQ(p.intl.DateSeparator, '.');
    EXPECT_EQ(p.intl.TimeSeparator, '-');
    HitRecord hit = {};
    LogParse_SetUnresolvedNames(&hit);
    EXPECT_STREQ(hit.szDomain, "Numeric IP");
    EXPECT_STREQ(hit.szDomainType, "None");
    EXPECT_STREQ(hit.szCountry, "Unknown");

    EXPECT_EQ(ORB_NotifyIniFileChanged(0), 0);
    EXPECT_TRUE(p.defaults.disableColdFusion);
    EXPECT_EQ(p.intl.Order, 1);
    EXPECT_EQ(p.intl.DateSeparator, '.');
}

TEST_F(RegistrationTest, NetworkStatusIsZeroWithoutTheFtpLibrary) {
    NetBinding_SetFtpFolder(install.Root().c_str()); // no FTP4W32.DLL there
    DWORD status = 99;
    ASSERT_EQ(Register(&status), 0);
    EXPECT_EQ(status, 0u);
    EXPECT_EQ(Engine_State().networkBound, 0);
    EXPECT_EQ(NetBinding_Winsock().socket, nullptr); // all or nothing
}

TEST_F(RegistrationTest, AnIncompleteFtpLibraryBindsNothing) {
    char exe[MAX_PATH];
    GetModuleFileNameA(NULL, exe, MAX_PATH);
    std::string gsw(exe);
    gsw.replace(gsw.rfind('\\') + 1, std::string::npos, "GSWDLL32.dll");
    ASSERT_TRUE(CopyFileA(gsw.c_str(), (install.Root() + "FTP4W32.DLL").c_str(), FALSE));
    NetBinding_SetFtpFolder(install.Root().c_str());
    EXPECT_EQ(NetBinding_Bind(), 0);
    EXPECT_EQ(NetBinding_Ftp().FtpInit, nullptr);
    EXPECT_EQ(NetBinding_Winsock().socket, nullptr);
}

TEST_F(RegistrationTest, WithoutAStatusPointerNothingIsBound) {
    ASSERT_EQ(Register(NULL), 0);
    EXPECT_FALSE(NetBinding_IsBound());
}

TEST(DataFolderTest, NormalisesSeparators) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"C:\\Prog\\\\ovdesk\\datfiles\\", "C:\\Prog\\ovdesk\\datfiles\\"},
        {"C:\\Prog\\ovdesk\\datfiles", "C:\\Prog\\ovdesk\\datfiles\\"},
        {"\\\\server\\share\\\\data\\", "\\\\server\\share\\data\\"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        char out[MAX_PATH];
        EXPECT_TRUE(DataFolder_Normalize(c.in, out));
        EXPECT_STREQ(out, c.out);
    }
    char out[MAX_PATH];
    EXPECT_FALSE(DataFolder_Normalize(std::string(MAX_PATH, 'a').c_str(), out));
    EXPECT_STREQ(out, "");
}

TEST_F(RegistrationTest, RegisteredDataFolderHasNoDoubledSeparators) {
    std::string doubled = install.Root() + "\\ovdesk\\datfiles\\"; // ovcarry's form
    ASSERT_EQ(ORB_Register(doubled.c_str(), 0, 0, NULL, NULL, NULL, 0, NULL, NULL), 0);
    EXPECT_EQ(std::string(Engine_State().dataFolder), install.Data());
    EXPECT_EQ(std::string(Engine_State().dnsCacheFolder), install.Data());
}

TEST_F(RegistrationTest, RingSizeFollowsTheSetting) {
    struct Case {
        const char* value;
        DWORD entries;
    };
    const Case cases[] = {{NULL, 2000}, {"1", 2}, {"0", 2}, {"50", 50}, {NULL, 50}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value ? c.value : "(absent)");
        WriteModuleProfileString("Defaults", "DNSLookupQueueSize", c.value);
        short slot = Register();
        ASSERT_GE(slot, 0);
        EXPECT_EQ(Engine_State().dnsRingEntries, c.entries); // absent: the current size
        ASSERT_NE(Engine_State().dnsRing, nullptr);
        const DNSFifoEntry* ring = reinterpret_cast<DNSFifoEntry*>(Engine_State().dnsRing);
        EXPECT_EQ(ring[c.entries - 1].state, DNS_STATE_EMPTY); // every entry made empty
        ORB_DeRegister(slot);
        Engine_State().registrationCount = 0xFFFF; // keep registering
    }
}

TEST_F(RegistrationTest, ARegistrationReplacesTheRingOfAnEarlierOne) {
    ASSERT_EQ(Register(), 0);
    DNSFifoEntry* first = reinterpret_cast<DNSFifoEntry*>(Engine_State().dnsRing);
    first->state = 0x5A; // marks the first ring
    WriteModuleProfileString("Defaults", "DNSLookupQueueSize", "10");
    ASSERT_EQ(Register(), 1);
    EXPECT_EQ(Engine_State().dnsRingEntries, 10u);
    // A new ring of empty entries took its place.
    EXPECT_EQ(reinterpret_cast<DNSFifoEntry*>(Engine_State().dnsRing)->state, DNS_STATE_EMPTY);
}

TEST_F(RegistrationTest, SettingsAreReReadByEveryRegistration) {
    ASSERT_EQ(Register(), 0);
    EXPECT_EQ(Engine_Settings().defaults.logFileReloadSize, 1000000u);
    EXPECT_EQ(Engine_Settings().defaults.dnsTimeoutMs, 25000u);
    WriteModuleProfileInt("Defaults", "LogFileReloadSize", 5000);
    WriteModuleProfileInt("Defaults", "DNSTimeout", 3);
    WriteModuleProfileInt("Defaults", "DisableServerLookup", 1);
    ASSERT_EQ(Register(), 1);
    EXPECT_EQ(Engine_Settings().defaults.logFileReloadSize, 5000u);
    EXPECT_EQ(Engine_Settings().defaults.dnsTimeoutMs, 3000u);
    EXPECT_EQ(Engine_Settings().defaults.disableServerLookup, 1);
}

TEST_F(RegistrationTest, IntlIsReadOnceInTheLibrarysLife) {
    WriteModuleProfileInt("intl", "iDate", 1);
    WriteModuleProfileString("intl", "sDate", ".");
    ASSERT_EQ(Register(), 0);
    EXPECT_EQ(Engine_Settings().intl.Order, 1);
    EXPECT_EQ(Engine_Settings().intl.DateSeparator, '.');
    EXPECT_EQ(Engine_Settings().systemIntl.Order, (int)GetProfileIntA("intl", "iDate", 0));
    WriteModuleProfileInt("intl", "iDate", 2);
    ASSERT_EQ(Register(), 1);
    EXPECT_EQ(Engine_Settings().intl.Order, 1);
}

TEST_F(RegistrationTest, IntlDateOrder99DefersToTheSystem) {
    WriteModuleProfileInt("intl", "iDate", 99);
    ASSERT_EQ(Register(), 0);
    EXPECT_EQ(Engine_Settings().intl.Order, Engine_Settings().systemIntl.Order);
    EXPECT_EQ(Engine_Settings().intl.TimeSeparator, Engine_Settings().systemIntl.TimeSeparator);
}

TEST_F(RegistrationTest, CachedStrings) {
    ASSERT_EQ(Register(), 0);
    const char* caption = LoadCachedString(5749);
    EXPECT_STREQ(caption, "Ostrevane");
    EXPECT_EQ(LoadCachedString(5749), caption);
    EXPECT_STREQ(LoadCachedString(5615), "None");
    EXPECT_STREQ(LoadCachedString(5616), "Unknown");
    // Ids outside the engine's range used to index past the cache.
    for (UINT id : {0u, 5499u, 5750u, 70000u}) {
        SCOPED_TRACE(id);
        EXPECT_STREQ(LoadCachedString(id), ORB_STRING_NOT_FOUND);
        EXPECT_STREQ(LoadTextResource(id), ORB_STRING_NOT_FOUND);
    }
    EXPECT_STREQ(LoadCachedString(5500), ORB_STRING_NOT_FOUND); // none in the module
    EXPECT_STREQ(LoadTextResource(5501), ORB_STRING_NOT_FOUND);
}

TEST_F(RegistrationTest, SetStrings) {
    ASSERT_EQ(Register(), 0);
    struct Case {
        int code;
        const char* text;
    };
    const Case cases[] = {{0, "Get"},
                          {4, "Error"},
                          {571, "Size:"},
                          {569, "Result:"},
                          {7936, "Server Domain"},
                          {0x1234, "Unknown StringID=1234"},
                          {255, "Unknown StringID=ff"},
                          {-1, "Unknown StringID=ffffffff"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        char buffer[8192];
        EXPECT_EQ(ORB_GetSetString(c.code, buffer, 0), 0);
        EXPECT_STREQ(buffer, c.text);
    }
}

struct DisplayCall {
    std::string caption, text;
    UINT captionId, messageId;
    int keep;
};
std::vector<DisplayCall> g_displayed;

void CALLBACK RecordDisplay(HWND, const char* caption, const char* text, UINT captionId,
                            UINT messageId, int keep) {
    g_displayed.push_back({caption, text, captionId, messageId, keep});
}

TEST_F(RegistrationTest, ErrorsGoToTheRegisteredDisplay) {
    g_displayed.clear();
    ASSERT_EQ(Register(NULL, RecordDisplay), 0);
    EXPECT_EQ(glpfnDisplayReportError, &RecordDisplay);
    Engine_ReportError(NULL, "Ostrevane", "Bad thing", 5739, 5738, 0);
    ASSERT_EQ(g_displayed.size(), 1u);
    EXPECT_EQ(g_displayed[0].caption, "Ostrevane");
    EXPECT_EQ(g_displayed[0].text, "Bad thing");
    EXPECT_EQ(g_displayed[0].captionId, 5739u);
    EXPECT_EQ(g_displayed[0].messageId, 5738u);
}

// ovcarry registers without an error display: the engine shows a box instead
// of calling through a null pointer.
TEST_F(RegistrationTest, WithoutADisplayErrorsAreShownInABox) {
    ASSERT_EQ(Register(NULL, NULL), 0);
    ovtest::MsgBoxWatcher watcher;
    Engine_ReportError(NULL, "Ostrevane", "Bad thing", 0, 0, 0);
    ASSERT_TRUE(watcher.WaitFor(1));
    EXPECT_EQ(watcher.Seen()[0].caption, "Ostrevane");
    EXPECT_EQ(watcher.Seen()[0].text, "Bad thing");
}

TEST(MessageSinkTest, UnattendedMessagesShowNoBox) {
    ovtest::MsgBoxWatcher watcher;
    Engine_SetUnattended(TRUE);
    EXPECT_EQ(Engine_MessageBox(NULL, "text", "caption", MB_YESNO), IDYES);
    EXPECT_EQ(Engine_MessageBox(NULL, "text", "caption", MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(Engine_MessageBox(NULL, "text", "caption", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
    EXPECT_EQ(Engine_MessageBox(NULL, "text", "caption", MB_OK), IDOK);
    Engine_SetUnattended(FALSE);
    EXPECT_EQ(watcher.Count(), 0u);
    watcher.SetButton(IDNO);
    EXPECT_EQ(Engine_MessageBox(NULL, "Really?", "Question", MB_YESNO), IDNO);
    ASSERT_EQ(watcher.Count(), 1u);
    EXPECT_EQ(watcher.Seen()[0].text, "Really?");
}

TEST_F(RegistrationTest, ChartingLibraryStartsAndStops) {
    ovtest::MsgBoxWatcher watcher; // a failed start would show its message
    InitGSWLibrary(1, NULL);
    EXPECT_TRUE(ORB_IsGraphingAvailable());
    InitGSWLibrary(0, NULL); // per-run starts act only on old NT
    ACP_DeRegister(0);
    EXPECT_FALSE(ORB_IsGraphingAvailable());
    EXPECT_EQ(watcher.Count(), 0u);
}

TEST_F(RegistrationTest, AFailedChartingStartIsReportedAndLeavesGraphingOff) {
    g_displayed.clear();
    ASSERT_EQ(Register(NULL, RecordDisplay), 0);
    GswBinding_SetLibraryName("NOGSW32.dll");
    InitGSWLibrary(1, NULL);
    GswBinding_SetLibraryName(NULL);
    EXPECT_FALSE(ORB_IsGraphingAvailable());
    ASSERT_EQ(g_displayed.size(), 1u);
    EXPECT_EQ(g_displayed[0].caption, "Ostrevane");
    EXPECT_EQ(g_displayed[0].text,
              "Graphics library failed to load. Graphing will be disabled. Try killing the "
              "\"GSW32.exe\" from the Task Manager and restart Ostrevane.");
}

TEST_F(RegistrationTest, DeregistrationRemovesListingFilesUnlessDetecting) {
    install.Write("ovdesk\\datfiles\\fetch.dir", "x");
    install.Write("ovdesk\\datfiles\\keep.wlp", "x");
    ASSERT_EQ(Register(), 0);
    // "Detect" from engine start, before any settings reload: the listing
    // files used to be deleted by a plug-in that never reloaded.
    EXPECT_EQ(Engine_Settings().net.DownloadMode, (DWORD)ENGINE_FTP_DOWNLOAD_DETECT);
    ORB_DeRegister(0);
    EXPECT_TRUE(ovtest::FileExistsAt(install.Data() + "fetch.dir"));
    ASSERT_EQ(Register(), 0); // the freed slot is taken again
    EditEngineSettings([](EngineSettings& s) { s.net.DownloadMode = DOWNLOAD_ALWAYS; });
    ORB_DeRegister(0);
    EXPECT_FALSE(ovtest::FileExistsAt(install.Data() + "fetch.dir"));
    EXPECT_TRUE(ovtest::FileExistsAt(install.Data() + "keep.wlp"));
}

// The system library lists the account the tests run under, in a buffer it
// allocated and frees again: an answer of 0 alone lists nobody.
TEST(NetApiBindingTest, CallsGoThroughToTheLibrary) {
    LPBYTE buffer = nullptr;
    DWORD read = 0, total = 0, resume = 0;
    ASSERT_EQ(netapi::NetUserEnum(NULL, 0, FILTER_NORMAL_ACCOUNT, &buffer, MAX_PREFERRED_LENGTH,
                                  &read, &total, &resume),
              (NET_API_STATUS)NERR_Success);
    ASSERT_NE(buffer, nullptr);
    WCHAR me[UNLEN + 1] = L"";
    DWORD size = UNLEN + 1;
    ASSERT_TRUE(GetUserNameW(me, &size));
    const USER_INFO_0* users = reinterpret_cast<const USER_INFO_0*>(buffer);
    bool listed = false;
    for (DWORD i = 0; i < read; ++i)
        listed = listed || lstrcmpiW(users[i].usri0_name, me) == 0;
    EXPECT_TRUE(listed);
    EXPECT_EQ(netapi::NetApiBufferFree(buffer), (NET_API_STATUS)NERR_Success);
}

} // namespace
