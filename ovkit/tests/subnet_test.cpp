#include <gtest/gtest.h>
#include "ovkit/subnet.h"
#include <cstring>

namespace {

struct SubnetCase {
    const char* address;
    const char* subnet;
    BOOL inside;
};

TEST(Subnet, Membership) {
    const SubnetCase cases[] = {
        {"10.255.1.2", "10.0.0.0/8", 1},
        {"11.0.0.1", "10.0.0.0/8", 0},
        {"1.2.3.4", "0.0.0.0/0", 1},
        {"255.255.255.255", "0.0.0.0/0", 1},
        {"192.168.1.7", "192.168.1.7/32", 1},
        {"192.168.1.8", "192.168.1.7/32", 0},
        {"10.0.128.1", "10.0.0.0/17", 0}, // the ninth byte bit: first octet in the low byte
        {"10.0.127.1", "10.0.0.0/17", 1},
        {"172.16.5.4", "172.16.0.0/12", 1},
        {"172.32.0.1", "172.16.0.0/12", 0},
        {"10.1.2.3", "10.1.2.99/24", 1}, // host bits of the subnet are masked too
        // Unparsable addresses lie in no subnet, not even /0.
        {"not.an.addr", "0.0.0.0/0", 0},
        {"10.0.0", "0.0.0.0/0", 0},
        {"", "0.0.0.0/0", 0},
        {"256.0.0.1", "0.0.0.0/0", 0},
        {"99999999999.0.0.1", "0.0.0.0/0", 0},
        // Unparsable subnets hold nothing.
        {"10.0.0.1", "10.0.0.0/33", 0},
        {"10.0.0.1", "10.0.0.300/8", 0},
        {"10.0.0.1", "10.0.0.0", 0},
    };
    for (const SubnetCase& c : cases) {
        SCOPED_TRACE(std::string(c.address) + " in " + c.subnet);
        EXPECT_EQ(OVKIT_IsAddressStringInSubnetString(c.address, c.subnet), c.inside);
    }
    EXPECT_FALSE(OVKIT_IsAddressStringInSubnetString(nullptr, "0.0.0.0/0"));
}

TEST(Subnet, ParseWritesOnlyOnSuccess) {
    OVKIT_Subnet s = {0x12345678u, 7};
    const char* bad[] = {"10.0.0.0/33", "10.0.0/8",     "10.0.0.0/",          "-1.0.0.0/8",
                         " 10.0.0.0/8", "10.0.0.256/8", "4294967306.0.0.0/8", nullptr};
    for (const char* text : bad) {
        SCOPED_TRACE(text ? text : "(null)");
        EXPECT_FALSE(OVKIT_ParseSubnetString(text, &s));
        EXPECT_EQ(s.address, 0x12345678u);
        EXPECT_EQ(s.prefix, 7u);
    }
    ASSERT_TRUE(OVKIT_ParseSubnetString("192.168.1.0/24", &s));
    EXPECT_EQ(s.address, 0x0001A8C0u); // first octet in the lowest byte
    EXPECT_EQ(s.prefix, 24u);
    ASSERT_TRUE(OVKIT_ParseSubnetString("000010.0.0.0/08", &s)); // leading zeros are digits
    EXPECT_EQ(s.address, 10u);
    EXPECT_EQ(s.prefix, 8u);
}

TEST(Subnet, UnsetSubnetHoldsNothing) {
    OVKIT_Subnet unset = {0xFFFFFFFFu, 0};
    EXPECT_FALSE(OVKIT_IsAddressInSubnet(0x0100000Au, &unset));
    EXPECT_FALSE(OVKIT_IsAddressStringInSubnet("255.255.255.255", &unset));
    OVKIT_Subnet all = {0, 0};
    EXPECT_TRUE(OVKIT_IsAddressStringInSubnet("255.255.255.255", &all));
}

// One text through the shape test and the parser.
struct ShapeCase {
    const char* text;
    BOOL parses;  // the parser reads it
    BOOL trailer; // text follows the form, which only the parser passes over
};

// Runs each text through the shape test and the parser of one form.
template <typename Record, size_t N>
void ExpectShapeTestFollowsParser(const ShapeCase (&cases)[N], decltype(&OVKIT_IsSubnetString) is,
                                  BOOL(OVKIT_CALL* parse)(const char*, Record*)) {
    for (const ShapeCase& c : cases) {
        SCOPED_TRACE(c.text);
        Record r;
        EXPECT_EQ(parse(c.text, &r), c.parses);
        EXPECT_EQ(is(c.text), c.parses && !c.trailer);
    }
    EXPECT_FALSE(is(nullptr));
}

// Guards shape tests that accepted texts their parsers refuse (octets above
// 255, numbers out of order).
TEST(Subnet, ShapeTestAnswersWhatTheParserReads) {
    const ShapeCase cases[] = {
        {"10.0.0.0/8", 1, 0},   {"0.0.0.0/0", 1, 0},          {"10.0.0.256/24", 0, 0},
        {"10.0.0.0/33", 0, 0},  {"10/0.0.0.", 0, 0},          {"10.0.0/8", 0, 0},
        {"10.0.0.0.0/8", 0, 0}, {"10.0.0.0", 0, 0},           {"10.0.0.0/", 0, 0},
        {"/10.0.0.0", 0, 0},    {"4294967306.0.0.0/8", 0, 0}, {"", 0, 0},
        {"10.0.0.0/8/", 1, 1},  {"10.0.0.0/8 web", 1, 1},
    };
    ExpectShapeTestFollowsParser(cases, OVKIT_IsSubnetString, OVKIT_ParseSubnetString);
}

TEST(Subnet, ToString) {
    OVKIT_Subnet s;
    ASSERT_TRUE(OVKIT_ParseSubnetString("255.255.255.255/32", &s));
    char buf[32];
    EXPECT_EQ(OVKIT_SubnetToString(buf, sizeof buf, &s), 18);
    EXPECT_STREQ(buf, "255.255.255.255/32");
    char small[31] = "untouched";
    EXPECT_EQ(OVKIT_SubnetToString(small, sizeof small, &s), 0);
    EXPECT_STREQ(small, "untouched");
}

struct RangeCase {
    const char* address;
    const char* range;
    BOOL inside;
};

TEST(AddressRange, Membership) {
    const RangeCase cases[] = {
        {"192.168.1.10", "192.168.1.10-20", 1},
        {"192.168.1.20", "192.168.1.10-20", 1},
        {"192.168.1.21", "192.168.1.10-20", 0},
        {"192.168.2.15", "192.168.1.10-20", 0},
        {"10.0.0.255", "10.0.0.1-10.0.1.255", 1},
        {"10.0.1.0", "10.0.0.1-10.0.1.255", 1},
        {"10.0.2.0", "10.0.0.1-10.0.1.255", 0},
        {"200.1.1.1", "100.0.0.0-220.0.0.0", 1}, // unsigned: 200 is not negative
        {"99.255.255.255", "100.0.0.0-220.0.0.0", 0},
        {"5.0.0.0", "10.0.0.0-1.0.0.0", 0}, // an inverted range holds nothing
        {"not.an.addr", "0.0.0.0-255.255.255.255", 0},
        {"255.255.255.255", "0.0.0.0-255.255.255.255", 1},
        {"300.1.1.1", "0.0.0.0-255.255.255.255", 0},
        {"10.0.0.1", "10.0.0.1-2.3", 0},
        {"10.0.0.1", "10.0.0.1-256", 0},
    };
    for (const RangeCase& c : cases) {
        SCOPED_TRACE(std::string(c.address) + " in " + c.range);
        EXPECT_EQ(OVKIT_IsAddressStringInAddressRangeString(c.address, c.range), c.inside);
    }
}

TEST(AddressRange, ParseForms) {
    OVKIT_AddressRange r = {1, 2};
    const char* bad[] = {"10.0.0.1-2.3",        "10.0.0.1-", "10.0.0.1", "10.0.0.1-10.0.1",
                         "10.0.0.1-10.0.1.256", "x",         nullptr};
    for (const char* text : bad) {
        SCOPED_TRACE(text ? text : "(null)");
        EXPECT_FALSE(OVKIT_ParseAddressRangeString(text, &r));
        EXPECT_EQ(r.low, 1u);
        EXPECT_EQ(r.high, 2u);
    }
    ASSERT_TRUE(OVKIT_ParseAddressRangeString("192.168.1.10-20", &r));
    EXPECT_EQ(r.low, 0x0A01A8C0u);
    EXPECT_EQ(r.high, 0x1401A8C0u);

    char buf[40];
    EXPECT_EQ(OVKIT_AddressRangeToString(buf, sizeof buf, &r), 25);
    EXPECT_STREQ(buf, "192.168.1.10-192.168.1.20"); // always the long form
    EXPECT_EQ(OVKIT_AddressRangeToString(buf, 31, &r), 0);
}

// Guards the range shape test answering 1 for ranges the parser refuses.
TEST(AddressRange, ShapeTestAnswersWhatTheParserReads) {
    const ShapeCase cases[] = {
        {"192.168.1.10-20", 1, 0}, {"10.0.0.1-10.0.1.255", 1, 0}, {"10.0.0.1-256", 0, 0},
        {"10.0.0.256-20", 0, 0},   {"10.0.0.1-10.0.1.256", 0, 0}, {"10.0.0.1-2.3", 0, 0},
        {"10.0.0.1", 0, 0},        {"10.0.0.1--2", 0, 0},         {"-10.0.0.1", 0, 0},
        {"10.0.0.1-", 0, 0},       {"10-0.0.0.1", 0, 0},          {"", 0, 0},
        {"10.0.0.1-2-3", 1, 1},    {"10.0.0.1-2/3", 1, 1},
    };
    ExpectShapeTestFollowsParser(cases, OVKIT_IsAddressRangeString, OVKIT_ParseAddressRangeString);
}

} // namespace
