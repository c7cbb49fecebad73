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

// Guards parts cut to 259 characters: a part that does not fit fails the call.
TEST(UrlParse, PartsThatDoNotFitFailEmpty) {
    std::string fits(MAX_PATH - 1, 'a'), tooLong(MAX_PATH, 'a');
    const struct {
        std::string url;
        bool ok;
    } cases[] = {
        {"http://" + fits + "/" + fits + "?" + fits, true},
        {"http://" + tooLong + "/p?q", false},
        {"http://h/" + tooLong, false},
        {"http://h/p?" + tooLong, false},
        {tooLong + "://h/p", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url.size());
        // Each output is MAX_PATH bytes followed by a guard zone.
        char out[4][MAX_PATH + 32];
        std::memset(out, '#', sizeof out);
        EXPECT_EQ(OVKIT_ParseURL(c.url.c_str(), out[0], out[1], out[2], out[3]), c.ok);
        for (int i = 0; i < 4; ++i) {
            for (int j = MAX_PATH; j < MAX_PATH + 32; ++j)
                ASSERT_EQ(out[i][j], '#');
            if (!c.ok) {
                EXPECT_STREQ(out[i], "");
            }
        }
        if (c.ok) {
            EXPECT_EQ(std::string(out[3]), fits);
        }
    }
    EXPECT_FALSE(OVKIT_ParseURL(nullptr, nullptr, nullptr, nullptr, nullptr));
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

// Guards URLs cut to 259 characters: a URL that does not fit fails the call.
TEST(UrlBuild, UrlsThatDoNotFitFailEmpty) {
    // "http://" + host + "/" + path: 8 characters around the two parts.
    const struct {
        size_t host, path;
        const char* hostEnd;
        bool ok;
    } cases[] = {
        {100, MAX_PATH - 1 - 8 - 100, "", true},
        {100, MAX_PATH - 8 - 100, "", false},
        {100, MAX_PATH - 1 - 8 - 100, "/", true}, // the host's own slash is not doubled
        {300, 0, "", false},
    };
    for (const auto& c : cases) {
        std::string host = std::string(c.host, 'h') + c.hostEnd, path(c.path, 'p');
        SCOPED_TRACE(host.size() + path.size());
        char out[MAX_PATH + 32];
        std::memset(out, '#', sizeof out);
        EXPECT_EQ(OVKIT_BuildURL(out, "http", host.c_str(), path.c_str(), nullptr), c.ok);
        EXPECT_EQ(std::strlen(out), c.ok ? size_t(MAX_PATH - 1) : 0u);
        for (int j = MAX_PATH; j < MAX_PATH + 32; ++j)
            ASSERT_EQ(out[j], '#');
    }
    char out[MAX_PATH];
    std::string query(MAX_PATH, 'q');
    EXPECT_FALSE(OVKIT_BuildURL(out, "http", "h", "p", query.c_str()));
    EXPECT_STREQ(out, "");
}

} // namespace
