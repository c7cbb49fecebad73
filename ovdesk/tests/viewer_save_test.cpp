// The tab expansion of an ASCII save.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "viewer/viewer_save.h"

namespace {

TEST(ViewerSave, TabsBecomeBlanksUpToTheNextTabColumn) {
    const WORD columns[] = {4, 8};
    const struct {
        const char* line;
        const char* expanded;
    } cases[] = {
        {"a\tb", "a   b"},
        {"abcd\tb", "abcd    b"}, // at column 4 the next stop is 8
        {"\t\tx", "        x"},
        {"abcdefgh\tx", "abcdefghx"}, // a tab past the last column is dropped
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        char out[64];
        int length = ExpandTabs(c.line, columns, 2, out, sizeof out);
        EXPECT_EQ(c.expanded, std::string(out));
        EXPECT_EQ((int)strlen(c.expanded), length);
    }
}

TEST(ViewerSave, ExpansionStaysInsideTheBuffer) {
    const WORD columns[] = {200};
    char out[16];
    memset(out, 'z', sizeof out);
    int length = ExpandTabs("ab\tcd", columns, 1, out, 8);
    EXPECT_EQ(7, length);
    EXPECT_EQ(std::string("ab     "), std::string(out));
    EXPECT_EQ('z', out[8]) << "nothing written past the buffer";
}

} // namespace
