// Report look-ups joined from a database table, on SQLite and PostgreSQL.
#include <string.h>

#include <gtest/gtest.h>

#include "msgbox_watcher.h"
#include "core/odbc_binding.h"
#include "odbc/odbc_lookup.h"
#include "odbc_fixture.h"
#include "keywords/header_call.h"
#include "report_keywords_fixture.h"

using namespace odbctest;

namespace {

struct ColumnSpec {
    DWORD type;
    DWORD number;
    DWORD position;
};

class OdbcLookupTest : public testing::TestWithParam<Driver> {
  protected:
    void SetUp() override {
        connection_ = ConnectionText(GetParam(), CurrentTestName());
        ASSERT_FALSE(connection_.empty());
        RunSql(connection_, "DROP TABLE people");
        ASSERT_TRUE(RunSql(connection_, "CREATE TABLE people (login varchar(40), fullname "
                                        "varchar(80), age int, score float, team varchar(20))"));
        ASSERT_TRUE(RunSql(connection_, "INSERT INTO people VALUES ('ann', 'Ann Smith', 41, "
                                        "2.5, 'blue')"));
        ASSERT_TRUE(RunSql(connection_, "INSERT INTO people VALUES ('bob', NULL, 30, 1, "
                                        "'red')"));
        ASSERT_TRUE(RunSql(connection_, "INSERT INTO people VALUES ('cy', 'Cy Long', 7, 3, "
                                        "'green')"));
        ASSERT_TRUE(RunSql(connection_, "INSERT INTO people VALUES ('dee', '<b>Dee</b> & co', "
                                        "9, 4, 'red')"));
        profile_ = AnalysisProfile_New();
        ASSERT_NE(profile_, nullptr);
    }
    void TearDown() override {
        DisconnectLookupDatabase();
        AnalysisProfile_Free(profile_);
    }
    // Section 1 (or 2) over the people table keyed by login.
    RowmereSettings* Section(std::initializer_list<ColumnSpec> columns, int which = 1) {
        RowmereSettings* s = AllocRowmere();
        strcpy(s->RowmereDSN, connection_.c_str());
        strcpy(s->RowmereTable, "people");
        strcpy(s->RowmereKeyColumn, "login");
        RowmereColumn** tail = &s->lpColumns;
        for (const ColumnSpec& c : columns) {
            RowmereColumn* column = AllocRowmereData();
            column->RowmereDataType = c.type;
            column->RowmereColumnNumber = c.number;
            column->RowmereReportSequence = c.position;
            *tail = column;
            tail = &column->Next;
        }
        RowmereSettings*& slot = which == 1 ? profile_->RowmereIP : profile_->RowmereAuthUser;
        FreeRowmere(slot);
        slot = s;
        return s;
    }
    std::string Look(const char* key, size_t size = 300, int* result = nullptr) {
        char out[300];
        int r = LookupRow(profile_, 1, key, out, size);
        if (result)
            *result = r;
        return out;
    }
    std::string connection_;
    AnalysisProfile* profile_ = nullptr;
    ovtest::MsgBoxWatcher boxes_;
};

TEST_P(OdbcLookupTest, ColumnsAreJoinedInDisplayOrder) {
    // Positions 0, 1 and 3: the gap ends the list.
    RowmereSettings* s = Section({{SQL_INTEGER, 3, 1}, {SQL_VARCHAR, 2, 0}, {SQL_VARCHAR, 5, 3}});
    ASSERT_EQ(ConnectLookupDatabase(s), 1);
    EXPECT_EQ(ConnectLookupDatabase(s), 1);
    ASSERT_EQ(PrepareLookup(profile_, 1), 1);
    EXPECT_EQ(Look("ann"), "Ann Smith<BR>41");
    // A NULL column is empty, not the text the row before left behind.
    EXPECT_EQ(Look("bob"), "<BR>30");
    int result = 0;
    EXPECT_EQ(Look("nobody", 300, &result), "");
    EXPECT_EQ(result, 1);
    // The output is cut to the caller's buffer.
    EXPECT_EQ(Look("ann", 8), "Ann Smi");
    // The columns are text for the report page: escaped, and cut only
    // before a whole reference or "<BR>".
    EXPECT_EQ(Look("dee"), "&lt;b&gt;Dee&lt;/b&gt; &amp; co<BR>9");
    EXPECT_EQ(Look("dee", 4), "");
    EXPECT_EQ(Look("dee", 29), "&lt;b&gt;Dee&lt;/b&gt; &amp;");
    EXPECT_EQ(Look("dee", 34), "&lt;b&gt;Dee&lt;/b&gt; &amp; co");
    EXPECT_EQ(boxes_.Count(), 0u);
}

TEST_P(OdbcLookupTest, NumbersAndCustomSqlAreUsed) {
    RowmereSettings* s = Section({{SQL_DOUBLE, 1, 0}, {SQL_VARCHAR, 2, 1}});
    strcpy(s->szCustomSQL, "SELECT score, team FROM people WHERE login = ?");
    ASSERT_EQ(ConnectLookupDatabase(s), 1);
    ASSERT_EQ(PrepareLookup(profile_, 1), 1);
    EXPECT_EQ(Look("ann"), "2.500000<BR>blue");
    EXPECT_EQ(Look("cy"), "3.000000<BR>green");
}

TEST_P(OdbcLookupTest, IncompleteSettingsOrAMissingDriverDoNotConnect) {
    RowmereSettings* s = Section(std::initializer_list<ColumnSpec>());
    EXPECT_EQ(ConnectLookupDatabase(s), 0) << "no columns";
    s = Section({{SQL_VARCHAR, 2, 0}});
    strcpy(s->RowmereDSN, "DRIVER={No Such Driver};");
    EXPECT_EQ(ConnectLookupDatabase(s), 0);
    EXPECT_TRUE(boxes_.WaitFor(1));
    EXPECT_EQ(PrepareLookup(profile_, 1), 0);
    int result = 1;
    EXPECT_EQ(Look("ann", 300, &result), "");
    EXPECT_EQ(result, 0);
}

// The users' descriptions of a report come from the profile's sections,
// bounded by the writer's buffer; NULL columns and unmatched users give
// empty texts, and an unreachable database is asked once per report.
TEST_P(OdbcLookupTest, ReportDescriptionsOfUsersAreLookedUp) {
    Section({{SQL_VARCHAR, 2, 0}, {SQL_INTEGER, 3, 1}}, 1);
    Section({{SQL_VARCHAR, 2, 0}}, 2);
    KeywordRun r;
    r.run->Profile = profile_;
    r.Add(TopUsers, "ann", 2);
    r.Add(TopUsers, "nobody", 1);
    r.Add(TopAuthUsers, "bob", 1);
    EXPECT_EQ(r.Value("TopUsersDesc[0]"), "Ann Smith<BR>41");
    EXPECT_EQ(r.Value("TopUsersDesc[1]"), "");
    EXPECT_EQ(r.Value("TopAuthUsersDesc[0]"), "") << "a NULL name";
    char small[8];
    DWORD marker = 0;
    EvaluateHeaderKeyword(nullptr, r.run, "TopUsersDesc[0]", small, sizeof(small), &marker,
                          nullptr);
    EXPECT_STREQ(small, "Ann Smi");
    EndReportLookups();

    strcpy(profile_->RowmereIP->RowmereDSN, "DRIVER={No Such Driver};");
    EXPECT_EQ(r.Value("TopUsersDesc[0]"), "");
    EXPECT_TRUE(boxes_.WaitFor(1));
    EXPECT_EQ(r.Value("TopUsersDesc[0]"), "");
    EndReportLookups();
    EXPECT_EQ(boxes_.Count(), 1u) << "one error box for the report, not one per row";
    r.run->Profile = nullptr;
}

INSTANTIATE_TEST_SUITE_P(Drivers, OdbcLookupTest, testing::ValuesIn(kDrivers), PrintDriver);

} // namespace
