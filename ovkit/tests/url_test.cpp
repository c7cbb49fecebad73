#include <gtest/gtest.h>
#include "ovkit/urlutil.h"
#include <cstring>
#include <string>

namespace {

struct ParseCase {
    const char* url;
    const char* scheme;
    const char* host;
    const char* path;
    const char* query;
};

TEST(UrlParse, Parts) {
    const ParseCase cases[] = {
        {"ftp://H/dir/file.log", "ftp", "H", "dir/file.log", ""},
        {"http://www.x.com/a/b.htm?id=1&b=2", "http", "www.x.com", "a/b.htm", "id=1&b=2"},
        {"/dir/x?y=1", "", "", "/dir/x", "y=1"},
        // The only "://" stands in the query: no scheme.
        {"/cgi?go=http://h/x", "", "", "/cgi", "go=http://h/x"},
        // A slash in the query does not end the host.
        {"http://H?a=b/c", "http", "", "H", "a=b/c"},
        {"http://H", "http", "", "H", ""},
        // The '?' is the last one: the path may hold one.
        {"http://h/a?b?c", "http", "h", "a?b", "c"},
        {"file:///c:/logs/x.log", "file", "", "c:/logs/x.log", ""},
        {"c:\\logs\\x.log", "", "", "c:\\logs\\x.log", ""},
        {"://h/p", "", "h", "p", ""},
        {"http://h/", "http", "h", "", ""},
        {"?", "", "", "", ""},
        {"", "", "", "", ""},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.url);
        char scheme[MAX_PATH] = "x", host[MAX_PATH] = "x", path[MAX_PATH] = "x",
             query[MAX_PATH] = "x";
        OVKIT_ParseURL(c.url, scheme, host, path, query);
        EXPECT_STREQ(scheme, c.scheme);
        EXPECT_STREQ(host, c.host);
        EXPECT_STREQ(path, c.path);
        EXPECT_STREQ(query, c.query);
    }
}

TEST(UrlParse, NullOutputsSkipped) {
    char query[MAX_PATH];
    OVKIT_ParseURL("http://h/p?q", nullptr, nullptr, nullptr, query);
    EXPECT_STREQ(query, "q");
}

TEST(UrlParse, LongPartsStayWithinMaxPath) {
    std::string longPart(400, 'a');
    std::string url = "http://" + longPart + "/" + longPart + "?" + longPart;
    // Each output is MAX_PATH bytes followed by a guard zone.
    char out[4][MAX_PATH + 32];
    std::memset(out, '#', sizeof out);
    OVKIT_ParseURL(url.c_str(), out[0], out[1], out[2], out[3]);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(std::strlen(out[i]), i == 0 ? 4u : size_t(MAX_PATH - 1));
        for (int j = MAX_PATH; j < MAX_PATH + 32; ++j)
            ASSERT_EQ(out[i][j], '#');
    }
}

struct BuildCase {
    const char* scheme;
    const char* host;
    const char* path;
    const char* query;
    const char* url;
};

TEST(UrlBuild, Joins) {
    const BuildCase cases[] = {
        {"http", "H/", "/a/b.htm", "id=1", "http://H/a/b.htm?id=1"},
        {nullptr, nullptr, "c:/logs/x.log", nullptr, "file:///c:/logs/x.log"},
        {"", "", "x", "", "file:///x"},
        {"ftp://", "", "x", nullptr, "ftp:///x"},
        {"http", "/H\\", "p", "?q=1", "http://H/p?q=1"},
        {"http", "H", nullptr, nullptr, "http://H/"},
    };
    for (const BuildCase& c : cases) {
        SCOPED_TRACE(c.url);
        char out[MAX_PATH];
        OVKIT_BuildURL(out, c.scheme, c.host, c.path, c.query);
        EXPECT_STREQ(out, c.url);
    }
}

TEST(UrlBuild, RoundTripsThroughParse) {
    char scheme[MAX_PATH], host[MAX_PATH], path[MAX_PATH], query[MAX_PATH], out[MAX_PATH];
    OVKIT_ParseURL("http://www.x.com/dir/page.htm?a=1", scheme, host, path, query);
    OVKIT_BuildURL(out, scheme, host, path, query);
    EXPECT_STREQ(out, "http://www.x.com/dir/page.htm?a=1");
}

TEST(UrlBuild, LongPartsStayWithinMaxPath) {
    std::string longPart(300, 'p');
    char out[MAX_PATH + 32];
    std::memset(out, '#', sizeof out);
    OVKIT_BuildURL(out, "http", longPart.c_str(), longPart.c_str(), longPart.c_str());
    EXPECT_EQ(std::strlen(out), size_t(MAX_PATH - 1));
    for (int j = MAX_PATH; j < MAX_PATH + 32; ++j)
        ASSERT_EQ(out[j], '#');
}

} // namespace
