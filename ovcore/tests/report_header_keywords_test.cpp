// Report-wide keywords: header figures, technical statistics, day and hour
// summaries, styles and the layout keywords.
#include <gtest/gtest.h>

#include "ovcore/hittime.h"
#include "report_keywords_fixture.h"
#include "write/report_output.h"

namespace {

// Two intervals of hits, users and failures over two days and a bit.
void FillPeriod(RunContext* run) {
    PeriodBlock& p = run->Period;
    p.Hits[0] = 1200, p.FailedHits[0] = 200;
    p.Hits[1] = 300, p.FailedHits[1] = 100;
    p.NotModifiedHits[0] = 500;
    p.NewVisits[0] = 6, p.NewVisits[1] = 2;
    p.HomeVisits[0] = 2, p.ForeignVisits[0] = 1;
    p.DocumentHits = 900;
    p.UserSessionsTime = 3725 * 2, p.UserSessionsTimeCount = 2;
    p.FormHits = 8, p.FailedFormHits = 1;
    p.Failed500 = 4, p.Failed404 = 1234;
    run->Intervals.RangeStart = 1000000;
    run->Intervals.RangeEnd = 1000000 + 2 * 86400 + 1;
}

TEST(HeaderKeywords, FiguresOfTheRun) {
    KeywordRun r;
    FillPeriod(r.run);
    lstrcpyA(r.run->Output->ReportTitle, "Our site");
    lstrcpyA(r.run->ProfileTexts[0], "example.org");
    const KeywordCase cases[] = {
        {"TitleLogDescription", "Our site", 0},
        {"HeaderWebDomain", "example.org", 0},
        {"HeaderTotalHits", "1,200", 0},
        {"headertotalhits", "1,200", 0},
        {"HeaderIntervalHits[1]", "200", 0},
        {"HeaderIntervalHits[40]", "0", 0},
        {"HeaderTotalUsers", "8", 0},
        {"HeaderIntervalUsers[1]", "2", 0},
        {"HeaderHomePageHits", "N/A", 0},
        {"HeaderPageTotalPageImpressions", "900", 0},
        {"HeaderUSAUsersPercent", "25%", 0},
        {"HeaderInternationalUsersPercent", "12.5%", 0},
        {"HeaderOriginUnknownUsersPercent", "0%", 0},
        {"HeaderAverageHitsPerDay", "400", 0},
        {"HeaderAveragePageImprPerDay", "300", 0},
        {"HeaderAverageUsersTime", "01:02:05", 0},
        {"FormsSubmittedSuccess", "7", 0},
        {"FormsSubmittedFailedAsPercent", "12.5%", 0},
        {"WebServerError_500", "4", 0},
        {"WebClientError_404", "1,234", 0},
        {"TechnicalStatsTotalHits", "1,500", 0},
        {"TechnicalStatsSuccessfulHits", "1,200", 0},
        {"TechnicalStatsFailedHitsAsPercent", "20%", 0},
        {"TechnicalStatsCachedHitsAsPercent", "33.33%", 0},
        {"TechnicalStatsEndChapter", "%%Keep%%", 1},
        {"GeneralStatsEndSection", "%%Keep%%", 1},
        {"GeneralStatsBeginChapter", "%%BookMarkChapter%%", 1},
        {"ActivityStatsBeginSection", "%%BookMark%%", 1},
        {"GeneralStatsSomethingElse", "", 0},
        {"NoSuchKeyword", "", 0},
    };
    ExpectKeywordValues(r, cases, sizeof(cases) / sizeof(cases[0]));
    EXPECT_EQ(3u, r.run->Output->Keywords.DayCount);
}

TEST(HeaderKeywords, LogsWithoutVisitorsRemoveVisitorFigures) {
    KeywordRun r;
    FillPeriod(r.run);
    r.run->Hits.LogKind = 7;
    const KeywordCase cases[] = {
        {"HeaderTotalUsers", "%%Remove%%", 1},
        {"HeaderIntervalUsers[0]", "%%Remove%%", 1},
        {"HeaderAverageUsersTime", "%%Remove%%", 1},
        {"TechnicalStatsCachedHits", "%%Remove%%", 1},
        {"SummaryByDayAvgHitsOnWeekdays", "%%Remove%%", 1},
        {"HeaderTotalHits", "1,200", 0},
    };
    ExpectKeywordValues(r, cases, sizeof(cases) / sizeof(cases[0]));
}

// Guards against a last time before the first giving a wrapped day count.
TEST(HeaderKeywords, DayCountOfShortOrBackwardRangesIsZero) {
    struct Range {
        ORB_TIME start, end;
    } ranges[] = {{1000000, 1000000}, {1000000, 500000}};
    for (const Range& range : ranges) {
        KeywordRun r;
        FillPeriod(r.run);
        r.run->Intervals.RangeStart = range.start;
        r.run->Intervals.RangeEnd = range.end;
        EXPECT_EQ("0", r.Value("HeaderAverageHitsPerDay"));
        EXPECT_EQ(0u, r.run->Output->Keywords.DayCount);
    }
}

TEST(HeaderKeywords, WeekdayAndHourSummaries) {
    KeywordRun r;
    r.Add(TopWeekdays, "Sun", 10, 1);
    r.Add(TopWeekdays, "Mon", 30, 3);
    r.Add(TopWeekdays, "Fri", 20, 2);
    r.Add(TopHours, "09:00-09:59", 5, 1);
    r.Add(TopHours, "22:00-22:59", 7, 2);
    r.Add(TopHours, "23:00-23:59", 7, 0);
    r.Add(TopSearchKeywords, "engine", 6);
    const KeywordCase cases[] = {
        {"TopWeekdaysWeekdayHits", "50", 0},
        {"TopWeekdaysWeekdayUsers", "5", 0},
        {"TopWeekdaysWeekdayAsPercent", "83.33%", 0},
        {"TopWeekdaysWeekendHits", "10", 0},
        {"TopHoursWorkHoursHits", "5", 0},
        {"TopHoursWorkHoursAsPercent", "26.31%", 0},
        {"TopHoursAfterHoursUsers", "2", 0},
        {"SummaryByHourMostActiveHour", "22:00-22:59", 0},
        {"SummaryByHourLeastActiveHour", "09:00-09:59", 0},
        {"SummaryByDayMostActiveDayOfWeek", "Mon", 0},
        {"SummaryByDayLeastActiveDayEverHits", "0", 0},
        {"TopWeekdaysHits[1]", "30", 0},
        {"GeneralStatsHeaderSearchEnginesHits", "6", 0},
    };
    ExpectKeywordValues(r, cases, sizeof(cases) / sizeof(cases[0]));

    KeywordRun empty;
    EXPECT_EQ("0", empty.Value("TopWeekdaysWeekendAsPercent"));
    EXPECT_EQ("", empty.Value("SummaryByHourMostActiveHour"));
}

TEST(HeaderKeywords, StyleSettings) {
    KeywordRun r;
    ReportStyle& s = r.run->Output->Style;
    lstrcpyA(s.Colors[STYLE_ODD_ROW_TEXT], "#111111");
    lstrcpyA(s.Colors[STYLE_EVEN_ROW_TEXT], "#222222");
    lstrcpyA(s.Colors[STYLE_EVEN_ROW_BACKGROUND], "#EEEEEE");
    lstrcpyA(s.Colors[STYLE_TABLE_FRAME], "#000080");
    lstrcpyA(s.Fonts[STYLE_FONT_TABLE_DATA], "Verdana");
    lstrcpyA(s.LogoFilename, "ovlogoss.gif");
    s.FrameWidth = 3;
    const KeywordCase cases[] = {
        {"Style_RepeatRowTextColor[0]", "#111111", 0},
        {"Style_RepeatRowTextColor[1]", "#222222", 0},
        {"Style_RepeatRowTextColor[4]", "#111111", 0},
        {"Style_RepeatRowBackgroundColor[1]", "#EEEEEE", 0},
        {"Style_TableFrameColor", "#000080", 0},
        {"Style_TableFontName", "Verdana", 0},
        {"Style_LogoFile", "ovlogoss.gif", 0},
        {"Style_FrameWidth", "3", 0},
        {"Style_Unknown", "", 0},
    };
    ExpectKeywordValues(r, cases, sizeof(cases) / sizeof(cases[0]));
}

int CALLBACK WriteCaption(int, const char* text, int flag) {
    if (flag == 1)
        lstrcpyA((char*)text, "Report progress");
    return 1;
}

TEST(HeaderKeywords, LayoutAndDocumentKeywords) {
    KeywordRun r;
    lstrcpyA(r.run->Output->Style.TableColumns, "12");
    lstrcpyA(r.run->Output->OutputPath, "C:\\Reports\\site.doc");
    ServerList_AddServer(&r.servers, "www1", "a.log", "", "");
    for (const char* code : {"US", "DE", "FR", "NL", "SE"})
        r.Add(TopCountries, code, 1); // the rows that the line keywords name
    r.Add(TopDocuments, "/a.htm", 1);
    const KeywordCase cases[] = {
        {"BeginLine_TopDocuments", "%%BookMarkLine%%", 1},
        {"EndLine_TopCountriesDesc[4,0]", "", 0},
        {"EndLine_TopCountriesDesc[4,1]", "%%RemoveLine%%", 1},
        {"EndLine_Top404ErrorsServerName2[0,0]", "%%RemoveLine%%", 1},
        {"EndLine_TopDocuments", "", 0},
        {"BeginColumn_Hits", "%%BookMarkColumn%%", 1},
        {"EndColumn_Hits", "%%RemoveColumn%%", 1},
        {"EndColumn_PercentOfTotal", "", 0},
        {"EndColumn_RowmereDomain", "%%RemoveColumn%%", 1},
        {"ColumnCount_HPU[3]", "2", 0},
        {"ColumnCount_HDIx[5]", "3", 0},
        {"EndShortDescription", "", 0},
        {"EndLongDescription", "%%RemoveColumn%%", 1},
        {"BottomOfFile_", "", 1},
        {"MSWordAutoPrintOrNot", "", 1},
        {"OstrevanePath", "C:\\Reports", 0},
        {"ServerStatsEndChapter", "%%RemoveChapter%%", 1},
    };
    ExpectKeywordValues(r, cases, sizeof(cases) / sizeof(cases[0]));

    DWORD marker = 0;
    EXPECT_EQ("%%TopOfFile%%", r.Value("TopOfFile_page2.htm", &marker));
    EXPECT_STREQ("page2.htm", r.run->Output->NextPageName);

    // The run's status callback writes its progress caption into the value.
    char value[KEYWORD_VALUE_SIZE];
    EvaluateHeaderKeyword(nullptr, r.run, "MSWordProgressWindow", value, sizeof(value), &marker,
                          WriteCaption);
    EXPECT_STREQ("Report progress", value);
}

TEST(HeaderKeywords, MissingRunContextWritesNothing) {
    char value[16] = "unchanged";
    DWORD marker = 0;
    EXPECT_EQ(0, EvaluateHeaderKeyword(nullptr, nullptr, "HeaderTotalHits", value, sizeof(value),
                                       &marker, nullptr));
    EXPECT_STREQ("unchanged", value);
}

} // namespace
