// Log-source addresses: a path and type to an address and back.
#include <gtest/gtest.h>
#include "log_sources/log_source_address.h"
#include <windows.h>
#include <cstring>
#include <string>

namespace {
struct BuildCase {
    int Type;
    const char* Path;
    int Result;
    const char* Address;
};

const BuildCase kBuildCases[] = {
    {0, "C:\\logs\\a.log", 1, "file:///C:\\logs\\a.log"},
    {4, "WebLogs", 1, "odbc:WebLogs"},
    {1, "ftp.example.com/logs/a.log", 1, "ftp://ftp.example.com/logs/a.log"},
    {2, "www.example.com/logs/a.log", 1, "http://www.example.com/logs/a.log"},
    {2, "www.example.com", 0, nullptr},       // a host without a path
    {2, "/logs/a.log", 0, nullptr},           // no host
    {1, "ftp.example.com\\logs", 0, nullptr}, // backslash in a remote path
    {3, "logs@example.com", 1, "mailto:logs@example.com"},
    {3, "logs.example.com/x", 0, nullptr},          // mail needs an "@"
    {2, "ftp://host/a.log", 1, "ftp://host/a.log"}, // already an address
    {0, "mailto:a@b", 1, "mailto:a@b"},
    // A scheme typed in capitals is one too: it never gets a second.
    {2, "HTTP://host/a.log", 1, "HTTP://host/a.log"},
    {1, "FTP://host/a.log", 1, "FTP://host/a.log"},
    {7, "anything", 1, "anything"},
    {-1, "C:\\a.log", 1, "C:\\a.log"},
};

TEST(LogSourceAddress, BuildsAddressesByType) {
    for (const BuildCase& c : kBuildCases) {
        SCOPED_TRACE(std::string(c.Path) + " type " + std::to_string(c.Type));
        char address[MAX_PATH] = "untouched";
        ASSERT_EQ(BuildLogSourceUrl(c.Type, c.Path, address), c.Result);
        if (c.Address) {
            EXPECT_STREQ(address, c.Address);
        }
    }
}

TEST(LogSourceAddress, RefusesAnAddressThatWouldNotFit) {
    std::string path(MAX_PATH - 5, 'a');
    char address[MAX_PATH];
    EXPECT_EQ(BuildLogSourceUrl(0, path.c_str(), address), 0);
    path.resize(MAX_PATH - 1 - 8);
    EXPECT_EQ(BuildLogSourceUrl(0, path.c_str(), address), 1);
    EXPECT_EQ(strlen(address), (size_t)MAX_PATH - 1);
}

struct SplitCase {
    const char* Address;
    int Type;
    const char* Path;
};

const SplitCase kSplitCases[] = {
    {"file:///C|/logs/a.log", 0, "C:\\logs\\a.log"},
    {"FILE:///d|/x/", 0, "d:\\x\\"},
    {"file:///C:\\logs\\a.log", 0, "C:\\logs\\a.log"},
    {"file:///logs/a.log", 0, "logs/a.log"},
    {"ftp://host/a.log", 1, "host/a.log"},
    {"Http://host/a.log", 2, "host/a.log"},
    {"mailto:a@b.com", 3, "a@b.com"},
    {"ODBC:WebLogs", 4, "WebLogs"},
    {"C:\\logs\\a.log", 0, "C:\\logs\\a.log"},
    {"\\\\server\\share", 0, "\\\\server\\share"},
    {"..\\logs", 0, "..\\logs"},
    {"gopher://host/x", 0, "gopher://host/x"},
    {"", 0, ""},
};

TEST(LogSourceAddress, SplitsAddressesIntoPathAndType) {
    for (const SplitCase& c : kSplitCases) {
        SCOPED_TRACE(c.Address);
        char path[MAX_PATH] = "untouched";
        EXPECT_EQ(SplitLogSourceUrl(path, c.Address), c.Type);
        EXPECT_STREQ(path, c.Path);
    }
}

TEST(LogSourceAddress, SplitCutsAnOverlongAddressToTheBuffer) {
    std::string address = "ftp://" + std::string(2 * MAX_PATH, 'h');
    char guard[MAX_PATH + 8];
    memset(guard, 'x', sizeof guard);
    EXPECT_EQ(SplitLogSourceUrl(guard, address.c_str()), 1);
    EXPECT_EQ(strlen(guard), (size_t)MAX_PATH - 1);
    EXPECT_EQ(guard[MAX_PATH], 'x');
}

struct TypeCase {
    const char* Address;
    int Type;
    const char* Stripped;
};

const TypeCase kTypeCases[] = {
    {"odbc:WebLogs", 4, "WebLogs"},  {"file:///C:\\a.log", 0, "C:\\a.log"},
    {"HTTP://host/a", 2, "host/a"},  {"ftp://host/a", 1, "host/a"},
    {"mailto:a@b", 0, "mailto:a@b"}, {"gopher://host/a", 0, "gopher://host/a"},
    {"C:\\a.log", 0, "C:\\a.log"},
};

TEST(LogSourceAddress, TypeAndStrippedPathOfAnAddress) {
    for (const TypeCase& c : kTypeCases) {
        SCOPED_TRACE(c.Address);
        EXPECT_EQ(GetLogSourceType(c.Address), c.Type);
        EXPECT_STREQ(StripLogSourcePrefix(c.Address), c.Stripped);
    }
}
} // namespace
