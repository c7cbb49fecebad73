#include <gtest/gtest.h>

#include "fetch/ftp_fetch.h"

namespace {

TEST(FtpListing, SizeFolderAndNameOfALongLine) {
    struct Case {
        const char* line;
        ULONGLONG size;
        BOOL folder;
        const char* name;
    } cases[] = {
        {"01-15-99  10:30AM       123456 access.log", 123456, FALSE, "access.log"},
        {"01-15-99  10:30PM       <DIR>          logs", 0, TRUE, "logs"},
        {"-rw-r--r--   1 web  web  98765 Jan 15 10:30 access.log", 98765, FALSE, "access.log"},
        {"drwxr-xr-x   2 web  web   4096 Jan 15 10:30 old", 4096, TRUE, "old"},
        {"-rw-r--r--\t1 web web 5000000000 Jan 15 2026 big.log", 5000000000ULL, FALSE, "big.log"},
        {"-rw-r--r-- 1 web", 0, FALSE, "web"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(FtpListing_Size(c.line), c.size);
        EXPECT_EQ(FtpListing_IsFolder(c.line), c.folder);
        EXPECT_TRUE(FtpListing_Names(c.line, c.name));
    }
}

// A name used to match any line that ended with it: file "b" took the line
// of folder "ab".
TEST(FtpListing, ANameIsTheLastFieldWhole) {
    const char* line = "drwxr-xr-x   2 web  web   4096 Jan 15 10:30 ab";
    EXPECT_TRUE(FtpListing_Names(line, "ab"));
    EXPECT_FALSE(FtpListing_Names(line, "b"));
    EXPECT_FALSE(FtpListing_Names(line, ""));
    EXPECT_TRUE(FtpListing_Names("-rw-r--r-- 1 w w 1 Jan 1 10:30 x.log  ", "x.log"));
}

} // namespace
