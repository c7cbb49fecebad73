#include <gtest/gtest.h>
#include "ovcore/ovcore.h"
#include <string>
#include <vector>

namespace {

std::vector<std::string> Items(const FilterString* list) {
    std::vector<std::string> items;
    for (; list; list = list->Next)
        items.push_back(list->lpszText);
    return items;
}

std::vector<std::string> Parse(const char* text, int mode) {
    FilterString* list = nullptr;
    EXPECT_EQ(FilterStringToStruct(text, &list, mode), 1);
    std::vector<std::string> items = Items(list);
    FreeFilterStrings(list);
    return items;
}

std::string Joined(const char* text, int size = 1000) {
    FilterString* list = nullptr;
    FilterStringToStruct(text, &list, FILTER_TEXT_LIST);
    std::string out(size, '\0');
    FilterStructToString(list, &out[0], size);
    FreeFilterStrings(list);
    return out.c_str();
}

using V = std::vector<std::string>;

} // namespace

TEST(FilterText, ListModeSplitsAtBlanksAndCommasAndHonoursQuotes) {
    struct Case {
        const char* text;
        V items;
    } cases[] = {
        {"a, b 'c d' \"e,f\"", {"a", "b", "c d", "e,f"}},
        {",, a  ,b,", {"a", "b"}},
        {"\"\" '' x", {"x"}},
        {"\"unclosed, to the end", {"unclosed, to the end"}},
        {"\"a b\"c,d", {"a bc", "d"}}, // text behind a closing quote joins the item
        {"ab\"c", {"ab\"c"}},
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Parse(c.text, FILTER_TEXT_LIST), c.items);
    }
}

TEST(FilterText, SingleModeTakesOneItem) {
    struct Case {
        const char* text;
        V items;
    } cases[] = {{"  \"x y\"", {"x y"}}, {"\"", {"\""}}, {"  a b, c ", {"a b, c "}},
                 {"'q'", {"q"}},         {"   ", {}},    {"\"a'", {"\"a'"}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Parse(c.text, FILTER_TEXT_SINGLE), c.items);
    }
}

TEST(FilterText, NullTextLeavesTheOutputAlone) {
    FilterString* list = reinterpret_cast<FilterString*>(1);
    EXPECT_EQ(FilterStringToStruct(nullptr, &list, FILTER_TEXT_LIST), 1);
    EXPECT_EQ(list, reinterpret_cast<FilterString*>(1));
}

TEST(FilterText, JoinQuotesItemsThatNeedIt) {
    EXPECT_EQ(Joined("a, b 'c d' \"e,f\""), "a b \"c d\" \"e,f\"");
    EXPECT_EQ(Joined("'say \"hi\" now'"), "'say \"hi\" now'");
    EXPECT_EQ(Joined(""), "");
}

TEST(FilterText, JoinStopsAtTheFirstItemThatDoesNotFitAndSaysSo) {
    FilterString* list = nullptr;
    FilterStringToStruct("aa bb cc", &list, FILTER_TEXT_LIST);
    char text[7];
    EXPECT_EQ(FilterStructToString(list, text, sizeof text), 0);
    EXPECT_STREQ(text, "aa bb");
    char big[64];
    ASSERT_LE(FilterStructTextSize(list), static_cast<int>(sizeof big));
    EXPECT_EQ(FilterStructToString(list, big, FilterStructTextSize(list)), 1);
    EXPECT_STREQ(big, "aa bb cc");
    FreeFilterStrings(list);
}

TEST(FilterText, CopyIsDeepAndSearchUsesTheCompareFunction) {
    FilterString* list = nullptr;
    FilterStringToStruct("one two", &list, FILTER_TEXT_LIST);
    FilterString* copy = nullptr;
    ASSERT_EQ(CopyStringStruct(list, &copy), 1);
    EXPECT_EQ(Items(copy), Items(list));
    EXPECT_NE(copy->lpszText, list->lpszText);
    EXPECT_EQ(SearchFilterStrings(copy, "TWO", _stricmp), copy->Next);
    EXPECT_EQ(SearchFilterStrings(copy, "three", _stricmp), nullptr);
    FreeFilterStrings(list);
    FreeFilterStrings(copy);
}

TEST(FilterCodes, ReturnCodesReadAndWrite) {
    ProfileFilter* f = AllocateBlankFilter();
    ReturnCodeStringToStruct("200, 304 *", f);
    EXPECT_EQ(f->ReturnCodes[0], FILTER_ALL_CODES);
    char text[400];
    ReturnCodeStructToString(f, text, sizeof text);
    EXPECT_STREQ(text, "*");

    std::string many;
    for (int i = 1; i <= 30; i++)
        many += std::to_string(100 + i) + " ";
    ReturnCodeStringToStruct(many.c_str(), f);
    EXPECT_EQ(f->ReturnCodes[22], 123u);
    EXPECT_EQ(f->ReturnCodes[23], 0u);

    ReturnCodeStringToStruct(" ,200,304", f);
    ReturnCodeStructToString(f, text, sizeof text);
    EXPECT_STREQ(text, "200 304");
    ReturnCodeStructToString(f, text, 6);
    EXPECT_STREQ(text, "200");
    FreeOneFilter(f);
}

TEST(FilterCodes, DaysReadAndWrite) {
    ProfileFilter* f = AllocateBlankFilter();
    struct Case {
        const char* text;
        DWORD days;
        const char* written;
    } cases[] = {{"0 6", 0x41, "0 6"}, {"*", 127, "*"}, {"", 0, ""}, {"1,3 9", 0x0A, "1 3"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ParseDaysText(c.text, f);
        EXPECT_EQ(f->Days, c.days);
        char text[15];
        DaysToText(f, text, sizeof text);
        EXPECT_STREQ(text, c.written);
    }
    f->Days = 0x7E; // six days: needs 12 bytes; a small buffer keeps whole digits
    char small[6];
    DaysToText(f, small, sizeof small);
    EXPECT_STREQ(small, "1 2 3");
    FreeOneFilter(f);
}

TEST(FilterRecords, NewFiltersCarryTheirDefaults) {
    ProfileFilter* inc = CreateNewIncludeFilter();
    ASSERT_NE(inc, nullptr);
    EXPECT_EQ(inc->Type, static_cast<DWORD>(FILTER_INCLUDE));
    EXPECT_EQ(inc->ReturnCodes[0], FILTER_ALL_CODES);
    EXPECT_EQ(inc->Days, 127u);
    EXPECT_EQ(inc->HourBegin, 8u);
    EXPECT_EQ(inc->HourEnd, 17u);
    EXPECT_EQ(inc->dwFlags, 0u);
    EXPECT_EQ(Items(inc->Directory), V{"/"});
    EXPECT_EQ(Items(inc->Files), V{"*.*"});
    for (const FilterString* list :
         {inc->Users, inc->MultiHomeDomain, inc->Referrer, inc->AdView, inc->AdClick, inc->Username,
          inc->Browser, inc->SearchKeywords})
        EXPECT_EQ(Items(list), V{"*"});
    ProfileFilter* exc = CreateNewExcludeFilter();
    EXPECT_EQ(exc->Type, static_cast<DWORD>(FILTER_EXCLUDE));
    EXPECT_EQ(exc->HourAll, 1u);
    EXPECT_EQ(exc->IncludeSubDirs, 1u);
    EXPECT_EQ(exc->Users, nullptr);
    EXPECT_EQ(exc->Days, 0u);
    FreeOneFilter(inc);
    FreeOneFilter(exc);
    FreeOneFilter(nullptr);
}

TEST(FilterRecords, AddFilterToProfilePlacesByPosition) {
    struct Case {
        int position;
        const char* order;
    } cases[] = {{-1, "ABX"}, {0, "XAB"}, {1, "AXB"}, {2, "ABX"}, {9, "ABX"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        AnalysisProfile* p = AnalysisProfile_New();
        for (const char* name : {"A", "B"}) {
            ProfileFilter* f = AllocateBlankFilter();
            f->Name[0] = name[0];
            AddFilterToProfile(f, p, -1);
        }
        ProfileFilter* x = AllocateBlankFilter();
        x->Name[0] = 'X';
        AddFilterToProfile(x, p, c.position);
        AddFilterToProfile(nullptr, p, 0);
        std::string order;
        for (ProfileFilter* f = p->Filters; f; f = f->Next)
            order += f->Name;
        EXPECT_EQ(order, c.order);
        AnalysisProfile_Free(p);
    }
}

TEST(FilterRecords, CopyIsDeep) {
    ProfileFilter* f = CreateNewIncludeFilter();
    FreeFilterStrings(f->Users);
    f->Users = nullptr;
    FilterStringToStruct("a.com 10.0.0.1-10.0.0.9 10.1.0.0/16", &f->Users, FILTER_TEXT_LIST);
    ASSERT_EQ(UpdateUserFilters(f), 1);
    f->EntryPage = EntryPageFilter_New("/docs/a.htm");
    ProfileFilter* copy = MakeCopyOfFilter(f);
    ASSERT_NE(copy, nullptr);
    FreeOneFilter(f); // the copy must not share anything with it
    EXPECT_EQ(Items(copy->Users), V{"a.com"});
    ASSERT_NE(copy->AddressRange, nullptr);
    ASSERT_NE(copy->Subnet, nullptr);
    ASSERT_NE(copy->EntryPage, nullptr);
    EXPECT_STREQ(copy->EntryPage->szDirectory, "/docs");
    EXPECT_EQ(Items(copy->Files), V{"*.*"});
    FreeOneFilter(copy);
}

TEST(FilterUsers, RangesAndSubnetsLeaveTheUsersList) {
    ProfileFilter* f = AllocateBlankFilter();
    FilterStringToStruct("host.com 192.168.1.10-20 10.0.0.0/8 1.2.3 junk", &f->Users,
                         FILTER_TEXT_LIST);
    ASSERT_EQ(UpdateUserFilters(f), 1);
    EXPECT_EQ(Items(f->Users), (V{"host.com", "1.2.3", "junk"}));
    ASSERT_NE(f->AddressRange, nullptr);
    EXPECT_EQ(f->AddressRange->Next, nullptr);
    ASSERT_NE(f->Subnet, nullptr);
    EXPECT_EQ(f->Subnet->Subnet.prefix, 8u);
    char text[200];
    UserFiltersStructsToString(f, text, sizeof text);
    EXPECT_STREQ(text, "host.com 1.2.3 junk 192.168.1.10-192.168.1.20 10.0.0.0/8");
    FreeOneFilter(f);
}

TEST(FilterEntryPages, SplitAndJoinBack) {
    struct Case {
        const char* url;
        const char* dir;
        const char* name;
        const char* ext;
    } cases[] = {{"/index.html", "/", "index", "html"},
                 {"/docs/a.b.htm", "/docs", "a.b", "htm"},
                 {"/docs/sub", "/docs/sub", "", ""},
                 {"/", "/", "", ""},
                 {"/docs/", "/docs", "", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        char dir[260] = "?", name[260] = "?", ext[260] = "?";
        SplitURLPath(c.url, dir, sizeof dir, name, sizeof name, ext, sizeof ext);
        EXPECT_STREQ(dir, c.dir);
        EXPECT_STREQ(name, c.name);
        EXPECT_STREQ(ext, c.ext);
    }
    char dir[4] = "?", name[260], ext[260];
    SplitURLPath("/long/a.htm", dir, sizeof dir, name, sizeof name, ext, sizeof ext);
    EXPECT_STREQ(dir, ""); // a part that does not fit becomes empty

    EntryPageFilter* pages = EntryPageFilter_New("/index.html /docs/a.htm \"/my docs/b.asp\"");
    char text[400];
    EntryPageFilter_ToString(pages, text, sizeof text);
    EXPECT_STREQ(text, "/index.html /docs/a.htm \"/my docs/b.asp\"");
    EntryPageFilter_Free(pages);
    EXPECT_EQ(EntryPageFilter_New(""), nullptr);
}
