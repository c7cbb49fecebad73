// The DNS look-up ring: both look-up modes on 127.0.0.1 for real, and a
// resolver seam for failures and time-outs (it sends nothing anywhere).
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "dns/dns_cache.h"
#include "dns/dns_ring.h"
#include "core/engine_state.h"
#include "core/message_sink.h"
#include "core/net_binding.h"
#include "ovcore/ovcore.h"
#include "settings/install_folder.h"
#include "temp_install.h"
#include "wait_until.h"

namespace {

struct Seen {
    std::string client, domain, suffix, country, server;
};

std::vector<Seen>* g_seen = nullptr;
int g_failOnCall = 0; // hand-on fails on this call (1-based); 0 never
int g_calls = 0;

int g_pumps = 0;

int CALLBACK Pump() {
    ++g_pumps;
    ovtest::PumpMessages();
    return 0;
}

int Collect(DnsRun*, HitRecord* hit) {
    if (++g_calls == g_failOnCall)
        return 0;
    // Suffix and country keep a short code behind their terminator: the
    // display text is what a reader sees.
    g_seen->push_back(
        {hit->szClientAddr, hit->szDomain, hit->szDomainType, hit->szCountry, hit->szServerAddr});
    return 1;
}

// A hit as a line parser leaves it: every text slot set.
struct TestHit {
    HitRecord rec = {};
    TestHit(const char* client, const char* server = "") {
        char* empty = HitRecord_EmptyText;
        char** slots[] = {&rec.lpszProtocol, &rec.lpszUrl,      &rec.lpszServerAddr,
                          &rec.lpszUserName, &rec.lpszReferrer, &rec.lpszUserAgent,
                          &rec.lpszCookie,   &rec.lpszBytesIn,  &rec.lpszBytesOut,
                          &rec.lpszMethod,   &rec.lpszDateTime, &rec.lpszServerName};
        for (char** slot : slots)
            *slot = empty;
        rec.lpszStatus = const_cast<char*>("200");
        lstrcpynA(rec.szClientAddr, client, sizeof(rec.szClientAddr));
        rec.lpszClientAddr = rec.szClientAddr;
        lstrcpynA(rec.szServerAddr, server, sizeof(rec.szServerAddr));
        rec.dwValid = 1;
    }
};

// --- The resolver seam ---

LONG g_lookups = 0;
LONG g_cleanups = 0;
HANDLE g_release = NULL; // set: blocked look-ups go on
BOOL g_block = FALSE;
BOOL g_startFails = FALSE;
char g_fakeName[64] = "";
hostent g_fakeHost = {};

int WSAAPI FakeStartup(WORD, LPWSADATA) {
    return g_startFails ? WSASYSNOTREADY : 0;
}
int WSAAPI FakeCleanup() {
    InterlockedIncrement(&g_cleanups);
    return 0;
}
hostent* WSAAPI FakeGetHostByAddr(const char*, int, int) {
    InterlockedIncrement(&g_lookups);
    if (g_block)
        WaitForSingleObject(g_release, INFINITE);
    if (!g_fakeName[0])
        return nullptr;
    g_fakeHost.h_name = g_fakeName;
    return &g_fakeHost;
}

enum AsyncAnswer { kRefuse, kNever, kError, kName };
AsyncAnswer g_async = kName;
LONG g_cancels = 0;

HANDLE WSAAPI FakeAsync(HWND wnd, u_int msg, const char*, int, int, char* buf, int) {
    InterlockedIncrement(&g_lookups);
    HANDLE request = (HANDLE)(INT_PTR)(0x4000 + g_lookups);
    if (g_async == kRefuse)
        return 0;
    if (g_async == kName) {
        hostent* host = reinterpret_cast<hostent*>(buf);
        char* name = buf + sizeof(hostent);
        strcpy(name, g_fakeName);
        host->h_name = name;
    }
    if (g_async != kNever)
        PostMessageA(wnd, msg, (WPARAM)request,
                     WSAMAKEASYNCREPLY(0, g_async == kError ? WSAHOST_NOT_FOUND : 0));
    return request;
}
int WSAAPI FakeCancel(HANDLE) {
    InterlockedIncrement(&g_cancels);
    return 0;
}

WinsockApi FakeResolver() {
    WinsockApi api = {};
    api.WSAStartup = FakeStartup;
    api.WSACleanup = FakeCleanup;
    api.gethostbyaddr = FakeGetHostByAddr;
    api.WSAAsyncGetHostByAddr = FakeAsync;
    api.WSACancelAsyncRequest = FakeCancel;
    return api;
}
const WinsockApi kFakeResolver = FakeResolver();

class DnsRingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Engine_ResetLibraryState();
        ASSERT_TRUE(InstallFolder_SetFromFileName((install.Root() + "ovkit.dll").c_str()));
        g_seen = &seen;
        g_calls = g_failOnCall = 0;
        g_lookups = g_cleanups = g_cancels = 0;
        g_block = g_startFails = FALSE;
        strcpy(g_fakeName, "fake.example.net");
        g_async = kName;
        g_release = CreateEventA(NULL, TRUE, FALSE, NULL);
        run = {DNS_MODE_ON, 6, 5000, nullptr, Collect, nullptr};
    }
    void TearDown() override {
        SetEvent(g_release);
        Engine_ResetLibraryState();
        DnsLookup_SetResolver(nullptr);
        Engine_SetUnattended(FALSE);
        InstallFolder_Reset();
        CloseHandle(g_release);
    }
    void Register(const char* defaults = "") {
        install.Write("ovdesk\\ovdesk.ini", std::string("[Defaults]\r\n") + defaults);
        DWORD status = 0;
        slot = ORB_Register(install.Data().c_str(), 60, 1, Pump, &status, GetModuleHandleA(NULL), 0,
                            NULL, NULL);
        ASSERT_EQ(slot, 0);
        ASSERT_EQ(status, 1u);
    }
    void Queue(const char* client, const char* server = "") {
        TestHit hit(client, server);
        ASSERT_EQ(QueueHitForDNS(&run, &hit.rec), 1) << client;
        CheckDNS(&run);
    }
    void Drain() {
        ASSERT_TRUE(ovtest::WaitUntil([&] { return CheckDNS(&run) == DNS_CHECK_EMPTY; }, 20000));
    }
    std::vector<std::string> Clients() const {
        std::vector<std::string> out;
        for (const Seen& s : seen)
            out.push_back(s.client);
        return out;
    }

    ovtest::TempInstall install;
    short slot = -1;
    DnsRun run;
    std::vector<Seen> seen;
};

using Names = std::vector<std::string>;

// What WinSock itself answers for 127.0.0.1 on this machine.
std::string LoopbackName() {
    DWORD address = htonl(INADDR_LOOPBACK);
    hostent* host =
        NetBinding_Winsock().gethostbyaddr(reinterpret_cast<const char*>(&address), 4, AF_INET);
    return host && host->h_name ? host->h_name : "127.0.0.1";
}

TEST_F(DnsRingTest, BothModesResolveLoopbackInLogOrderAndCacheIt) {
    for (const char* mode : {"", "ForceSlowDNS=1\r\n"}) {
        SCOPED_TRACE(mode[0] ? "window-driven" : "threaded");
        Engine_ResetLibraryState();
        seen.clear();
        Register(mode);
        EXPECT_EQ(DnsLookup_Threaded(), mode[0] == 0);
        if (!DnsLookup_Threaded()) {
            HWND window = CreateDNSWindow();
            ASSERT_NE(window, (HWND)NULL);
            // Other test programs may have DNS windows of their own open.
            char className[16] = "", title[16] = "";
            GetClassNameA(window, className, sizeof className);
            GetWindowTextA(window, title, sizeof title);
            EXPECT_STREQ(className, "DNSLOOK");
            EXPECT_STREQ(title, "DNS Window");
            EXPECT_FALSE(IsWindowVisible(window)); // never shown
        }
        const std::string name = LoopbackName();
        Queue("127.0.0.1");
        Queue("www.example.com"); // a name: no look-up
        Queue("127.0.0.1");
        Drain();
        EXPECT_EQ(Clients(), (Names{name, "www.example.com", name}));
        char text[DNS_NAME_SIZE] = "127.0.0.1";
        DWORD address = 0;
        EXPECT_EQ(LookupDNSCache(text, &address), DNS_CACHE_FOUND);
        EXPECT_EQ(text, name);
    }
}

TEST_F(DnsRingTest, ThePumpIsCalledByElapsedTimeNotPerHit) {
    Register();
    g_pumps = 0;
    DWORD start = GetTickCount();
    for (int i = 0; i < 3000; ++i)
        Queue("www.example.com"); // a name: handed on at once
    DWORD elapsed = GetTickCount() - start;
    EXPECT_EQ(seen.size(), 3000u);
    EXPECT_LE(g_pumps, int(elapsed / 20 + 2)) << elapsed << " ms";
}

TEST_F(DnsRingTest, SameAddressIsLookedUpOnceAndServerNamesPassToTheClientHit) {
    Register();
    DnsLookup_SetResolver(&kFakeResolver);
    g_block = TRUE;
    Queue("10.1.1.1", "10.2.2.2");
    Queue("10.1.1.1");
    SetEvent(g_release);
    Drain();
    EXPECT_EQ(g_lookups, 2); // the client address and the server address, once each
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].client, "fake.example.net");
    EXPECT_EQ(seen[0].server, "fake.example.net");
    EXPECT_EQ(seen[1].client, "fake.example.net");
    EXPECT_EQ(seen[0].domain, "example.net");
    EXPECT_EQ(seen[0].suffix, "Network (.net)");
}

TEST_F(DnsRingTest, ThreadedLookupsInFlightAreBoundedByMaxDNSThreads) {
    Register("MaxDNSThreads=2\r\n");
    DnsLookup_SetResolver(&kFakeResolver);
    g_block = TRUE;
    Queue("10.1.1.1");
    Queue("10.1.1.2");
    EXPECT_EQ(CheckDNS(&run), DNS_CHECK_PENDING); // the tail's look-up is not counted
    Queue("10.1.1.3");
    EXPECT_EQ(CheckDNS(&run), DNS_CHECK_BUSY);
    EXPECT_EQ(DnsRing_Stats().peakInFlight, 2);
    SetEvent(g_release);
    Drain();
    EXPECT_EQ(seen.size(), 3u);
}

TEST_F(DnsRingTest, LookupsOffPassHitsStraightThroughWithPresetNames) {
    Register();
    DnsLookup_SetResolver(&kFakeResolver);
    run.dnsMode = DNS_MODE_OFF;
    Queue("10.1.1.1");
    Queue("www.bbc.co.uk");
    Drain();
    EXPECT_EQ(g_lookups, 0);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].domain, "Numeric IP");
    EXPECT_EQ(seen[0].suffix, "None");
    EXPECT_EQ(seen[0].country, "Unknown");
    EXPECT_EQ(seen[1].domain, "bbc.co.uk");
    EXPECT_EQ(seen[1].country, "United Kingdom (UK)");

    // A closed run's entries are released without being handed on.
    TestHit hit("10.1.1.1");
    ASSERT_EQ(QueueHitForDNS(&run, &hit.rec), 1);
    AbandonDNSFifo();
    EXPECT_EQ(CheckDNS(&run), DNS_CHECK_EMPTY);
    EXPECT_EQ(seen.size(), 2u);
}

TEST_F(DnsRingTest, ModeUntilNameStopsAtTheFirstHostName) {
    Register();
    DnsLookup_SetResolver(&kFakeResolver);
    run.dnsMode = DNS_MODE_UNTIL_NAME;
    Queue("host.example.com");
    Queue("10.1.1.1");
    Drain();
    EXPECT_EQ(run.dnsMode, DNS_MODE_OFF);
    EXPECT_EQ(g_lookups, 0);
    EXPECT_EQ(Clients(), (Names{"host.example.com", "10.1.1.1"}));
}

// Failed and timed-out look-ups keep the address, which is cached as the name.
TEST_F(DnsRingTest, FailuresAndTimeOutsEndTheEntry) {
    struct Case {
        const char* what;
        const char* settings;
        AsyncAnswer async;
        BOOL startFails;
        LONG timeouts;
    } cases[] = {
        {"thread: no host", "", kName, FALSE, 0},
        // Guards: a failed WinSock start in the thread left the entry waiting for ever.
        {"thread: WinSock start fails", "", kName, TRUE, 0},
        // Guards: a refused asynchronous request left the entry waiting for ever.
        {"window: request refused", "ForceSlowDNS=1\r\n", kRefuse, FALSE, 0},
        {"window: error answer", "ForceSlowDNS=1\r\n", kError, FALSE, 0},
        {"window: no answer", "ForceSlowDNS=1\r\n", kNever, FALSE, 1},
    };
    Engine_SetUnattended(TRUE); // the WinSock start failure's box goes to the debug output
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Engine_ResetLibraryState();
        seen.clear();
        Register(c.settings);
        DnsLookup_SetResolver(&kFakeResolver);
        ORB_FlushDNSCache(0); // every case looks the address up afresh
        g_lookups = 0;
        g_fakeName[0] = 0;
        g_async = c.async;
        g_startFails = c.startFails;
        run.timeoutMs = 300;
        Queue("10.3.3.3");
        Drain();
        EXPECT_EQ(Clients(), (Names{"10.3.3.3"}));
        EXPECT_EQ(g_lookups, c.startFails ? 0 : 1);
        EXPECT_EQ(DnsRing_Stats().timeouts, c.timeouts);
        EXPECT_EQ(g_cancels, c.timeouts);
        char text[DNS_NAME_SIZE] = "10.3.3.3";
        DWORD address = 0;
        EXPECT_EQ(LookupDNSCache(text, &address), DNS_CACHE_FOUND);
        EXPECT_STREQ(text, "10.3.3.3");
        g_cancels = 0;
    }
}

// Guards: a hit the run could not take while the ring waited for room was
// lost and the run went on.
TEST_F(DnsRingTest, AFailureWhileWaitingForRoomStopsTheRun) {
    Register("DNSLookupQueueSize=2\r\n");
    run.dnsMode = DNS_MODE_OFF;
    g_failOnCall = 1;
    TestHit a("10.0.0.1"), b("10.0.0.2"), c("10.0.0.3");
    ASSERT_EQ(QueueHitForDNS(&run, &a.rec), 1);
    ASSERT_EQ(QueueHitForDNS(&run, &b.rec), 1);
    EXPECT_EQ(QueueHitForDNS(&run, &c.rec), -1);
    // The failed entry was released: the ring goes on draining.
    EXPECT_EQ(CheckDNS(&run), DNS_CHECK_EMPTY);
    EXPECT_EQ(Clients(), (Names{"10.0.0.2"}));
}

// Guards: deregistration freed the ring under look-up threads still writing into it.
TEST_F(DnsRingTest, DeregistrationWithLookupsInFlight) {
    Register();
    DnsLookup_SetResolver(&kFakeResolver);
    g_block = TRUE;
    Queue("10.4.4.4");
    ASSERT_TRUE(ovtest::WaitUntil([] { return g_lookups == 1; }));
    DWORD start = GetTickCount();
    ORB_DeRegister(slot);
    EXPECT_LT(GetTickCount() - start, 10000u);
    EXPECT_EQ(Engine_State().dnsRing, nullptr);
    SetEvent(g_release); // the thread now writes into the ring it was left
    EXPECT_TRUE(ovtest::WaitUntil([] { return g_cleanups == 1; }));

    // Entry points fail cleanly without a ring.
    TestHit hit("10.0.0.1");
    EXPECT_EQ(QueueHitForDNS(&run, &hit.rec), -1);
    EXPECT_EQ(CheckDNS(&run), DNS_CHECK_EMPTY);
    AbandonDNSFifo();
}

TEST(HostNames, SplitIntoDomainSuffixAndCountry) {
    const std::string longLabel(55, 'x');
    const std::string longName = "h.abcdefghijklmnopqrst." + longLabel;
    const std::string longDomain = ("abcdefghijklmnopqrst." + longLabel).substr(0, 59);
    const std::string longCountry = longLabel.substr(0, 49);
    struct Case {
        const char* name;
        const char* domain;
        const char* suffix;
        const char* suffixCode;
        const char* country;
        const char* countryCode;
    } cases[] = {
        {"www.bbc.co.uk", "bbc.co.uk", "Country Code", "", "United Kingdom (UK)", "uk"},
        {"a.b.com", "b.com", "Company (.com)", "com", "United States (.us)", "US"},
        {"x.state.ny.us", "state.ny.us", "United States (.us)", "us", "United States (.us)", "US"},
        {"host.example.KR", "host.example.KR", "Country Code", "", "Korea, Republic of (KR)", "KR"},
        {"example.zz", "example.zz", "Country Code", "", "zz", ""},
        {"localhost", "localhost", "None", "", "Unknown", ""},
        // Guards: long labels were copied unbounded into the 60/50-byte fields.
        {longName.c_str(), longDomain.c_str(), "Country Code", "", longCountry.c_str(), ""},
    };
    ovtest::TempInstall install;
    Engine_ResetLibraryState();
    ASSERT_TRUE(InstallFolder_SetFromFileName((install.Root() + "ovkit.dll").c_str()));
    ASSERT_GE(ORB_Register(install.Data().c_str(), 60, 1, NULL, NULL, GetModuleHandleA(NULL), 0,
                           NULL, NULL),
              0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HitRecord hit = {};
        memset(hit.szDomain, 'G',
               sizeof(hit.szDomain) + sizeof(hit.szDomainType) + sizeof(hit.szCountry));
        memset(hit.szServerAddr, 'S', sizeof(hit.szServerAddr));
        lstrcpynA(hit.szClientAddr, c.name, sizeof(hit.szClientAddr));
        SplitHostName(&hit);
        EXPECT_STREQ(hit.szDomain, c.domain);
        EXPECT_STREQ(hit.szDomainType, c.suffix);
        if (c.suffixCode[0]) {
            EXPECT_STREQ(hit.szDomainType + strlen(hit.szDomainType) + 1, c.suffixCode);
        }
        EXPECT_STREQ(hit.szCountry, c.country);
        if (c.countryCode[0]) {
            EXPECT_STREQ(hit.szCountry + strlen(hit.szCountry) + 1, c.countryCode);
        }
        EXPECT_EQ(hit.szServerAddr[0], 'S'); // nothing written past the country field
    }
    Engine_ResetLibraryState();
    InstallFolder_Reset();
}

} // namespace
