// The text side of listings: names on long lines, pattern matching.
#include "../src/listing.h"
#include <gtest/gtest.h>

namespace {

TEST(FtpListing, NameOfLongLine) {
    struct Case {
        const char* line;
        const char* name;
    } cases[] = {
        {"-rw-r--r--   1 web  web  98765 Jan 15 10:30 access.log", "access.log"},
        {"-rw-r--r--   1 web  web  98765 Jan 15  1999 with two  blanks.log",
         "with two  blanks.log"},
        {"lrwxrwxrwx   1 web  web     10 Jan 15 10:30 current.log -> access.log", "current.log"},
        {"drwxr-xr-x   2 web  web   4096 Jan 15 10:30 old", "old"},
        {"01-15-99  10:30AM       123456 access.log", "access.log"},
        {"01-15-99  10:30AM       <DIR>          logs 1999", "logs 1999"},
        {"access.log", "access.log"},
        {"   ", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ftp::NameOfLongLine(c.line), c.name) << c.line;
}

TEST(FtpListing, PatternsSplitAndMatch) {
    struct Case {
        const char* pattern;
        const char* argument;
        const char* filter;
    } splits[] = {
        {"logs/*.log", "logs", "*.log"}, {"*.log", "", "*.log"},
        {"/ex?.log", "/", "ex?.log"},    {"logs", "logs", ""},
        {"/a/b.log", "/a/b.log", ""},
    };
    for (const Case& c : splits) {
        std::string argument, filter;
        ftp::SplitPattern(c.pattern, &argument, &filter);
        EXPECT_EQ(argument, c.argument) << c.pattern;
        EXPECT_EQ(filter, c.filter) << c.pattern;
    }
    EXPECT_TRUE(ftp::MatchName("*.LOG", "ex0101.log"));
    EXPECT_TRUE(ftp::MatchName("ex*01*.log", "ex0101.log"));
    EXPECT_TRUE(ftp::MatchName("*", ""));
    EXPECT_FALSE(ftp::MatchName("*.log", "ex0101.log.gz"));
    EXPECT_FALSE(ftp::MatchName("ex??.log", "ex1.log"));
}

TEST(FtpListing, LongLinesSortedByNameWithoutTotals) {
    const std::string raw = "total 12\r\n"
                            "-rw-r--r-- 1 a a 5 Jan 1 10:00 b.log\r\n"
                            "-rw-r--r-- 1 a a 7 Jan 1 10:00 a.log\n"
                            "-rw-r--r-- 1 a a 7 Jan 1 10:00 c.txt\r\n";
    std::vector<std::string> expected = {"-rw-r--r-- 1 a a 7 Jan 1 10:00 a.log",
                                         "-rw-r--r-- 1 a a 5 Jan 1 10:00 b.log"};
    EXPECT_EQ(ftp::ListingLines(raw, true, "*.log"), expected);
    EXPECT_EQ(ftp::ListingLines("dir/b.log\r\ndir/a.log\r\n", false, ""),
              (std::vector<std::string>{"a.log", "b.log"}));
}

} // namespace
