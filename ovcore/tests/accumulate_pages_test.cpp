// Page names and the page tables: documents with entry, exit, single-page
// and path counting, directories, downloads, uploads, forms, extensions.
#include "accumulate_fixture.h"
#include "count/hit_updaters.h"
#include "tables/item_tail.h"

#include <string>

namespace acctest {
namespace {

using PageRunTest = RunFixture;
using RowList = std::vector<std::pair<std::string, DWORD>>;

TEST_F(PageRunTest, PageNames) {
    const std::string longName =
        "/" + std::string(250, 'n') + "." + std::string(250, 'e') + "?" + std::string(1100, 'q');
    const struct {
        const char* url;
        const char* server;
        const char* protocol;
        const char* prefix; // the run's home-page prefix
        const char* page;
        const char* extension;
    } cases[] = {
        {"/index.html", "", "HTTP/1.0", "", "/", "html"}, // a default document counts as its folder
        {"/a/index.html?x=1", "", "HTTP/1.0", "", "/a/", "html"},
        {"/shop", "", "HTTP/1.0", "", "/shop/", ""}, // a last part without a dot is a folder
        {"/a/b.html?x=1", "", "HTTP/1.0", "", "/a/b.html?x=1", "html"},
        {"/a.html", "www.x.com", "HTTP/1.0", "", "http://www.x.com/a.html", "html"},
        {"/pub/f.zip", "ftp.x.com", "FTP", "", "ftp://ftp.x.com/pub/f.zip", "zip"},
        {"/a.html", "", "HTTP/1.0", "http://www.site.com", "http://www.site.com/a.html", "html"},
        {"/a.html", "", "HTTP/1.0", "site", "site/a.html", "html"},
        {"", "", "HTTP/1.0", "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        lstrcpynA(run->HomePagePrefix, c.prefix, MAX_PATH);
        run->Accum.HomeServerPrefixMade = FALSE;
        Hit h;
        h.url = c.url;
        h.server = c.server;
        h.protocol = c.protocol;
        ASSERT_EQ(Count(h), 1);
        HitPass pass = {};
        pass.run = run;
        pass.hit = records.back();
        BuildPageName(&pass);
        EXPECT_STREQ(run->Hits.PageName, c.page);
        EXPECT_STREQ(pass.extension, c.extension);
    }
    // Guards the page-name bound: prefix, parts and query longer than the
    // buffer are cut at 1,299 characters, never written past it.
    Hit h;
    h.url = longName.c_str();
    h.server = "www.example.com";
    ASSERT_EQ(Count(h), 1);
    EXPECT_EQ(strlen(run->Hits.PageName), 1299u);
    EXPECT_EQ(std::string(run->Hits.PageName, 26), "http://www.example.com/nnn");
}

TEST_F(PageRunTest, DocumentsEntriesExitsAndPaths) {
    // Three visitors: A reads three pages, B one, C a folder and a text.
    CountAll({At(kMonday, "a", "/index.html"), At(kMonday + 5, "b", "/a.html"),
              At(kMonday + 10, "a", "/a.html"), At(kMonday + 20, "c", "/docs/"),
              At(kMonday + 30, "c", "/c.txt"), At(kMonday + 40, "a", "/b.htm"),
              At(kMonday + 50, "a", "/pic.gif")}); // not a document
    using RowList = std::vector<std::pair<std::string, DWORD>>;
    EXPECT_EQ(Rows(TopDocuments),
              (RowList{{"/", 1}, {"/a.html", 2}, {"/docs/", 1}, {"/c.txt", 1}, {"/b.htm", 1}}));
    EXPECT_EQ(Users(TopDocuments, "/a.html"), 2u);
    EXPECT_EQ(run->Period.DocumentHits, 6u);
    EXPECT_EQ(Rows(TopEntry), (RowList{{"/", 1}, {"/a.html", 1}, {"/docs/", 1}}));
    // Time on the page: the next page's time minus this one's.
    EXPECT_EQ(ItemTimeOnPages(Item(TopDocuments, "/")), 10u);
    EXPECT_EQ(ItemTimeOnPages(Item(TopDocuments, "/a.html")), 30u);
    EXPECT_EQ(ItemTimeOnPagesCount(Item(TopDocuments, "/a.html")), 1u);
    EXPECT_EQ(ItemTimeOnPages(Item(TopDocuments, "/docs/")), 10u);

    EndRunTables(run);
    EXPECT_EQ(Hits(TopExit, "/b.htm"), 1u);
    EXPECT_EQ(Hits(TopExit, "/a.html"), 1u);
    EXPECT_EQ(Hits(TopExit, "/c.txt"), 1u);
    EXPECT_EQ(Rows(TopSinglePage), (RowList{{"/a.html", 1}}));
    // Steps are document item numbers: / 0, /a.html 1, /docs/ 2, /c.txt 3, /b.htm 4.
    EXPECT_EQ(Hits(TopPaths, "000000000000000100000004"), 1u);
    EXPECT_EQ(Hits(TopPaths, "00000001"), 1u);
    EXPECT_EQ(Hits(TopPaths, "0000000200000003"), 1u);
    EXPECT_EQ(run->Period.UserSessionsTimeCount, 2u); // A and C measured a time
    EXPECT_EQ(run->Period.UserSessionsTime, 50u);
}

TEST_F(PageRunTest, DirectoriesDownloadsUploadsFormsAndExtensions) {
    auto hit = [](DWORD t, WORD method, const char* url, DWORD status, DWORD bytes) {
        Hit h = At(kMonday + t, "v", url);
        h.method = method;
        h.status = status;
        h.bytes = bytes;
        return h;
    };
    CountAll({hit(1, HIT_METHOD_GET, "/docs/a.html", 200, 100),
              hit(2, HIT_METHOD_GET, "/docs/sub/b.html", 304, 0),
              hit(3, HIT_METHOD_GET, "/top.html", 200, 50),
              hit(4, HIT_METHOD_GET, "/files/tool.zip", 200, 1000),
              hit(5, HIT_METHOD_PUT, "/up/new.txt", 200, 10),
              hit(6, HIT_METHOD_POST, "/cgi/form.cgi", 200, 20),
              hit(7, HIT_METHOD_GET, "/search?q=a", 200, 30),
              hit(8, HIT_METHOD_POST, "/cgi/form.cgi", 500, 0),
              hit(9, HIT_METHOD_GET, "http://proxy.example/x.html", 200, 5)});
    // "/search?q=a" is the page "/search?q=a", in the folder "/".
    EXPECT_EQ(Rows(TopDirectory),
              (RowList{{"/docs", 2}, {"/", 2}, {"/files", 1}, {"/up", 1}, {"/cgi", 1}}));
    const AnalysisItem* docs = Item(TopDirectory, "/docs");
    EXPECT_EQ(docs->ovTotalByUsers, 1u);
    EXPECT_EQ(docs->ovNonCachedTotalByHits, 1u); // the 304 is served from a cache
    EXPECT_EQ(docs->ovTotalBytes, 100.0);
    EXPECT_EQ(Rows(TopDownloads), (RowList{{"/files/tool.zip", 1}}));
    EXPECT_EQ(Users(TopDownloads, "/files/tool.zip"), 1u);
    EXPECT_EQ(Rows(TopUploads), (RowList{{"/up/new.txt", 1}}));
    EXPECT_EQ(Rows(TopForms), (RowList{{"/cgi/form.cgi", 1}, {"/search", 1}}));
    EXPECT_EQ(Users(TopForms, "/cgi/form.cgi"), 1u);
    EXPECT_EQ(Hits(TopFormErrors, "Successful Forms Submitted"), 2u);
    EXPECT_EQ(Hits(TopFormErrors, "Failed Forms Submitted"), 1u);
    // The visit sent its forms after its first page: it still counts, once.
    EXPECT_EQ(Users(TopFormErrors, "Successful Forms Submitted"), 1u);
    EXPECT_EQ(run->Period.FormHits, 3u);
    EXPECT_EQ(run->Period.FailedFormHits, 1u);
    // No extension in "/search": the home-page list's first entry gives one.
    // Neither the 304 nor the upload counts.
    EXPECT_EQ(Rows(TopExtensions), (RowList{{"html", 4}, {"zip", 1}, {"cgi", 1}}));
    EXPECT_EQ(Item(TopExtensions, "html")->ovTotalBytes, 185.0);
}

// Guards folder pages: "/" and other URLs without an extension were pages
// only when a default document of the site was one, so a site's home page
// was missing from the page views.
TEST_F(PageRunTest, UrlsWithoutAnExtensionArePagesUnlessTheyCarryAQuery) {
    FreeFilterStrings(run->HomePageList);
    run->HomePageList = nullptr;
    const struct {
        const char* url;
        bool page;
    } cases[] = {
        {"/", true},          {"/shop/", true},      {"/about", true},
        {"/a.html", true},    {"/a.html?x=1", true}, {"/?x=1", false},
        {"/find?q=a", false}, {"/logo.gif", false},  {"/v1.2/", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        DWORD before = run->Period.DocumentHits;
        ASSERT_EQ(Count(At(kMonday, "v", c.url)), 1);
        EXPECT_EQ(run->Period.DocumentHits - before, c.page ? 1u : 0u);
    }
    EXPECT_EQ(Hits(TopDocuments, "/"), 1u);
    EXPECT_EQ(Hits(TopDocuments, "/about/"), 1u);
}

// Guards the file types: their visits stayed 0, and a folder of a site
// without default documents made a row without a name.
TEST_F(PageRunTest, FileTypesCountVisitsOnceAndFoldersWithoutTypeNot) {
    FreeFilterStrings(run->HomePageList);
    run->HomePageList = nullptr;
    CountAll({At(kMonday + 1, "v1", "/a.html"), At(kMonday + 2, "v1", "/logo.gif"),
              At(kMonday + 3, "v1", "/b.html"), At(kMonday + 4, "v2", "/a.html"),
              At(kMonday + 5, "v2", "/shop/"), At(kMonday + 6, "v2", "/")});
    EXPECT_EQ(Rows(TopExtensions), (RowList{{"html", 3}, {"gif", 1}}));
    EXPECT_EQ(Users(TopExtensions, "html"), 2u);
    EXPECT_EQ(Users(TopExtensions, "gif"), 1u);
}

} // namespace
} // namespace acctest
