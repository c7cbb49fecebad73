// The two data sources of the ODBC tests: a SQLite file per test, and the
// loopback PostgreSQL server that CTest starts around the test program
// (scripts/pg-test-server.sh; OV_ODBC_FIXTURE names its folder).
#pragma once
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace odbctest {

struct Driver {
    const char* name; // "sqlite" or "postgres"
};
inline std::string PrintDriver(const testing::TestParamInfo<Driver>& info) {
    return info.param.name;
}
extern const Driver kDrivers[2];

// The connection text of the driver for a test (the SQLite file is made
// afresh for each test name; PostgreSQL's database is "ovtest", or
// database when given). Empty, with a test failure saying why, when the
// server is not there.
std::string ConnectionText(const Driver& driver, const std::string& test,
                           const char* database = "ovtest");
// The current test's name, usable in a file name.
std::string CurrentTestName();
// Runs one SQL text on a connection of its own; true when it succeeded.
bool RunSql(const std::string& connection, const std::string& sql);
// Drops every table the data source lists.
void DropAllTables(const std::string& connection);
// The first column of the first row of a query as a number; -1 on failure.
long QueryNumber(const std::string& connection, const std::string& sql);

// The log table of the log-source tests: the 14 service-log columns.
extern const char kCreateLogTable[];
// One hit of a log table row: its time as "yyyy-mm-dd hh:mm:ss".
struct LogRow {
    const char* client;
    const char* time;
    const char* target;
    int status;
};
// The INSERT of the row (service W3SVC1 on WEB1 10.0.0.9, GET, no
// parameters).
std::string LogRowSql(const LogRow& row);
// The row as the line of a comma-separated service log ("m/d/yyyy, h:mm:ss").
std::string LogRowLine(const LogRow& row);

} // namespace odbctest
