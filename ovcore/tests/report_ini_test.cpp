#include <gtest/gtest.h>
#include "ovcore/ovcore.h"
#include "report_ini_fixture.h"
#include <string>
#include <string.h>

namespace {

typedef ReportIniFixture ReportIni;

std::string Join(char* const* words, int n) {
    std::string out;
    for (int i = 0; i < n; ++i)
        out += std::string(i ? "|" : "") + (words[i] ? words[i] : "(null)");
    return out;
}

std::string Hours(const HourList& list) {
    std::string out;
    for (int i = 0; i < list.Count; ++i)
        out += (i ? "," : "") + std::to_string(list.Hours[i]);
    return out;
}

TEST_F(ReportIni, MissingFileGivesEveryDefault) {
    const ReportIniSettings& s = Read();
    ASSERT_TRUE(watcher.WaitFor(1));
    EXPECT_EQ(watcher.Seen()[0].caption, "Load");
    EXPECT_EQ(Join(s.ShortWeekdays, 7), "Sun|Mon|Tue|Wed|Thu|Fri|Sat");
    EXPECT_EQ(Join(s.LongWeekdays, 7), "Sunday|Monday|Tuesday|Wednesday|Thursday|Friday|Saturday");
    EXPECT_EQ(Join(s.ShortMonths, 12), "Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec");
    EXPECT_STREQ(s.LongMonths[8], "September");
    EXPECT_STREQ(s.ReturnCodes[RC_200], "200 OK");
    EXPECT_STREQ(s.ReturnCodes[RC_404], "404 Page or File Not Found");
    EXPECT_STREQ(s.ReturnCodes[RC_503], "503 Gateway Timeout");
    EXPECT_STREQ(s.ReturnCodes[RC_UNKNOWN], "%03d Incomplete / Undefined");
    EXPECT_STREQ(s.Generic[GEN_SUCCESSFULFORMS], "Successful Forms Submitted");
    EXPECT_STREQ(s.IpTypes[IPT_COUNTRYCODE], "Country Code");
    EXPECT_STREQ(s.Suffixes[SUF_US], "United States (.us)");
    EXPECT_STREQ(s.Legends[LEG_BYTES], "Total K Bytes");
    EXPECT_STREQ(s.DateSeparator, "/");
    EXPECT_STREQ(s.TimeSeparator, ":");
    EXPECT_STREQ(s.GeneratedOnFormat, "%A %B %d, %Y - %T");
    EXPECT_STREQ(s.ActivityTimeFormat, "%B %d, %Y");
    EXPECT_EQ(s.DateOrder, 0);
    EXPECT_EQ(Hours(s.AfterHours), "1,2,3,4,5,6,7,17,18,19,20,21,22,23,0");
    EXPECT_EQ(Hours(s.WorkHours), "8,9,10,11,12,13,14,15,16");
    EXPECT_EQ(s.Countries.Count, 0);
    EXPECT_EQ(s.States.Count, 0);
    EXPECT_STREQ(LookupCountryName(&s, "de"), "de");
}

// Count 0 still gives the rows that the interval choice takes by number.
TEST_F(ReportIni, BuiltInScalesServeEveryFixedRow) {
    const ReportIniSettings& s = Read();
    ASSERT_GE(s.IntervalCount, 19);
    for (int i = 0; i < s.IntervalCount; ++i) {
        SCOPED_TRACE(i);
        const IntervalScale& row = s.Intervals[i];
        EXPECT_GT(row.Seconds, 0u);
        EXPECT_GT(row.Count, 0);
        EXPECT_LE(row.Count, 32); // tables keep 32 interval counters
        ASSERT_TRUE(row.Name && row.LabelFormat && row.RangeFormat);
        EXPECT_NE(row.LabelFormat[0], '\0');
    }
    EXPECT_EQ(s.Intervals[9].Seconds, 86400u);
    EXPECT_EQ(s.Intervals[12].Seconds, 86400u);
    EXPECT_EQ(s.Intervals[17].Count, 12);
    EXPECT_EQ(s.Intervals[18].Count, 24);
    // The choice takes the first row whose coverage reaches the span: a
    // sub-day span must find an hourly row before any day row.
    EXPECT_EQ(s.Intervals[6].Seconds * s.Intervals[6].Count, 86400u);
}

TEST_F(ReportIni, LanguageWordsAreExpandedFromTheRplFile) {
    install.Write("ovdesk\\template\\GERMAN.RPL",
                  "<So>{So}<Mo>{Mo}<Total>{Gesamt}<Scale>{Stunden}<Zwei>{2}"
                  "<Land>{Deutschland}");
    WriteIni("[Weekdays]\r\nShort=<So>, <Mo>, Di, Mi, Do, Fr, Sa\r\n"
             "[Legends]\r\nTotal=  <Total>  \r\nHits=<Missing>Treffer\r\n"
             "[intl]\r\niDate=<Zwei>\r\n"
             "[Interval]\r\nCount=1\r\nScale1=<Scale>, 24, 3600, %H:%M, %D %T\r\n"
             "[Countries]\r\nCount=1\r\nItem1=<Land>,de\r\n");
    const ReportIniSettings& s = Read("GERMAN");
    EXPECT_EQ(Join(s.ShortWeekdays, 7), "So|Mo|Di|Mi|Do|Fr|Sa");
    EXPECT_STREQ(s.Legends[LEG_TOTAL], "Gesamt");
    EXPECT_STREQ(s.Legends[LEG_HITS], "Treffer");
    EXPECT_EQ(s.DateOrder, 2);
    ASSERT_EQ(s.IntervalCount, 1);
    EXPECT_STREQ(s.Intervals[0].Name, "Stunden");
    EXPECT_STREQ(LookupCountryName(&s, "DE"), "Deutschland");
}

TEST_F(ReportIni, NameListsHoldSevenAndTwelveWords) {
    WriteIni("[Weekdays]\r\nShort=a b c d e f g h i\r\nLong=Sonntag,Montag\r\n"
             "[Months]\r\nShort=\r\nLong=1 2 3 4 5 6 7 8 9 10 11 12 13 14\r\n");
    const ReportIniSettings& s = Read();
    EXPECT_EQ(Join(s.ShortWeekdays, 7), "a|b|c|d|e|f|g");
    EXPECT_EQ(Join(s.LongWeekdays, 7), "Sonntag|Montag|Tuesday|Wednesday|Thursday|Friday|Saturday");
    EXPECT_EQ(Join(s.ShortMonths, 12), "Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec");
    EXPECT_EQ(Join(s.LongMonths, 12), "1|2|3|4|5|6|7|8|9|10|11|12");
}

// The unknown-code text is a printf format: only one integer conversion.
TEST_F(ReportIni, UnknownCodeTextMustHoldOneIntegerConversion) {
    const struct {
        const char* value;
        const char* expected;
    } cases[] = {
        {"%d Unbekannt", "%d Unbekannt"},
        {"Code %-5ld (100%%)", "Code %-5ld (100%%)"},
        {"%s Unknown", "%03d Incomplete / Undefined"},
        {"%d of %d", "%03d Incomplete / Undefined"},
        {"No number", "%03d Incomplete / Undefined"},
        {"%n", "%03d Incomplete / Undefined"},
        {"%*d", "%03d Incomplete / Undefined"},
        {"%d%", "%03d Incomplete / Undefined"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        WriteIni(std::string("[ReturnCodes]\r\nUK=") + c.value + "\r\n");
        EXPECT_STREQ(Read().ReturnCodes[RC_UNKNOWN], c.expected);
    }
}

TEST_F(ReportIni, HourListsKeepOnlyHoursOfTheDay) {
    WriteIni("[intl]\r\nWorkHours=9; 10,24 -1 x 11 7a 0\r\n"
             "AfterHours=0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 23 22\r\n");
    const ReportIniSettings& s = Read();
    EXPECT_EQ(Hours(s.WorkHours), "9,10,11,0");
    EXPECT_EQ(s.AfterHours.Count, 24);
}

TEST_F(ReportIni, IntervalScalesAreReadFieldByField) {
    WriteIni("[Interval]\r\nCount=3\r\n"
             "Scale1= \"Hours\" , 24 ,3600, %H:%M ,\t%D %T\t, ignored\r\n"
             "Scale2=Days,7\r\n");
    const ReportIniSettings& s = Read();
    ASSERT_EQ(s.IntervalCount, 3);
    EXPECT_STREQ(s.Intervals[0].Name, "Hours");
    EXPECT_EQ(s.Intervals[0].Count, 24);
    EXPECT_EQ(s.Intervals[0].Seconds, 3600u);
    EXPECT_STREQ(s.Intervals[0].LabelFormat, "%H:%M");
    EXPECT_STREQ(s.Intervals[0].RangeFormat, "%D %T");
    EXPECT_EQ(s.Intervals[1].Count, 7);
    EXPECT_EQ(s.Intervals[1].Seconds, 0u);
    EXPECT_STREQ(s.Intervals[1].LabelFormat, ""); // missing: empty, never null
    EXPECT_STREQ(s.Intervals[2].Name, "");
}

TEST_F(ReportIni, IntervalCountIsClamped) {
    WriteIni("[Interval]\r\nCount=2000000000\r\n");
    EXPECT_EQ(Read().IntervalCount, REPORTINI_MAX_SCALES);
    WriteIni("[Interval]\r\nCount=-3\r\n");
    EXPECT_GE(Read().IntervalCount, 19); // as 0: the built-in table
}

TEST_F(ReportIni, CountryAndStateListsLookUpWithoutCase) {
    WriteIni("[Countries]\r\nCount=4\r\nItem1=Germany, de\r\nItem2=Too long,abcdefghij\r\n"
             "Item3=NoCode\r\nItem4=France,FR\r\n"
             "[US States]\r\nCount=1\r\nItem1=Texas,TX\r\n");
    const ReportIniSettings& s = Read();
    EXPECT_EQ(s.Countries.Count, 2);
    EXPECT_STREQ(LookupCountryName(&s, "DE"), "Germany");
    EXPECT_STREQ(LookupCountryName(&s, "fr"), "France");
    EXPECT_STREQ(LookupCountryName(&s, "abcdefghij"), "abcdefghij");
    EXPECT_STREQ(LookupStateName(&s, "tx"), "Texas");
    EXPECT_STREQ(LookupStateName(&s, "ca"), "ca");
}

// The shipped example must read as a complete set with the fixed rows.
TEST_F(ReportIni, ShippedExampleHoldsEveryScale) {
    std::string source = __FILE__;
    size_t cut = source.find_last_of("/\\");
    std::string root = source.substr(0, cut) + "/../../install/ovdesk/REPORT.INI";
    if (root[0] == '/')
        root = "Z:" + root;
    for (char& c : root)
        if (c == '/')
            c = '\\';
    std::string text = ovtest::ReadFileBytes(root);
    ASSERT_FALSE(text.empty()) << root;
    WriteIni(text);
    const ReportIniSettings& s = Read();
    ASSERT_GE(s.IntervalCount, 19);
    EXPECT_LT(s.IntervalCount, REPORTINI_MAX_SCALES);
    for (int i = 0; i < s.IntervalCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_GT(s.Intervals[i].Seconds, 0u);
        EXPECT_GT(s.Intervals[i].Count, 0);
        EXPECT_NE(s.Intervals[i].RangeFormat[0], '\0');
    }
    EXPECT_EQ(s.Intervals[17].Count, 12);
    EXPECT_EQ(s.Intervals[18].Count, 24);
    // Every listed item is read: none is dropped for a comma or an overlong code.
    EXPECT_EQ(s.Countries.Count, 249);
    EXPECT_EQ(s.States.Count, 56);
    const struct {
        const char* code;
        const char* country;
        const char* state;
    } cases[] = {{"de", "Germany", "Delaware"},       {"us", "United States", "us"},
                 {"UK", "United Kingdom", "UK"},      {"ci", "Cote d'Ivoire", "ci"},
                 {"va", "Vatican City", "Virginia"},  {"ny", "ny", "New York"},
                 {"pr", "Puerto Rico", "Puerto Rico"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_STREQ(LookupCountryName(&s, c.code), c.country);
        EXPECT_STREQ(LookupStateName(&s, c.code), c.state);
    }
}

} // namespace
