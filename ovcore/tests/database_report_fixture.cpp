#include "database_report_fixture.h"

#include <stdio.h>

#include <gtest/gtest.h>

#include "ovcore/report_writer.h"

namespace dbtest {

namespace {

const int kDay = 86400;

// A combined-log line of 10 October 1999 + seconds.
std::string Line(int client, DWORD seconds, const char* url, int status, const char* referrer,
                 const char* agent) {
    char text[400];
    snprintf(text, sizeof(text),
             "10.0.0.%d - - [%02lu/Oct/1999:%02lu:%02lu:%02lu +0000] \"GET %s HTTP/1.0\" %d %d "
             "\"%s\" \"%s\"\n",
             client, (unsigned long)(10 + seconds / kDay), (unsigned long)(seconds / 3600 % 24),
             (unsigned long)(seconds / 60 % 60), (unsigned long)(seconds % 60), url, status,
             100 + (int)seconds % 900, referrer, agent);
    return text;
}

std::string Show(const std::map<std::string, Counts>& items) {
    std::string s;
    for (const auto& i : items)
        s += i.first + "=" + std::to_string((int)i.second.hits) + "/" +
             std::to_string((int)i.second.users) + " ";
    return s;
}

} // namespace

ORB_TIME Oct(int day, int hour, int minute, int second) {
    return Y2K_mktimeEx((WORD)hour, (WORD)minute, (WORD)second, 9, (WORD)day, 99, nullptr);
}

std::string FixtureLog() {
    static const char* kUrls[] = {"/",           "/a.html",       "/b.html",
                                  "/dir/c.html", "/form.cgi?x=1", "/missing.html"};
    static const char* kReferrers[] = {"-", "http://www.google.com/search?q=blue+widgets",
                                       "http://other.example.com/links.html"};
    static const char* kAgents[] = {"Mozilla/4.0 (compatible; MSIE 5.0; Windows 98)",
                                    "Mozilla/4.7 [en] (X11; I; Linux 2.2.12 i686)"};
    std::string log;
    for (int d = 0; d <= 8; ++d) {
        if (d == 7)
            continue;
        for (int k = 0; k < 6 + d; ++k) {
            DWORD at = d * kDay + 3600 * (2 + k * 18 / (6 + d)) + 60 * (k % 7);
            int u = (k + d) % 6;
            log += Line(1 + (k * 5 + d) % 4, at, kUrls[u], u == 5 ? 404 : 200,
                        kReferrers[(k + d) % 3], kAgents[k % 2]);
        }
    }
    log += Line(1, 15 * kDay + 3600 * 12, "/a.html", 200, "-", kAgents[0]);
    return log;
}

void RangeCase::Bounds(ORB_TIME* start, ORB_TIME* end) const {
    *start = at;
    *end = code ? at : to;
    if (code)
        ORB_CalculateRealtimeReportRange(code, start, end);
}

std::vector<RangeCase> RangeCases() {
    return {
        {"day", 42, Oct(12, 10), 0, 1},
        {"week", 43, Oct(13, 10), 0, 7},
        {"custom", 0, Oct(11), Oct(13, 23, 59, 59), 3},
        {"month", 45, Oct(20), 0, 8},
        {"year by months", 48, Oct(20), 0, 8},
    };
}

std::string FixtureLine(int client, DWORD seconds, const char* url, const char* referrer,
                        const char* agent) {
    return Line(client, seconds, url, 200, referrer, agent);
}

std::map<std::string, Counts> Items(const AnalysisTable& t) {
    std::map<std::string, Counts> out;
    DWORD slots = t.lpItems ? t.ovCount + t.DeleteCount : 0;
    for (DWORD i = 0; i < slots; ++i) {
        const AnalysisItem* item = t.lpItems[i];
        if (!item || item->ovDeleted || !item->ovString)
            continue;
        Counts& c = out[item->ovString];
        c.hits += item->ovTotalByHits;
        c.users += item->ovTotalByUsers;
        c.bytes += item->ovTotalBytes;
        c.noncached += item->ovNonCachedTotalByHits;
    }
    return out;
}

namespace {

// One interval of a run's grid: its time span and figures.
struct Slot {
    ORB_TIME start, end; // end: the first second after it
    double hits, failed, visits, bytes;
};

std::vector<Slot> Slots(const RunContext* run) {
    const ReportIntervals& iv = run->Intervals;
    std::vector<Slot> out;
    for (int i = 0; i < iv.Count && i < ANALYSIS_INTERVALS; ++i) {
        Slot s;
        if (run->CountByMonth || run->CountByDay) {
            const ORB_TIME* starts = run->CountByMonth ? run->MonthStarts : run->DayStarts;
            s.start = starts[i];
            s.end = starts[i + 1];
        } else {
            s.start = iv.FirstStart + (ORB_TIME)i * iv.Length;
            s.end = s.start + iv.Length;
        }
        const PeriodBlock& p = run->Period;
        s.hits = p.Hits[i];
        s.failed = p.FailedHits[i];
        s.visits = p.NewVisits[i];
        s.bytes = p.Bytes[i];
        out.push_back(s);
    }
    return out;
}

// Adds each slot of `fine` into the slot of `coarse` that holds it whole; a
// slot that lies in none must be empty, and one that straddles a boundary
// of `coarse` makes the grids impossible to compare.
std::vector<Slot> Regrid(const std::vector<Slot>& fine, const std::vector<Slot>& coarse,
                         const char* name) {
    std::vector<Slot> sums = coarse;
    for (Slot& s : sums)
        s.hits = s.failed = s.visits = s.bytes = 0;
    for (const Slot& f : fine) {
        bool placed = false, overlaps = false;
        for (Slot& c : sums) {
            if (f.start >= c.start && f.end <= c.end) {
                c.hits += f.hits;
                c.failed += f.failed;
                c.visits += f.visits;
                c.bytes += f.bytes;
                placed = true;
                break;
            }
            overlaps = overlaps || (f.start < c.end && c.start < f.end);
        }
        if (placed)
            continue;
        if (overlaps) {
            ADD_FAILURE() << name << ": interval from " << f.start << " to " << f.end
                          << " straddles the other grid's intervals";
        } else {
            SCOPED_TRACE(testing::Message() << name << ": interval from " << f.start
                                            << " lies outside the other grid");
            EXPECT_EQ(f.hits, 0);
            EXPECT_EQ(f.failed, 0);
            EXPECT_EQ(f.visits, 0);
            EXPECT_EQ(f.bytes, 0);
        }
    }
    return sums;
}

} // namespace

void ExpectSameTables(const RunContext* db, const RunContext* logs) {
    for (int t = 0; t < RUN_TABLE_COUNT; ++t) {
        if (t == ObsoleteTopPaths)
            continue;
        SCOPED_TRACE(g_ReportTableKeywords[t].Keyword);
        auto a = Items(db->Period.TopTablesPtr[t]), b = Items(logs->Period.TopTablesPtr[t]);
        EXPECT_TRUE(a == b) << "database: " << Show(a) << "\nlogs: " << Show(b);
    }
    const PeriodBlock &p = db->Period, &q = logs->Period;
    EXPECT_EQ(p.DocumentHits, q.DocumentHits);
    EXPECT_EQ(p.FormHits, q.FormHits);
    EXPECT_EQ(p.Failed404, q.Failed404);
    EXPECT_EQ(p.UserSessionsTimeCount, q.UserSessionsTimeCount);
    // The interval figures, over the coarser of the two grids: each finer
    // interval adds into the coarser one that holds it.
    std::vector<Slot> g = Slots(db), h = Slots(logs);
    ASSERT_FALSE(g.empty());
    ASSERT_FALSE(h.empty());
    bool dbCoarser = g[0].end - g[0].start >= h[0].end - h[0].start;
    std::vector<Slot> x = dbCoarser ? g : Regrid(g, h, "database");
    std::vector<Slot> y = dbCoarser ? Regrid(h, g, "logs") : h;
    for (size_t i = 0; i < x.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "interval from " << x[i].start);
        EXPECT_EQ(x[i].hits, y[i].hits);
        EXPECT_EQ(x[i].failed, y[i].failed);
        EXPECT_EQ(x[i].visits, y[i].visits);
        EXPECT_EQ(x[i].bytes, y[i].bytes);
    }
}

const char kFigures[] = "%%GeneralStatsBeginSection[TEXT,{<GeneralStatsTC>}]%%\r\n"
                        "hits %%HeaderTotalHits%% documents %%TopDocumentsTotalHits%% sessions "
                        "%%TopDocumentsTotalUsers%% busiest %%MostActiveDayEverHits%%\r\n"
                        "%%GeneralStatsEndSection%%\r\n";

Sections::Sections(const std::string& path) {
    ORB_ReadTemplateSectionList(path.c_str(), &count, &block, nullptr);
    list = block ? (TemplateSection*)GlobalLock(block) : nullptr;
    for (WORD i = 0; list && i < count; ++i)
        list[i].Include = 1;
}

Sections::~Sections() {
    if (block) {
        GlobalUnlock(block);
        GlobalFree(block);
    }
}

} // namespace dbtest
