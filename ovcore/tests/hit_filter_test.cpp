// Include and exclude filters deciding hits and visits.
#include <gtest/gtest.h>

#include <string.h>

#include "filter/hit_filter.h"
#include "ovcore/ovcore.h"

namespace {

const DWORD kMonday = 1704067200; // 2024-01-01 00:00, a Monday
const DWORD kSunday = kMonday + 6 * 86400;

struct HitFields {
    const char* url = "/index.html";
    DWORD status = 200;
    DWORD time = kMonday + 12 * 3600;
    const char* client = "10.0.0.1";
    const char* logClient = nullptr; // the address as the log gave it; null: client
    const char* user = "";
    const char* agent = "Mozilla/4.0 (compatible; MSIE 5.0)";
    const char* referrer = "";
    const char* server = "www.example.com";
};

HitRecord MakeHit(const HitFields& f) {
    HitRecord h = {};
    h.lpszUrl = const_cast<char*>(f.url);
    h.dwStatus = f.status;
    h.dwTime = f.time;
    lstrcpynA(h.szClientAddr, f.client, sizeof(h.szClientAddr));
    h.lpszClientAddr = const_cast<char*>(f.logClient ? f.logClient : f.client);
    h.lpszUserName = const_cast<char*>(f.user);
    h.lpszUserAgent = const_cast<char*>(f.agent);
    h.lpszReferrer = const_cast<char*>(f.referrer);
    lstrcpynA(h.szServerAddr, f.server, sizeof(h.szServerAddr));
    return h;
}

void SetList(FilterString** list, const char* text) {
    FreeFilterStrings(*list);
    *list = nullptr;
    FilterStringToStruct(text, list, FILTER_TEXT_LIST);
}

// A filter as the editor makes it, with the given elements switched on.
ProfileFilter* Filter(DWORD type, DWORD bits) {
    ProfileFilter* f = type == FILTER_INCLUDE ? CreateNewIncludeFilter() : CreateNewExcludeFilter();
    f->dwFlags = bits;
    return f;
}

struct Chain {
    ProfileFilter* head = nullptr;
    ~Chain() { FreeFilters(head); }
    ProfileFilter* Add(ProfileFilter* f) {
        ProfileFilter** link = &head;
        while (*link)
            link = &(*link)->Next;
        *link = f;
        return f;
    }
};

typedef void (*Setup)(Chain&);

struct HitCase {
    const char* what;
    Setup setup;
    HitFields hit;
    int keep;
};

// Each case's chain through one stage.
template <size_t N>
void CheckStage(int (*stage)(const ProfileFilter*, const HitRecord*), const HitCase (&cases)[N]) {
    for (const HitCase& c : cases) {
        SCOPED_TRACE(c.what);
        Chain chain;
        c.setup(chain);
        HitRecord hit = MakeHit(c.hit);
        EXPECT_EQ(stage(chain.head, &hit), c.keep);
    }
}

HitFields Url(const char* url) {
    HitFields h;
    h.url = url;
    return h;
}
HitFields Status(DWORD status) {
    HitFields h;
    h.status = status;
    return h;
}
HitFields At(DWORD time) {
    HitFields h;
    h.time = time;
    return h;
}
HitFields Client(const char* client, const char* logClient = nullptr) {
    HitFields h;
    h.client = client;
    h.logClient = logClient;
    return h;
}
HitFields User(const char* user) {
    HitFields h;
    h.user = user;
    return h;
}
HitFields Referrer(const char* referrer, const char* url = "/index.html") {
    HitFields h;
    h.referrer = referrer;
    h.url = url;
    return h;
}

void DocsOnly(Chain& c) {
    SetList(&c.Add(Filter(FILTER_INCLUDE, FILTER_DIRECTORY))->Directory, "/docs");
    c.head->IncludeSubDirs = 0;
}
void DocsAndBelow(Chain& c) {
    SetList(&c.Add(Filter(FILTER_INCLUDE, FILTER_DIRECTORY))->Directory, "/docs");
}
void HtmlFiles(Chain& c) {
    SetList(&c.Add(Filter(FILTER_INCLUDE, FILTER_FILES))->Files, "*.htm*");
}
void IndexFiles(Chain& c) {
    SetList(&c.Add(Filter(FILTER_INCLUDE, FILTER_FILES))->Files, "index.* *.gif");
}
void IndexFilesWithDefaultPages(Chain& c) {
    IndexFiles(c);
    c.head->IncludeDefaultPages = 1;
}
void NightHours(Chain& c) {
    ProfileFilter* f = c.Add(Filter(FILTER_INCLUDE, FILTER_HOURS));
    f->HourAll = 0;
    f->HourBegin = 22;
    f->HourEnd = 6;
}
void Codes200And304(Chain& c) {
    ReturnCodeStringToStruct("200 304", c.Add(Filter(FILTER_INCLUDE, FILTER_RETURNCODES)));
}
void MondaysOnly(Chain& c) {
    c.Add(Filter(FILTER_INCLUDE, FILTER_DAYS))->Days = 1 << 1;
}
void AddressesAndNames(Chain& c) {
    ProfileFilter* f = c.Add(Filter(FILTER_INCLUDE, FILTER_USERS));
    SetList(&f->Users, "10.0.0.1-10.0.1.5 192.168.0.0/16 *.example.com");
    UpdateUserFilters(f);
}
void AddressElementEmpty(Chain& c) {
    ProfileFilter* f = c.Add(Filter(FILTER_INCLUDE, FILTER_USERS));
    SetList(&f->Users, "");
}
void ExcludeEverythingEmpty(Chain& c) {
    ProfileFilter* f = c.Add(Filter(FILTER_EXCLUDE, 0x1FFF));
    f->Days = 0;
}
void ExcludeMsie(Chain& c) {
    SetList(&c.Add(Filter(FILTER_EXCLUDE, FILTER_BROWSER))->Browser, "msie");
}
void ExcludeAds(Chain& c) {
    ProfileFilter* f = c.Add(Filter(FILTER_EXCLUDE, FILTER_ADS));
    SetList(&f->AdClick, "/click?");
    SetList(&f->AdView, "/banner");
}
void UserNamesCaseSensitive(Chain& c) {
    ProfileFilter* f = c.Add(Filter(FILTER_INCLUDE, FILTER_USERNAME));
    SetList(&f->Username, "Alice b*");
    f->UsernameCaseSensitive = 1;
}
void AnyUserName(Chain& c) {
    c.Add(Filter(FILTER_INCLUDE, FILTER_USERNAME))->UsernameAll = 1;
}
void OtherServerDomain(Chain& c) {
    SetList(&c.Add(Filter(FILTER_INCLUDE, FILTER_MULTIHOMEDOMAIN))->MultiHomeDomain,
            "*.example.org");
}
void SearchUrls(Chain& c) {
    SetList(&c.Add(Filter(FILTER_INCLUDE, FILTER_SEARCHKEYWORDS))->SearchKeywords, "*search*");
}
void ReferrerOnlyInclude(Chain& c) {
    SetList(&c.Add(Filter(FILTER_INCLUDE, FILTER_REFERRER))->Referrer, "*google*");
}
void DefaultInclude(Chain& c) {
    c.Add(CreateNewIncludeFilter());
}
void DocsOrImages(Chain& c) {
    DocsAndBelow(c);
    SetList(&c.Add(Filter(FILTER_INCLUDE, FILTER_DIRECTORY))->Directory, "/images");
}
void DocsButNot404(Chain& c) {
    DocsAndBelow(c);
    ReturnCodeStringToStruct("404", c.Add(Filter(FILTER_EXCLUDE, FILTER_RETURNCODES)));
}
void PlaceholderAndDocs(Chain& c) {
    c.Add(Filter(FILTER_INCLUDE, FILTER_DIRECTORY | ENABLE_DEFAULT));
    DocsAndBelow(c);
}

TEST(HitFilter, HitStageKeepsOrDropsHits) {
    const HitCase cases[] = {
        {"no filters", [](Chain&) {}, HitFields(), 1},
        {"new include filter", DefaultInclude, Url("/x/y.gif"), 1},
        {"dir without subdirs, file in it", DocsOnly, Url("/docs/a.htm"), 1},
        {"dir without subdirs, the dir itself", DocsOnly, Url("/docs/"), 1},
        {"dir without subdirs, file below", DocsOnly, Url("/docs/x/a.htm"), 0},
        {"dir without subdirs, other dir", DocsOnly, Url("/doc/a.htm"), 0},
        {"dir with subdirs, file below", DocsAndBelow, Url("/docs/x/a.htm"), 1},
        {"dir, query and host cut off", DocsAndBelow, Url("http://h/docs/a.htm?x=/y"), 0},
        {"dir, leading slash and query", DocsAndBelow, Url("/docs/a.htm?q=/other/b"), 1},
        {"dir, case-blind by default", DocsAndBelow, Url("/DOCS/a.htm"), 1},
        {"*.htm* keeps .html", HtmlFiles, Url("/a.html"), 1},
        {"*.htm* keeps .htm", HtmlFiles, Url("/a.htm"), 1},
        {"*.htm* drops .gif", HtmlFiles, Url("/a.gif"), 0},
        {"index.* keeps index.asp", IndexFiles, Url("/dir/index.asp"), 1},
        {"second pattern *.gif", IndexFiles, Url("/dir/logo.gif"), 1},
        {"index.* drops main.asp", IndexFiles, Url("/dir/main.asp"), 0},
        {"default page without the option", IndexFiles, Url("/dir/"), 0},
        {"default page with the option", IndexFilesWithDefaultPages, Url("/dir/"), 1},
        {"hours 22-6 at 23:30", NightHours, At(kMonday + 23 * 3600 + 1800), 1},
        {"hours 22-6 at 05:59", NightHours, At(kMonday + 5 * 3600 + 3540), 1},
        {"hours 22-6 at 06:00", NightHours, At(kMonday + 6 * 3600), 0},
        {"codes 200 304, status 304", Codes200And304, Status(304), 1},
        {"codes 200 304, status 404", Codes200And304, Status(404), 0},
        {"Mondays, a Monday", MondaysOnly, At(kMonday + 3600), 1},
        {"Mondays, a Sunday", MondaysOnly, At(kSunday + 3600), 0},
        {"range across an octet", AddressesAndNames, Client("10.0.0.200"), 1},
        {"range upper end", AddressesAndNames, Client("10.0.1.5"), 1},
        {"past the range", AddressesAndNames, Client("10.0.1.6"), 0},
        {"subnet", AddressesAndNames, Client("192.168.7.9"), 1},
        {"name pattern", AddressesAndNames, Client("PC1.Example.com"), 1},
        {"resolved name, logged address in range", AddressesAndNames,
         Client("host.other.net", "10.0.0.7"), 1},
        {"resolved name, logged address outside", AddressesAndNames,
         Client("host.other.net", "11.0.0.7"), 0},
        {"address element with nothing", AddressElementEmpty, Client("10.0.0.1"), 0},
        {"exclude with empty elements", ExcludeEverythingEmpty, HitFields(), 1},
        {"browser contained, any case", ExcludeMsie, HitFields(), 0},
        {"ad click contained", ExcludeAds, Url("/click?id=3"), 0},
        {"ad view contained", ExcludeAds, Url("/img/BANNER1.gif"), 0},
        {"no ad", ExcludeAds, Url("/page.htm"), 1},
        {"user name exact case", UserNamesCaseSensitive, User("Alice"), 1},
        {"user name other case", UserNamesCaseSensitive, User("alice"), 0},
        {"user name by prefix", UserNamesCaseSensitive, User("bob"), 1},
        {"any user name, one given", AnyUserName, User("x"), 1},
        {"any user name, none given", AnyUserName, User(""), 0},
        {"server domain", OtherServerDomain, HitFields(), 0},
        {"search keywords in url", SearchUrls, Url("/cgi/search?q=a"), 1},
        {"no search keywords in url", SearchUrls, Url("/a.htm"), 0},
        {"referrer-only include passes hits", ReferrerOnlyInclude, Referrer("http://other/"), 1},
        {"two includes, second matches", DocsOrImages, Url("/images/a.gif"), 1},
        {"two includes, neither matches", DocsOrImages, Url("/cgi/a.pl"), 0},
        {"include and exclude, both match", DocsButNot404,
         [] {
             HitFields h = Url("/docs/a.htm");
             h.status = 404;
             return h;
         }(),
         0},
        {"include and exclude, include only", DocsButNot404, Url("/docs/a.htm"), 1},
        {"placeholder include passes at once", PlaceholderAndDocs, Url("/cgi/a.pl"), 1},
    };
    CheckStage(FilterHit, cases);
}

void NoReferrerOnly(Chain& c) {
    SetList(&c.Add(Filter(FILTER_INCLUDE, FILTER_REFERRER))->Referrer, "\"(no referrer)\"");
}
void FromSearchEngines(Chain& c) {
    SetList(&c.Add(Filter(FILTER_INCLUDE, FILTER_REFERRER))->Referrer, "*google* *bing*");
}
void EnteringAtIndexOrDocs(Chain& c) {
    ProfileFilter* f = c.Add(Filter(FILTER_INCLUDE, FILTER_ENTRYPAGE));
    f->EntryPage = EntryPageFilter_New("/index.htm /docs/* /shop/*.asp");
}
void ExcludeSpamReferrer(Chain& c) {
    SetList(&c.Add(Filter(FILTER_EXCLUDE, FILTER_REFERRER))->Referrer, "*casino*");
}
// Guards: an exclude filter whose visit elements are on but empty excluded every visit.
void ExcludeVisitElementsEmpty(Chain& c) {
    ProfileFilter* f = c.Add(Filter(FILTER_EXCLUDE, FILTER_REFERRER | FILTER_ENTRYPAGE));
    SetList(&f->Referrer, "");
}
void DirectoryOnlyInclude(Chain& c) {
    DocsAndBelow(c);
}

TEST(HitFilter, VisitStageKeepsOrExcludesVisits) {
    const HitCase cases[] = {
        {"no filters", [](Chain&) {}, Referrer("http://a/"), 1},
        {"(No Referrer), none given", NoReferrerOnly, Referrer(""), 1},
        {"(No Referrer), one given", NoReferrerOnly, Referrer("http://a/"), 0},
        {"referrer pattern", FromSearchEngines, Referrer("http://www.Google.com/q"), 1},
        {"second referrer pattern", FromSearchEngines, Referrer("http://bing.com/"), 1},
        {"referrer not listed", FromSearchEngines, Referrer("http://a/"), 0},
        {"entry page exact", EnteringAtIndexOrDocs, Referrer("", "/index.htm"), 1},
        {"entry page other name", EnteringAtIndexOrDocs, Referrer("", "/main.htm"), 0},
        {"entry page wildcard directory", EnteringAtIndexOrDocs, Referrer("", "/docs/x/y.htm"), 1},
        {"entry page name pattern", EnteringAtIndexOrDocs, Referrer("", "/shop/cart.asp"), 1},
        {"entry page name pattern, sub-dir", EnteringAtIndexOrDocs,
         Referrer("", "/shop/a/cart.asp"), 0},
        {"excluded referrer", ExcludeSpamReferrer, Referrer("http://casino.example/"), 0},
        {"other referrer", ExcludeSpamReferrer, Referrer("http://a/"), 1},
        {"exclude with empty visit elements", ExcludeVisitElementsEmpty, Referrer("http://a/"), 1},
        {"hit-only include passes visits", DirectoryOnlyInclude, Referrer("http://a/", "/x"), 1},
    };
    CheckStage(FilterVisit, cases);
}

// The stages are separate: two include filters give (A.dir or B.dir) for hits
// and (A.ref or B.ref) for visits, never (A.dir and A.ref) or (B.dir and B.ref).
TEST(HitFilter, StagesAreEvaluatedSeparately) {
    Chain chain;
    ProfileFilter* a = chain.Add(Filter(FILTER_INCLUDE, FILTER_DIRECTORY | FILTER_REFERRER));
    SetList(&a->Directory, "/a");
    SetList(&a->Referrer, "*ref-a*");
    ProfileFilter* b = chain.Add(Filter(FILTER_INCLUDE, FILTER_DIRECTORY | FILTER_REFERRER));
    SetList(&b->Directory, "/b");
    SetList(&b->Referrer, "*ref-b*");
    HitRecord crossed = MakeHit(Referrer("http://ref-b/", "/a/page.htm"));
    EXPECT_EQ(FilterHit(chain.head, &crossed), 1);
    EXPECT_EQ(FilterVisit(chain.head, &crossed), 1);
    HitRecord neither = MakeHit(Referrer("http://ref-c/", "/c/page.htm"));
    EXPECT_EQ(FilterHit(chain.head, &neither), 0);
    EXPECT_EQ(FilterVisit(chain.head, &neither), 0);
}

TEST(HitFilter, WildcardForms) {
    struct Case {
        const char* pattern;
        const char* text;
        BOOL exact, caseSensitive;
        int match;
    } cases[] = {
        {"*", "", TRUE, TRUE, 1},
        {"abc", "abc", TRUE, TRUE, 1},
        {"abc", "abcd", TRUE, TRUE, 0},
        {"ABC", "abc", TRUE, FALSE, 1},
        {"ABC", "abc", TRUE, TRUE, 0},
        {"*.com", "a.example.COM", TRUE, FALSE, 1},
        {"*.com", "com", TRUE, FALSE, 0},
        {"www.*", "www.a.org", TRUE, FALSE, 1},
        {"www.*", "ww", TRUE, FALSE, 0},
        {"*exam*", "an example", TRUE, FALSE, 1},
        {"a*c", "abc", TRUE, FALSE, 0},
        {"a*c", "a*c", TRUE, FALSE, 1},
        {"xam", "an example", FALSE, FALSE, 1},
        {"XAM", "an example", FALSE, TRUE, 0},
        {"example", "an exampl", FALSE, FALSE, 0},
        {"ple", "an example", FALSE, FALSE, 1},
        {"an ", "an example", FALSE, FALSE, 1},
        {"*xam", "an example", FALSE, FALSE, 0}, // the inner "*" is a character
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " / " + c.text);
        EXPECT_EQ(MatchWildcard(c.pattern, c.text, c.exact, c.caseSensitive), c.match);
    }
    EXPECT_EQ(MatchWildcard(nullptr, "a", TRUE, TRUE), 0);
    EXPECT_EQ(MatchAnyPattern(nullptr, "a", TRUE, TRUE), 0);
}
} // namespace
