#include <gtest/gtest.h>

#include "oid_text.h"

using namespace ovbeacon;

TEST(OidText, ParsesLeadingDottedNumbers) {
    struct Case {
        const char* text;
        size_t count;
        uint32_t first;
    } cases[] = {{"1.3.6", 3, 1}, {"1..3", 2, 1},    {".1.3", 0, 0},
                 {"", 0, 0},      {"42 x.1", 1, 42}, {"4294967295.1", 2, 4294967295u}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        uint32_t ids[4] = {};
        EXPECT_EQ(c.count, ParseOidText(c.text, ids, 4));
        EXPECT_EQ(c.first, ids[0]);
    }
}

TEST(OidText, CountsNumbersBeyondTheArray) {
    uint32_t ids[2] = {};
    EXPECT_EQ(3u, ParseOidText("7.8.9", ids, 2));
    EXPECT_EQ(8u, ids[1]);
}

// Suffixes compared as text put "10.0" before "2.0", and a walk went backwards.
TEST(OidText, OrdersSuffixesByNumber) {
    struct Case {
        const char* a;
        const char* b;
        int order;
    } cases[] = {{"2.0", "10.0", -1}, {"10.0", "2.0", 1},  {"1.0", "1.0", 0},  {"", "1.0", -1},
                 {"1", "1.0", -1},    {"1.0.1", "1.0", 1}, {"3.1", "3.10", -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
        int got = CompareOidSuffix(c.a, c.b);
        EXPECT_EQ(c.order, got < 0 ? -1 : got > 0 ? 1 : 0);
    }
}

TEST(OidText, FormatsTheSuffixOrRefusesWhatDoesNotFit) {
    uint32_t ids[] = {1, 3, 6, 2, 0};
    char out[8];
    EXPECT_TRUE(FormatOidSuffix(ids, 5, 3, out, sizeof out));
    EXPECT_STREQ("2.0", out);
    EXPECT_TRUE(FormatOidSuffix(ids, 3, 3, out, sizeof out));
    EXPECT_STREQ("", out);
    uint32_t big[] = {4000000000u, 4000000000u};
    EXPECT_FALSE(FormatOidSuffix(big, 2, 0, out, sizeof out));
    EXPECT_STREQ("", out);
}
