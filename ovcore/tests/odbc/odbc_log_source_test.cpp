// Logs kept in a database table, read through ODBC in time order as
// comma-separated service-log lines, on SQLite and PostgreSQL.
#include <string.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "msgbox_watcher.h"
#include "logodbc/odbc_log_source.h"
#include "odbc_fixture.h"
#include "engine_settings_edit.h"
#include "ovcore/hittime.h"

using namespace odbctest;

namespace {

std::string Row(const char* client, const char* time, const char* target) {
    return LogRowSql({client, time, target, 200});
}

class OdbcLogSourceTest : public testing::TestWithParam<Driver> {
  protected:
    void SetUp() override {
        connection_ = ConnectionText(GetParam(), CurrentTestName(), "ovlogs");
        ASSERT_FALSE(connection_.empty());
        RunSql(connection_, "DROP TABLE weblog");
        ASSERT_TRUE(RunSql(connection_, kCreateLogTable));
        SetLogDateFormat(0);
    }
    void TearDown() override {
        ORB_CloseODBC(nullptr);
        SetLogDateFormat(0);
    }
    std::vector<std::string> ReadAll(LogSourceHandle* h) {
        std::vector<std::string> lines;
        char line[ODBC_LINE_SIZE];
        ULONGLONG position = 0, next = 0;
        while (ReadODBCLine(h, line, position, &next) == 3 && lines.size() < 100) {
            lines.push_back(line);
            position = next;
        }
        return lines;
    }
    std::string connection_;
    ovtest::MsgBoxWatcher boxes_;
};

TEST_P(OdbcLogSourceTest, RowsComeInTimeOrderAsServiceLogLines) {
    ASSERT_TRUE(RunSql(connection_, Row("10.0.0.3", "2023-11-15 12:30:05", "/c.html")));
    ASSERT_TRUE(RunSql(connection_, Row("10.0.0.1", "2023-11-15 08:00:00", "/a.html")));
    ASSERT_TRUE(RunSql(connection_, Row("10.0.0.2", "2023-11-15 09:15:00", "/b.html")));
    ASSERT_EQ(PrepareODBCLogSource(connection_.c_str()), 1);
    LogSourceHandle h;
    OpenODBCLogSource(("odbc:" + connection_).c_str(), &h);
    ASSERT_NE(h.hFile, INVALID_HANDLE_VALUE);
    EXPECT_EQ(h.dwSize, 300u);

    std::vector<std::string> lines = ReadAll(&h);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "10.0.0.1, -, 11/15/2023, 8:0:0, W3SVC1, WEB1, 10.0.0.9, 15, 200, 3000, "
                        "200, 0, GET, /a.html, , \r\n");
    EXPECT_NE(lines[1].find("/b.html"), std::string::npos);
    EXPECT_NE(lines[2].find("/c.html"), std::string::npos);

    // Seeking goes by whole rows; the row before the first is the first.
    EXPECT_EQ(SeekODBCLogSource(&h, 250, FILE_BEGIN), 200u);
    EXPECT_EQ(SeekODBCLogSource(&h, 0, FILE_END), 300u);
    EXPECT_EQ(ODBCLineStartBefore(&h, 200), 100u);
    EXPECT_EQ(ODBCLineStartBefore(&h, 900), 200u);
    EXPECT_EQ(ODBCLineStartBefore(&h, 0), 0u);
    EXPECT_EQ(boxes_.Count(), 0u);
}

// The line's date is built in the order the line parser reads: the log
// date-format code's, or the [intl] order while the code is unknown.
TEST_P(OdbcLogSourceTest, DateFollowsTheOrderTheParserReads) {
    ASSERT_TRUE(RunSql(connection_, Row("10.0.0.1", "2023-11-05 08:00:00", "/a.html")));
    const struct {
        DWORD code;
        int intlOrder;
        const char* date;
    } cases[] = {
        {LOGDATE_DMY, 0, "5/11/2023"}, {LOGDATE_YMD_GMT, 1, "2023/11/5"},
        {0, 0, "11/5/2023"},           {0, 1, "5/11/2023"},
        {0, 2, "2023/11/5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.date);
        SetLogDateFormat(c.code);
        EditEngineSettings(
            [&](EngineSettings& s) { s.intl = OvkitMakeIntlSettings(c.intlOrder, "/", ":"); });
        ASSERT_EQ(PrepareODBCLogSource(connection_.c_str()), 1);
        LogSourceHandle h;
        OpenODBCLogSource(("odbc:" + connection_).c_str(), &h);
        std::vector<std::string> lines = ReadAll(&h);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0].substr(0, 13 + strlen(c.date)), "10.0.0.1, -, " + std::string(c.date));
        ORB_CloseODBC(nullptr);
    }
    EditEngineSettings([](EngineSettings& s) { s.intl = OvkitMakeIntlSettings(0, "/", ":"); });
}

// A second table's source replaces the one prepared before, and a copy is
// made only for the prepared source's own text: no table is read in
// another's place.
TEST_P(OdbcLogSourceTest, EachSourceReadsItsOwnTable) {
    // Its log table must be the first table the data source lists.
    std::string other = ConnectionText(GetParam(), CurrentTestName() + "-other");
    DropAllTables(other);
    ASSERT_TRUE(RunSql(other, kCreateLogTable));
    ASSERT_TRUE(RunSql(other, Row("10.0.0.7", "2023-11-15 10:00:00", "/other.html")));
    ASSERT_TRUE(RunSql(connection_, Row("10.0.0.1", "2023-11-15 08:00:00", "/a.html")));
    ASSERT_EQ(PrepareODBCLogSource(connection_.c_str()), 1);
    ASSERT_EQ(PrepareODBCLogSource(other.c_str()), 1);
    LogSourceHandle h;
    OpenODBCLogSource(("odbc:" + other).c_str(), &h);
    std::vector<std::string> lines = ReadAll(&h);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("/other.html"), std::string::npos);
    CloseODBCLogSource(&h);
    LogSourceHandle first;
    OpenODBCLogSource(("odbc:" + connection_).c_str(), &first);
    EXPECT_EQ(first.dwSize, 100u);
    EXPECT_TRUE(ReadAll(&first).empty()) << "not the prepared table's rows";
    ORB_CloseODBC(&first);
}

// 3,000 rows are counted as 3,000 by halving, without a prepared index.
TEST_P(OdbcLogSourceTest, RowsAreCounted) {
    std::string fill =
        std::string(GetParam().name) == std::string("sqlite")
            ? "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
              "INSERT INTO weblog SELECT '10.0.0.1', '-', '2023-11-15 08:00:00', 'W3SVC1', "
              "'WEB1', '-', 0, 0, 0, 200, 0, 'GET', '/', '-' FROM n"
            : "INSERT INTO weblog SELECT '10.0.0.1', '-', '2023-11-15 08:00:00', 'W3SVC1', "
              "'WEB1', '-', 0, 0, 0, 200, 0, 'GET', '/', '-' FROM generate_series(1, 3000)";
    ASSERT_TRUE(RunSql(connection_, fill));
    LogSourceHandle h;
    OpenODBCLogSource(("odbc:" + connection_).c_str(), &h);
    ASSERT_NE(h.hFile, INVALID_HANDLE_VALUE);
    EXPECT_EQ(h.dwSize, 300000u);
    ORB_CloseODBC(&h);
}

TEST_P(OdbcLogSourceTest, RowsThatCannotBeReadAreSkipped) {
    ASSERT_TRUE(RunSql(connection_, Row("10.0.0.1", "2023-11-15 08:00:00", "/a.html")));
    ASSERT_TRUE(RunSql(connection_, "INSERT INTO weblog (ClientHost) VALUES ('no-time')"));
    std::string full(255, 'x');
    ASSERT_TRUE(RunSql(connection_, "INSERT INTO weblog VALUES ('" + full + "', '" + full +
                                        "', '2023-11-15 09:00:00', '" + full + "', '" + full +
                                        "', '" + full + "', 0, 0, 0, 0, 0, '" + full + "', '" +
                                        full + "', '" + full + "')"));
    ASSERT_EQ(PrepareODBCLogSource(connection_.c_str()), 1);
    LogSourceHandle h;
    OpenODBCLogSource(("odbc:" + connection_).c_str(), &h);
    std::vector<std::string> lines = ReadAll(&h);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("/a.html"), std::string::npos);
}

TEST_P(OdbcLogSourceTest, UnreachableSourceFailsToOpen) {
    LogSourceHandle h;
    OpenODBCLogSource("odbc:DRIVER={PostgreSQL ANSI};Server=127.0.0.1;Port=1;Database=x;"
                      "pqopt={connect_timeout=5};",
                      &h);
    EXPECT_EQ(h.hFile, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(boxes_.WaitFor(1));
    EXPECT_EQ(PrepareODBCLogSource("DRIVER={No Such Driver};"), 0);
}

INSTANTIATE_TEST_SUITE_P(Drivers, OdbcLogSourceTest, testing::ValuesIn(kDrivers), PrintDriver);

TEST(AccessTimeText, IsRewrittenToTheDateOrderAndA24HourClock) {
    const struct {
        const char* text;
        int order;
        const char* result;
    } cases[] = {
        {"1999-10-10 2:05:09 PM", 0, "10/10/1999, 14:05:09"},
        {"1999-10-10 12:30:00 AM", 0, "10/10/1999, 0:30:00"},
        {"1999-10-10 12:30:00 PM", 0, "10/10/1999, 12:30:00"},
        {"1999-10-10 09:15:00", 0, "10/10/1999, 9:15:00"},
        {"1999-10-11 09:15:00", 1, "11/10/1999, 9:15:00"},
        {"1999-10-11 09:15:00", 2, "1999/10/11, 9:15:00"},
        {"12:30:00 AM", 0, "12:30:00 AM"},
        {"10/10/99 3.05.00 PM", 0, "10/10/99, 15.05.00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        char result[64];
        RewriteAccessTimeText(c.text, c.order, result);
        EXPECT_STREQ(result, c.result);
    }
}

} // namespace
