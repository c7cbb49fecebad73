// Time probes in W3C logs whose directives change mid-file: the first and
// last records, the samples of the profile probes and the byte range of a
// time range are read with the "#Fields:" and "#Date:" in force at each place.
#include "logread_fixtures.h"
#include "engine_settings_edit.h"
#include <gtest/gtest.h>
#include <stdio.h>

using namespace logtest;

namespace {

DWORD At(int day, int hour, int minute = 0) {
    return kDay + day * 86400 + hour * 3600 + minute * 60;
}

class W3CRangeTest : public ::testing::Test {
  protected:
    LogInstall install;
    FileInfo* info = FileInfo_New();
    ~W3CRangeTest() override { FileInfo_Free(info); }
    // Writes the log and makes it the file list's only file.
    std::string Use(const std::string& log) {
        install.Write("logs\\ex.log", log);
        std::string path = install.Path("logs\\ex.log");
        FileInfo_Clear(info);
        FileInfo_AddServerPath(nullptr, "site.wlp", nullptr, nullptr, 0, path.c_str(), info, TRUE,
                               nullptr);
        return path;
    }
    // Times of the first and last records, as the profile probes read them.
    void ExpectFirstAndLast(const std::string& path, DWORD first, DWORD last) {
        DWORD time = 0;
        ULONGLONG at = 0;
        EXPECT_TRUE(GetLogFileFirstTime(path.c_str(), 0, &time, &at));
        EXPECT_EQ(first, time);
        EXPECT_TRUE(GetLogFileLastTime(path.c_str(), 0, &time, &at));
        EXPECT_EQ(last, time);
        DWORD sampledFirst = 0, sampledLast = 0, kb = 0;
        BOOL error = FALSE;
        EXPECT_TRUE(LogSampleRecords(info, 0, TRUE, &sampledFirst, &sampledLast, &kb, &error));
        EXPECT_FALSE(error);
        EXPECT_EQ(first, sampledFirst);
        EXPECT_EQ(last, sampledLast);
    }
};

std::vector<std::string> Urls(const std::vector<Hit>& hits) {
    std::vector<std::string> urls;
    for (const Hit& h : hits)
        urls.push_back(h.url);
    return urls;
}

const char kMoreColumns[] =
    "#Fields: date time c-ip cs-method cs-uri-stem sc-status\n"
    "1999-10-10 10:00:00 1.2.3.4 GET /ten 200\n"
    "#Fields: date time c-ip cs-method cs-uri-stem sc-status cs(User-Agent)\n"
    "1999-10-10 11:00:00 1.2.3.4 GET /eleven 200 Mozilla/4.0\n"
    "1999-10-10 12:00:00 1.2.3.4 GET /twelve 200 Mozilla/4.0\n";
const char kDateBlocks[] = "#Fields: time c-ip cs-method cs-uri-stem sc-status\n"
                           "#Date: 1999-10-10 00:00:00\n"
                           "23:00:00 1.2.3.4 GET /day1 200\n"
                           "#Date: 1999-10-11 00:00:00\n"
                           "01:00:00 1.2.3.4 GET /day2a 200\n"
                           "02:00:00 1.2.3.4 GET /day2b 200\n";
const char kDateAfterTime[] = "#Fields: time date c-ip cs-method cs-uri-stem sc-status\n"
                              "10:00:00 1999-10-10 1.2.3.4 GET /a 200\n"
                              "11:00:00 1999-10-10 1.2.3.4 GET /b 200\n";
const char kTimeMoves[] = "#Fields: date time c-ip cs-method cs-uri-stem sc-status\n"
                          "1999-10-10 10:00:00 1.2.3.4 GET /a 200\n"
                          "#Fields: c-ip cs-method date time cs-uri-stem sc-status\n"
                          "1.2.3.4 GET 1999-10-10 11:00:00 /b 200\n"
                          "1.2.3.4 GET 1999-10-10 12:00:00 /c 200\n";

// Guards against probes that read every line with the file's first
// "#Fields:" and its first "#Date:".
TEST_F(W3CRangeTest, ProbesUseTheDirectivesInForce) {
    struct Case {
        const char* name;
        const char* log;
        DWORD first, last;             // times of the first and last records
        DWORD start, end;              // a time range
        std::vector<std::string> urls; // its hits
    } cases[] = {
        {"a later #Fields: adds a column",
         kMoreColumns,
         At(0, 10),
         At(0, 12),
         At(0, 10, 30),
         At(0, 11, 30),
         {"/eleven"}},
        {"a range from before the change stops in time",
         kMoreColumns,
         At(0, 10),
         At(0, 12),
         At(0, 9),
         At(0, 11, 30),
         {"/ten", "/eleven"}},
        {"time-only records under two #Date: blocks",
         kDateBlocks,
         At(0, 23),
         At(1, 2),
         At(1, 0),
         At(1, 23, 59),
         {"/day2a", "/day2b"}},
        {"the date column after the time, no #Date:",
         kDateAfterTime,
         At(0, 10),
         At(0, 11),
         At(0, 10, 30),
         At(0, 12),
         {"/b"}},
        {"a later #Fields: moves the time column",
         kTimeMoves,
         At(0, 10),
         At(0, 12),
         At(0, 11, 30),
         At(0, 13),
         {"/c"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = Use(c.log);
        ExpectFirstAndLast(path, c.first, c.last);
        EXPECT_EQ(c.urls, Urls(ReadAllHits(info, c.start, c.end)));
    }
}

// A record of the generated log below, in one of its column layouts.
struct Layout {
    const char* fields;
    bool timeOnly; // needs "#Date:"
};
const Layout kLayouts[] = {
    {"date time c-ip cs-method cs-uri-stem sc-status", false},
    {"date time c-ip cs-method cs-uri-stem sc-status cs(User-Agent)", false},
    {"time c-ip cs-method cs-uri-stem sc-status", true},
    {"c-ip time cs-method cs-uri-stem sc-status date", false},
    {"time c-ip cs-method cs-uri-stem sc-status cs(Referer)", true},
};

std::string Column(const std::string& name, DWORD seconds, int i) {
    time_t t = (time_t)(kDay + seconds);
    struct tm* g = gmtime(&t);
    char text[32];
    if (name == "date")
        strftime(text, sizeof(text), "%Y-%m-%d", g);
    else if (name == "time")
        strftime(text, sizeof(text), "%H:%M:%S", g);
    else if (name == "c-ip")
        sprintf(text, "10.0.%d.%d", i / 250, i % 250 + 1);
    else if (name == "cs-method")
        return "GET";
    else if (name == "cs-uri-stem")
        sprintf(text, "/p%d.html", i);
    else if (name == "sc-status")
        return "200";
    else
        return name == "cs(User-Agent)" ? "Mozilla/4.0+(compatible)" : "http://r/";
    return text;
}

std::string Record(const Layout& layout, DWORD seconds, int i) {
    std::string line, fields = layout.fields, name;
    for (size_t p = 0; p <= fields.size(); p++) {
        if (p < fields.size() && fields[p] != ' ') {
            name += fields[p];
            continue;
        }
        line += (line.empty() ? "" : " ") + Column(name, seconds, i);
        name.clear();
    }
    return line + "\r\n";
}

// Guards against a range's record count that depends on which "#Fields:"
// the probes happen to read.
// 1,000 records in five blocks of 200, one every 300 seconds over three and
// a half days; each block has its own "#Fields:", and the time-only blocks
// get a "#Date:" at their start and at each new day.
TEST_F(W3CRangeTest, RangeCountsAreExactAcrossDirectiveChanges) {
    const int records = 1000, step = 300;
    std::string log = "#Software: test\r\n#Version: 1.0\r\n";
    int day = -1;
    for (int i = 0; i < records; i++) {
        const Layout& layout = kLayouts[i / 200];
        DWORD seconds = (DWORD)(i * step);
        bool newBlock = i % 200 == 0, newDay = (int)(seconds / 86400) != day;
        day = (int)(seconds / 86400);
        if ((newBlock || newDay) && layout.timeOnly)
            log += "#Date: " + Column("date", seconds, i) + " 00:00:00\r\n";
        if (newBlock)
            log += "#Fields: " + std::string(layout.fields) + "\r\n";
        log += Record(layout, seconds, i);
    }
    std::string path = Use(log);
    ExpectFirstAndLast(path, kDay, kDay + (records - 1) * step);

    struct Range {
        DWORD start, end; // seconds after kDay
    } ranges[] = {
        {0, 400000},      {100000, 200000}, {150001, 175000}, {250000, 280000},
        {205000, 205100}, {290000, 999999}, {59950, 60050},
    };
    for (const Range& r : ranges) {
        SCOPED_TRACE(r.start);
        std::vector<std::string> expected;
        for (int i = 0; i < records; i++)
            if ((DWORD)(i * step) >= r.start && (DWORD)(i * step) <= r.end)
                expected.push_back("/p" + std::to_string(i) + ".html");
        EXPECT_EQ(expected, Urls(ReadAllHits(info, kDay + r.start, kDay + r.end)));
    }
}

int g_shown = 0;
void CALLBACK CountShown(HWND, const char*, const char*, UINT, UINT, int) {
    g_shown++;
}

// A bad "#Fields:" inside a range is reported once, by the analysis's own
// read, however many of the range's probes pass it.
TEST_F(W3CRangeTest, ABadFieldsDirectiveIsReportedOnce) {
    const Layout dated = kLayouts[0];
    std::string log = "#Fields: " + std::string(dated.fields) + "\n";
    for (int i = 0; i < 100; i++) {
        if (i == 50)
            log += "#Fields: c-ip\n1.2.3.4\n#Fields: " + std::string(dated.fields) + "\n";
        log += Record(dated, (DWORD)i * 60, i);
    }
    Use(log);
    g_shown = 0;
    LogParse_SetErrorDisplay(CountShown);
    std::vector<Hit> hits = ReadAllHits(info, kDay + 20 * 60, kDay + 70 * 60);
    LogParse_SetErrorDisplay(nullptr);
    EXPECT_EQ(51u, hits.size());
    EXPECT_EQ(1, g_shown);
}

} // namespace
