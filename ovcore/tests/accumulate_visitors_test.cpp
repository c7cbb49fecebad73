// Visitor tables: referrers and referring sites, browsers, platforms and
// spiders, geography with a small company file, suffixes, companies,
// authenticated users, users and bandwidth.
#include "accumulate_fixture.h"
#include "count/search_engines.h"

#include <string>

namespace acctest {
namespace {

using VisitorRunTest = RunFixture;
using RowList = std::vector<std::pair<std::string, DWORD>>;

Hit Referred(DWORD t, const char* host, const char* referrer) {
    Hit h = At(kMonday + t, host, "/a.html");
    h.referrer = referrer;
    return h;
}

TEST_F(VisitorRunTest, ReferrersOncePerVisit) {
    const std::string query(40, 'x');
    const std::string google = "http://www.google.com/search?" + query;
    CountAll({Referred(1, "v1", google.c_str()),
              Referred(2, "v1", "http://elsewhere.example/"), // same visit: not counted
              Referred(3, "v2", ""), Referred(4, "v3", "http://www.google.com:80/x"),
              Referred(5, "v4", "file:///c:/pages/x.html"),
              Referred(6, "v5", "https://secure.example.org/a/b")});
    const std::string kept = "http://www.google.com/search?" + query.substr(0, 35);
    EXPECT_EQ(Rows(TopReferers), (RowList{{kept, 1},
                                          {"No Referrer", 1},
                                          {"http://www.google.com:80/x", 1},
                                          {"file:///c:/pages/x.html", 1},
                                          {"https://secure.example.org/a/b", 1}}));
    EXPECT_STREQ(records[0]->lpszReferrer, kept.c_str()); // the hit keeps the shortened text
    EXPECT_EQ(Rows(TopReferingSites), (RowList{{"http://www.google.com/", 2},
                                               {"No Referrer", 1},
                                               {"file:///c:/pages/x.html", 1},
                                               {"https://secure.example.org/", 1}}));
    EXPECT_EQ(Users(TopReferingSites, "http://www.google.com/"), 2u);
}

// Guards the search tables: a missing page reached from a search counted
// as a second search hit of the visit.
TEST_F(VisitorRunTest, SearchesCountOnSuccessfulHitsOnly) {
    lstrcpynA(report.DataPath, install.Data().c_str(), MAX_PATH);
    install.Write("ovdesk\\datfiles\\keywords.ini", "[SearchEngines]\r\nEngine1=Finder\r\n"
                                                    "[Finder]\r\nID1=finder.\r\n"
                                                    "KeywordIndicator1=?q=\r\n");
    const char* search = "http://www.finder.com/s?q=red+shoes";
    Hit missing = Referred(1, "v1", search);
    missing.url = "/gone.html";
    missing.status = 404;
    CountAll({missing, Referred(2, "v1", search), Referred(3, "v2", search)});
    const struct {
        int table;
        const char* name;
    } rows[] = {{TopSearchKeywords, "Finder"},
                {TopSearchEngines, "red"},
                {TopSearchKeyPhrases, "red shoes"},
                {TopSearchPhraseEngines, "Finder"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Hits(row.table, row.name), 2u);
        EXPECT_EQ(Users(row.table, row.name), 2u);
    }
    FreeSearchEngines(run->SearchEngines);
    run->SearchEngines = nullptr;
}

TEST_F(VisitorRunTest, BrowsersPlatformsAndSpiders) {
    const char* agents[] = {
        "Mozilla/4.0 (compatible; MSIE 4.01; Windows 95)",
        "Mozilla/4.05 [en] (Win95; I)",
        "Slurp/2.0 (sLuRp@inktomi.com)",
        "",
        "Lynx/2.8  (Win32 behind the double blank)",
        "Mozilla/4.0 (compatible; Robot/2.1)",
    };
    DWORD t = 0;
    for (const char* agent : agents) {
        std::string host = "host" + std::to_string(t);
        for (int i = 0; i < 2; ++i) { // the second hit comes from the agent cache
            Hit h = At(kMonday + ++t, host.c_str(), "/a.html");
            h.agent = agent;
            ASSERT_EQ(Count(h), 1);
        }
    }
    EXPECT_EQ(Rows(TopBrowsers), (RowList{{"Microsoft Internet Explorer", 2},
                                          {"Netscape", 2},
                                          {"Slurp/2.0 (sLuRp@inktomi.com)", 2},
                                          {"Unknown Browser", 2},
                                          {"Lynx", 2},
                                          {"Other Netscape Compatible", 2}}));
    EXPECT_EQ(Users(TopBrowsers, "Netscape"), 1u);
    EXPECT_EQ(Rows(TopExplorer), (RowList{{"Explorer 4.x", 2}}));
    EXPECT_EQ(Rows(TopNetscape), (RowList{{"Netscape 4.x", 2}}));
    EXPECT_EQ(Rows(TopPlatforms), (RowList{{"Windows 95", 4}, {"Unknown", 8}}));
    EXPECT_EQ(Users(TopPlatforms, "Windows 95"), 2u);
    EXPECT_EQ(Rows(TopSpiders),
              (RowList{{"Slurp", 2}, {"Mozilla/4.0 (compatible; Robot/2.1)", 2}}));
}

class GeographyRunTest : public RunFixture {
  protected:
    void SetUp() override {
        RunFixture::SetUp();
        install.Write("company.txt", "acme.com,acme widgets,springfield il,US\r\n"
                                     "maple.ca,maple inc,toronto on,CA\r\n"
                                     "tulip.nl,tulip bv,amsterdam,NL\r\n");
        ASSERT_EQ(CompanyDb_EncodeFile(install.Path("company.txt").c_str(),
                                       install.Path("COMPANY.SML").c_str()),
                  1);
        run->CompanyFile = CreateFileA(install.Path("COMPANY.SML").c_str(), GENERIC_READ,
                                       FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(run->CompanyFile, INVALID_HANDLE_VALUE);
        run->CompanyFileSize = GetFileSize(run->CompanyFile, nullptr);
        static char f0[] = "intra.hq", f1[] = "hq corp", f2[] = "boston", f3[] = "ma", f4[] = "US",
                    f5[] = "*.corp.local", cityState[] = "boston ma";
        char* fields[] = {f0, f1, f2, f3, f4, f5};
        for (int f = 0; f < 6; ++f)
            intranet.Fields[f] = fields[f];
        intranet.CityState = cityState;
        intranet.Type = 1;
        run->Intranet = &intranet;
        run->IntranetCount = 1;
    }
    void TearDown() override {
        CloseHandle(run->CompanyFile);
        run->Intranet = nullptr;
        run->IntranetCount = 0;
        RunFixture::TearDown();
    }
    IntranetEntry intranet = {};
};

TEST_F(GeographyRunTest, CountriesVisitorsStatesCitiesSuffixesCompanies) {
    const struct {
        const char* host;
        const char* domain;
    } visitors[] = {
        {"a.acme.com", "acme.com"},       // listed: US, Springfield IL
        {"b.maple.ca", "maple.ca"},       // listed: CA, state ON, foreign
        {"c.tulip.nl", "tulip.nl"},       // listed: NL, no state
        {"d.other.de", "other.de"},       // not listed: the domain says DE
        {"e.school.edu", "school.edu"},   // not listed: a US domain word
        {"10.1.2.3", "10.1.2.3"},         // numeric: origin unknown
        {"pc1.corp.local", "corp.local"}, // the intranet entry names it
    };
    DWORD t = 0;
    for (const auto& v : visitors) {
        Hit h = At(kMonday + ++t, v.host, "/a.html");
        h.domain = v.domain;
        ASSERT_EQ(Count(h), 1);
    }
    Hit again = At(kMonday + ++t, "a.acme.com", "/b.html"); // not a new visit
    again.domain = "acme.com";
    ASSERT_EQ(Count(again), 1);

    EXPECT_EQ(Rows(TopCountries), (RowList{{"US", 3}, {"CA", 1}, {"NL", 1}, {"DE", 1}}));
    EXPECT_EQ(Rows(TopVisitors), (RowList{{"US", 3}, {"International", 3}, {"Unknown", 1}}));
    EXPECT_EQ(Rows(TopStates), (RowList{{"IL", 1}, {"ON", 1}, {"MA", 1}}));
    EXPECT_EQ(Rows(TopCities), (RowList{{"Springfield, Illinois, United States", 1},
                                        {"boston, Massachusetts, United States", 1}}));
    EXPECT_EQ(run->Period.HomeVisits[0], 3u);
    EXPECT_EQ(run->Period.ForeignVisits[0], 3u);
    EXPECT_EQ(run->Period.UnknownVisits[0], 1u);
    EXPECT_EQ(run->Period.NewVisits[0], 7u);
    EXPECT_EQ(Rows(TopSuffixes), (RowList{{"Company (.com)", 2}, {"Education (.edu)", 1}}));
    EXPECT_EQ(Users(TopSuffixes, "Company (.com)"), 1u);
    // Companies by domain (the intranet entry's name for its hosts); item 0
    // gathers the expired ones.
    EXPECT_EQ(Rows(TopCompanies), (RowList{{"Others", 0},
                                           {"acme.com", 2},
                                           {"maple.ca", 1},
                                           {"tulip.nl", 1},
                                           {"other.de", 1},
                                           {"school.edu", 1},
                                           {"10.1.2.3", 1},
                                           {"intra.hq", 1}}));
    // Server counts of the countries: all on server 0.
    const AnalysisItem* us = Item(TopCountries, "US");
    ASSERT_EQ(us->ovTopNamesCount, 2u);
    EXPECT_EQ(((const DWORD*)us->lpExtra)[0], 3u);
}

TEST_F(VisitorRunTest, UsersAuthenticatedUsersAndBandwidth) {
    auto hit = [](DWORD t, const char* host, const char* user, DWORD status, DWORD bytes,
                  WORD server) {
        Hit h = At(kMonday + t, host, "/a.html");
        h.user = user;
        h.status = status;
        h.bytes = bytes;
        h.serverIndex = server;
        return h;
    };
    CountAll({hit(0, "h1", "ann", 200, 1000, 0),
              hit(100, "h1", "ann", 200, 500, 0), // the same visit
              hit(2000, "h1", "ann", 304, 0, 1),  // after the cache time: a new visit
              hit(2100, "h2", "", 200, 300, 1),
              hit(2200, "h2", "bob", 404, 200, 1)}); // failed: only bandwidth
    EXPECT_EQ(Rows(TopUsers), (RowList{{"h1", 3}, {"h2", 1}}));
    EXPECT_EQ(Users(TopUsers, "h1"), 2u);
    EXPECT_EQ(Rows(TopAuthUsers), (RowList{{"ann", 3}}));
    EXPECT_EQ(Users(TopAuthUsers, "ann"), 2u);
    // Bandwidth by server name; a hit without bytes is not counted, a failed
    // one adds to the total but not to the per-interval bytes.
    EXPECT_EQ(Rows(TopBandwidth), (RowList{{"www1", 2}, {"www2", 2}}));
    const AnalysisItem* www2 = Item(TopBandwidth, "www2");
    EXPECT_EQ(www2->ovTotalBytes, 500.0);
    EXPECT_EQ(www2->ovTotalByUsers, 1u);
    ASSERT_EQ(www2->ovTopNamesCount, DWORD(ANALYSIS_INTERVALS));
    EXPECT_EQ(((const double*)www2->lpExtra)[0], 300.0);
    EXPECT_EQ(Item(TopBandwidth, "www1")->ovTotalBytes, 1500.0);
}

TEST_F(VisitorRunTest, RejectedVisitCountsNothing) {
    ProfileFilter* spam = CreateNewExcludeFilter();
    spam->dwFlags = FILTER_REFERRER;
    FilterStringToStruct("*spam*", &spam->Referrer, FILTER_TEXT_LIST);
    AnalysisProfile profile = {};
    profile.Filters = spam;
    run->Profile = &profile;
    CountAll({Referred(1, "v1", "http://spam.example/"), Referred(2, "v1", ""),
              Referred(3, "v2", "http://good.example/")});
    run->Profile = nullptr;
    FreeFilters(spam);
    EXPECT_EQ(Rows(TopDocuments), (RowList{{"/a.html", 1}}));
    EXPECT_EQ(Rows(TopReferers), (RowList{{"http://good.example/", 1}}));
    EXPECT_EQ(run->Period.NewVisits[0], 1u);
    EXPECT_EQ(run->Period.Hits[0], 1u);
}

} // namespace
} // namespace acctest
