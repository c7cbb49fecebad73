// The DNS cache files: names kept across registrations, damaged files.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "dns/dns_cache.h"
#include "core/engine_state.h"
#include "ovcore/dns.h"
#include "ovcore/ovcore.h"
#include "settings/install_folder.h"
#include "temp_install.h"

namespace {

DWORD Address(BYTE a, BYTE b, BYTE c, BYTE d) {
    return (DWORD)a | (DWORD)b << 8 | (DWORD)c << 16 | (DWORD)d << 24;
}

struct Slot {
    DWORD address, offset;
};

// An index file of n entries: addresses, then offsets.
std::string IndexBytes(const std::vector<Slot>& slots, size_t n) {
    std::vector<DWORD> words(2 * n, 0);
    for (size_t i = 0; i < slots.size(); ++i) {
        words[i] = slots[i].address;
        words[n + i] = slots[i].offset;
    }
    return std::string((const char*)words.data(), words.size() * 4);
}

class DnsCacheTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Engine_ResetLibraryState();
        ASSERT_TRUE(InstallFolder_SetFromFileName((install.Root() + "ovkit.dll").c_str()));
        install.Write("ovdesk\\ovdesk.ini", "[Defaults]\r\nDNSCacheEntries=4\r\n");
    }
    void TearDown() override {
        Engine_ResetLibraryState();
        InstallFolder_Reset();
    }
    void Register() {
        DWORD status = 0;
        slot = ORB_Register(install.Data().c_str(), 60, 1, NULL, &status, GetModuleHandleA(NULL), 0,
                            NULL, NULL);
        ASSERT_EQ(slot, 0);
        ASSERT_EQ(status, 1u); // WinSock bound: the cache reads addresses through it
    }
    // A later run of the program: the last client leaves, a new one comes.
    void Reopen() {
        ORB_DeRegister(slot);
        Engine_ResetLibraryState();
        Register();
    }
    std::string Lookup(const char* address, int expected = DNS_CACHE_FOUND) {
        char text[DNS_NAME_SIZE + 4];
        memset(text, 'G', sizeof(text));
        lstrcpynA(text, address, DNS_NAME_SIZE);
        DWORD value = 0;
        EXPECT_EQ(LookupDNSCache(text, &value), expected) << address;
        EXPECT_EQ(memcmp(text + DNS_NAME_SIZE, "GGGG", 4), 0) << "written past the name field";
        return text;
    }
    std::string DataFile(const char* name) { return ovtest::ReadFileBytes(install.Data() + name); }
    void WriteDataFiles(const std::string& lines, const std::string& index) {
        ORB_DeRegister(slot);
        Engine_ResetLibraryState();
        ASSERT_TRUE(ovtest::WriteFileBytes(install.Data() + "NSLOOKUP.DTX", lines));
        ASSERT_TRUE(ovtest::WriteFileBytes(install.Data() + "NSLOOKUP.DIN", index));
        Register();
    }

    ovtest::TempInstall install;
    short slot = -1;
};

TEST_F(DnsCacheTest, NamesAreHeldAcrossRegistrations) {
    Register();
    EXPECT_TRUE(ovtest::FileExistsAt(install.Data() + "NSLOOKUP.DTX"));
    EXPECT_EQ(DataFile("NSLOOKUP.DIN"), "");
    AddToDNSCache(Address(10, 0, 0, 1), "a.example.com");
    AddToDNSCache(Address(10, 0, 0, 2), "10.0.0.2"); // a failed look-up keeps its address
    AddToDNSCache(0, "never.cached");
    Reopen();
    EXPECT_EQ(DataFile("NSLOOKUP.DIN").size(), 32u);
    EXPECT_EQ(DataFile("NSLOOKUP.DTX").compare(0, 23, "a.example.com 10.0.0.1 "), 0);
    EXPECT_EQ(Lookup("10.0.0.1"), "a.example.com");
    EXPECT_EQ(Lookup("10.0.0.2"), "10.0.0.2");
    EXPECT_EQ(Lookup("10.0.0.3", DNS_CACHE_NOT_FOUND), "10.0.0.3");
    EXPECT_EQ(Lookup("host.example.com", DNS_CACHE_NOT_ADDRESS), "host.example.com");
    // A run that finds the cache closed opens it again in the registered folder.
    CloseDNSCache();
    Lookup("10.0.0.1", DNS_CACHE_NOT_FOUND);
    EXPECT_EQ(DNSCache_EnsureOpen(), 1);
    EXPECT_EQ(Lookup("10.0.0.1"), "a.example.com");
    // Three more names push the oldest out of the four-entry index.
    for (BYTE i = 3; i <= 5; ++i)
        AddToDNSCache(Address(10, 0, 0, i), "later.example.com");
    Lookup("10.0.0.1", DNS_CACHE_NOT_FOUND);
    EXPECT_EQ(Lookup("10.0.0.2"), "10.0.0.2");
}

TEST_F(DnsCacheTest, FlushLeavesEmptyFilesAndAnEmptyIndex) {
    Register();
    AddToDNSCache(Address(10, 0, 0, 1), "a.example.com");
    EXPECT_EQ(ORB_FlushDNSCache(0), 1);
    EXPECT_TRUE(DNSCache_IsOn());
    Lookup("10.0.0.1", DNS_CACHE_NOT_FOUND);
    EXPECT_EQ(DataFile("NSLOOKUP.DTX"), "");
    EXPECT_EQ(DataFile("NSLOOKUP.DIN"), "");
}

TEST_F(DnsCacheTest, DamagedFiles) {
    const std::string lines = "one.example 10.0.0.1 5F000000\r\n"    // offset 0
                              "two.example 10.0.0.2 5F000000\r\n"    // offset 31
                              "three.example 10.0.0.3 5F000000\r\n"; // offset 62
    const DWORD one = Address(10, 0, 0, 1), two = Address(10, 0, 0, 2);
    const DWORD three = Address(10, 0, 0, 3);
    Register();

    // Guards: an unreadable line zeroed its slot, which ended the index there.
    WriteDataFiles(lines, IndexBytes({{three, 5000}, {two, 31}, {one, 0}}, 4));
    Lookup("10.0.0.3", DNS_CACHE_NOT_FOUND);
    EXPECT_EQ(Lookup("10.0.0.1"), "one.example");
    EXPECT_EQ(Lookup("10.0.0.2"), "two.example");

    // Guards: an offset pointing at another address's line gave that host's name.
    WriteDataFiles(lines, IndexBytes({{three, 0}, {two, 31}}, 4));
    Lookup("10.0.0.3", DNS_CACHE_NOT_FOUND);
    EXPECT_EQ(Lookup("10.0.0.2"), "two.example");

    // Guards: a name of more than 99 characters overran the name field.
    const std::string longName(120, 'n');
    WriteDataFiles(longName + " 10.0.0.1 5F000000\r\n", IndexBytes({{one, 0}}, 4));
    EXPECT_EQ(Lookup("10.0.0.1"), longName.substr(0, 99));

    // Guards: an index of another size lost every entry (both halves read at N).
    WriteDataFiles(lines, IndexBytes({{two, 31}, {one, 0}}, 2));
    EXPECT_EQ(Lookup("10.0.0.1"), "one.example");
    EXPECT_EQ(Lookup("10.0.0.2"), "two.example");
    WriteDataFiles(lines, IndexBytes({{three, 62}, {two, 31}, {one, 0}}, 8));
    EXPECT_EQ(Lookup("10.0.0.3"), "three.example");
    EXPECT_EQ(Lookup("10.0.0.1"), "one.example");
    Reopen(); // written back at the entry count in force, without a stale tail
    EXPECT_EQ(DataFile("NSLOOKUP.DIN").size(), 32u);
    EXPECT_EQ(Lookup("10.0.0.1"), "one.example");

    // A truncated index keeps nothing.
    WriteDataFiles(lines, IndexBytes({{one, 0}}, 4).substr(0, 5));
    Lookup("10.0.0.1", DNS_CACHE_NOT_FOUND);
}

} // namespace
