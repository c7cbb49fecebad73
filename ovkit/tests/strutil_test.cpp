#include <gtest/gtest.h>
#include "ovkit/strutil.h"
#include <cstring>
#include <string>

namespace {

TEST(BufCopy, BoundsAndTail) {
    const struct {
        const char* source;
        int size;
        const char* bytes; // the whole buffer after the copy ('#' was there before)
    } cases[] = {
        {"abc", 1, "\0#####"}, {"abcdef", 4, "abc\0##"}, {"ab", 6, "ab\0##\0"},
        {"", 3, "\0#\0###"},   {"abcde", 6, "abcde\0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.source) + " / " + std::to_string(c.size));
        char buf[6];
        std::memset(buf, '#', sizeof buf);
        EXPECT_EQ(OVKIT_BufCopy(buf, c.source, c.size), buf + c.size);
        EXPECT_EQ(std::memcmp(buf, c.bytes, sizeof buf), 0);
    }
}

// Finds some string of a system module's table, to check the look-up against.
bool FindSystemString(HINSTANCE module, UINT* id, std::string* text) {
    char buf[256];
    for (UINT i = 1; i < 0x4000; ++i)
        if (LoadStringA(module, i, buf, sizeof buf) > 0) {
            *id = i;
            *text = buf;
            return true;
        }
    return false;
}

TEST(GetString, BuffersAndMissingStrings) {
    HINSTANCE user32 = GetModuleHandleA("user32.dll");
    UINT id;
    std::string expected;
    ASSERT_TRUE(FindSystemString(user32, &id, &expected));

    char own[256];
    EXPECT_EQ(OVKIT_GetString(id, user32, own), own);
    EXPECT_EQ(expected, own);

    const char* third = OVKIT_GetString(id, user32, reinterpret_cast<char*>(3));
    EXPECT_EQ(expected, third);
    const char* first = OVKIT_GetString(id, user32, nullptr);
    EXPECT_NE(first, third); // each number names its own buffer
    EXPECT_EQ(OVKIT_GetString(id, user32, reinterpret_cast<char*>(3)), third);

    own[0] = 'x';
    const char* missing = OVKIT_GetString(0xFFF0, user32, own);
    ASSERT_NE(missing, nullptr);
    EXPECT_STREQ(missing, "");
    EXPECT_STREQ(own, "");
    EXPECT_STREQ(OVKIT_GetString(0xFFF0, user32, reinterpret_cast<char*>(4)), "");
}

TEST(Scan, UpperCaseTouchesOnlyAsciiLetters) {
    EXPECT_EQ(OVKIT_UpperCase('a'), 'A');
    EXPECT_EQ(OVKIT_UpperCase('z'), 'Z');
    EXPECT_EQ(OVKIT_UpperCase('Q'), 'Q');
    EXPECT_EQ(OVKIT_UpperCase('{'), '{');
    EXPECT_EQ(OVKIT_UpperCase(0xE9), 0xE9);
}

TEST(Scan, EatWhitespace) {
    const char text[] = " \t\r\nword";
    int count = 8;
    EXPECT_EQ(OVKIT_EatWhitespace(text, &count), text + 4);
    EXPECT_EQ(count, 4);
    count = 2; // the count ends the skipping
    EXPECT_EQ(OVKIT_EatWhitespace(text, &count), text + 2);
    EXPECT_EQ(count, 0);
}

TEST(Scan, EatNonWhitespace) {
    const struct {
        const char* text;
        int count;
        int room;
        BOOL keepBlanks;
        const char* copied;
        int consumed;
    } cases[] = {
        {"GET /a b\r\n", 10, 20, 0, "GET", 3},
        {"GET /a b\r\nx", 11, 20, 1, "GET /a b", 8}, // a whole line with its blanks
        {"abc\tdef", 7, 20, 0, "abc", 3},
        {"abcdef", 4, 20, 0, "abcd", 4}, // the count runs out
        {"abcdef", 6, 2, 0, "ab", 2},    // the room runs out
        {"ab\ncd", 5, 20, 1, "ab", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        char out[32];
        std::memset(out, '#', sizeof out);
        int count = c.count;
        const char* next = OVKIT_EatNonWhitespace(c.text, &count, out, c.room, c.keepBlanks);
        EXPECT_STREQ(out, c.copied);
        EXPECT_EQ(next, c.text + c.consumed);
        EXPECT_EQ(count, c.count - c.consumed);
    }
    int count = 6; // without a buffer the room does not matter
    const char* text = "abcdef";
    EXPECT_EQ(OVKIT_EatNonWhitespace(text, &count, nullptr, 0, FALSE), text + 6);
    EXPECT_EQ(count, 0);
}

TEST(Scan, FindString) {
    const char text[] = "xxTitle: Hello</TITLE>yy";
    const char* end = text + std::strlen(text);
    EXPECT_EQ(OVKIT_FindString(text, end, "</title>"), text + 14);
    EXPECT_EQ(OVKIT_FindString(text, end, "TITLE"), text + 2);
    EXPECT_EQ(OVKIT_FindString(text, end, "yy"), text + 22); // ends exactly at end
    EXPECT_EQ(OVKIT_FindString(text, end - 1, "yy"), nullptr);
    EXPECT_EQ(OVKIT_FindString(text, end, "zz"), nullptr);
    EXPECT_EQ(OVKIT_FindString(end, text, "x"), nullptr);
}

struct EnclosedCase {
    const char* name;
    const char* text;
    const char* open;
    const char* close;
    BOOL inTag;
    const char* span; // null: nothing found
};

TEST(Scan, FindEnclosedString) {
    const EnclosedCase cases[] = {
        {"plain", "a <title>Home</title> b", "<title>", "</title>", 0, "<title>Home</title>"},
        {"case", "<TITLE>x</Title>", "<title>", "</title>", 0, "<TITLE>x</Title>"},
        {"no close", "<title>Home", "<title>", "</title>", 0, nullptr},
        {"attribute at start", "<a href=\"x.htm\">", "href=\"", "\"", 1, "href=\"x.htm\""},
        {"attribute", "text <meta content=\"v\"> more", "content=\"", "\"", 1, "content=\"v\""},
        // The first open marker stands in plain text: the search ends there.
        {"plain first", "content=\"p\" <meta content=\"v\">", "content=\"", "\"", 1, nullptr},
        // The close marker lies behind the tag's '>'.
        {"close outside", "<meta content=x> \"", "content=", "\"", 1, nullptr},
    };
    for (const EnclosedCase& c : cases) {
        SCOPED_TRACE(c.name);
        const char* end = c.text + std::strlen(c.text);
        int remaining = static_cast<int>(end - c.text);
        int length = -1;
        const char* after =
            OVKIT_FindEnclosedString(c.text, c.open, c.close, end, &remaining, &length, c.inTag);
        if (!c.span) {
            EXPECT_EQ(after, nullptr);
            continue;
        }
        ASSERT_NE(after, nullptr);
        EXPECT_EQ(std::string(after - length, after), c.span);
        EXPECT_EQ(remaining, static_cast<int>(end - after));
    }
    int remaining = 3; // less than both markers need
    int length;
    const char* text = "<b>x</b>";
    EXPECT_EQ(OVKIT_FindEnclosedString(text, "<b>", "</b>", text + 8, &remaining, &length, 0),
              nullptr);
}

} // namespace
