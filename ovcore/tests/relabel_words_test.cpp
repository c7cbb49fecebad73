// A report from the history database carries the words its days were stored
// with; the report's language replaces them in the language-dependent
// tables and in the busiest and quietest day texts.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include "tables/analysis_tables.h"
#include "history/history_db.h"
#include "write/relabel_words.h"
#include "run/run_setup.h"
#include "msgbox_watcher.h"
#include "temp_install.h"

namespace {

void Set(char** word, const char* text) {
    free(*word);
    *word = _strdup(text);
}

const char* NameOf(const AnalysisTable& t, DWORD n) {
    return t.lpItems[n]->ovString;
}

TEST(RelabelWords, StoredWordsTakeTheReportLanguage) {
    ovtest::TempInstall install;
    ovtest::MsgBoxWatcher boxes;
    install.Write("ovdesk\\template\\ENGLISH.RPL", "");
    ReportIniSettings* stored = nullptr;
    ASSERT_EQ(1, ReadReportIniSettings(install.Module().c_str(), "ENGLISH", &stored));
    ReportIniSettings* german = CopyLanguageTable(stored);
    ASSERT_NE(nullptr, german);
    Set(&german->ShortWeekdays[2], "Di");
    Set(&german->ReturnCodes[RC_404], "Nicht gefunden");
    Set(&german->Legends[LEG_UNKNOWN], "Unbekannt");
    Set(&german->LongMonths[9], "Oktober");
    Set(&german->ShortMonths[9], "Okt");

    RunContext* run = AllocRunContext();
    ASSERT_TRUE(MakeEmptyPeriodTables(run));
    run->Language = german;
    AnalysisTable* t = run->Period.TopTablesPtr;
    std::string tuesday = stored->ShortWeekdays[2];
    for (char& c : tuesday)
        c = (char)toupper((unsigned char)c); // names are matched without regard to case
    AddTableItem(&t[TopWeekdays], tuesday.c_str());
    AddTableItem(&t[TopWeekdays], "Someday");
    AddTableItem(&t[TopClientErrors], stored->ReturnCodes[RC_404]);
    AddTableItem(&t[TopVisitors], stored->Legends[LEG_UNKNOWN]);
    strcpy(run->Period.BusiestDayByHits, "12 October 1999");
    strcpy(run->Period.QuietestDayByHits, "Oct 13, 1999");
    strcpy(run->Period.BusiestDayByUsers, "1999-10-12");

    ASSERT_EQ(1, RelabelRunContextWords(run, stored));
    EXPECT_STREQ("Di", NameOf(t[TopWeekdays], 0));
    EXPECT_STREQ("Someday", NameOf(t[TopWeekdays], 1));
    EXPECT_STREQ("Nicht gefunden", NameOf(t[TopClientErrors], 0));
    EXPECT_STREQ("Unbekannt", NameOf(t[TopVisitors], 0));
    LONG found = -1;
    EXPECT_TRUE(FindTableItem("Di", &t[TopWeekdays], 0, &found)); // found under its new name
    // The long name first (the short one is its start), the rest kept from
    // the first blank after it.
    EXPECT_STREQ("12 Oktober 1999", run->Period.BusiestDayByHits);
    EXPECT_STREQ("Okt 13, 1999", run->Period.QuietestDayByHits);
    EXPECT_STREQ("1999-10-12", run->Period.BusiestDayByUsers);
    EXPECT_NE('\0', run->ReportDateText[0]);

    char month[64];
    EXPECT_EQ(8, GetMonthName(21, run, month)); // the 22nd month: October of the next year
    EXPECT_STREQ("Oktober", month);

    for (const ovtest::SeenBox& box : boxes.Seen())
        ADD_FAILURE() << box.caption << ": " << box.text;
    FreePeriodTables(run);
    FreeSummaryArrays(german);
    FreeSummaryArrays(stored);
    free(run);
}

} // namespace
