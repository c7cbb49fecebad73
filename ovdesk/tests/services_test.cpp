// The plug-in's shared services: texts and resources, the module folder,
// date and time texts, path operations.
#include <gtest/gtest.h>
#include "desk_services.h"
#include "resource_ids.h"
#include "services/intl_settings.h"
#include "startup/plugin_state.h"
#include "startup/resource_cache.h"
#include <cstring>

namespace {
class ServicesTest : public ::testing::Test {
  protected:
    void SetUp() override { SetPluginInstance(GetModuleHandleA(nullptr)); }
};
} // namespace

TEST_F(ServicesTest, LoadTextNeverHandsBackStaleText) {
    char buffer[32];
    strcpy(buffer, "stale");
    EXPECT_STREQ(LoadText(60001, buffer, sizeof buffer), "");
    EXPECT_STREQ(LoadText(IDS_NOT_AVAILABLE, buffer, sizeof buffer), "N/A");
    char small[4];
    EXPECT_STREQ(LoadText(IDS_NONE_SELECTED, small, sizeof small), "<< ");
    EXPECT_STREQ(LoadTextSlot(IDS_KILOBYTES, 2), "K");
}

TEST_F(ServicesTest, TextResourcesComeAsTerminatedCopiesFromTheCache) {
    DWORD size1 = 0, size2 = 0;
    char* first = GetTextResource(7001, &size1);
    int cached = GetResourceCacheCount();
    char* second = GetTextResource(7001, &size2);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(size1, 13u);
    EXPECT_EQ(size2, size1);
    EXPECT_STREQ(first, "alpha\r\nbeta\r\n");
    EXPECT_STREQ(second, first);
    EXPECT_EQ(GetResourceCacheCount(), cached);
    // A template first fetched without a copy still gives one when asked.
    ASSERT_NE(GetDialogTemplate(IDD_LOG_INFO_PANEL), nullptr);
    DWORD size = 0;
    void* dialog = LoadDialogResource(IDD_LOG_INFO_PANEL, &size);
    EXPECT_NE(dialog, nullptr);
    EXPECT_GT(size, 0u);
    EXPECT_EQ(GetTextResource(7999, &size), nullptr);
    FreeResourceCopy(dialog);
    FreeResourceCopy(first);
    FreeResourceCopy(second);
}

TEST_F(ServicesTest, ModuleFolderRefusesACutName) {
    EXPECT_EQ(SetModuleDirectoryFromName("C:\\Ost\\ovdesk.dll", 17), 7);
    EXPECT_STREQ(GetModuleDirectory(), "C:\\Ost\\");
    std::string cut = "C:\\" + std::string(MAX_PATH - 4, 'd') + "\\x";
    cut.resize(MAX_PATH - 1); // what GetModuleFileName leaves in a full buffer
    EXPECT_EQ(SetModuleDirectoryFromName(cut.c_str(), MAX_PATH), 0);
    EXPECT_STREQ(GetModuleDirectory(), "");
    EXPECT_STREQ(GetDataFilesFolder(), "");
    EXPECT_EQ(SetModuleDirectoryFromName("ovdesk.dll", 10), 0);
}

TEST(DateTexts, FormattingFollowsTheIntlSettings) {
    struct tm when = {};
    when.tm_year = 99;
    when.tm_mon = 2;
    when.tm_mday = 5;
    when.tm_hour = 7;
    when.tm_min = 8;
    when.tm_sec = 9;
    struct Case {
        int iDate;
        const char *sDate, *sTime, *date, *time;
    } cases[] = {
        {0, "/", ":", "03/05/99", "07:08:09"},
        {1, ".", ":", "05.03.99", "07:08:09"},
        {2, "-", ".", "99-03-05", "07.08.09"},
        {7, "/", ":", "03/05/99", "07:08:09"},    // unknown order: month first
        {-1, "//", "::", "03/05/99", "07:08:09"}, // long separators: first character
        {0, "", "", "03/05/99", "07:08:09"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.iDate);
        char timeText[DATE_TEXT_SIZE], dateText[DATE_TEXT_SIZE];
        OvkitFormatIntlTexts(&when, OvkitMakeIntlSettings(c.iDate, c.sDate, c.sTime), timeText,
                             dateText);
        EXPECT_STREQ(dateText, c.date);
        EXPECT_STREQ(timeText, c.time);
    }
    when.tm_year = 126; // 2026 as two digits
    char timeText[DATE_TEXT_SIZE], dateText[DATE_TEXT_SIZE];
    OvkitFormatIntlTexts(&when, OvkitMakeIntlSettings(0, "/", ":"), timeText, dateText);
    EXPECT_STREQ(dateText, "03/05/26");
    OvkitFormatIntlTexts(nullptr, OvkitMakeIntlSettings(0, "/", ":"), timeText, dateText);
    EXPECT_STREQ(dateText, "N/A");
    EXPECT_STREQ(timeText, "N/A");
}

TEST(DateTexts, ParsingAndValidation) {
    struct tm today = {};
    today.tm_year = 126;
    today.tm_mon = 5;
    today.tm_mday = 20;
    IntlSettings mdy = OvkitMakeIntlSettings(0, "/", ":"), dmy = OvkitMakeIntlSettings(1, ".", ":");
    struct Case {
        IntlSettings s;
        const char *time, *date;
        int hour, month, day, year;
    } cases[] = {
        {mdy, "13:14:15", "12/31/05", 13, 11, 31, 105},
        {mdy, "1", "1/2/1999", 1, 0, 2, 99},
        {dmy, "", "05.03.99", 0, 2, 5, 99},
        // Guards four-digit years, Windows' own short date form: 2024 was
        // read as years since 1900 (3924).
        {mdy, "", "12/31/2024", 0, 11, 31, 124},
        {dmy, "", "01.02.2000", 0, 1, 1, 100},
        {OvkitMakeIntlSettings(2, "-", ":"), "", "2024-03-05", 0, 2, 5, 124},
        {mdy, "", "3/5/69", 0, 2, 5, 169},
        {mdy, "", "3/5/70", 0, 2, 5, 70},
        {mdy, "", "", 0, 5, 20, 126}, // missing fields keep today's
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date);
        int hour, minute, second, month, day, year;
        ParseIntlTexts(c.s, today, c.time, c.date, &hour, &minute, &second, &month, &day, &year);
        EXPECT_EQ(hour, c.hour);
        EXPECT_EQ(month, c.month);
        EXPECT_EQ(day, c.day);
        EXPECT_EQ(year, c.year);
    }
    EXPECT_EQ(IsValidIntlDate(mdy, "2/29/01"), 1);
    EXPECT_EQ(IsValidIntlDate(mdy, "2/30/01"), 0);
    EXPECT_EQ(IsValidIntlDate(mdy, "13/01/01"), 0);
    EXPECT_EQ(IsValidIntlDate(mdy, "12/01"), 0);
    EXPECT_EQ(IsValidIntlDate(dmy, "31.12.99"), 1);
    EXPECT_EQ(IsValidIntlDate(mdy, "12/31/2024"), 1);
    EXPECT_EQ(IsValidIntlDate(OvkitMakeIntlSettings(2, "-", ":"), "2024-02-29"), 1);
    EXPECT_EQ(IsValidIntlDate(mdy, "12/31/1850"), 0); // before the times a report covers
    EXPECT_EQ(IsValidIntlDate(mdy, "12/31/999"), 0);
}

TEST(PathServices, ReplaceFileExtensionLooksOnlyAtTheFileName) {
    struct Case {
        const char *path, *ending, *result;
        size_t size;
        int ok;
    } cases[] = {
        {"C:\\Reports\\week.htm", ".CMA", "C:\\Reports\\week.CMA", MAX_PATH, 1},
        {"C:\\v1.2\\report", ".HTM", "C:\\v1.2\\report.HTM", MAX_PATH, 1},
        {"a.b.htm", ".txt", "a.b.txt", MAX_PATH, 1},
        {"report.htm", ".HTML", "report.htm", 11, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        char path[MAX_PATH];
        strcpy(path, c.path);
        EXPECT_EQ(ReplaceFileExtension(path, c.size, c.ending), c.ok);
        EXPECT_STREQ(path, c.result);
    }
}
