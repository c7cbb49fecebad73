// The run's totals (day accounting, intervals, 304s, failed and other-method
// hits, home page), the error tables, hours, weekdays and ads.
#include "accumulate_fixture.h"

#include <string.h>

#include <string>

namespace acctest {
namespace {

using PeriodRunTest = RunFixture;
using RowList = std::vector<std::pair<std::string, DWORD>>;

const DWORD kHour = 3600;

Hit Request(DWORD time, const char* host, const char* url, DWORD status, DWORD bytes) {
    Hit h = At(time, host, url);
    h.status = status;
    h.bytes = bytes;
    return h;
}

TEST_F(PeriodRunTest, DaysIntervalsAndTotals) {
    const DWORD tuesday = kMonday + kDay, saturday = kMonday + 5 * kDay;
    Hit other = Request(kMonday + 11 * kHour, "h2", "/opt", 200, 10);
    other.method = HIT_METHOD_OTHER;
    CountAll({Request(kMonday + 8 * kHour, "h1", "/a.html", 200, 1000),
              Request(kMonday + 8 * kHour + 600, "h1", "/b.html", 304, 0),
              Request(kMonday + 10 * kHour, "h2", "/x.html", 404, 0), other,
              Request(tuesday + 8 * kHour, "h3", "/a.html", 200, 500),
              Request(saturday + 12 * kHour, "h4", "/a.html", 200, 100),
              Request(saturday + 12 * kHour + 600, "h5", "/a.html", 200, 100),
              Request(saturday + 12 * kHour + 1200, "h4", "/a.html", 200, 100),
              Request(saturday + 12 * kHour + 1800, "h5", "/", 200, 100)});
    EndRunTables(run);
    const PeriodBlock& p = run->Period;
    // Monday: 3 successful hits (the 304 and the other method included), 2
    // visits; Tuesday 1 and 1; Saturday 4 and 2. Ties keep the earlier day.
    EXPECT_STREQ(p.BusiestDayByHits, "01/06/01");
    EXPECT_EQ(p.BusiestDayHits, 4u);
    EXPECT_STREQ(p.QuietestDayByHits, "01/02/01");
    EXPECT_EQ(p.QuietestDayHits, 1u);
    EXPECT_STREQ(p.BusiestDayByUsers, "01/01/01");
    EXPECT_EQ(p.BusiestDayUsers, 2u);
    EXPECT_STREQ(p.QuietestDayByUsers, "01/02/01");
    EXPECT_EQ(p.QuietestDayUsers, 1u);
    EXPECT_EQ(p.DaysCounted, 3u);
    EXPECT_EQ(p.WeekdayHits, 4u);
    EXPECT_EQ(p.WeekdayUsers, 3u);
    EXPECT_EQ(p.WeekdaysCounted, 2u);
    EXPECT_EQ(p.WeekendHits, 4u);
    EXPECT_EQ(p.WeekendUsers, 2u);
    EXPECT_EQ(p.WeekendDaysCounted, 1u);
    EXPECT_STREQ(p.Today, "");
    EXPECT_EQ(p.TodayDateTime, 0u);
    // One interval a day.
    const DWORD hits[7] = {4, 1, 0, 0, 0, 4, 0};
    const double bytes[7] = {1010, 500, 0, 0, 0, 400, 0};
    const DWORD visits[7] = {2, 1, 0, 0, 0, 2, 0};
    for (int n = 0; n < 7; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(p.Hits[n], hits[n]);
        EXPECT_EQ(p.Bytes[n], bytes[n]);
        EXPECT_EQ(p.NewVisits[n], visits[n]);
    }
    EXPECT_EQ(p.NotModifiedHits[0], 1u);
    EXPECT_EQ(p.FailedHits[0], 1u);
    EXPECT_EQ(p.OtherMethodHits[0], 1u);
    EXPECT_EQ(p.HomePageHits[5], 1u);
    EXPECT_EQ(p.HomePageHits[0], 0u);
    EXPECT_EQ(p.Failed404, 1u);
}

TEST_F(PeriodRunTest, ErrorTables) {
    Hit withReferrer = Request(kMonday + 3, "h", "/missing.html", 404, 0);
    withReferrer.referrer = "http://r.example/p";
    Hit second = Request(kMonday + 2, "h", "", 503, 0);
    second.serverIndex = 1;
    CountAll({Request(kMonday + 1, "h", "/", 500, 0), second, withReferrer,
              Request(kMonday + 4, "h", "/missing.html", 404, 0),
              Request(kMonday + 5, "h", "/private/", 401, 0),
              Request(kMonday + 6, "h", "/teapot", 418, 0)});
    EXPECT_EQ(Rows(TopServerErrors),
              (RowList{{"500 Internal Error", 1}, {"503 Gateway Timeout", 1}}));
    const AnalysisItem* gateway = Item(TopServerErrors, "503 Gateway Timeout");
    ASSERT_EQ(gateway->ovTopNamesCount, 2u); // one counter per server
    EXPECT_EQ(((const DWORD*)gateway->lpExtra)[1], 1u);
    // One row per missing page, whichever page linked to it.
    EXPECT_EQ(Rows(Top404Errors), (RowList{{"/missing.html", 2}}));
    EXPECT_EQ(Rows(TopClientErrors), (RowList{{"404 Page or File Not Found", 2},
                                              {"401 Unauthorized Access", 1},
                                              {"418 Incomplete / Undefined", 1}}));
    const PeriodBlock& p = run->Period;
    EXPECT_EQ(p.Failed500, 1u);
    EXPECT_EQ(p.Failed503, 1u);
    EXPECT_EQ(p.Failed404, 2u);
    EXPECT_EQ(p.Failed401, 1u);
    EXPECT_EQ(p.FailedHits[0], 6u);
}

// Status codes count on their own rows in first-seen order, whether indexed
// by code (below 1000) or looked up by text (past it), and keep counting on
// the right rows after the items move.
TEST_F(PeriodRunTest, ErrorRowsByStatusCode) {
    const DWORD codes[] = {404, 418, 999, 1000, 70000, 418, 404, 1000, 418, 502};
    for (DWORD i = 0; i < sizeof codes / sizeof *codes; ++i)
        ASSERT_EQ(Count(Request(kMonday + i, "h", "/x", codes[i], 0)), 1);
    EXPECT_EQ(Rows(TopClientErrors), (RowList{{"404 Page or File Not Found", 2},
                                              {"418 Incomplete / Undefined", 3},
                                              {"999 Incomplete / Undefined", 1},
                                              {"1000 Incomplete / Undefined", 2},
                                              {"70000 Incomplete / Undefined", 1}}));
    SortAndTrimReportTables(run, 1); // by hits: the rows change places
    ASSERT_STREQ(Table(TopClientErrors)->lpItems[0]->ovString, "418 Incomplete / Undefined");
    for (DWORD code : {404, 404, 999, 502, 502})
        ASSERT_EQ(Count(Request(kMonday + 20, "h", "/x", code, 0)), 1);
    EXPECT_EQ(Hits(TopClientErrors, "404 Page or File Not Found"), 4u);
    EXPECT_EQ(Hits(TopClientErrors, "418 Incomplete / Undefined"), 3u);
    EXPECT_EQ(Hits(TopClientErrors, "999 Incomplete / Undefined"), 2u);
    EXPECT_EQ(Hits(TopServerErrors, "502 Temporarily Overloaded"), 3u);
}

TEST_F(PeriodRunTest, HoursAndWeekdays) {
    const DWORD sunday = kMonday + 6 * kDay;
    CountAll({At(kMonday + 5 * kHour + 1800, "h1", "/a.html"),
              At(kMonday + 5 * kHour + 2700, "h1", "/b.html"),
              At(kMonday + kDay + 23 * kHour, "h2", "/a.html"), At(sunday + 600, "h3", "/a.html")});
    EXPECT_EQ(
        Rows(TopWeekdays),
        (RowList{
            {"Sun", 1}, {"Mon", 2}, {"Tue", 1}, {"Wed", 0}, {"Thu", 0}, {"Fri", 0}, {"Sat", 0}}));
    EXPECT_EQ(Users(TopWeekdays, "Mon"), 1u);
    RowList hours = Rows(TopHours);
    ASSERT_EQ(hours.size(), 24u);
    EXPECT_EQ(hours[0], (std::pair<std::string, DWORD>("00:00-00:59", 1)));
    EXPECT_EQ(hours[5], (std::pair<std::string, DWORD>("05:00-05:59", 2)));
    EXPECT_EQ(hours[23], (std::pair<std::string, DWORD>("23:00-23:59", 1)));
    EXPECT_EQ(Users(TopHours, "05:00-05:59"), 1u);
}

TEST_F(PeriodRunTest, AdViewsAndClicks) {
    AdViewRecord ads[2] = {};
    lstrcpynA(ads[0].Name, "Banner", AD_VIEW_NAME_SIZE);
    memcpy(ads[0].Words, "BANNER\0GIF\0CLICK", 17);
    ads[0].ViewWordCount = 2;
    ads[0].ClickWordCount = 1;
    lstrcpynA(ads[1].Name, "Promo", AD_VIEW_NAME_SIZE);
    memcpy(ads[1].Words, "PROMO", 6);
    ads[1].ViewWordCount = 1;
    run->AdViews = ads;
    run->AdViewCount = 2;
    CountAll({At(kMonday + 1, "h1", "/ads/banner.gif"),
              At(kMonday + 2, "h1", "/ads/banner/click.html"),
              At(kMonday + 3, "h2", "/promo/banner.gif"), // the first entry that matches
              At(kMonday + 4, "h1", "/ads/Banner.GIF")});
    run->AdViews = nullptr;
    run->AdViewCount = 0;
    EXPECT_EQ(Rows(TopAds), (RowList{{"Banner", 4}}));
    EXPECT_EQ(Rows(TopAdViews), (RowList{{"Banner", 3}}));
    EXPECT_EQ(Users(TopAdViews, "Banner"), 2u);
    EXPECT_EQ(Rows(TopAdClicks), (RowList{{"Banner", 1}}));
    EXPECT_EQ(Users(TopAdClicks, "Banner"), 1u);
}

} // namespace
} // namespace acctest
