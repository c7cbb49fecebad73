#include <gtest/gtest.h>
#include "ovcore/company.h"
#include "msgbox_watcher.h"
#include "temp_install.h"
#include <stdio.h>
#include <string>
#include <vector>

namespace {

TEST(Company, TitleCaseName) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {{"acme widgets", "Acme Widgets"},
                 {"k.v. firma de vries", "k.v. Firma De Vries"},
                 {"u.s.a.", "U.S.A."},
                 {"smith-jones & co,ltd", "Smith-Jones & Co,Ltd"},
                 {"ab.", "Ab."}, // a dot at the end looks no further than the text
                 {"x.y", "X.y"},
                 {"1st bank", "1st Bank"},
                 {"", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        char text[64];
        lstrcpynA(text, c.in, sizeof text);
        TitleCaseName(text);
        EXPECT_STREQ(text, c.out);
    }
}

TEST(Company, ParseLine) {
    const struct {
        const char* line;
        int result, length;
        const char* name;
        const char* second;
        const char* third;
    } cases[] = {
        {"ibm.com,intl. business machines,armonk ny,us\r\nnext", 1, 46, "Intl. Business Machines",
         "Armonk Ny", "us"},
        {"a.org,the u.s.a. group,x,y\n", 1, 27, "The U.S.A. Group", "X", "y"},
        {"k,only second,third\r\n", 1, 21, "", "Only Second", "third"},
        {"k,third\r\n", 1, 9, "", "", "third"},
        {"no line end,a,b,c", 0, 0, "", "", ""},
        {"no comma\r\n", 0, 0, "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        CompanyRecord r = {};
        int length = 0;
        ASSERT_EQ(CompanyDb_ParseLine(c.line, int(strlen(c.line)), &r, &length), c.result);
        if (!c.result)
            continue;
        EXPECT_EQ(length, c.length);
        EXPECT_STREQ(r.Name, c.name);
        EXPECT_STREQ(r.Second, c.second);
        EXPECT_STREQ(r.Third, c.third);
        EXPECT_EQ(r.Line[r.KeyLength], ',');
    }
    // Fields longer than their records are cut, not overrun.
    std::string line = "k," + std::string(80, 'n') + "," + std::string(80, 's') + "," +
                       std::string(400, 't') + "\r\n";
    CompanyRecord r = {};
    ASSERT_EQ(CompanyDb_ParseLine(line.c_str(), int(line.size()), &r, nullptr), 1);
    EXPECT_EQ(strlen(r.Name), size_t(COMPANY_NAME_SIZE - 1));
    EXPECT_EQ(strlen(r.Second), size_t(COMPANY_SECOND_SIZE - 1));
    EXPECT_EQ(strlen(r.Third), size_t(COMPANY_THIRD_SIZE - 1));
    EXPECT_EQ(strlen(r.Line), size_t(COMPANY_LINE_SIZE - 1));
}

TEST(Company, ScrambleKeepsControlCharactersAndRoundTrips) {
    char text[] = "abc,Def\r\n\t\xe9\xff ";
    char copy[sizeof text];
    memcpy(copy, text, sizeof text);
    CompanyDb_Scramble(copy, int(sizeof text - 1));
    EXPECT_NE(memcmp(copy, text, 3), 0);
    EXPECT_EQ(copy[7], '\r');
    EXPECT_EQ(copy[8], '\n');
    EXPECT_EQ(copy[9], '\t');
    for (int i = 0; i < int(sizeof text - 1); ++i)
        EXPECT_GE(static_cast<unsigned char>(copy[i]) >= 32,
                  static_cast<unsigned char>(text[i]) >= 32);
    CompanyDb_Unscramble(copy, int(sizeof text - 1));
    EXPECT_EQ(memcmp(copy, text, sizeof text), 0);
}

// A sorted company file of the project's own, stored through the encoder:
// enough lines for the binary search, a key that is the start of the next
// one, and one line far longer than a read window.
class CompanyFile : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string text = "aaa.first,first company,springfield,us\r\n";
        for (int i = 0; i < 80; ++i) {
            char line[80];
            snprintf(line, sizeof line, "host%03d.example,company %d,town %d,de\r\n", i, i, i);
            text += line;
            if (i == 40)
                text += "host040.example.au,australian arm,sydney,au\r\n";
            if (i == 60)
                text += "host060.long," + std::string(1500, 'x') + ",b,c\r\n";
        }
        text += "zzz.last,last company,nowhere,nz\r\n";
        ASSERT_TRUE(install.Write("company.txt", text));
        std::string stored = install.Path("COMPANY.SML");
        ASSERT_EQ(CompanyDb_EncodeFile(install.Path("company.txt").c_str(), stored.c_str()), 1);
        ASSERT_NE(install.Read("COMPANY.SML"), text);
        list.File = CreateFileA(stored.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(list.File, INVALID_HANDLE_VALUE);
        size = LONGLONG(text.size());
    }
    void TearDown() override { CloseHandle(list.File); }
    ovtest::TempInstall install;
    CompanyList list = {};
    LONGLONG size = 0;
};

TEST_F(CompanyFile, LookUpKeysAnywhereInTheFile) {
    const struct {
        const char* key;
        int found;
        const char* name;
    } cases[] = {
        {"aaa.first", 1, "First Company"},
        {"zzz.last", 1, "Last Company"},
        {"HOST010.example", 1, "Company 10"},
        {"host079.example", 1, "Company 79"},
        // A key that is the start of the next one is told apart from it.
        {"host040.example", 1, "Company 40"},
        {"host040.example.au", 1, "Australian Arm"},
        {"host061.example", 1, "Company 61"}, // after the long line
        {"aa", 0, ""},
        {"host040.exampl", 0, ""},
        {"host0405.example", 0, ""},
        {"zzzz", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        CompanyRecord r = {};
        ASSERT_EQ(CompanyDb_Lookup(&list, size, c.key, &r), c.found);
        if (c.found) {
            EXPECT_STREQ(r.Name, c.name);
        }
    }
    // Every listed key of the plain lines is found.
    for (int i = 0; i < 80; ++i) {
        char key[32];
        snprintf(key, sizeof key, "host%03d.example", i);
        CompanyRecord r = {};
        EXPECT_EQ(CompanyDb_Lookup(&list, size, key, &r), 1) << key;
    }
}

TEST_F(CompanyFile, InMemoryEntriesComeFirst) {
    const CompanyEntry entries[] = {
        {"host010.example", "host010.example,Intranet,HQ,xx", "Intranet", "HQ", "xx"}};
    list.Entries = entries;
    list.EntryCount = 1;
    CompanyRecord r = {};
    ASSERT_EQ(CompanyDb_Lookup(&list, size, "Host010.Example", &r), 1);
    EXPECT_STREQ(r.Name, "Intranet");
    EXPECT_STREQ(r.Third, "xx");
    // Without a file only the entries answer.
    CompanyList none = {INVALID_HANDLE_VALUE, 1, entries};
    EXPECT_EQ(CompanyDb_Lookup(&none, size, "host011.example", &r), 0);
    EXPECT_EQ(CompanyDb_Lookup(&none, size, "host010.example", &r), 1);
}

std::vector<std::string> gStatus;
void CALLBACK KeepStatus(const char* text) {
    gStatus.push_back(text);
}

// The check reports every line and asks about each key the look-up misses:
// here only the line too long for a read window.
TEST_F(CompanyFile, VerifyReportsLinesAndMisses) {
    ovtest::MsgBoxWatcher watcher(IDNO);
    gStatus.clear();
    EXPECT_EQ(CompanyDb_Verify(&list, KeepStatus), 1);
    ASSERT_EQ(gStatus.size(), 84u);
    EXPECT_EQ(gStatus.front(), "Looking for: aaa.first of 1");
    EXPECT_EQ(gStatus.back(), "Looking for: zzz.last of 84");
    ASSERT_TRUE(watcher.WaitFor(1));
    EXPECT_EQ(watcher.Seen()[0].caption, "Stop?");
    EXPECT_EQ(watcher.Seen()[0].text, "Couldn't find 1 domains. [host060.long]");
    CompanyList none = {};
    EXPECT_EQ(CompanyDb_Verify(&none, nullptr), -1);
}

} // namespace
