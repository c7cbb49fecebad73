// Search engines in referrers: the engine list of keywords.ini, finding the
// engine and the words of a referrer, counting engines, words and phrases
// into their tables with links both ways, and the writers' accessors.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>
#include <memory>
#include <string>
#include <vector>

#include "temp_install.h"
#include "tables/analysis_tables.h"
#include "count/search_engines.h"
#include "count/search_tables.h"
#include "tables/item_intervals.h"

namespace {

// Two engines sharing an ID, lists ended by NoMore with entries behind it.
const char kKeywords[] = "[SearchEngines]\r\n"
                         "Engine1=Finder\r\n"
                         "Engine2=Seeker\r\n"
                         "Engine3=NoMore\r\n"
                         "Engine4=Hidden\r\n"
                         "[Finder]\r\n"
                         "ID1=finder.\r\n"
                         "KeywordIndicator1=q=\r\n"
                         "KeywordIndicator2=query=\r\n"
                         "[Seeker]\r\n"
                         "ID1=seek.\r\n"
                         "ID2=finder.\r\n"
                         "ID3=NoMore\r\n"
                         "ID4=hidden.\r\n"
                         "KeywordIndicator1=text=\r\n"
                         "[Hidden]\r\n"
                         "ID1=hidden.\r\n"
                         "KeywordIndicator1=q=\r\n";

std::string Repeat(char c, size_t n) {
    return std::string(n, c);
}

// The engine's name ("" for none) and its words joined by '|', as a counting
// pass sees them: on a copy cut at the referrer bound.
std::string EngineAndWords(const SearchEngine* list, const std::string& referrer) {
    char copy[SEARCH_REFERRER_MAX + 1];
    lstrcpynA(copy, referrer.c_str(), sizeof copy);
    const char* text = nullptr;
    const SearchEngine* engine = FindSearchEngine(list, copy, &text);
    if (!engine)
        return "";
    std::string result = engine->Name;
    SearchWords words;
    StartSearchWords(&words, copy + (text - copy));
    char word[SEARCH_WORD_MAX + 1];
    while (NextSearchWord(&words, word, sizeof word))
        result += std::string("|") + word;
    return result;
}

class SearchEngines : public ::testing::Test {
  protected:
    void SetUp() override {
        report_.reset(new ReportHandle());
        lstrcpynA(report_->DataPath, install_.Data().c_str(), MAX_PATH);
        context_ = AllocRunContext();
        ASSERT_NE(nullptr, context_);
        tables_ = (AnalysisTable*)calloc(RUN_TABLE_COUNT, sizeof(AnalysisTable));
        ASSERT_NE(nullptr, tables_);
        for (int i = 0; i < RUN_TABLE_COUNT; ++i) {
            ASSERT_EQ(1, InitTable(nullptr, &tables_[i], 1800)); // with the aggregate item 0
            g_ReportTableKeywords[i].Empty = 1;
        }
        context_->Period.TopTablesPtr = tables_;
    }
    void TearDown() override {
        FreeSearchEngines(context_->SearchEngines);
        for (int i = 0; i < RUN_TABLE_COUNT; ++i)
            FreeTableItems(&tables_[i], TableKindOfNumber(i));
        free(tables_);
        free(context_);
    }

    void WriteKeywords(const std::string& text) {
        ASSERT_TRUE(install_.Write("ovdesk\\datfiles\\keywords.ini", text));
    }
    // Counts one hit into the four tables as the hit updaters do.
    void Count(const std::string& referrer, DWORD interval, int newVisit) {
        std::vector<char> text(referrer.begin(), referrer.end());
        text.push_back(0);
        HitRecord hit{};
        hit.lpszReferrer = text.data();
        ASSERT_EQ(1, CountSearchEngineHit(report_.get(), context_, &hit, interval, newVisit));
        ASSERT_EQ(1, CountSearchPhrase(report_.get(), context_, &hit, interval, newVisit));
        EXPECT_EQ(referrer, text.data()); // the hit's referrer is left as it was
    }
    AnalysisTable* Table(int number) { return &tables_[number]; }
    // Item number of name, or -1.
    LONG Item(int number, const char* name) {
        LONG item = ANALYSIS_NO_ITEM;
        FindTableItem(name, Table(number), 0, &item);
        return item;
    }
    // "hits/users" of an item, "-" when the table has none of that name.
    std::string Counts(int number, const char* name) {
        LONG item = Item(number, name);
        if (item < 0)
            return "-";
        const AnalysisItem* it = Table(number)->lpItems[item];
        return std::to_string(it->ovTotalByHits) + "/" + std::to_string(it->ovTotalByUsers);
    }
    // The item's links as "name hits/visits" joined by ", ", in stored order.
    std::string Links(int number, const char* name) {
        LONG item = Item(number, name);
        if (item < 0)
            return "-";
        std::string result;
        char linked[256];
        for (DWORD m = 0; m < Table(number)->lpItems[item]->ovTopNamesCount; ++m) {
            GetTableSubItemName(Table(number), item, m, linked, sizeof linked);
            result += (m ? ", " : "") + std::string(linked) + " " +
                      std::to_string(GetTableSubItemValue(Table(number), item, m)) + "/" +
                      std::to_string(GetTableSubItemSecondValue(Table(number), item, m));
        }
        return result;
    }

    ovtest::TempInstall install_;
    std::unique_ptr<ReportHandle> report_;
    RunContext* context_ = nullptr;
    AnalysisTable* tables_ = nullptr;
};

TEST_F(SearchEngines, FindsTheEngineAndSplitsTheWords) {
    WriteKeywords(kKeywords);
    ASSERT_EQ(1, LoadSearchEngines(report_.get(), context_));
    const std::string site = "http://www.finder.com/search";
    struct Case {
        std::string referrer;
        std::string expected;
    } cases[] = {
        {site + "?q=red+shoes&q=blue", "Finder|red|shoes"},
        {"https://finder.co.uk/?q=ab", "Finder|ab"},
        {"http://finder/search?q=ab", ""},             // no '.'
        {"http://www.finder.com?q=ab", ""},            // no '/' after the '.'
        {"http://www.finder.com/search", ""},          // no query
        {"http://www.FINDER.com/s?q=ab", ""},          // IDs keep their case
        {"http://www.other.com/finder.html?q=ab", ""}, // an ID past the host part
        {site + "?q=aa&query=bb", "Finder|bb"},        // indicators tried from the last
        {site + "?text=zz", "Seeker|zz"},              // Finder's indicators miss: Seeker
        {site + "?q=", ""},                            // nothing behind the indicator
        {"http://www.hidden.com/?q=ab", ""},           // engines and IDs behind NoMore
        {site + "?q=%22big+dog%22+a+x=yy zz", "Finder|big|dog|yy|zz"},
        {site + "?q=one%20two%20%20+three", "Finder|one|two|three"},
        {site + "?q=AT%26T+co&x=1", "Finder|AT&T|co"}, // an escaped '&' is a character
        {site + "?q=100%2541", "Finder|100%41"},       // decoded once
        {site + "?q=" + Repeat('w', 250) + "+ab", "Finder|" + Repeat('w', 199) + "|ab"},
        {site + "?q=" + Repeat('a', 300) + "+tail", "Finder|" + Repeat('a', 199)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.referrer);
        EXPECT_EQ(c.expected, EngineAndWords(context_->SearchEngines, c.referrer));
    }
}

TEST_F(SearchEngines, CountsEnginesWordsAndPhrasesWithLinks) {
    WriteKeywords(kKeywords);
    Count("http://www.finder.com/s?q=Red+and+Shoes+x", 0, 1);
    Count("http://www.seek.org/s?text=red", 1, 1);
    Count("http://www.finder.com/s?q=red+shoes", 0, 0);
    Count("http://www.finder.com/s?q=shoes", 2, 1);
    Count("http://www.elsewhere.com/s?q=red", 0, 1); // no engine
    Count("http://www.finder.com/s?q=AND", 0, 1);    // a joining word alone

    EXPECT_EQ("4/3", Counts(TopSearchKeywords, "Finder"));
    EXPECT_EQ("1/1", Counts(TopSearchKeywords, "Seeker"));
    EXPECT_EQ("3/2", Counts(TopSearchEngines, "red"));
    EXPECT_EQ("3/2", Counts(TopSearchEngines, "shoes"));
    EXPECT_EQ("-", Counts(TopSearchEngines, "and"));
    EXPECT_EQ("-", Counts(TopSearchEngines, "x"));
    EXPECT_EQ(3u, Table(TopSearchEngines)->ovCount); // item 0, red, shoes
    EXPECT_EQ(1u, ItemHitsAt(Table(TopSearchEngines)->lpItems[Item(TopSearchEngines, "red")], 1));

    EXPECT_EQ("red 2/1, shoes 3/2", Links(TopSearchKeywords, "Finder"));
    EXPECT_EQ("red 1/1", Links(TopSearchKeywords, "Seeker"));
    EXPECT_EQ("Finder 2/1, Seeker 1/1", Links(TopSearchEngines, "red"));
    EXPECT_EQ("Finder 3/2", Links(TopSearchEngines, "shoes"));

    EXPECT_EQ("4/3", Counts(TopSearchPhraseEngines, "Finder"));
    EXPECT_EQ("1/1", Counts(TopSearchKeyPhrases, "red and shoes"));
    EXPECT_EQ("1/0", Counts(TopSearchKeyPhrases, "red shoes"));
    EXPECT_EQ("1/1", Counts(TopSearchKeyPhrases, "red"));
    EXPECT_EQ("-", Counts(TopSearchKeyPhrases, "and"));
    EXPECT_EQ("red and shoes 1/1, red shoes 1/0, shoes 1/1",
              Links(TopSearchPhraseEngines, "Finder"));
    EXPECT_EQ("Finder 1/1", Links(TopSearchKeyPhrases, "shoes"));

    for (int number :
         {TopSearchEngines, TopSearchKeywords, TopSearchKeyPhrases, TopSearchPhraseEngines})
        EXPECT_EQ(0u, g_ReportTableKeywords[number].Empty) << number;
    EXPECT_EQ(1u, g_ReportTableKeywords[TopReferers].Empty);
}

// Guards: the phrase pass decoded the text the word pass had decoded in place.
TEST_F(SearchEngines, EachPassDecodesItsOwnCopy) {
    WriteKeywords(kKeywords);
    Count("http://www.finder.com/s?q=100%2541+off", 0, 1);
    EXPECT_EQ("1/1", Counts(TopSearchEngines, "100%41"));
    EXPECT_EQ("1/1", Counts(TopSearchKeyPhrases, "100%41 off"));
}

TEST_F(SearchEngines, ItemNameRanksTheLinksByHits) {
    WriteKeywords(kKeywords);
    Count("http://www.finder.com/s?q=apple+pear+plum", 0, 1);
    Count("http://www.finder.com/s?q=plum+pear", 0, 0);
    Count("http://www.finder.com/s?q=plum", 0, 1);
    LONG finder = Item(TopSearchKeywords, "Finder");
    EXPECT_EQ("apple 1/1, pear 2/1, plum 3/2", Links(TopSearchKeywords, "Finder"));

    char name[8];
    GetTableItemName(Table(TopSearchKeywords), finder, 1, name, sizeof name);
    EXPECT_STREQ("", name); // m must be 0
    EXPECT_EQ("apple 1/1, pear 2/1, plum 3/2", Links(TopSearchKeywords, "Finder"));
    GetTableItemName2(Table(TopSearchKeywords), finder, 0, name, 4);
    EXPECT_STREQ("Fin", name);
    EXPECT_EQ("plum 3/2, pear 2/1, apple 1/1", Links(TopSearchKeywords, "Finder"));

    GetTableItemName(Table(TopSearchKeywords), 99, 0, name, sizeof name);
    EXPECT_STREQ("", name);
    GetTableSubItemName2(Table(TopSearchKeywords), finder, 3, name, sizeof name);
    EXPECT_STREQ("", name);
    EXPECT_EQ(0u, GetTableSubItemValue2(Table(TopSearchKeywords), finder, 3));
    EXPECT_EQ(0u, GetTableSubItemSecondValue2(nullptr, finder, 0));
    EXPECT_EQ(3u, GetTableSubItemValue2(Table(TopSearchKeywords), finder, 0));
}

TEST_F(SearchEngines, RankedSubItemIndexOrdersTheCounters) {
    AnalysisTable* table = Table(TopServerErrors);
    ASSERT_NE(0u, AddTableItem(table, "first"));
    ASSERT_NE(0u, AddTableItem(table, "last"));
    AnalysisItem* last = table->lpItems[2];
    const DWORD counters[] = {5, 9, 5, 12};
    last->lpExtra = malloc(sizeof counters);
    memcpy(last->lpExtra, counters, sizeof counters);
    last->ovTopNamesCount = 4;

    struct Case {
        DWORD n;
        int reverse;
        DWORD m;
        int expected;
    } cases[] = {
        {2, 0, 0, 3},  {2, 0, 1, 1},  {2, 0, 2, 0},
        {2, 0, 3, 2},                                // equal counters keep their order
        {0, 1, 0, 3},  {2, 0, 4, -1}, {1, 0, 0, -1}, // no counters
        {3, 0, 0, -1}, {3, 1, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.n << " " << c.reverse << " " << c.m);
        EXPECT_EQ(c.expected, GetRankedSubItemIndex(table, c.n, c.reverse, c.m));
    }
    EXPECT_EQ(-1, GetRankedSubItemIndex(nullptr, 0, 0, 0));
}

TEST_F(SearchEngines, MissingFileMatchesNothingAndIsReadOnce) {
    Count("http://www.finder.com/s?q=red", 0, 1);
    ASSERT_NE(nullptr, context_->SearchEngines);
    WriteKeywords(kKeywords); // too late for this run
    Count("http://www.finder.com/s?q=red", 0, 1);
    EXPECT_EQ(0u, Table(TopSearchKeywords)->ovCount - 1);
    EXPECT_EQ(1u, g_ReportTableKeywords[TopSearchKeywords].Empty);

    report_->DataPath[0] = 0; // no data folder at all
    FreeSearchEngines(context_->SearchEngines);
    context_->SearchEngines = nullptr;
    EXPECT_EQ(1, LoadSearchEngines(report_.get(), context_));
    EXPECT_EQ(nullptr,
              FindSearchEngine(context_->SearchEngines, "http://a.finder.b/?q=ab", nullptr));
}

TEST_F(SearchEngines, ListIsKeptOnceRead) {
    WriteKeywords(kKeywords);
    Count("http://www.finder.com/s?q=red", 0, 1);
    WriteKeywords("[SearchEngines]\r\nEngine1=NoMore\r\n");
    Count("http://www.finder.com/s?q=red", 0, 1);
    EXPECT_EQ("2/2", Counts(TopSearchKeywords, "Finder"));
}

// The shipped list: today's and classic engines with their parameters.
TEST(ShippedKeywords, RecognisesCommonEngines) {
    std::string source = __FILE__;
    std::string path = source.substr(0, source.find_last_of("/\\")) +
                       "/../../install/ovdesk/datfiles/keywords.ini";
    if (path[0] == '/')
        path = "Z:" + path;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    SearchEngine* list = ReadSearchEngines(path.c_str());
    ASSERT_NE(nullptr, list);
    ASSERT_NE(nullptr, list->Next) << path;
    struct Case {
        const char* referrer;
        const char* expected;
    } cases[] = {
        {"https://www.google.com/search?hl=en&q=web+log+analysis&oq=web",
         "Google|web|log|analysis"},
        {"https://www.google.co.uk/search?aq=f&q=ab", "Google|ab"},
        {"https://www.bing.com/search?q=server+logs&form=QBLH", "Bing|server|logs"},
        {"https://search.yahoo.com/search?p=log+files", "Yahoo|log|files"},
        {"https://duckduckgo.com/?q=access+log&ia=web", "DuckDuckGo|access|log"},
        {"https://yandex.ru/search/?text=%D0%BB%D0%BE%D0%B3", "Yandex|\xD0\xBB\xD0\xBE\xD0\xB3"},
        {"https://www.baidu.com/s?ie=utf-8&wd=logs", "Baidu|logs"},
        {"https://www.ecosia.org/search?q=trees", "Ecosia|trees"},
        {"http://www.ask.com/web?q=how+to", "Ask|how|to"},
        {"http://www.altavista.com/cgi-bin/query?pg=q&q=old+web", "AltaVista|old|web"},
        {"http://www.lycos.com/cgi-bin/pursuit?query=dogs", "Lycos|dogs"},
        {"http://search.excite.com/search.gw?search=cats", "Excite|cats"},
        {"http://www.infoseek.com/Titles?qt=birds&col=WW", "Infoseek|birds"},
        {"https://www.task.com/list?q=todo", ""},
        {"https://www.google.com/maps/place/Paris", ""},
        {"https://www.example.com/search?q=own+site", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.referrer);
        EXPECT_EQ(c.expected, EngineAndWords(list, c.referrer));
    }
    FreeSearchEngines(list);
}

} // namespace
