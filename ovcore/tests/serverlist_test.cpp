#include <gtest/gtest.h>
#include "ovcore/ovcore.h"
#include <string>

namespace {

// A list owned by the test.
struct ListHolder {
    ServerList* list = ServerList_New();
    ~ListHolder() { ServerList_Free(list); }
};

std::string DisplayName(const ServerList* list) {
    char text[SERVERLIST_DISPLAYNAME_SIZE];
    return ServerList_GetDisplayName(list, text);
}

std::string PathOf(const ServerList* list, DWORD n) {
    char text[SERVERINFO_PATH_SIZE];
    return ServerList_GetPath(list, n, text);
}

} // namespace

TEST(ServerList, DisplayNameNamesProtocolAndFirstPath) {
    struct Case {
        DWORD protocol;
        const char* path; // null: no server
        const char* expected;
    } cases[] = {{SERVER_PROTOCOL_FTP, nullptr, "ftp://<no file>"},
                 {3, "x", "unkProtocol://x"},
                 {SERVER_PROTOCOL_FILE, "c:\\logs\\a.log", "file:///c:\\logs\\a.log"},
                 {SERVER_PROTOCOL_HTTP, "host/a.log", "http://host/a.log"},
                 {SERVER_PROTOCOL_ODBC, "dsn", "odbc:dsn"},
                 // a path held with its prefix, as the profile reader keeps it, shows it once
                 {SERVER_PROTOCOL_ODBC, "odbc:MyDSN", "odbc:MyDSN"},
                 {SERVER_PROTOCOL_ODBC, nullptr, "odbc:<no file>"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        ListHolder h;
        ServerList_SetProtocol(h.list, c.protocol);
        if (c.path) {
            ASSERT_EQ(ServerList_AddServer(h.list, "s", c.path, "", ""), 1);
        }
        EXPECT_EQ(DisplayName(h.list), c.expected);
    }
}

TEST(ServerList, DisplayNameOfLongestPathFitsItsBuffer) {
    ListHolder h;
    ServerList_SetProtocol(h.list, 3);
    std::string path(400, 'p');
    ServerList_AddServer(h.list, "s", path.c_str(), "", "");
    EXPECT_EQ(DisplayName(h.list), "unkProtocol://" + std::string(299, 'p'));
}

TEST(ServerList, NewWithOnePathNamesLocalMachineWithEmptyCredentials) {
    ServerList* list = ServerList_NewWithOnePath(SERVER_PROTOCOL_FILE, "c:\\a.log");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(ServerList_Count(list), 1u);
    ServerInfo* info = ServerList_Get(list, 0);
    EXPECT_STREQ(info->szName, "LocalMachine");
    EXPECT_STREQ(info->szPath, "c:\\a.log");
    EXPECT_STREQ(info->szUsername, "");
    EXPECT_STREQ(info->szPassword, "");
    ServerList_Free(list);
}

TEST(ServerList, DeleteClosesTheGapAndIgnoresIndexesPastTheEnd) {
    ListHolder h;
    for (const char* path : {"a", "b", "c"})
        ServerList_AddServer(h.list, "s", path, "", "");
    ServerList_Delete(h.list, 3);
    ServerList_Delete(h.list, 0);
    ASSERT_EQ(ServerList_Count(h.list), 2u);
    EXPECT_EQ(PathOf(h.list, 0), "b");
    EXPECT_EQ(PathOf(h.list, 1), "c");
    EXPECT_EQ(PathOf(h.list, 2), "<no file>");
    EXPECT_EQ(ServerList_Get(h.list, 2), nullptr);
    char name[SERVERINFO_NAME_SIZE] = "junk";
    EXPECT_STREQ(ServerList_GetServerName(h.list, 5, name), "");
}

TEST(ServerList, CopyReplacesEntriesKeepsOrderAndIgnoresItself) {
    ListHolder src, dest;
    ServerList_SetProtocol(src.list, SERVER_PROTOCOL_FTP);
    ServerList_SetIsCluster(src.list, 1);
    ServerList_AddServer(src.list, "one", "p1", "u1", "w1");
    ServerList_AddServer(src.list, "two", "p2", "u2", "w2");
    ServerList_AddServer(dest.list, "old", "old", "", "");
    ASSERT_EQ(ServerList_Copy(dest.list, src.list), 1);
    EXPECT_EQ(ServerList_IsEqual(dest.list, src.list), 1);
    EXPECT_NE(ServerList_Get(dest.list, 0), ServerList_Get(src.list, 0)); // deep
    EXPECT_EQ(PathOf(dest.list, 1), "p2");

    EXPECT_EQ(ServerList_Copy(src.list, src.list), 1);
    EXPECT_EQ(ServerList_Count(src.list), 2u);
    EXPECT_EQ(PathOf(src.list, 0), "p1");
}

TEST(ServerList, EqualityNeedsFlagsAndEveryEntry) {
    ListHolder a, b;
    EXPECT_EQ(ServerList_IsEqual(nullptr, nullptr), 1);
    EXPECT_EQ(ServerList_IsEqual(a.list, nullptr), 0);
    ServerList_AddServer(a.list, "s", "p", "u", "w");
    ServerList_AddServer(b.list, "s", "p", "u", "w");
    EXPECT_EQ(ServerList_IsEqual(a.list, b.list), 1);
    ServerList_SetIsCluster(b.list, 1);
    EXPECT_EQ(ServerList_IsEqual(a.list, b.list), 0);
    ServerList_SetIsCluster(b.list, 0);
    ServerInfo_SetPassword(ServerList_Get(b.list, 0), "W");
    EXPECT_EQ(ServerList_IsEqual(a.list, b.list), 0);
}

// Setters and AddServer used to copy without bound into the fixed fields.
TEST(ServerList, SettersAreBoundedToTheirFields) {
    std::string longText(1000, 'x');
    ServerInfo* info = ServerInfo_New(longText.c_str(), longText.c_str());
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(std::string(info->szName).size(), 255u);
    EXPECT_EQ(std::string(info->szPath).size(), 299u);
    ServerInfo_SetUsername(info, longText.c_str());
    ServerInfo_SetPassword(info, longText.c_str());
    EXPECT_EQ(std::string(info->szUsername).size(), 63u);
    EXPECT_EQ(std::string(info->szPassword).size(), 63u);
    ServerInfo_SetName(info, "short");
    EXPECT_STREQ(info->szName, "short");
    ServerInfo_Free(info);
    ServerInfo_Free(nullptr);
}

// A null list is a programming error: asserted, then answered with 0 or null.
TEST(ServerList, NullListCallsAnswerEmpty) {
    char text[SERVERLIST_DISPLAYNAME_SIZE] = "junk";
    EXPECT_EQ(ServerList_Count(nullptr), 0u);
    EXPECT_EQ(ServerList_GetProtocol(nullptr), 0u);
    EXPECT_EQ(ServerList_Get(nullptr, 0), nullptr);
    EXPECT_EQ(ServerList_AddServer(nullptr, "s", "p", "", ""), 0);
    EXPECT_STREQ(ServerList_GetDisplayName(nullptr, text), "");
    ServerList_Delete(nullptr, 0);
    ServerList_FreeContents(nullptr);
    ServerList_Free(nullptr);
}
