// The GET request text and the reading of an answer's head.
#include <gtest/gtest.h>

#include <string>

#include "fetch/http_request.h"
#include "fetch/http_response.h"
#include "core/net_binding.h"
#include "netsettings/host_resolver.h"

namespace {

TEST(HttpRequest, LinesFollowTheRoadRangeAndCredentials) {
    const std::string accepts =
        "Accept: */*\r\nAccept: image/gif\r\nAccept: image/x-xbitmap\r\nAccept: image/jpeg\r\n\r\n";
    struct Case {
        BOOL proxy;
        int range;
        const char* auth;
        const char* agent;
        std::string text;
    } cases[] = {
        {FALSE, HTTP_RANGE_NONE, "", "UA",
         "GET /l/a.log HTTP/1.0\r\nHost: h\r\nUser-Agent: UA\r\n" + accepts},
        {TRUE, HTTP_RANGE_TAIL, "dTpw", nullptr,
         "GET http://h/l/a.log HTTP/1.0\r\nHost: h\r\nProxy-Authorization: Basic cHg=\r\n"
         "Range: bytes=4294968320-\r\nAuthorization: Basic dTpw\r\n" +
             accepts},
    };
    for (const Case& c : cases) {
        HttpRequestParts p = {};
        p.host = "h";
        p.path = "/l/a.log";
        p.viaProxy = c.proxy;
        p.proxyAuth = "cHg=";
        p.serverAuth = c.auth;
        p.userAgent = c.agent;
        p.rangeMode = c.range;
        p.copySize = 0x100000000ULL + 2048; // above 4 GB: the range start is not cut to 32 bits
        char text[HTTP_REQUEST_SIZE];
        EXPECT_EQ(Http_BuildRequest(&p, text, sizeof(text)), (int)c.text.size());
        EXPECT_EQ(text, c.text);
    }
}

// A request that does not fit is refused whole, never sent cut.
TEST(HttpRequest, OverLongRequestIsRefused) {
    std::string path = "/" + std::string(430, 'p');
    HttpRequestParts p = {};
    p.host = "h";
    p.path = path.c_str();
    char text[HTTP_REQUEST_SIZE];
    EXPECT_EQ(Http_BuildRequest(&p, text, sizeof(text)), -1);
    EXPECT_STREQ(text, "");
    char credentials[8];
    EXPECT_FALSE(Http_BasicCredentials("user", "password", credentials, sizeof(credentials)));
    EXPECT_TRUE(Http_BasicCredentials("u", "p", credentials, sizeof(credentials)));
    EXPECT_STREQ(credentials, "dTpw");
}

TEST(HttpResponse, HeadsAreFoundAndRead) {
    struct Case {
        std::string data;
        int found, status;
        size_t headLength;
        long long length; // -1: no length header
    } cases[] = {
        {"HTTP/1.1 200 OK\r\nContent-Length: 12\r\n\r\n\r\nbody", 1, 200, 39, 12},
        // without a blank after the colon the first digit used to be lost
        {"HTTP/1.0 200 OK\r\ncontent-length:345\r\n\r\n", 1, 200, 39, 345},
        {"HTTP/1.0 404 Not Found\n\nx", 1, 404, 24, -1},
        {"HTTP/1.0 200 OK\r\nContent-Length: 3\r\n", 0, 0, 0, -1},
        {"HTTP/1", 0, 0, 0, -1},
        {"SSH-2.0-OpenSSH\r\n\r\n", -1, 0, 0, -1},
        {"HTTP/1.0 2x0 OK\r\n\r\n", -1, 0, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.data);
        int status = 0;
        DWORD headLength = 0;
        ASSERT_EQ(Http_ParseHead(c.data.data(), (DWORD)c.data.size(), &status, &headLength),
                  c.found);
        if (c.found != 1)
            continue;
        EXPECT_EQ(status, c.status);
        EXPECT_EQ(headLength, c.headLength);
        ULONGLONG length = 0;
        BOOL has = Http_HeaderNumber(c.data.data(), headLength, "content-length", &length);
        EXPECT_EQ(has ? (long long)length : -1, c.length);
    }
}

TEST(HttpResponse, ContentRangeIsReadWhenWellFormed) {
    struct Case {
        const char* head;
        BOOL ok;
        ULONGLONG first, last, total;
    } cases[] = {
        {"HTTP/1.1 206 P\r\nContent-Range: bytes 48976-60000/60001\r\n\r\n", TRUE, 48976, 60000,
         60001},
        {"HTTP/1.1 206 P\r\ncontent-range:bytes 0-0/1\r\n\r\n", TRUE, 0, 0, 1},
        {"HTTP/1.1 206 P\r\nContent-Range: bytes 10-5/60\r\n\r\n", FALSE, 0, 0, 0},
        {"HTTP/1.1 206 P\r\nContent-Range: bytes 10-60/60\r\n\r\n", FALSE, 0, 0, 0},
        {"HTTP/1.1 206 P\r\nContent-Range: bytes */60\r\n\r\n", FALSE, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.head);
        ULONGLONG first = 0, last = 0, total = 0;
        ASSERT_EQ(Http_ContentRange(c.head, (DWORD)strlen(c.head), &first, &last, &total), c.ok);
        if (c.ok) {
            EXPECT_EQ(first, c.first);
            EXPECT_EQ(last, c.last);
            EXPECT_EQ(total, c.total);
        }
    }
}

} // namespace

namespace {

// Only names the hosts file answers: no query leaves the machine.
TEST(HostResolver, AnswersDottedAndNamedHostsFromTheCache) {
    ASSERT_EQ(NetBinding_Bind(), 1);
    HostCache_Clear();
    struct Case {
        std::string host;
        DWORD address;
    } cases[] = {
        {"127.0.0.1", 0x0100007F},
        {"localhost", 0x0100007F},
        {"localhost", 0x0100007F}, // from the cache
        {"", INADDR_NONE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.host.substr(0, 20));
        DWORD address = INADDR_NONE;
        EXPECT_EQ(GetHostByName(c.host.c_str(), &address), 0);
        EXPECT_EQ(address, c.address);
    }
    HostCache_Clear();
}

} // namespace
