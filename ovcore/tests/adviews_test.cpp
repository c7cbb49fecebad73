#include <gtest/gtest.h>
#include "ovcore/ovcore.h"
#include "settings/install_folder.h"
#include "msgbox_watcher.h"
#include "temp_install.h"
#include <string>
#include <string.h>

namespace {

class AdViews : public ::testing::Test {
  protected:
    void SetUp() override {
        InstallFolder_SetFromFileName((install.Root() + "ovcore.dll").c_str());
    }
    void TearDown() override {
        SetFileAttributesA(install.Path("ADVIEWS.TXT").c_str(), FILE_ATTRIBUTE_NORMAL);
        InstallFolder_Reset();
    }
    FILE* Open(const std::string& text) {
        install.Write("ADVIEWS.TXT", text);
        return ORB_OpenAdViewsDataFile();
    }
    int Next(FILE* f) { return ORB_GetAdViewsEntry(f, a, b, c); }
    void Mark() {
        strcpy(a, "A");
        strcpy(b, "B");
        strcpy(c, "C");
    }
    ovtest::TempInstall install;
    char a[ADVIEW_DESCRIPTION_SIZE + 8];
    char b[ADVIEW_VIEWNAME_SIZE + 8];
    char c[ADVIEW_CLICKID_SIZE + 8];
};

TEST_F(AdViews, MissingFileDoesNotOpen) {
    EXPECT_EQ(ORB_OpenAdViewsDataFile(), nullptr);
}

TEST_F(AdViews, FieldsComeOutThirdFirstSecond) {
    FILE* f = Open("\"banner.gif\",\"click=1\",\"Spring sale\"\r\n"
                   "\r\n; a comment\r\n"
                   "\"\" junk \"id\"\"\"\n"
                   "\"v\",\"k\",\"d\"");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(Next(f), 1);
    EXPECT_STREQ(a, "Spring sale");
    EXPECT_STREQ(b, "banner.gif");
    EXPECT_STREQ(c, "click=1");
    for (int i = 0; i < 2; ++i) { // empty and comment lines: buffers untouched
        Mark();
        ASSERT_EQ(Next(f), 1);
        EXPECT_STREQ(a, "A");
        EXPECT_STREQ(b, "B");
        EXPECT_STREQ(c, "C");
    }
    ASSERT_EQ(Next(f), 1);
    EXPECT_STREQ(a, "");
    EXPECT_STREQ(b, "");
    EXPECT_STREQ(c, "id");
    ASSERT_EQ(Next(f), 1); // the last line needs no line end
    EXPECT_STREQ(a, "d");
    EXPECT_EQ(Next(f), 0);
    EXPECT_EQ(ORB_CloseAdViewsDataFile(f), 0);
}

TEST_F(AdViews, CarriageReturnAloneEndsALine) {
    FILE* f = Open("\"1\",\"2\",\"3\"\r\"4\",\"5\",\"6\"\r");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(Next(f), 1);
    EXPECT_STREQ(a, "3");
    ASSERT_EQ(Next(f), 1);
    EXPECT_STREQ(a, "6");
    EXPECT_EQ(Next(f), 0);
    ORB_CloseAdViewsDataFile(f);
}

// Guards the bounded copies: long fields are cut to the readers' buffers.
TEST_F(AdViews, LongFieldsAreCut) {
    std::string line = "\"" + std::string(300, 'v') + "\",\"" + std::string(300, 'k') + "\",\"" +
                       std::string(300, 'd') + "\"\r\n";
    FILE* f = Open(line);
    ASSERT_NE(f, nullptr);
    memset(a, '#', sizeof a);
    memset(b, '#', sizeof b);
    memset(c, '#', sizeof c);
    ASSERT_EQ(Next(f), 1);
    EXPECT_EQ(strlen(a), 99u);
    EXPECT_EQ(strlen(b), 49u);
    EXPECT_EQ(strlen(c), 255u);
    EXPECT_EQ(a[ADVIEW_DESCRIPTION_SIZE], '#');
    EXPECT_EQ(b[ADVIEW_VIEWNAME_SIZE], '#');
    EXPECT_EQ(c[ADVIEW_CLICKID_SIZE], '#');
    ORB_CloseAdViewsDataFile(f);
}

// Guards the over-long line: its rest is skipped, not read as a bad line.
TEST_F(AdViews, RestOfAnOverlongLineIsSkipped) {
    std::string line = "\"v\",\"k\",\"d\"" + std::string(1100, ' ') + "\"tail\r\n";
    FILE* f = Open(line + "\"v2\",\"k2\",\"d2\"\r\n");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(Next(f), 1);
    EXPECT_STREQ(a, "d");
    ASSERT_EQ(Next(f), 1);
    EXPECT_STREQ(a, "d2");
    EXPECT_EQ(Next(f), 0);
    ORB_CloseAdViewsDataFile(f);
}

// Guards the fall-back to reading alone: a file that cannot be opened for
// writing (read-only, or held by a reader that shares no writing) is read.
TEST_F(AdViews, FileThatCannotBeWrittenIsStillRead) {
    install.Write("ADVIEWS.TXT", "\"v\",\"k\",\"d\"\r\n");
    std::string path = install.Path("ADVIEWS.TXT");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    HANDLE reader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    FILE* f = ORB_OpenAdViewsDataFile();
    CloseHandle(reader);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(Next(f), 1);
    EXPECT_STREQ(a, "d");
    ORB_CloseAdViewsDataFile(f);
}

TEST_F(AdViews, MalformedLineIsReportedAndEndsTheReading) {
    FILE* f = Open("\"v\",\"k\",\"d\"\r\n\"only\",\"two\"\r\n\"v\",\"k\",\"d\"\r\n");
    ASSERT_NE(f, nullptr);
    ovtest::MsgBoxWatcher watcher;
    ASSERT_EQ(Next(f), 1);
    EXPECT_EQ(Next(f), -1); // the stream is closed by the reader
    ASSERT_TRUE(watcher.WaitFor(1));
    auto seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "Temporary Message");
    EXPECT_EQ(seen[0].text, "Bad file format in advertising views and clicks file.");
}

} // namespace
