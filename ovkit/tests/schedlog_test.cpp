#include <gtest/gtest.h>
#include "temp_install.h"
#include "ovkit/schedlog.h"
#include <string>

namespace {

class SchedulerLog : public ::testing::Test {
  protected:
    void SetUp() override {
        OVKIT_GetScheduleLogFilename(module_, path_);
        Remove();
    }
    void TearDown() override { Remove(); }
    void Remove() {
        DeleteFileA(path_);
        RemoveDirectoryA(path_);
    }
    std::string Content() const { return ovtest::ReadFileBytes(path_); }

    HINSTANCE module_ = GetModuleHandleA(nullptr); // holds string 8013
    char path_[MAX_PATH] = "";
};

} // namespace

TEST_F(SchedulerLog, LivesBesideTheLibrary) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string expected(self);
    expected = expected.substr(0, expected.find_last_of('\\') + 1) + "SCHEDLOG.TXT";
    EXPECT_EQ(std::string(path_), expected);
    char other[MAX_PATH];
    EXPECT_EQ(OVKIT_GetScheduleLogFilename(nullptr, other), other);
    EXPECT_EQ(std::string(other), expected); // the module does not matter
}

TEST_F(SchedulerLog, EntriesAppendWithoutHeaderWhenMissing) {
    const std::string longText(500, 'x');
    const struct {
        const char* first;
        const char* second;
        std::string written;
    } entries[] = {
        {"\t\t\tNightly report", nullptr, "\t\t\tNightly report\r\n"},
        {nullptr, "Report done.", "\tReport done.\r\n\r\n"},
        {"Mail", longText.c_str(), "Mail\r\n\t" + std::string(395, 'x') + "\r\n\r\n"},
        {nullptr, nullptr, ""},
        {"", "", "\r\n\t\r\n\r\n"},
    };
    std::string expected;
    for (const auto& e : entries) {
        SCOPED_TRACE(e.written);
        EXPECT_EQ(OVKIT_WriteSchedulerLogFile(module_, e.first, e.second), 1);
        expected += e.written;
        EXPECT_EQ(Content(), expected);
    }
}

TEST_F(SchedulerLog, CreateWritesHeaderOnceAndKeepsExistingLog) {
    char timeBefore[OVKIT_INTL_TEXT_SIZE], dateBefore[OVKIT_INTL_TEXT_SIZE];
    OVKIT_FormatIntlDate(1, timeBefore, dateBefore, std::time(nullptr));
    ASSERT_EQ(OVKIT_CreateSchedulerLogFile(module_), 1);
    char timeAfter[OVKIT_INTL_TEXT_SIZE], dateAfter[OVKIT_INTL_TEXT_SIZE];
    OVKIT_FormatIntlDate(1, timeAfter, dateAfter, std::time(nullptr));

    const std::string header = Content();
    const std::string before =
        std::string("Scheduler log file created: ") + dateBefore + " " + timeBefore + ".\r\n\r\n";
    const std::string after =
        std::string("Scheduler log file created: ") + dateAfter + " " + timeAfter + ".\r\n\r\n";
    EXPECT_TRUE(header == before || header == after) << header;
    EXPECT_EQ(header.size(),
              std::string("Scheduler log file created: 09.03.99 14:05:09.\r\n\r\n").size());

    ASSERT_EQ(OVKIT_WriteSchedulerLogFile(module_, "entry", nullptr), 1);
    EXPECT_EQ(OVKIT_CreateSchedulerLogFile(module_), 1);
    EXPECT_EQ(Content(), header + "entry\r\n");
}

TEST_F(SchedulerLog, UnopenableLogFails) {
    ASSERT_TRUE(CreateDirectoryA(path_, nullptr));
    EXPECT_EQ(OVKIT_WriteSchedulerLogFile(module_, "entry", "text"), -1);
}

TEST(SchedulerLogDates, IntlOrderAndTwoDigitYear) {
    const struct {
        int year, month, day, iDate;
        const char* sDate;
        const char* date;
    } cases[] = {
        {1999, 3, 9, 1, ".", "09.03.99"}, {1999, 3, 9, 0, "/", "03/09/99"},
        {1999, 3, 9, 2, "-", "99-03-09"}, {1999, 3, 9, 7, "/", "03/09/99"},
        {2000, 1, 2, 0, "/", "01/02/00"}, {2026, 3, 9, 1, ".", "09.03.26"}, // not "09.03.126"
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.date);
        struct tm when = {};
        when.tm_year = c.year - 1900;
        when.tm_mon = c.month - 1;
        when.tm_mday = c.day;
        when.tm_hour = 14;
        when.tm_min = 5;
        when.tm_sec = 9;
        char timeText[OVKIT_INTL_TEXT_SIZE], dateText[OVKIT_INTL_TEXT_SIZE];
        OvkitFormatIntlTexts(when, c.iDate, c.sDate, ":", timeText, dateText);
        EXPECT_STREQ(dateText, c.date);
        EXPECT_STREQ(timeText, "14:05:09");
    }
}

TEST(SchedulerLogDates, UnconvertibleTimeIsNotAvailable) {
    for (int local = 0; local <= 1; ++local) {
        char timeText[OVKIT_INTL_TEXT_SIZE], dateText[OVKIT_INTL_TEXT_SIZE];
        OVKIT_FormatIntlDate(local, timeText, dateText, static_cast<time_t>(-1));
        EXPECT_STREQ(timeText, "N/A");
        EXPECT_STREQ(dateText, "N/A");
    }
    char timeText[OVKIT_INTL_TEXT_SIZE], dateText[OVKIT_INTL_TEXT_SIZE];
    OVKIT_FormatIntlDate(0, timeText, dateText,
                         static_cast<time_t>(920988309)); // 1999-03-09 14:05:09 UTC
    EXPECT_EQ(std::string(timeText).size(), 8u);
    EXPECT_EQ(std::string(timeText).substr(0, 2), "14");
    EXPECT_NE(std::string(dateText).find("99"), std::string::npos);
}
