// The agent driven as the SNMP service drives it, against the stand-in server.
#include <gtest/gtest.h>

#include "agent_fixture.h"
#include "wait_until.h"

using namespace ovbeacon_test;

namespace {

constexpr const char kDescription[] =
    "Ostrevane SNMP Agent (Extension for Microsoft's Extensible Agent)";
constexpr BYTE kGetResponsePdu = 0xA2;

class AgentTest : public ::testing::Test {
  protected:
    // Loads and starts an agent on a root of its own.
    void Start() {
        root = AgentFixture::FreshRoot(&instance);
        ASSERT_TRUE(f.Load(root));
        ASSERT_TRUE(f.host.Init(GetTickCount()));
    }
    void StartServer(const std::string& options = "") {
        ASSERT_TRUE(f.server.Start(instance, options));
        ASSERT_TRUE(f.server.WaitReady());
    }
    bool WaitConnected() {
        return ovtest::WaitUntil([&] { return f.host.Get(root + ".2.0").number == 42; }, 5000);
    }
    std::string Past() const {
        return AgentFixture::kPrefix + ("." + std::to_string(instance + 1));
    }

    AgentFixture f;
    std::string root;
    unsigned instance = 0;
};

Binding Str(const std::string& oid, const std::string& text) {
    Binding b{oid, ASN_OCTETSTRING};
    b.text = text;
    return b;
}
Binding Int(const std::string& oid, int n) {
    Binding b{oid, ASN_INTEGER};
    b.number = n;
    return b;
}

} // namespace

TEST_F(AgentTest, RefusesAMissingOrOverlongRoot) {
    for (const char* bad : {"", "1.2.3.4.5.6.7.8.9.10.11.12.13.14.15.16.17"}) {
        SCOPED_TRACE(bad);
        AgentFixture g;
        ASSERT_TRUE(g.Load(bad));
        EXPECT_FALSE(g.host.Init(GetTickCount()));
    }
}

// Trap time stamps were milliseconds; TimeTicks count hundredths of a second.
TEST_F(AgentTest, RegistersItsRootAndSendsOneStartTrapInHundredths) {
    root = AgentFixture::FreshRoot(&instance);
    ASSERT_TRUE(f.Load(root));
    ASSERT_TRUE(f.host.Init(GetTickCount() - 5000));
    EXPECT_EQ(root, f.host.View());
    std::vector<Trap> traps = f.host.DrainTraps(5000);
    ASSERT_EQ(1u, traps.size());
    EXPECT_EQ(AgentFixture::kPrefix, traps[0].enterprise);
    EXPECT_EQ(6, traps[0].generic);
    EXPECT_EQ(0, traps[0].specific);
    EXPECT_GE(traps[0].ticks, 500u);
    EXPECT_LT(traps[0].ticks, 1000u);
    ASSERT_EQ(1u, traps[0].bindings.size());
    EXPECT_EQ(root, traps[0].bindings[0].oid);
    EXPECT_EQ(ASN_INTEGER, traps[0].bindings[0].type);
    EXPECT_EQ(1, traps[0].bindings[0].number);
}

TEST_F(AgentTest, AnswersWithoutAServerAtOnce) {
    Start();
    struct Case {
        BYTE pdu;
        Binding ask;
        int status;
        std::string oid; // relative to the root; "past" for the next region
        BYTE type;
        std::string text;
        int number;
    } cases[] = {
        {SNMP_PDU_GET, {".1.0"}, 0, ".1.0", ASN_OCTETSTRING, kDescription, 0},
        {SNMP_PDU_GETNEXT, {""}, 0, ".1.0", ASN_OCTETSTRING, kDescription, 0},
        {SNMP_PDU_GET, {".2.0"}, 0, ".2.0", ASN_INTEGER, "", 1},
        {SNMP_PDU_GETNEXT, {".1.0"}, 0, ".2.0", ASN_INTEGER, "", 1},
        {SNMP_PDU_GET, {".3.1"}, 2, ".3.1", ASN_NULL, "", 0},
        {SNMP_PDU_GETNEXT, {".3.1"}, 0, "past", ASN_NULL, "", 0},
        {SNMP_PDU_SET, Str(".1.0", "x"), 2, ".1.0", ASN_OCTETSTRING, "x", 0},
        {SNMP_PDU_SET, Int(".2.0", 5), 2, ".2.0", ASN_INTEGER, "", 5},
        {kGetResponsePdu, {".1.0"}, 5, ".1.0", ASN_NULL, "", 0},
    };
    for (Case c : cases) {
        SCOPED_TRACE(std::to_string(c.pdu) + " " + c.ask.oid);
        c.ask.oid = root + c.ask.oid;
        DWORD t0 = GetTickCount();
        QueryResult r = f.host.Query(c.pdu, {c.ask});
        EXPECT_LT(GetTickCount() - t0, 500u);
        EXPECT_EQ(c.status, r.status);
        EXPECT_EQ(c.status ? 1 : 0, r.index);
        EXPECT_EQ(c.oid == "past" ? Past() : root + c.oid, r.bindings[0].oid);
        EXPECT_EQ(c.type, r.bindings[0].type);
        EXPECT_EQ(c.text, r.bindings[0].text);
        EXPECT_EQ(c.number, r.bindings[0].number);
    }
}

// The walk once went from "10.0" back to "2.0", because suffixes were compared as text.
TEST_F(AgentTest, WalkVisitsTheServersObjectsInNumericOrder) {
    Start();
    StartServer();
    ASSERT_TRUE(WaitConnected());
    std::vector<std::string> seen;
    std::string at = root;
    for (int i = 0; i < 10 && at.compare(0, root.size(), root) == 0; ++i) {
        QueryResult r = f.host.Query(SNMP_PDU_GETNEXT, {{at}});
        ASSERT_EQ(0, r.status);
        at = r.bindings[0].oid;
        std::string value = r.bindings[0].type == ASN_INTEGER ? std::to_string(r.bindings[0].number)
                                                              : r.bindings[0].text.substr(0, 9);
        seen.push_back(at.substr(0, root.size()) == root ? at.substr(root.size()) + "=" + value
                                                         : at);
    }
    std::vector<std::string> expected = {".1.0=Ostrevane", ".2.0=42",   ".3.1=running", ".3.2=7",
                                         ".3.3=vvvvvvvvv", ".10.0=ten", ".10.1=101",    Past()};
    EXPECT_EQ(expected, seen);
}

TEST_F(AgentTest, GetsFromTheServerAndNamesTheFailingBinding) {
    Start();
    StartServer();
    ASSERT_TRUE(WaitConnected());
    QueryResult r = f.host.Query(SNMP_PDU_GET, {{root + ".1.0"}, {root + ".3.1"}, {root + ".3.9"}});
    EXPECT_EQ(2, r.status);
    EXPECT_EQ(3, r.index);
    EXPECT_EQ("running", r.bindings[1].text);
}

// A server value that filled its field was read on past the block.
TEST_F(AgentTest, CutsAServerValueThatFillsItsField) {
    Start();
    StartServer();
    ASSERT_TRUE(WaitConnected());
    EXPECT_EQ(std::string(1023, 'v'), f.host.Get(root + ".3.3").text);
}

// Any type but SET used to go to the server as a write.
TEST_F(AgentTest, ForwardsSetsAndNothingElseAsAWrite) {
    Start();
    StartServer();
    ASSERT_TRUE(WaitConnected());
    EXPECT_EQ(0, f.host.Query(SNMP_PDU_SET, {Str(root + ".3.1", "stopped")}).status);
    EXPECT_EQ(0, f.host.Query(SNMP_PDU_SET, {Int(root + ".3.2", -5)}).status);
    EXPECT_EQ("stopped", f.host.Get(root + ".3.1").text);
    EXPECT_EQ(-5, f.host.Get(root + ".3.2").number);

    QueryResult r = f.host.Query(kGetResponsePdu, {Str(root + ".3.1", "changed")});
    EXPECT_EQ(5, r.status);
    EXPECT_EQ(1, r.index);
    EXPECT_EQ("stopped", f.host.Get(root + ".3.1").text);
}

// A late answer left the response signalled, and the next request took it.
TEST_F(AgentTest, LateAnswerFailsAndTheNextRequestGetsItsOwn) {
    Start();
    // The second answer comes after 100 ms, so a stale signal would be seen
    // first; the rest of the agent's second leaves room for a busy machine.
    StartServer("--late 3.1 1500 --late 3.2 100");
    ASSERT_TRUE(WaitConnected());
    while (f.server.Answered(0)) {
    }
    DWORD t0 = GetTickCount();
    QueryResult late = f.host.Query(SNMP_PDU_GET, {{root + ".3.1"}});
    EXPECT_GE(GetTickCount() - t0, 900u);
    EXPECT_EQ(2, late.status);
    EXPECT_EQ(ASN_NULL, late.bindings[0].type);
    ASSERT_TRUE(f.server.Answered(5000)); // the late answer has landed
    Binding next = f.host.Get(root + ".3.2");
    EXPECT_EQ(ASN_INTEGER, next.type);
    EXPECT_EQ(7, next.number);
}

// A server that stops answering, or keeps the mutex, must not hang the service.
TEST_F(AgentTest, SilentOrBusyServerFailsEachRequestWithinItsTime) {
    for (const char* mode : {"--silent-after 1", "--silent-after 1 --hold-mutex"}) {
        SCOPED_TRACE(mode);
        AgentFixture g;
        unsigned id = 0;
        std::string r = AgentFixture::FreshRoot(&id);
        ASSERT_TRUE(g.Load(r));
        ASSERT_TRUE(g.host.Init(GetTickCount()));
        ASSERT_TRUE(g.server.Start(id, mode));
        ASSERT_TRUE(g.server.WaitReady());
        ASSERT_TRUE(ovtest::WaitUntil([&] { return g.host.Get(r + ".2.0").number == 42; }, 5000));
        DWORD t0 = GetTickCount();
        QueryResult q = g.host.Query(SNMP_PDU_GET, {{r + ".2.0"}, {r + ".3.1"}});
        DWORD took = GetTickCount() - t0;
        EXPECT_GE(took, 1800u); // both exchanges were tried and timed out
        EXPECT_LT(took, 4000u);
        EXPECT_EQ(1, q.bindings[0].number); // 2.0 falls back to 1
        EXPECT_EQ(2, q.status);
        EXPECT_EQ(2, q.index);
    }
}

TEST_F(AgentTest, ConnectsToAServerThatStartsLater) {
    Start();
    EXPECT_EQ(1, f.host.Get(root + ".2.0").number);
    StartServer("--start-after 300");
    EXPECT_TRUE(WaitConnected());
}

TEST_F(AgentTest, PassesOnTheServersTrapsForItsInstance) {
    Start();
    StartServer("--trap-other \"9 other\" --trap \"12 Disk full\" --trap 7");
    std::vector<Trap> traps = f.host.DrainTraps(5000);
    ASSERT_EQ(3u, traps.size());
    EXPECT_EQ(0, traps[0].specific);
    EXPECT_EQ(12, traps[1].specific);
    ASSERT_EQ(2u, traps[1].bindings.size());
    EXPECT_EQ(ASN_OCTETSTRING, traps[1].bindings[1].type);
    EXPECT_EQ("Disk full", traps[1].bindings[1].text);
    EXPECT_EQ(root, traps[1].bindings[1].oid);
    EXPECT_EQ(7, traps[2].specific);
    EXPECT_EQ(1u, traps[2].bindings.size());
}

// The worker blocked in an endless wait while the library was unloaded under it.
TEST_F(AgentTest, UnloadsWhileItsWorkerWaits) {
    Start();
    StartServer();
    ASSERT_TRUE(WaitConnected()); // the worker now waits for a trap request
    EXPECT_TRUE(f.UnloadAgent());

    AgentFixture g; // and while it still looks for its server
    unsigned id = 0;
    ASSERT_TRUE(g.Load(AgentFixture::FreshRoot(&id)));
    ASSERT_TRUE(g.host.Init(GetTickCount()));
    EXPECT_TRUE(g.UnloadAgent());
}
