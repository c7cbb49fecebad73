// Table keywords: section markers, row cells in order, [n] and [n,m]
// indexes, totals over the rows shown, the reversed companies table and the
// search-engine detail rows.
#include <gtest/gtest.h>

#include "ovcore/company.h"
#include "report_keywords_fixture.h"
#include "tables/item_intervals.h"
#include "write/report_output.h"

namespace {

TEST(TableKeywords, SectionMarkersRemoveTablesWithoutData) {
    KeywordRun r;
    struct {
        const char* keyword;
        DWORD empty;
        const char* value;
    } cases[] = {
        {"TopDocumentsBeginSection", 1, "%%BookMark%%"},
        {"TopDocumentsBeginSection[TABLE,{<TopDocumentsTC>}]", 1, "%%BookMark%%"},
        {"TopDocumentsEndSection", 1, "%%Remove%%"},
        {"TopDocumentsEndSection", 0, "%%Keep%%"},
        {"TopDocumentsBeginChapter", 0, "%%BookMarkChapter%%"},
        {"TopDocumentsEndChapter", 1, "%%RemoveChapter%%"},
        {"TopDocumentsEndChapter", 0, "%%Keep%%"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keyword);
        g_ReportTableKeywords[TopDocuments].Empty = c.empty;
        DWORD marker = 0;
        EXPECT_EQ(c.value, r.Value(c.keyword, &marker));
        EXPECT_EQ(1u, marker);
    }
}

TEST(TableKeywords, ServerStatsChapterNeedsTwoServers) {
    KeywordRun r;
    ServerList_AddServer(&r.servers, "www1", "a.log", "", "");
    DWORD marker = 0;
    EXPECT_EQ("%%RemoveChapter%%", r.Value("ServerStatsEndChapter", &marker));
    ServerList_AddServer(&r.servers, "www2", "b.log", "", "");
    r.Add(TopBandwidth, "www1", 3);
    EXPECT_EQ("%%Keep%%", r.Value("ServerStatsEndChapter", &marker));
    EXPECT_EQ("www1", r.Value("ServerStatsDesc[0]"));
}

// A template lists a fixed number of rows; a row line past the table's
// items is taken out, whatever its table's prefix.
TEST(TableKeywords, RowLinesPastTheItemsAreRemoved) {
    KeywordRun r;
    r.Add(TopDocuments, "/a.html", 2);
    AnalysisItem* engine = r.Add(TopSearchKeywords, "Finder", 1); // the TopSearchEngines rows
    SearchDetail detail = {0, 0, 1, 1, (char*)"maps"};
    SearchDetail* links[] = {&detail};
    engine->lpExtra = links;
    engine->ovTopNamesCount = 1;
    const KeywordCase cases[] = {
        {"EndLine_TopDocuments[0]", ""},
        {"EndLine_TopDocuments[1]", "%%RemoveLine%%", 1},
        {"EndLine_TopSearchEngines[0]", ""},
        {"EndLine_TopSearchEngines[1]", "%%RemoveLine%%", 1},
        {"EndLine_TopUserSessions[0]", "%%RemoveLine%%", 1},
        {"EndLine_TopCountriesDesc[0,0]", "%%RemoveLine%%", 1},
        {"EndLine_TopSearchEnginesKeywordDetail[0,0]", ""},
        {"EndLine_TopSearchEnginesKeywordDetail[0,1]", "%%RemoveLine%%", 1},
        {"EndLine_Range", ""},
    };
    ExpectKeywordValues(r, cases, sizeof(cases) / sizeof(cases[0]));
    engine->lpExtra = nullptr;
    engine->ovTopNamesCount = 0;
}

TEST(TableKeywords, RowCellsInOrder) {
    KeywordRun r;
    AnalysisItem* home = r.Add(TopDocuments, "/index.htm", 6, 4);
    // Byte totals over 4 GiB must not wrap through a 32-bit integer.
    home->ovTotalBytes = 5.0 * 1024 * 1024 * 1024;
    *ItemPageTimesOf(home) = {7384, 2};
    home->ovNonCachedTotalByHits = 3;
    r.Add(TopDocuments, "/a.htm\thttp://ref.example/", 3, 1);
    r.Add(TopDocuments, "/b.htm", 1);
    g_ReportTableKeywords[TopDocuments].BracketCount = 1;
    const KeywordCase cases[] = {
        {"TopDocumentsDesc[0]", "/index.htm"},
        {"TopDocumentsHits[0]", "6"},
        {"TopDocumentsHits[2]", "1"},
        {"TopDocumentsHits[5]", ""},
        {"TopDocumentsUsers[0]", "4"},
        {"TopDocumentsAsPercent[1]", "30%"},
        {"TopDocumentsDescURL[1]", "/a.htm"},
        {"TopDocumentsDescReferrer[1]", "http://ref.example/"},
        {"TopDocumentsDescURL[0]", "/index.htm"},
        {"TopDocumentsDescReferrer[0]", ""},
        {"TopDocumentsDesc2[0,2]", "/b.htm"},
        {"TopDocumentsTime[0]", "01:01:32"},
        {"TopDocumentsBytes[0]", "5,242,880"}, // kilobytes, as the byte columns read
        {"TopDocumentsNonCachedAsPercent[0]", "50%"},
        {"TopDocumentsTotalHits", "9"},
        {"TopDocumentsTotalUsers", "5"},
        {"TopDocumentsTotalAsPercent", "90%"},
        {"TopDocumentsIntervalHits[0]", "10"},
        {"TopDocumentsDebugElemCount", "3"},
        {"TopDocumentsNoSuchSuffix[0]", ""},
        {"TopDocumentsGraph[BARS=50, {T}, 3D, Items {x}, Hits {y}, 0-9]", ""},
        {"TopBottomHits[1]", "3"},
    };
    ExpectKeywordValues(r, cases, sizeof(cases) / sizeof(cases[0]));

    KeywordRun empty;
    EXPECT_EQ("", empty.Value("TopDocumentsAsPercent[0]"));
    empty.Add(TopDocuments, "/x.htm", 0);
    EXPECT_EQ("0%", empty.Value("TopDocumentsAsPercent[0]"));
}

TEST(TableKeywords, UsersSessionsAndDiagnosticTotals) {
    KeywordRun r;
    r.Add(TopUsers, "host1.example", 3, 2);
    r.Add(TopUsers, "host2.example", 1, 1);
    r.Add(TopAuthUsers, "anna", 2, 1);
    AddTableItem(&r.sessions, "visit", 1);
    TableItem_CountHit(r.sessions.lpItems[0], 0, 1);
    // a visit's length, not its average page
    *ItemPageTimesOf(r.sessions.lpItems[0]) = {754, 3};
    const KeywordCase cases[] = {
        {"TopUsersHits[0]", "3"},
        {"TopUsersAsPercent[1]", "25%"},
        {"TopUsersUsers[0]", "2"},
        {"TopUsersDesc[0]", "", KEYWORD_VALUE_MARKUP}, // the database description
        {"TopUsersDescURL[0]", "host1.example"},
        {"TopAuthUsersHits[0]", "2"},
        {"TopUserSessionsDesc[0]", "visit"},
        {"TopUserSessionsTime[0]", "00:12:34"},
        {"TopUserRowmereTitle", ""},
        {"TopTotalsDebugElemCount", "4"},
        {"TopTotalsDebugElemNameSize", "39"},
        {"TopTotalsDebugElemSize", "1,392"},
    };
    ExpectKeywordValues(r, cases, sizeof(cases) / sizeof(cases[0]));
}

TEST(TableKeywords, PerServerCountsAndNames) {
    KeywordRun r;
    ServerList_AddServer(&r.servers, "www1", "a.log", "", "");
    ServerList_AddServer(&r.servers, "www2", "b.log", "", "");
    AnalysisItem* item = r.Add(TopClientErrors, "404 Not Found", 5);
    for (DWORD server : {0, 1, 1, 1, 0})
        TableItem_CountServer(item, server, &r.servers);
    const KeywordCase cases[] = {
        {"TopClientErrorsServerHits[0,0]", "2"},
        {"TopClientErrorsServerHits2[0,1]", "3"},
        {"TopClientErrorsServerHitsSorted[0,0]", "3"},
        {"TopClientErrorsServerHitsSorted[0,1]", "2"},
        {"TopClientErrorsServerAsPercent[0,1]", "60%"},
        {"TopClientErrorsServerName2[0,1]", "www2"},
        {"TopClientErrorsServerName2[0,2]", ""},
        {"TopClientErrorsServerName2Sorted[0,0]", "www2"},
        {"TopClientErrorsServerName2Sorted[0,2]", ""},
    };
    ExpectKeywordValues(r, cases, sizeof(cases) / sizeof(cases[0]));
}

// The end-of-run sort orders the organisations behind their aggregate row:
// the rows are read from there (they were once read from the end, out of
// order), and the aggregate row is never one of them.
TEST(TableKeywords, CompaniesAreReadBehindTheAggregateRow) {
    KeywordRun r;
    r.WithAggregate(TopCompanies);
    r.Add(TopCompanies, "big.example", 5);
    r.Add(TopCompanies, "middle.example", 3);
    r.Add(TopCompanies, "small.example", 1);
    r.tables[TopCompanies].lpItems[0]->ovTotalByHits = 100;
    const KeywordCase cases[] = {
        {"TopCompaniesDesc[0]", "big.example"},
        {"TopCompaniesDesc[1]", "middle.example"},
        {"TopCompaniesDesc[2]", "small.example"},
        {"TopCompaniesDesc[3]", ""},
        {"TopCompaniesHits[3]", ""},
        {"TopCompaniesTotalHits", "9"},
    };
    ExpectKeywordValues(r, cases, sizeof(cases) / sizeof(cases[0]));
}

// Links a search-engine row to detail entries that the test owns, and
// detaches them again at the end of the scope.
struct EngineLinks {
    AnalysisItem* engine;
    EngineLinks(AnalysisItem* row, SearchDetail** list, DWORD count) : engine(row) {
        engine->lpExtra = list;
        engine->ovTopNamesCount = count;
    }
    ~EngineLinks() {
        engine->lpExtra = nullptr;
        engine->ovTopNamesCount = 0;
    }
};

// A template lists a fixed number of rows; the lines of rows (and search
// detail entries) that a table does not hold are taken back instead of
// being written as empty rows.
TEST(TableKeywords, LinesOfMissingRowsAreTakenBack) {
    KeywordRun r;
    r.Add(TopDocuments, "/a.htm", 2);
    r.Add(TopDocuments, "/b.htm", 1);
    r.WithAggregate(TopCompanies);
    r.Add(TopCompanies, "big.example", 5);
    SearchDetail detail = {0, 0, 2, 1, (char*)"maps"};
    SearchDetail* list[] = {&detail};
    EngineLinks links(r.Add(TopSearchKeywords, "Finder", 9), list, 1);
    const KeywordCase cases[] = {
        {"EndLine_TopDocuments[1]", ""},
        {"EndLine_TopDocuments[2]", "%%RemoveLine%%", 1},
        {"EndLine_TopBottom[1]", ""},
        {"EndLine_TopBottom[2]", "%%RemoveLine%%", 1},
        {"EndLine_TopCompanies[0]", ""},
        {"EndLine_TopCompanies[1]", "%%RemoveLine%%", 1},
        {"EndLine_TopUserSessions[0]", "%%RemoveLine%%", 1},
        {"EndLine_TopCountriesDesc[0,0]", "%%RemoveLine%%", 1},
        {"EndLine_TopSearchEnginesKeywordDetail[0,0]", ""},
        {"EndLine_TopSearchEnginesKeywordDetail[0,1]", "%%RemoveLine%%", 1},
        {"EndLine_TopSearchEnginesKeywordDetail[1,0]", "%%RemoveLine%%", 1},
        {"EndLine_Range", ""},
    };
    ExpectKeywordValues(r, cases, sizeof(cases) / sizeof(cases[0]));
}

// The end-of-run sort puts the least requested pages at the end of the
// documents table, least last: the bottom rows are read from there.
TEST(TableKeywords, LeastRequestedPagesRunFromTheLeast) {
    KeywordRun r;
    r.Add(TopDocuments, "/most.htm", 9);
    r.Add(TopDocuments, "/middle.htm", 4);
    r.Add(TopDocuments, "/least.htm", 1);
    const KeywordCase cases[] = {
        {"TopBottomDesc[0]", "/least.htm"},
        {"TopBottomHits[0]", "1"},
        {"TopBottomDesc[1]", "/middle.htm"},
        {"TopBottomDesc[2]", "/most.htm"},
        {"TopBottomDesc[3]", ""},
        {"TopDocumentsDesc[0]", "/most.htm"},
    };
    ExpectKeywordValues(r, cases, sizeof(cases) / sizeof(cases[0]));
}

TEST(TableKeywords, SearchEngineDetailRowsRankSubEntriesByCount) {
    KeywordRun r;
    SearchDetail details[] = {{0, 0, 2, 1, (char*)"cheap"}, {0, 0, 5, 4, (char*)"maps"}};
    SearchDetail* list[] = {&details[0], &details[1]};
    EngineLinks links(r.Add(TopSearchKeywords, "Finder", 9), list, 2);
    const KeywordCase cases[] = {
        {"TopSearchEnginesKeywordDetailEngineName[0,1]", "Finder"},
        {"TopSearchEnginesKeywordDetailKeywordName[0,0]", "maps"},
        {"TopSearchEnginesKeywordDetailKeywordName[0,1]", "cheap"},
        {"TopSearchEnginesKeywordDetailKeywordName[0,2]", ""},
        {"TopSearchEnginesKeywordDetailHits[0,1]", "2"},
        {"TopSearchEnginesKeywordDetailUsers[0,0]", "4"},
        {"TopSearchEnginesKeywordDetailAsPercent[0,0]", "55.55%"},
        {"TopSearchEnginesDesc[0]", "Finder"},
    };
    ExpectKeywordValues(r, cases, sizeof(cases) / sizeof(cases[0]));
}

TEST(TableKeywords, AdsAreLookedUpByNameInTheViewAndClickTables) {
    KeywordRun r;
    r.Add(TopAds, "Banner", 1);
    r.Add(TopAds, "Button", 1);
    r.Add(TopAdViews, "Button", 10, 4);
    r.Add(TopAdViews, "Banner", 30, 10);
    r.Add(TopAdClicks, "Banner", 3, 2);
    // Guards: the totals over the rows shown must stop at the last ad.
    g_ReportTableKeywords[TopAds].BracketCount = 7;
    const KeywordCase cases[] = {
        {"TopAds_Views_Hits[0]", "30"},
        {"TopAds_Views_AsPercent[1]", "25%"},
        {"TopAds_Clicks_Users[0]", "2"},
        {"TopAds_ClickThru_Hits[0]", "10%"},
        {"TopAds_Views_Hits[2]", ""},
        {"TopAds_Views_TotalHits", "40"},
        {"TopAds_Clicks_TotalAsPercent", "100%"},
        {"TopAds_ClickThru_TotalHits", "7.5%"},
        {"TopAdsDesc[1]", "Button"},
    };
    ExpectKeywordValues(r, cases, sizeof(cases) / sizeof(cases[0]));
}

TEST(TableKeywords, RowNamesShownForTheirTable) {
    KeywordRun r;
    CodeName countries[] = {{(char*)"France", "fr"}};
    CodeName states[] = {{(char*)"Ohio", "OH"}};
    r.language.Countries = {1, countries};
    r.language.States = {1, states};
    lstrcpyA(r.run->HomePage, "C:\\site");
    r.Add(TopCountries, "fr", 2);
    r.Add(TopCountries, "zz", 1);
    r.Add(TopStates, "oh", 1);
    r.Add(TopDocuments, "file:///../docs/a.htm", 1);
    r.Add(TopDocuments, "FILE://C:/web/b.htm", 1);
    AnalysisItem* page = r.Add(TopDocuments, "/index.htm", 1);
    AnalysisItem* form = r.Add(TopForms, "/order<b>.cgi", 1);
    page->ovOriginalIndex = 7;
    form->ovOriginalIndex = 3;
    r.Add(TopPaths, "000000070001000300000009", 1);
    const KeywordCase cases[] = {
        {"TopCountriesDesc[0]", "France"},
        {"TopCountriesDesc[1]", "zz"},
        {"TopStatesDesc[0]", "Ohio"},
        {"TopDocumentsDesc[0]", "C:\\site\\..\\docs\\a.htm"},
        {"TopDocumentsDesc[1]", "C:\\web\\b.htm"},
        {"TopPathsDesc[0]", "/index.htm\r\n/order<b>.cgi"},
        // Mark-up around the pages, which are escaped in it.
        {"TopPathsPath[0]", "<B>1. /index.htm</B><BR><I>2. /order&lt;b&gt;.cgi</I><BR>",
         KEYWORD_VALUE_MARKUP},
        {"TopCompaniesTitle[0]", ""},
    };
    ExpectKeywordValues(r, cases, sizeof(cases) / sizeof(cases[0]));
}

std::string g_statusTexts;
int CALLBACK CollectStatus(int, const char* text, int) {
    g_statusTexts += std::string(text) + ";";
    return 1;
}

TEST(TableKeywords, BandwidthIntervalsAndSectionStatus) {
    KeywordRun r;
    static const char* const months[] = {"January", "February", "March"};
    for (int i = 0; i < 3; ++i)
        r.language.LongMonths[i] = (char*)months[i];
    r.run->CountByMonth = 1;
    r.run->Intervals.Count = 3;
    r.run->Period.Bytes[0] = 1;
    r.run->Period.Bytes[2] = 2049;
    r.run->Period.Bytes[3] = 4096; // past the report's intervals
    AnalysisItem* page = r.Add(TopDocuments, "/a.htm", 0);
    *ItemHitSlot(page, 2) = 4; // page views of interval 2
    *ItemHitSlot(r.Add(TopDocuments, "/b.htm", 0), 2) = 3;
    r.Add(TopBandwidth, "www1", 1)->ovTotalBytes = 9999; // failed hits' bytes too
    // The views are the interval's page views, not its kilobytes again, and
    // the total is in the rows' unit, their sum (it was once in bytes).
    const KeywordCase cases[] = {
        {"TopBandwidthInterval[1]", "February", 0}, {"TopBandwidthInterval[3]", "", 1},
        {"TopBandwidthBandwidth[0]", "1", 0},       {"TopBandwidthBandwidth[2]", "3", 0},
        {"TopBandwidthViews[2]", "7", 0},           {"TopBandwidthViews[1]", "0", 0},
        {"TopBandwidthTotalBytes[0,12]", "4", 0},
    };
    ExpectKeywordValues(r, cases, sizeof(cases) / sizeof(cases[0]));
    r.run->Period.TopTablesCount = TopBandwidth;
    EXPECT_EQ("", r.Value("TopBandwidthBandwidth[2]"));

    g_statusTexts.clear();
    char value[64];
    DWORD marker = 0;
    for (const char* keyword : {"TopDocumentsHits[0]", "TopDocumentsUsers[0]", "TopHoursHits[0]"})
        EvaluateHeaderKeyword(nullptr, r.run, keyword, value, sizeof(value), &marker,
                              CollectStatus);
    EXPECT_EQ("Section TopDocuments;Section TopHours;", g_statusTexts);
}

TEST(TableKeywords, PageTitlesOfLocalPages) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    lstrcatA(folder, "kwtitles");
    CreateDirectoryA(folder, nullptr);
    std::string page = std::string(folder) + "\\a.htm";
    HANDLE file = CreateFileA(page.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const char html[] = "<HTML><HEAD><TITLE>Welcome page</TITLE></HEAD></HTML>";
    DWORD written = 0;
    WriteFile(file, html, sizeof(html) - 1, &written, nullptr);
    CloseHandle(file);

    KeywordRun r;
    lstrcpyA(r.run->HomePagePrefix, folder);
    char* titleTypes[] = {(char*)"htm"};
    FileType document{"htm", 0};
    FileType* documents[] = {&document};
    r.run->FetchTitleTypes = titleTypes, r.run->FetchTitleTypeCount = 1;
    r.run->DocumentTypes = documents, r.run->DocumentTypeCount = 1;
    r.Add(TopEntry, "/a.htm", 2);
    r.Add(TopEntry, "/logo.gif", 1);
    const KeywordCase cases[] = {
        {"TopEntryTitle[0]", "Welcome page"},
        {"TopEntryTitle[1]", ""},
        {"TopEntryTitle[2]", ""},
    };
    ExpectKeywordValues(r, cases, sizeof(cases) / sizeof(cases[0]));
    r.run->Output->Keywords.Cancelled = TRUE;
    EXPECT_EQ("", r.Value("TopEntryTitle[0]"));
    DeleteFileA(page.c_str());
    RemoveDirectoryA(folder);
}

TEST(TableKeywords, CompanyTitlesFromTheCompanyList) {
    char folder[MAX_PATH], text[MAX_PATH], stored[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    wsprintfA(text, "%skwcompany.txt", folder);
    wsprintfA(stored, "%skwcompany.sml", folder);
    const char lines[] = "acme.example,acme widgets,town,us\r\nbig.example,big corp,city,de\r\n";
    HANDLE file = CreateFileA(text, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, lines, sizeof(lines) - 1, &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(1, CompanyDb_EncodeFile(text, stored));

    KeywordRun r;
    r.WithAggregate(TopCompanies);
    r.Add(TopCompanies, "www.sales.acme.example", 1);
    r.Add(TopCompanies, "big.example", 2);
    r.Add(TopCompanies, "other.example", 3);
    EXPECT_EQ("", r.Value("TopCompaniesTitle[1]")); // no company list open
    r.run->CompanyFile =
        CreateFileA(stored, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    r.run->CompanyFileSize = sizeof(lines) - 1;
    const KeywordCase cases[] = {
        {"TopCompaniesTitle[0]", "Acme Widgets"},
        {"TopCompaniesTitle[1]", "Big Corp"},
        {"TopCompaniesTitle[2]", ""},
    };
    ExpectKeywordValues(r, cases, sizeof(cases) / sizeof(cases[0]));
    CloseHandle(r.run->CompanyFile);
    DeleteFileA(text);
    DeleteFileA(stored);
}

} // namespace
