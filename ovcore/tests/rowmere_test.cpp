#include <gtest/gtest.h>
#include "ovcore/ovcore.h"
#include "profile/profile_out.h"
#include "profile/rowmere_sections.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

RowmereSettings* SettingsWithColumns(int count, size_t nameLength) {
    RowmereSettings* s = AllocRowmere();
    s->RowmereEnabled = 1;
    strcpy(s->RowmereDSN, "DSN=people");
    strcpy(s->RowmereTable, "users");
    strcpy(s->RowmereKeyColumn, "login");
    strcpy(s->RowmereReportTitle, "Full name");
    RowmereColumn** tail = &s->lpColumns;
    for (int i = 0; i < count; i++) {
        RowmereColumn* c = AllocRowmereData();
        std::string name = std::to_string(i) + std::string(nameLength, 'c');
        snprintf(c->RowmereDataColumn, sizeof c->RowmereDataColumn, "%s", name.c_str());
        c->RowmereDataType = 12;
        c->RowmereColumnNumber = i + 1;
        c->RowmereReportSequence = i;
        *tail = c;
        tail = &c->Next;
    }
    return s;
}

int ColumnCount(const RowmereSettings* s) {
    int n = 0;
    for (const RowmereColumn* c = s->lpColumns; c; c = c->Next)
        n++;
    return n;
}

std::string Written(const char* name, const RowmereSettings* s) {
    ProfileOut out;
    WriteRowmere(name, s, &out);
    std::string text = out.data ? out.data : "";
    ProfileOut_Free(&out);
    return text;
}

} // namespace

TEST(Rowmere, CopyIsDeepWithoutTheRunTimeBuffer) {
    RowmereSettings* s = SettingsWithColumns(2, 3);
    s->lpColumns->lpValue = static_cast<char*>(malloc(300));
    s->lpColumns->dwValueLength = 5;
    RowmereSettings* copy = MakeCopyOfRowmere(s);
    ASSERT_NE(copy, nullptr);
    EXPECT_STREQ(copy->RowmereDSN, "DSN=people");
    ASSERT_EQ(ColumnCount(copy), 2);
    EXPECT_NE(copy->lpColumns, s->lpColumns);
    EXPECT_EQ(copy->lpColumns->lpValue, nullptr);
    EXPECT_EQ(copy->lpColumns->dwValueLength, 0u);
    EXPECT_EQ(copy->lpColumns->Next->RowmereColumnNumber, 2u);
    FreeRowmere(copy);
    EXPECT_NE(s->lpColumns->lpValue, nullptr);
    FreeRowmere(s);

    RowmereSettings* blank = MakeCopyOfRowmere(nullptr);
    ASSERT_NE(blank, nullptr);
    EXPECT_EQ(blank->lpColumns, nullptr);
    FreeRowmere(blank);
    FreeRowmere(nullptr);
}

// Columns beyond about 4,000 characters of section text used to be dropped.
TEST(Rowmere, SectionKeepsEveryColumn) {
    RowmereSettings* s = SettingsWithColumns(40, 250);
    std::string text = Written("RowmereIP", s);
    EXPECT_GT(text.size(), 10000u);
    RowmereSettings* read = ReadRowmere("RowmereIP", text.c_str());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->RowmereEnabled, 1u);
    EXPECT_STREQ(read->RowmereKeyColumn, "login");
    EXPECT_STREQ(read->RowmereReportTitle, "Full name");
    ASSERT_EQ(ColumnCount(read), 40);
    RowmereColumn* last = read->lpColumns;
    while (last->Next)
        last = last->Next;
    EXPECT_EQ(last->RowmereColumnNumber, 40u);
    EXPECT_EQ(last->RowmereReportSequence, 39u);
    EXPECT_EQ(std::string(last->RowmereDataColumn), "39" + std::string(250, 'c'));
    FreeRowmere(read);
    FreeRowmere(s);
}

TEST(Rowmere, SectionReadingRules) {
    struct Case {
        const char* text;
        int columns; // -1: no record
    } cases[] = {
        {"[RowmereIP]\r\nRowmereDSN=d\r\nRowmereTable=t\r\nRowmereKeyColumn=\r\n", -1},
        {"[RowmereIP]\r\nRowmereDSN=d\r\nRowmereTable=t\r\n", -1},
        {"[Other]\r\nRowmereDSN=d\r\n", -1},
        {"[RowmereIP]\r\nRowmereDSN=d\r\nRowmereTable=t\r\nRowmereKeyColumn=k\r\n", 0},
        {"[RowmereIP]\r\nRowmereDSN=d\r\nRowmereTable=t\r\nRowmereKeyColumn=k\r\n"
         "RowmereDataColumn1=a\r\nRowmereDataColumn2=b\r\nRowmereDataColumn4=d\r\n",
         2},
        // The next section's keys are not this section's.
        {"[RowmereIP]\r\nRowmereDSN=d\r\nRowmereTable=t\r\n[RowmereAuthUser]\r\n"
         "RowmereKeyColumn=k\r\n",
         -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        RowmereSettings* s = ReadRowmere("RowmereIP", c.text);
        if (c.columns < 0) {
            EXPECT_EQ(s, nullptr);
        } else {
            ASSERT_NE(s, nullptr);
            EXPECT_EQ(ColumnCount(s), c.columns);
        }
        FreeRowmere(s);
    }
    EXPECT_EQ(Written("RowmereIP", nullptr), "");
}
