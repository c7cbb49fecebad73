#include <gtest/gtest.h>
#include "ovcore/report_numbers.h"
#include <string>

namespace {

TEST(ReportNumbers, Counts) {
    const struct {
        ULONGLONG value;
        const char* text;
        int digits;
    } cases[] = {{0, "0", 1},
                 {999, "999", 3},
                 {1000, "1,000", 4},
                 {1234567, "1,234,567", 7},
                 {4294967296ULL, "4,294,967,296", 10}, // past 32 bits, no wrap
                 {18446744073709551615ULL, "18,446,744,073,709,551,615", 20}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        char text[40];
        EXPECT_EQ(FormatCount(c.value, text, sizeof text), c.digits);
        EXPECT_STREQ(text, c.text);
    }
    char small[4];
    FormatCount(1234567, small, sizeof small);
    EXPECT_STREQ(small, "1,2");
}

TEST(ReportNumbers, PercentagesAndKilobytes) {
    const struct {
        double part, whole;
        const char* text;
    } percents[] = {{12, 100, "12%"},   {1, 8, "12.5%"},     {49, 400, "12.25%"},
                    {1, 3, "33.33%"},   {5, 0, "0%"},        {0, 7, "0%"},
                    {3e9, 3e9, "100%"}, {1, 10000, "0.01%"}, {2, 3, "66.66%"}};
    for (const auto& c : percents) {
        SCOPED_TRACE(c.text);
        char text[20];
        FormatPercent(c.part, c.whole, text, sizeof text);
        EXPECT_STREQ(text, c.text);
    }
    const struct {
        double bytes;
        const char* text;
    } sizes[] = {{0, "0"}, {1, "1"}, {1024, "1"}, {1025, "2"}, {5e9, "4,882,813"}}; // over 4 GiB
    for (const auto& c : sizes) {
        SCOPED_TRACE(c.text);
        char text[20];
        FormatKilobytes(c.bytes, text, sizeof text);
        EXPECT_STREQ(text, c.text);
    }
}

TEST(ReportNumbers, SplitDomainLabels) {
    char text[] = "www.example.co.uk";
    ASSERT_EQ(SplitDomainLabels(text), 4);
    EXPECT_EQ(std::string(text, sizeof text - 1), std::string("www\0example\0co\0uk", 17));
    char empty[] = "";
    EXPECT_EQ(SplitDomainLabels(empty), 0);
    EXPECT_EQ(SplitDomainLabels(nullptr), 0);
}

} // namespace
