#include "odbc_fixture.h"

#include <stdio.h>

#include <fstream>
#include <vector>

#include <windows.h>
#include <sql.h>
#include <sqlext.h>

namespace odbctest {

const Driver kDrivers[2] = {{"sqlite"}, {"postgres"}};

static bool Ok(SQLRETURN r) {
    return r == SQL_SUCCESS || r == SQL_SUCCESS_WITH_INFO;
}

static std::string FixturePath(const char* file, bool windows) {
    const char* unixPath = getenv("OV_ODBC_FIXTURE");
    if (!unixPath || !unixPath[0])
        return "";
    std::string path = std::string(unixPath) + "/" + file;
    if (!windows)
        return path;
    path = "Z:" + path;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string CurrentTestName() {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name)
        if (c == '/')
            c = '-';
    return name;
}

std::string ConnectionText(const Driver& driver, const std::string& test, const char* database) {
    if (FixturePath("", false).empty()) {
        ADD_FAILURE() << "OV_ODBC_FIXTURE is not set: run the ODBC tests through ctest";
        return "";
    }
    if (std::string(driver.name) == "sqlite") {
        std::string file = test + ".db";
        DeleteFileA(FixturePath(file.c_str(), true).c_str());
        return "DRIVER={SQLite3};Database=" + FixturePath(file.c_str(), false) + ";";
    }
    std::ifstream in(FixturePath("port", true));
    int port = 0;
    in >> port;
    if (port <= 0) {
        ADD_FAILURE() << "the PostgreSQL test server is not running (no port file in "
                      << FixturePath("", false) << "; see scripts/pg-test-server.sh)";
        return "";
    }
    return "DRIVER={PostgreSQL ANSI};Server=127.0.0.1;Port=" + std::to_string(port) +
           ";Database=" + database + ";Uid=ovtest;Pwd=;pqopt={connect_timeout=5};";
}

// Runs fn on a statement of a fresh connection; false when it cannot connect.
// The fixture talks to Wine's ODBC directly, with an environment of its own,
// so that the engine's binding and the plug-in's stay the ones under test.
template <typename Fn> static bool OnStatement(const std::string& connection, Fn fn) {
    SQLHENV env = SQL_NULL_HENV;
    SQLHDBC dbc = SQL_NULL_HDBC;
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    bool ok = Ok(SQLAllocEnv(&env)) && Ok(SQLAllocConnect(env, &dbc));
    ok = ok && Ok(SQLDriverConnect(dbc, nullptr, (SQLCHAR*)connection.c_str(), SQL_NTS, nullptr, 0,
                                   nullptr, SQL_DRIVER_NOPROMPT));
    ok = ok && Ok(SQLAllocStmt(dbc, &stmt)) && fn(stmt);
    if (stmt)
        SQLFreeStmt(stmt, SQL_DROP);
    if (dbc) {
        SQLDisconnect(dbc);
        SQLFreeConnect(dbc);
    }
    if (env)
        SQLFreeEnv(env);
    return ok;
}

bool RunSql(const std::string& connection, const std::string& sql) {
    return OnStatement(connection, [&](SQLHSTMT stmt) {
        SQLRETURN r = SQLExecDirect(stmt, (SQLCHAR*)sql.c_str(), SQL_NTS);
        return Ok(r) || r == SQL_NO_DATA;
    });
}

void DropAllTables(const std::string& connection) {
    std::vector<std::string> tables;
    OnStatement(connection, [&](SQLHSTMT stmt) {
        char name[256];
        SQLLEN length = 0;
        if (!Ok(SQLTables(stmt, nullptr, 0, nullptr, 0, nullptr, 0, (SQLCHAR*)"TABLE", SQL_NTS)) ||
            !Ok(SQLBindCol(stmt, 3, SQL_C_CHAR, name, sizeof(name), &length)))
            return false;
        while (Ok(SQLFetch(stmt)))
            tables.push_back(name);
        return true;
    });
    for (const std::string& table : tables)
        RunSql(connection, "DROP TABLE " + table);
}

long QueryNumber(const std::string& connection, const std::string& sql) {
    SQLINTEGER value = -1;
    SQLLEN length = 0;
    bool ok = OnStatement(connection, [&](SQLHSTMT stmt) {
        return Ok(SQLExecDirect(stmt, (SQLCHAR*)sql.c_str(), SQL_NTS)) &&
               Ok(SQLBindCol(stmt, 1, SQL_C_SLONG, &value, 0, &length)) && Ok(SQLFetch(stmt));
    });
    return ok ? (long)value : -1;
}

const char kCreateLogTable[] =
    "CREATE TABLE weblog (ClientHost varchar(255), username varchar(255), LogTime timestamp, "
    "service varchar(255), machine varchar(255), serverip varchar(255), processingtime int, "
    "bytesrecvd int, bytessent int, servicestatus int, win32status int, operation "
    "varchar(255), target varchar(255), parameters varchar(255))";

std::string LogRowSql(const LogRow& row) {
    return std::string("INSERT INTO weblog VALUES ('") + row.client + "', '-', '" + row.time +
           "', 'W3SVC1', 'WEB1', '10.0.0.9', 15, 200, 3000, " + std::to_string(row.status) +
           ", 0, 'GET', '" + row.target + "', NULL)";
}

std::string LogRowLine(const LogRow& row) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    sscanf(row.time, "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s);
    char when[40];
    snprintf(when, sizeof(when), "%d/%d/%d, %d:%02d:%02d", mo, d, y, h, mi, s);
    return std::string(row.client) + ", -, " + when + ", W3SVC1, WEB1, 10.0.0.9, 15, 200, 3000, " +
           std::to_string(row.status) + ", 0, GET, " + row.target + ", , \r\n";
}

} // namespace odbctest
